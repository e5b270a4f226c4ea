#pragma once

#include <QByteArray>
#include <QObject>
#include <QStringList>

// A Bluetooth printer reached over RFCOMM. Discovery runs on a thread of its own (started by
// the communication engine); the other calls come from the engine's thread afterwards.
class BluetoothClient : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BluetoothClient)

public:
    explicit BluetoothClient(QObject *parent = nullptr);

    // Chooses the device at this position of the last discovery's list.
    virtual void select(int position) = 0;
    // 0 on success, -1 on failure.
    virtual int connectDevice() = 0;
    // Bytes sent, or -1.
    virtual int send(const QByteArray &data) = 0;
    // What one receive brought; empty on error (and the connection is then dropped).
    virtual QByteArray receive() = 0;

signals:
    void searchListFinished(QStringList *list);
    // Ends the discovery thread.
    void searchFinished();

public slots:
    virtual void search() = 0;
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
