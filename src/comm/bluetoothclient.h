#pragma once

#include <atomic>

#include <QByteArray>
#include <QObject>
#include <QStringList>

class ConfigFile;

// The discovery's list travels by pointer to the panel on another thread.
Q_DECLARE_METATYPE(QStringList *)

// A Bluetooth printer reached over RFCOMM. Discovery runs on a thread of its own (started by
// the communication engine); the other calls come from the engine's thread afterwards.
class BluetoothClient : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BluetoothClient)

public:
    // Why a discovery found nothing to list.
    enum SearchFailure {
        NoBluetoothService, // no Bluetooth stack (bluetoothd) to ask
        NoAdapter,
        AdapterOff,
        SearchRefused, // the stack was there but the discovery failed
    };
    Q_ENUM(SearchFailure)

    explicit BluetoothClient(QObject *parent = nullptr);

    // Chooses the device at this position of the last discovery's list.
    virtual void select(int position) = 0;
    // 0 on success, -1 on failure.
    virtual int connectDevice() = 0;
    // Bytes sent, or -1.
    virtual int send(const QByteArray &data) = 0;
    // What one receive brought; empty on error (and the connection is then dropped).
    virtual QByteArray receive() = 0;
    // A device has been chosen since the last discovery (read by the window before connecting).
    bool isSelected() const { return m_selected; }

signals:
    void searchListFinished(QStringList *list);
    // The discovery could not run; the previous list stays. Emitted before searchFinished.
    void searchFailed(int failure);
    // Ends the discovery thread.
    void searchFinished();

public slots:
    virtual void search() = 0;

protected:
    void setSelected(bool selected) { m_selected = selected; }

private:
    std::atomic<bool> m_selected { false };
};

// Used until a Bluetooth stack is wired in, and where none exists: nothing is ever found.
class UnavailableBluetoothClient : public BluetoothClient
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UnavailableBluetoothClient)

public:
    explicit UnavailableBluetoothClient(QObject *parent = nullptr);

    void select(int position) override;
    int connectDevice() override;
    int send(const QByteArray &data) override;
    QByteArray receive() override;

public slots:
    void search() override;
};

// The client for this configuration: the simulated stack when "Devices/Bluetooth" is
// "sim:HOST:PORT", otherwise the system's. The caller owns it (the engine takes it over).
BluetoothClient *makeBluetoothClient(const ConfigFile *config);
// The operating system's Bluetooth stack (one implementation per platform).
BluetoothClient *makeSystemBluetoothClient();
