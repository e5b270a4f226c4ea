#pragma once

#include <functional>

#include <QMutex>
#include <QVector>

// Every pause the program makes for a printer's sake goes through one of these, so tests can
// check the requested durations without waiting them out.
class DelayService
{
public:
    DelayService() = default;
    virtual ~DelayService();
    DelayService(const DelayService &) = delete;
    DelayService &operator=(const DelayService &) = delete;

    virtual void sleep(int ms) = 0;
};

// The real one: the calling thread sleeps (unattended runs may shorten every pause).
class SleepingDelayService : public DelayService
{
public:
    explicit SleepingDelayService(double scale = 1.0);
    void sleep(int ms) override;

private:
    double m_scale;
};

// For tests: records every request and sleeps only a fraction of it (none by default).
// Safe to use from several threads.
class RecordingDelayService : public DelayService
{
public:
    explicit RecordingDelayService(double scale = 0.0);

    void sleep(int ms) override;
    QVector<int> requested() const;
    int count(int ms) const;
    void clear();
    // Called (outside the lock) with every requested duration, before the scaled sleep.
    void setHook(std::function<void(int)> hook);

private:
    mutable QMutex m_mutex;
    QVector<int> m_requested;
    double m_scale;
    std::function<void(int)> m_hook;
};
