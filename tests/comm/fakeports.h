#pragma once

#include <QByteArrayList>
#include <QStringList>

#include "comm/bluetoothclient.h"
#include "comm/usbport.h"

// A USB port with scripted reads that records what the engine asked of it.
class FakeUsbPort : public UsbPort
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FakeUsbPort)

public:
    explicit FakeUsbPort(int devices = 1)
        : m_devices(devices)
    {
    }

    void setTimeout(int) override { }
    void setPollInterval(int) override { }
    int open() override;
    void close() override { calls.append(QStringLiteral("close")); }
    bool write(const QByteArray &data) override;
    bool writeWait(const QByteArray &data) override;
    QByteArray read(int length) override;
    void rememberSelected() override { calls.append(QStringLiteral("remember")); }
    void reselect() override { calls.append(QStringLiteral("reselect")); }
    void selectByPosition(int) override { }
    QByteArray deviceId() override { return QByteArray(); }
    QString modelName() override { return QString(); }
    void queryStatus() override { calls.append(QStringLiteral("status")); }

    QByteArrayList reads; // answers, one per read
    QByteArrayList written;
    QStringList calls;

private:
    int m_devices;
};

// A Bluetooth link that accepts every block.
class FakeBluetoothClient : public BluetoothClient
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FakeBluetoothClient)

public:
    FakeBluetoothClient() = default;
    void select(int) override { }
    int connectDevice() override { return 0; }
    int send(const QByteArray &data) override;
    QByteArray receive() override { return QByteArray(); }
    void search() override { emit searchFinished(); }

    QByteArrayList written;
};
