#pragma once

#include <QHash>
#include <QList>
#include <QStringList>

#include "comm/bluetoothaddress.h"
#include "comm/bluetoothclient.h"
#include "comm/bluetoothsocket.h"

// One device found by a discovery.
struct BluetoothDevice
{
    QString name;
    BluetoothAddress address;
};

// What every Bluetooth stack shares: the discovered list, the chosen target and the byte
// stream to it. A stack supplies how devices are found and how the stream is opened.
class BluetoothStreamClient : public BluetoothClient
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BluetoothStreamClient)

public:
    static constexpr int kReceiveBufferSize = 1200;
    // Like the network client's read: a reply that comes later is collected by a later read.
    static constexpr int kReceiveWaitMs = 1000;
    static constexpr int kSendWaitMs = 10000;
    static constexpr int kConnectWaitMs = 10000;

    explicit BluetoothStreamClient(QObject *parent = nullptr);

    void select(int position) override;
    int connectDevice() override;
    int send(const QByteArray &data) override;
    QByteArray receive() override;

    QStringList deviceNames() const { return m_names; }
    BluetoothAddress target() const { return m_target; }
    bool isConnected() const { return m_connected; }

public slots:
    void search() final;

protected:
    // Finds the devices in reach, in the order found; false (reason logged, and given with
    // setSearchFailure when it is more than a refused discovery) when the stack cannot be asked,
    // which leaves the previous list in place.
    virtual bool discover(QList<BluetoothDevice> *found) = 0;
    void setSearchFailure(SearchFailure failure) { m_searchFailure = failure; }
    // Opens the stream to the device; false with the reason.
    virtual bool openStream(
        const BluetoothAddress &address, BluetoothSocket *socket, QString *error)
        = 0;

private:
    void dropConnection();

    QStringList m_names;
    SearchFailure m_searchFailure = SearchRefused;
    QHash<int, BluetoothAddress> m_addresses;
    BluetoothAddress m_target;
    bool m_connected = false;
    BluetoothSocket m_socket;
    // The copy handed out with searchListFinished; the receiver reads it on its own thread.
    QStringList m_published;
};
