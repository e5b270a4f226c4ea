#pragma once

#include <QDBusObjectPath>
#include <QMap>
#include <QVariantMap>

#include "comm/bluetoothstreamclient.h"

class QDBusConnection;
class QDBusMessage;

// Interface name -> properties, and object path -> interfaces: BlueZ's object tree as its
// object manager hands it out.
using BluezInterfaces = QMap<QString, QVariantMap>;
using BluezObjects = QMap<QDBusObjectPath, BluezInterfaces>;
Q_DECLARE_METATYPE(BluezInterfaces)
Q_DECLARE_METATYPE(BluezObjects)

// The Linux Bluetooth stack: discovery through the BlueZ service on the system bus, the
// printer's stream over an RFCOMM socket on channel 1.
class BluezBluetoothClient : public BluetoothStreamClient
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BluezBluetoothClient)

public:
    static constexpr int kRfcommChannel = 1;
    // How long an inquiry listens for devices before the list is taken.
    static constexpr int kDiscoveryMs = 10000;

    // busAddress: a D-Bus address to use instead of the system bus (tests run their own).
    explicit BluezBluetoothClient(const QString &busAddress = QString(),
        int discoveryMs = kDiscoveryMs, QObject *parent = nullptr);

    // Makes the object tree's types known to Qt's D-Bus marshalling (once per process).
    static void registerTypes();

protected:
    bool discover(QList<BluetoothDevice> *found) override;
    bool openStream(
        const BluetoothAddress &address, BluetoothSocket *socket, QString *error) override;

private slots:
    void onInterfacesAdded(const QDBusMessage &message);

private:
    bool discoverOn(QDBusConnection &bus, QList<BluetoothDevice> *found);

    QString m_busAddress;
    int m_discoveryMs;
    // Object paths in the order the adapter reported them during the running inquiry.
    QList<QDBusObjectPath> m_arrivals;
};
