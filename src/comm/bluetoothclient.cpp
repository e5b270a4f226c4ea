#include "comm/bluetoothclient.h"

#include <QDebug>

#include "core/configfile.h"
#include "comm/bluetoothsimclient.h"

BluetoothClient::BluetoothClient(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<QStringList *>();
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
    emit searchFailed(NoBluetoothService);
    emit searchFinished();
}

BluetoothClient *makeBluetoothClient(const ConfigFile *config)
{
    const QString stack
        = config ? config->readText(QStringLiteral("Devices/Bluetooth")).trimmed() : QString();
    if (stack.startsWith(QLatin1String(SimulatedBluetoothClient::kScheme)))
        return new SimulatedBluetoothClient(
            stack.mid(int(qstrlen(SimulatedBluetoothClient::kScheme))));
    return makeSystemBluetoothClient();
}
