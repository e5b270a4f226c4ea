#include "comm/delayservice.h"

#include <QThread>

DelayService::~DelayService() = default;

SleepingDelayService::SleepingDelayService(double scale)
    : m_scale(scale)
{
}

void SleepingDelayService::sleep(int ms)
{
    const int scaled = int(ms * m_scale);
    if (scaled > 0)
        QThread::msleep(ulong(scaled));
}

RecordingDelayService::RecordingDelayService(double scale)
    : m_scale(scale)
{
}

void RecordingDelayService::sleep(int ms)
{
    std::function<void(int)> hook;
    {
        QMutexLocker lock(&m_mutex);
        m_requested.append(ms);
        hook = m_hook;
    }
    if (hook)
        hook(ms);
    const int scaled = int(ms * m_scale);
    if (scaled > 0)
        QThread::msleep(ulong(scaled));
}

QVector<int> RecordingDelayService::requested() const
{
    QMutexLocker lock(&m_mutex);
    return m_requested;
}

int RecordingDelayService::count(int ms) const
{
    QMutexLocker lock(&m_mutex);
    return int(m_requested.count(ms));
}

void RecordingDelayService::clear()
{
    QMutexLocker lock(&m_mutex);
    m_requested.clear();
}

void RecordingDelayService::setHook(std::function<void(int)> hook)
{
    QMutexLocker lock(&m_mutex);
    m_hook = std::move(hook);
}
