#include "core/singleinstance.h"

#include <QSystemSemaphore>

SingleInstance::SingleInstance(const QString &key)
    : m_key(key)
{
}

SingleInstance::~SingleInstance()
{
    while (m_memory.isAttached())
        m_memory.detach();
}

bool SingleInstance::acquire()
{
    QSystemSemaphore semaphore(m_key + QStringLiteral("_seampore"), 1, QSystemSemaphore::Open);
    semaphore.acquire();
    {
        // A crashed instance leaves its segment behind on this system; attaching and detaching
        // removes a segment nobody holds, and never one a live instance is attached to.
        QSharedMemory stale(m_key);
        if (stale.attach())
            stale.detach();
    }
    m_memory.setKey(m_key);
    bool otherRuns = m_memory.attach();
    if (otherRuns)
        m_memory.detach();
    else
        otherRuns = !m_memory.create(1);
    semaphore.release();
    return !otherRuns;
}
