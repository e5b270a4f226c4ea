#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// Runs the real rkprinter-sim for a test and reads its command log.
class SimProcess
{
public:
    SimProcess();
    ~SimProcess();
    SimProcess(const SimProcess &) = delete;
    SimProcess &operator=(const SimProcess &) = delete;

    // Starts the simulator with these arguments (a command log is added) and waits for
    // `endpoints` ready lines. False when it did not come up; see errorText().
    bool start(const QStringList &args, int endpoints = 1);
    void stop();
    QString errorText() const { return m_error; }

    QStringList readyLines() const { return m_ready; }
    quint16 tcpPort(int index = 0) const;
    QString ptyPath(int index = 0) const;

    QStringList log() const;
    // Log lines that start with this text.
    int count(const QString &prefix) const;
    // Waits until a line with this prefix appears in the log.
    bool waitForLog(const QString &prefix, int timeoutMs = 5000) const;
    QString dir() const { return m_dir.path(); }
    // Where `--state FILE` keeps printer n's state when FILE is stateFile().
    QString stateFile(int printer = 0) const;
    // The setting block a state file holds; empty when there is none.
    static QByteArray settingBlockIn(const QString &stateFile);

private:
    QString endpoint(const QString &kind, int index) const;

    QTemporaryDir m_dir;
    QProcess m_process;
    QStringList m_ready;
    QString m_error;
};
