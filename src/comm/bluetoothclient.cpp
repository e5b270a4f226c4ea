#include "comm/bluetoothclient.h"

#include <QDebug>

BluetoothClient::BluetoothClient(QObject *parent)
    : QObject(parent)
{
}

UnavailableBluetoothClient::UnavailableBluetoothClient(QObject *parent)
    : BluetoothClient(parent)
{
}

void UnavailableBluetoothClient::select(int) { }

int UnavailableBluetoothClient::connectDevice()
{
    qDebug() << "Connect err: "
             << "no Bluetooth stack";
    return -1;
}

int UnavailableBluetoothClient::send(const QByteArray &)
{
    return -1;
}

QByteArray UnavailableBluetoothClient::receive()
{
    return QByteArray();
}

void UnavailableBluetoothClient::search()
{
    // The list stays as it was; the discovery thread still has to end.
    qDebug() << "Bluetooth discovery unavailable";
    emit searchFinished();
}
