#include "comm/lptport.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/lp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QDebug>
#include <QElapsedTimer>
#include <QFile>

#include "comm/commerror.h"
#include "comm/delayservice.h"
#include "comm/devicemap.h"

namespace {

// The parallel printer driver has no poll(): it reports ready at once and answers EAGAIN,
// so waiting falls back to short steps.
constexpr int kBusyStepMs = 10;
constexpr int kCancelSettleMs = 100;

int remaining(const QElapsedTimer &clock, int deadlineMs)
{
    return int(qMax<qint64>(0, deadlineMs - clock.elapsed()));
}

// Waits until fd is ready for events or the time is up; false on time-out.
bool waitReady(int fd, short events, int timeoutMs)
{
    pollfd p { fd, events, 0 };
    int n;
    do {
        n = ::poll(&p, 1, timeoutMs);
    } while (n < 0 && errno == EINTR);
    return n > 0;
}

QString errnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

LptPort::LptPort(DelayService &delay, const ConfigFile *config, QObject *parent)
    : QObject(parent)
    , m_delay(delay)
    , m_config(config)
{
}

LptPort::~LptPort()
{
    close();
}

bool LptPort::open()
{
    if (m_fd >= 0)
        return true;
    const QString path = devicePath(m_config, m_portName);
    // The kernel refuses a second open of /dev/lpN (EBUSY); the lock gives other devices,
    // such as a pseudo-terminal, the same exclusive use.
    const int fd
        = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        qDebug() << "LPT open" << path << "failed:" << errnoText();
        throw OPEN_PORT_ERROR;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        qDebug() << "LPT" << path << "is held by another program:" << errnoText();
        ::close(fd);
        throw OPEN_PORT_ERROR;
    }
    if (::isatty(fd)) {
        termios tio {};
        if (::tcgetattr(fd, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(fd, TCSANOW, &tio);
        }
        ::tcflush(fd, TCIFLUSH);
    }
    m_fd = fd;
    return true;
}

void LptPort::close()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
}

bool LptPort::write(const QByteArray &data)
{
    if (m_fd < 0) {
        qDebug() << "send err: "
                 << "port not open";
        throw WRITE_PORT_ERROR;
    }
    QElapsedTimer clock;
    clock.start();
    int written = 0;
    bool readyButRefused = false;
    while (written < data.size()) {
        const ssize_t n = ::write(m_fd, data.constData() + written, size_t(data.size() - written));
        if (n > 0) {
            written += int(n);
            readyButRefused = false;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            qDebug() << "send err: " << errnoText();
            throw WRITE_PORT_ERROR;
        }
        if (remaining(clock, m_timeout) == 0) {
            qDebug() << "usb write Time out.";
            qDebug() << "send err: "
                     << "timed out";
            throw WRITE_PORT_ERROR;
        }
        if (readyButRefused)
            ::poll(nullptr, 0, qMin(kBusyStepMs, remaining(clock, m_timeout)));
        readyButRefused = waitReady(m_fd, POLLOUT, remaining(clock, m_timeout));
    }
    return true;
}

QByteArray LptPort::read(int length)
{
    m_received.clear();
    if (m_fd < 0 || length <= 0)
        return m_received;
    QByteArray buffer(length, '\0');
    QElapsedTimer clock;
    clock.start();
    // First attempt: up to `length` bytes within the time-out.
    bool readyButEmpty = false;
    while (m_received.size() < length) {
        const ssize_t n = ::read(m_fd, buffer.data(), size_t(length - m_received.size()));
        if (n > 0) {
            m_received.append(buffer.constData(), int(n));
            readyButEmpty = false;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            qDebug() << "get error" << errnoText();
            break;
        }
        if (remaining(clock, m_timeout) == 0)
            break;
        if (readyButEmpty)
            ::poll(nullptr, 0, qMin(kBusyStepMs, remaining(clock, m_timeout)));
        readyButEmpty = waitReady(m_fd, POLLIN, remaining(clock, m_timeout));
    }
    qDebug() << "+91:" << m_received.size() << m_received.toHex(' ');
    if (!m_received.isEmpty())
        return m_received;
    // Second attempt: whatever arrives within the retry delay.
    if (waitReady(m_fd, POLLIN, m_retryDelay)) {
        const ssize_t n = ::read(m_fd, buffer.data(), size_t(length));
        if (n > 0)
            m_received.append(buffer.constData(), int(n));
    }
    qDebug() << "+81:" << m_received.size() << m_received.toHex(' ');
    return m_received;
}

void LptPort::initPrinter()
{
    if (m_fd >= 0 && ::isatty(m_fd))
        ::tcflush(m_fd, TCIOFLUSH);
    m_delay.sleep(kCancelSettleMs);
    if (m_fd < 0 || ::ioctl(m_fd, LPRESET) != 0)
        qDebug() << "printer initialisation not supported by the device:" << errnoText();
    qDebug() << "GET DEVICE STATUS";
}
