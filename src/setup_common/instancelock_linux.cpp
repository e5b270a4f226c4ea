#include "setup_common/instancelock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

InstanceLock::InstanceLock(const QString &name)
    : m_name(name)
{
}

InstanceLock::~InstanceLock()
{
    unlock();
}

QString InstanceLock::filePath() const
{
    return QDir::tempPath() + QLatin1Char('/') + m_name;
}

bool InstanceLock::tryLock()
{
    if (m_fd >= 0)
        return true;
    const QByteArray path = QFile::encodeName(filePath());
    // Another user's lock file in the sticky temporary folder can only be opened for reading,
    // which is enough to lock it.
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0)
        fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return false;
    }
    // Let other users take the lock after this holder ends (fails harmlessly on theirs).
    (void)::fchmod(fd, 0666);
    m_fd = fd;
    return true;
}

void InstanceLock::unlock()
{
    if (m_fd < 0)
        return;
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
}
