#pragma once

#include <QSharedMemory>
#include <QString>

// Keeps a second copy of the program from running: a system semaphore around a one-byte
// shared memory segment.
class SingleInstance
{
    Q_DISABLE_COPY_MOVE(SingleInstance)

public:
    explicit SingleInstance(const QString &key = QStringLiteral("RKMENU_Setwright"));
    ~SingleInstance();

    // True when this process now holds the segment; false when another instance runs.
    bool acquire();
    bool isHolder() const { return m_memory.isAttached(); }

private:
    QString m_key;
    QSharedMemory m_memory;
};
