#include "simprocess.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {

constexpr int kStartTimeoutMs = 10000;
constexpr int kLogPollMs = 20;

} // namespace

SimProcess::SimProcess() = default;

SimProcess::~SimProcess()
{
    stop();
}

bool SimProcess::start(const QStringList &args, int endpoints)
{
    m_process.setProgram(QStringLiteral(RK_BIN_DIR "/rkprinter-sim"));
    // --watch-stdin: the simulator ends with the test, even when the test crashes.
    m_process.setArguments(args
        + QStringList { QStringLiteral("--log"), m_dir.filePath(QStringLiteral("sim.log")),
            QStringLiteral("--watch-stdin") });
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start();
    if (!m_process.waitForStarted(kStartTimeoutMs)) {
        m_error = m_process.errorString();
        return false;
    }
    QDeadlineTimer deadline(kStartTimeoutMs);
    QByteArray pending;
    while (m_ready.size() < endpoints && !deadline.hasExpired()) {
        if (!m_process.waitForReadyRead(int(deadline.remainingTime())))
            break;
        pending.append(m_process.readAllStandardOutput());
        int nl;
        while ((nl = pending.indexOf('\n')) >= 0) {
            const QString line = QString::fromUtf8(pending.left(nl)).trimmed();
            pending.remove(0, nl + 1);
            if (line.startsWith(QLatin1String("READY ")))
                m_ready.append(line);
        }
    }
    if (m_ready.size() < endpoints) {
        m_error = QString::fromUtf8(m_process.readAllStandardError());
        return false;
    }
    return true;
}

void SimProcess::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(kStartTimeoutMs))
        m_process.kill();
    m_process.waitForFinished();
}

QString SimProcess::endpoint(const QString &kind, int index) const
{
    int seen = 0;
    for (const QString &line : m_ready) {
        const QStringList parts = line.split(QLatin1Char(' '));
        if (parts.value(1) == kind && seen++ == index)
            return parts.value(2);
    }
    return QString();
}

quint16 SimProcess::tcpPort(int index) const
{
    const QString ep = endpoint(QStringLiteral("tcp"), index);
    return quint16(ep.mid(ep.lastIndexOf(QLatin1Char(':')) + 1).toUInt());
}

QString SimProcess::ptyPath(int index) const
{
    return endpoint(QStringLiteral("pty"), index);
}

QStringList SimProcess::log() const
{
    QFile file(m_dir.filePath(QStringLiteral("sim.log")));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

int SimProcess::count(const QString &prefix) const
{
    int n = 0;
    for (const QString &line : log())
        n += line.startsWith(prefix) ? 1 : 0;
    return n;
}

bool SimProcess::waitForLog(const QString &prefix, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        if (count(prefix) > 0)
            return true;
        QTest::qWait(kLogPollMs);
    }
    return count(prefix) > 0;
}

QString SimProcess::stateFile(int printer) const
{
    const QString base = m_dir.filePath(QStringLiteral("state.json"));
    return printer == 0 ? base : QStringLiteral("%1.%2").arg(base).arg(printer);
}

QByteArray SimProcess::settingBlockIn(const QString &stateFile)
{
    QFile file(stateFile);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QJsonObject o = QJsonDocument::fromJson(file.readAll()).object();
    return QByteArray::fromHex(o.value(QStringLiteral("settingBlock")).toString().toLatin1());
}
