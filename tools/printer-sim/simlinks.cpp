#include "simlinks.h"

#include <QHostAddress>
#include <QTcpSocket>

ByteLink::ByteLink(QObject *parent)
    : QObject(parent)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &ByteLink::sendCurrent);
}

void ByteLink::schedule(const QByteArray &bytes, int delayMs)
{
    m_scheduled += bytes.size();
    m_items.append({ bytes, delayMs, false });
    if (m_items.size() == 1)
        startNext();
}

void ByteLink::scheduleHangUp(int delayMs)
{
    m_items.append({ QByteArray(), delayMs, true });
    if (m_items.size() == 1)
        startNext();
}

void ByteLink::startNext()
{
    if (m_items.isEmpty())
        return;
    if (m_items.first().delayMs <= 0)
        sendCurrent();
    else
        m_timer.start(m_items.first().delayMs);
}

void ByteLink::sendCurrent()
{
    while (!m_items.isEmpty()) {
        const Item item = m_items.takeFirst();
        if (item.hangUp) {
            m_items.clear();
            hangUpNow();
            return;
        }
        writeNow(item.bytes);
        if (!m_items.isEmpty() && m_items.first().delayMs > 0) {
            m_timer.start(m_items.first().delayMs);
            return;
        }
    }
}

TcpLink::TcpLink(QTcpSocket *socket, QObject *parent)
    : ByteLink(parent)
    , m_socket(socket)
{
    socket->setParent(this);
    connect(socket, &QTcpSocket::readyRead, this, [this] { emit received(m_socket->readAll()); });
    connect(socket, &QTcpSocket::disconnected, this, &ByteLink::closed);
}

void TcpLink::limitReadRate(int bytesPerSecond)
{
    constexpr int kTicksPerSecond = 10;
    const int perTick = qMax(1, bytesPerSecond / kTicksPerSecond);
    m_socket->setReadBufferSize(perTick);
    // A printer's small receive window: the sender feels the slow intake at once.
    m_socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, perTick);
    disconnect(m_socket, &QTcpSocket::readyRead, this, nullptr);
    auto *tick = new QTimer(this);
    connect(tick, &QTimer::timeout, this, [this, perTick] {
        if (m_socket->bytesAvailable() > 0)
            emit received(m_socket->read(perTick));
    });
    tick->start(1000 / kTicksPerSecond);
}

QString TcpLink::describe() const
{
    return QStringLiteral("tcp %1:%2")
        .arg(m_socket->peerAddress().toString())
        .arg(m_socket->peerPort());
}

void TcpLink::writeNow(const QByteArray &bytes)
{
    m_socket->write(bytes);
    // Straight to the kernel: a client that half-closes after its command (socat, nc) still
    // gets the answer before Qt drops the socket.
    m_socket->flush();
}

void TcpLink::hangUpNow()
{
    m_socket->disconnectFromHost();
}
