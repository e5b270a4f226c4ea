#include "comm/tcpclient.h"

#include <QDebug>
#include <QDeadlineTimer>
#include <QTcpSocket>

#include "comm/socketqueue.h"

namespace {

constexpr int kWriteWaitMs = 10000;
constexpr int kAcknowledgePollMs = 5;

} // namespace

TcpClient::TcpClient(QObject *parent)
    : QObject(parent)
    , m_socket(new QTcpSocket(this))
{
    connect(m_socket, &QTcpSocket::connected, this, &TcpClient::slotConnected);
    connect(m_socket, &QTcpSocket::disconnected, this, &TcpClient::slotDisconnected);
    connect(m_socket, &QTcpSocket::readyRead, this, &TcpClient::dataReceived);
}

void TcpClient::setServer(const QString &address, quint16 port)
{
    QHostAddress parsed;
    if (parsed.setAddress(address))
        m_address = parsed;
    else
        qDebug() << "set serverip fail`" << address;
    m_port = port;
}

int TcpClient::connectToServer()
{
    if (m_connected) {
        // A printer that restarted has closed the connection without us noticing yet; a
        // zero wait lets the socket see that close (a live connection is left as it is).
        if (m_socket->state() == QAbstractSocket::ConnectedState)
            m_socket->waitForReadyRead(0);
        if (m_socket->state() == QAbstractSocket::ConnectedState) {
            m_newConnection = false;
            emit portOpenChanged(true);
            return 0;
        }
        qDebug() << "connection lost, connecting again";
        m_connected = false;
    }
    m_socketUp = false;
    m_newConnection = true;
    m_socket->abort();
    m_socket->connectToHost(m_address, m_port, QIODevice::ReadWrite);
    m_socket->waitForConnected(kConnectTimeoutMs);
    m_connected = m_socketUp;
    return m_connected ? 0 : -1;
}

bool TcpClient::write(const QByteArray &data)
{
    m_buffer.clear();
    qDebug() << "send:" << data.left(64).toHex(' ') << data.size();
    if (m_socket->write(data) < 0)
        return false;
    // Without an event loop the bytes would wait in Qt's buffer until the next read.
    while (m_socket->bytesToWrite() > 0) {
        if (!m_socket->waitForBytesWritten(kWriteWaitMs))
            return false;
    }
    return true;
}

QByteArray TcpClient::read()
{
    m_socket->waitForReadyRead(m_readWait);
    qDebug() << "data:" << m_buffer.left(64).toHex(' ') << m_buffer.size();
    return m_buffer;
}

bool TcpClient::deliveredAll(int timeoutMs, int settleMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        if (m_socket->state() != QAbstractSocket::ConnectedState)
            return false;
        const int queued = socketqueue::unacknowledgedBytes(m_socket->socketDescriptor());
        if (queued <= 0)
            break;
        if (deadline.hasExpired()) {
            qDebug() << queued << "bytes not acknowledged";
            return false;
        }
        // Also notices a connection that ends meanwhile.
        m_socket->waitForReadyRead(kAcknowledgePollMs);
    }
    // Returns early only when the connection ends (or fails) within the time.
    if (m_socket->waitForDisconnected(settleMs))
        return false;
    return m_socket->state() == QAbstractSocket::ConnectedState;
}

void TcpClient::slotConnected()
{
    m_socket->setSocketOption(QAbstractSocket::SendBufferSizeSocketOption, kSendBufferBytes);
    m_socketUp = true;
    emit portOpenChanged(true);
}

void TcpClient::slotDisconnected()
{
    m_socketUp = false;
    m_connected = false;
    emit portOpenChanged(false);
}

void TcpClient::dataReceived()
{
    m_buffer.append(m_socket->readAll());
    qDebug() << "rece:" << m_buffer.left(64).toHex(' ');
    qDebug() << "recelength=" << m_buffer.size();
}
