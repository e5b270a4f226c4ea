#pragma once

#include <QString>
#include <QtGlobal>

// One running copy per lock name, for every user of the machine: a lock file of that name in
// the temporary folder, held with an exclusive advisory lock. The system drops the lock when its
// holder ends, even by a crash, so a stale file never keeps anybody out.
class InstanceLock
{
    Q_DISABLE_COPY_MOVE(InstanceLock)

public:
    explicit InstanceLock(const QString &name);
    ~InstanceLock();

    // True when this object now holds the lock; false when another holder has it or the lock
    // file cannot be opened. Never waits.
    bool tryLock();
    void unlock();
    bool isLocked() const { return m_fd >= 0; }

    QString filePath() const;

private:
    QString m_name;
    int m_fd = -1;
};
