#pragma once

#include <functional>

#include <QHostAddress>
#include <QList>
#include <QObject>

class PrinterHost;
class QTcpServer;
class QTcpSocket;

// The simulator's Bluetooth stack: one TCP control endpoint for all of the process's printers.
// A connection carries one request line:
//   LIST              -> "DEVICE <address> <name>" per printer, then "END"; closed
//   CONNECT <address> -> "OK", then the connection is that printer's byte stream;
//                        or "ERR <reason>" and closed
class SimBluetoothStack : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SimBluetoothStack)

public:
    using LogSink = std::function<void(const QString &)>;

    static constexpr int kMaxRequest = 256;
    static constexpr int kRequestWaitMs = 5000;

    // refuse: printers that refuse connections are busy for Bluetooth too.
    SimBluetoothStack(bool refuse, LogSink log, QObject *parent = nullptr);

    // The simulated device address of the printer with this index.
    static QString addressOf(int index);
    void addDevice(const QString &name, PrinterHost *host);
    bool listen(const QHostAddress &address, quint16 port, QString *error);
    QString endpoint() const;

private:
    struct Device
    {
        QString name;
        QString address;
        PrinterHost *host;
    };
    void onRequest(QTcpSocket *socket);
    void answerAndClose(QTcpSocket *socket, const QByteArray &text);

    bool m_refuse;
    LogSink m_log;
    QTcpServer *m_server = nullptr;
    QList<Device> m_devices;
};
