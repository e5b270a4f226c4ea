#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>

class QTcpSocket;

// A printer's raw TCP port (the Wifi and Network port types). It stays connected between
// exchanges; everything received since the last write is kept, so a reply that comes in
// several segments is returned whole by a later read.
class TcpClient : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TcpClient)

public:
    static constexpr int kConnectTimeoutMs = 10000;
    static constexpr int kReadWaitMs = 1000;
    // What the system may hold of a send beyond what the printer has taken: progress and the
    // end of a download stay close to what arrived.
    static constexpr int kSendBufferBytes = 64 * 1024;

    explicit TcpClient(QObject *parent = nullptr);

    void setServer(const QString &address, quint16 port);
    QHostAddress serverAddress() const { return m_address; }
    quint16 serverPort() const { return m_port; }
    // 0 on success, -1 when no connection was made in time.
    int connectToServer();
    bool write(const QByteArray &data);
    QByteArray read();
    // After a large send: waits (up to timeoutMs) until the printer has acknowledged every
    // byte, then watches the connection for settleMs more. False when the bytes were not
    // acknowledged in time or the connection is (or goes) down meanwhile.
    bool deliveredAll(int timeoutMs, int settleMs);
    bool isConnected() const { return m_connected; }
    // The last connectToServer() made a new connection rather than keeping the open one.
    bool isNewConnection() const { return m_newConnection; }
    // Clearing the flag makes the next connect start a fresh connection.
    void setConnected(bool connected) { m_connected = connected; }
    // How long a read waits for more bytes (tests shorten it).
    void setReadWait(int ms) { m_readWait = ms; }

signals:
    // The owner's port-open flag follows the socket through this signal.
    void portOpenChanged(bool open);

public slots:
    void slotConnected();
    void slotDisconnected();
    void dataReceived();

private:
    QTcpSocket *m_socket;
    QHostAddress m_address;
    quint16 m_port = 0;
    QByteArray m_buffer;
    bool m_connected = false;
    bool m_socketUp = false;
    bool m_newConnection = false;
    int m_readWait = kReadWaitMs;
};
