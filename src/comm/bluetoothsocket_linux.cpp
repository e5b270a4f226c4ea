#include "comm/bluetoothsocket.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <QElapsedTimer>

namespace {

// The kernel's RFCOMM interface, spelled out here instead of taken from the BlueZ library.
constexpr int kProtoRfcomm = 3;
struct RfcommAddress
{
    sa_family_t family;
    quint8 device[BluetoothAddress::kSize]; // least significant byte first
    quint8 channel;
};

constexpr int kMillisPerSecond = 1000;
constexpr int kMicrosPerMilli = 1000;

QString errnoText(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

int remaining(const QElapsedTimer &clock, int timeoutMs)
{
    return int(qMax<qint64>(0, timeoutMs - clock.elapsed()));
}

// 1 ready, 0 time-out, -1 error (errno set).
int waitFor(int fd, short events, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        pollfd p { fd, events, 0 };
        const int n = ::poll(&p, 1, remaining(clock, timeoutMs));
        if (n >= 0)
            return n > 0 ? 1 : 0;
        if (errno != EINTR)
            return -1;
    }
}

void setTimeouts(int fd, int timeoutMs)
{
    timeval tv {};
    tv.tv_sec = timeoutMs / kMillisPerSecond;
    tv.tv_usec = (timeoutMs % kMillisPerSecond) * kMicrosPerMilli;
    // The kernel bounds a blocking connect by the send time-out.
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
}

} // namespace

BluetoothSocket::~BluetoothSocket()
{
    close();
}

void BluetoothSocket::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool BluetoothSocket::connectRfcomm(
    const BluetoothAddress &address, int channel, int timeoutMs, QString *error)
{
    close();
    const int fd = ::socket(AF_BLUETOOTH, SOCK_STREAM | SOCK_CLOEXEC, kProtoRfcomm);
    if (fd < 0) {
        *error = QStringLiteral("no Bluetooth sockets: %1").arg(errnoText(errno));
        return false;
    }
    setTimeouts(fd, timeoutMs);
    RfcommAddress target {};
    target.family = AF_BLUETOOTH;
    for (int i = 0; i < BluetoothAddress::kSize; ++i)
        target.device[i] = address.byte(BluetoothAddress::kSize - 1 - i);
    target.channel = quint8(channel);
    int rc;
    do {
        rc = ::connect(fd, reinterpret_cast<const sockaddr *>(&target), sizeof target);
    } while (rc < 0 && errno == EINTR);
    if (rc < 0) {
        *error = errnoText(errno);
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

bool BluetoothSocket::connectTcp(const QString &host, quint16 port, int timeoutMs, QString *error)
{
    close();
    addrinfo hints {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    const int lookup = ::getaddrinfo(
        host.toUtf8().constData(), QByteArray::number(port).constData(), &hints, &found);
    if (lookup != 0) {
        *error = QStringLiteral("%1: %2").arg(host, QString::fromLocal8Bit(::gai_strerror(lookup)));
        return false;
    }
    *error = QStringLiteral("%1:%2: no address").arg(host).arg(port);
    for (addrinfo *a = found; a && m_fd < 0; a = a->ai_next) {
        const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
        if (fd < 0)
            continue;
        setTimeouts(fd, timeoutMs);
        int rc;
        do {
            rc = ::connect(fd, a->ai_addr, a->ai_addrlen);
        } while (rc < 0 && errno == EINTR);
        if (rc == 0)
            m_fd = fd;
        else {
            *error = QStringLiteral("%1:%2: %3").arg(host).arg(port).arg(errnoText(errno));
            ::close(fd);
        }
    }
    ::freeaddrinfo(found);
    return m_fd >= 0;
}

int BluetoothSocket::send(const QByteArray &data, int timeoutMs, QString *error)
{
    if (m_fd < 0) {
        *error = QStringLiteral("not connected");
        return -1;
    }
    QElapsedTimer clock;
    clock.start();
    int sent = 0;
    while (sent < data.size()) {
        const int ready = waitFor(m_fd, POLLOUT, remaining(clock, timeoutMs));
        if (ready <= 0) {
            *error = ready == 0 ? QStringLiteral("send timed out") : errnoText(errno);
            return -1;
        }
        // A peer that has gone must not end the program with SIGPIPE.
        const ssize_t n = ::send(
            m_fd, data.constData() + sent, size_t(data.size() - sent), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)
                continue;
            *error = errnoText(errno);
            return -1;
        }
        sent += int(n);
    }
    return sent;
}

BluetoothSocket::ReadResult BluetoothSocket::receive(
    int maxBytes, int timeoutMs, QByteArray *data, QString *error)
{
    data->clear();
    if (m_fd < 0) {
        *error = QStringLiteral("not connected");
        return ReadResult::Failed;
    }
    const int ready = waitFor(m_fd, POLLIN, timeoutMs);
    if (ready < 0) {
        *error = errnoText(errno);
        return ReadResult::Failed;
    }
    if (ready == 0)
        return ReadResult::TimedOut;
    QByteArray buffer(maxBytes, '\0');
    ssize_t n;
    do {
        n = ::recv(m_fd, buffer.data(), size_t(maxBytes), MSG_DONTWAIT);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return ReadResult::TimedOut;
        *error = errnoText(errno);
        return ReadResult::Failed;
    }
    if (n == 0) {
        *error = QStringLiteral("closed by the printer");
        return ReadResult::Closed;
    }
    buffer.truncate(int(n));
    *data = buffer;
    return ReadResult::Data;
}

bool BluetoothSocket::readLine(int maxLength, int timeoutMs, QByteArray *line, QString *error)
{
    line->clear();
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        QByteArray one;
        switch (receive(1, remaining(clock, timeoutMs), &one, error)) {
        case ReadResult::Data:
            break;
        case ReadResult::TimedOut:
            *error = QStringLiteral("no answer in time");
            return false;
        default:
            return false;
        }
        if (one.at(0) == '\n') {
            if (line->endsWith('\r'))
                line->chop(1);
            return true;
        }
        if (line->size() >= maxLength) {
            *error = QStringLiteral("answer line too long");
            return false;
        }
        line->append(one);
    }
}
