#pragma once

#include "comm/bluetoothstreamclient.h"

// The simulated Bluetooth stack of rkprinter-sim, reached over TCP: a discovery asks the
// simulator's control endpoint for its devices; a connect turns a control connection into the
// chosen printer's byte stream. Lets tests and the demo use Bluetooth without an adapter.
class SimulatedBluetoothClient : public BluetoothStreamClient
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SimulatedBluetoothClient)

public:
    static constexpr const char *kScheme = "sim:";
    static constexpr int kControlWaitMs = 3000;
    static constexpr int kMaxLine = 512;

    // endpoint: "HOST:PORT" of the simulator's Bluetooth endpoint.
    explicit SimulatedBluetoothClient(const QString &endpoint, QObject *parent = nullptr);

    // Call only while no discovery or exchange runs.
    void setEndpoint(const QString &endpoint) { m_endpoint = endpoint; }
    QString endpoint() const { return m_endpoint; }

protected:
    bool discover(QList<BluetoothDevice> *found) override;
    bool openStream(
        const BluetoothAddress &address, BluetoothSocket *socket, QString *error) override;

private:
    bool openControl(BluetoothSocket *socket, QString *error) const;

    QString m_endpoint;
};
