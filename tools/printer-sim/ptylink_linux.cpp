#include "simlinks.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <QSocketNotifier>

namespace {

constexpr int kReadChunk = 4096;

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(
        QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

} // namespace

PtyLink::PtyLink(QObject *parent)
    : ByteLink(parent)
{
}

PtyLink::~PtyLink()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool PtyLink::open(QString *error)
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        *error = systemError("pseudo-terminal");
        return false;
    }
    m_slavePath = QString::fromLocal8Bit(::ptsname(m_master));
    m_slave = ::open(::ptsname(m_master), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (m_slave < 0) {
        *error = systemError("pseudo-terminal slave");
        return false;
    }
    // A printer line carries bytes, not text: no echo, no line editing, no translation.
    termios tio {};
    ::tcgetattr(m_slave, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(m_slave, TCSANOW, &tio);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyLink::readMaster);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyLink::flushOutput);
    return true;
}

bool PtyLink::lockDevice(QString *error)
{
    if (::flock(m_slave, LOCK_EX | LOCK_NB) != 0) {
        *error = systemError("lock");
        return false;
    }
    return true;
}

QString PtyLink::describe() const
{
    return QStringLiteral("pty %1").arg(m_slavePath);
}

void PtyLink::readMaster()
{
    char buffer[kReadChunk];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            emit received(QByteArray(buffer, int(n)));
            continue;
        }
        // EIO only happens while no slave is open, which our own slave descriptor prevents.
        return;
    }
}

void PtyLink::writeNow(const QByteArray &bytes)
{
    m_output.append(bytes);
    flushOutput();
}

void PtyLink::flushOutput()
{
    while (!m_output.isEmpty()) {
        const ssize_t n = ::write(m_master, m_output.constData(), size_t(m_output.size()));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            if (errno != EAGAIN)
                m_output.clear();
            break;
        }
        m_output.remove(0, int(n));
    }
    m_writeNotifier->setEnabled(!m_output.isEmpty());
}

void PtyLink::hangUpNow()
{
    // A serial line cannot be dropped; the rest of the reply is simply never sent.
    m_output.clear();
}
