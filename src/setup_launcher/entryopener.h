#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

// Opens a package entry as the Windows shell would: a program is started as a process in its
// folder, any other file goes to the desktop's opener. The launcher then waits on that process.
//   RKSELECT_OPENER  the desktop's opener (default xdg-open), with arguments if needed
class EntryOpener : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(EntryOpener)

public:
    explicit EntryOpener(QObject *parent = nullptr);
    ~EntryOpener() override;

    struct Opened {
        qint64 pid = -1;        // > 0 when started
        QString errorText;      // the system's reason otherwise
        bool throughOpener = false;
    };
    // Opens `path` with `folder` as the current folder of what is started.
    Opened open(const QString &folder, const QString &path);

    // Waits until the process ends, at most `timeoutMs` (< 0: no limit), checking every 100 ms
    // while events keep flowing. True when it ended; its exit code in `exitCode`.
    bool waitFor(qint64 pid, int timeoutMs, int *exitCode = nullptr);

private:
    void reapFinished();

    QStringList m_opener;
    QList<qint64> m_running; // started and not yet collected
    QTimer m_reaper;
};
