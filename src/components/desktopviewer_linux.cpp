#include "components/desktopviewer.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

DesktopViewer::DesktopViewer(QObject *parent)
    : QObject(parent)
{
    const QString opener = qEnvironmentVariable("RKMENU_HELP_OPENER");
    if (opener != QLatin1String("none"))
        m_command = QProcess::splitCommand(opener.isEmpty() ? QStringLiteral("xdg-open") : opener);
}

DesktopViewer::~DesktopViewer()
{
    // An opener still running is waiting for its viewer: both stay, the system collects them.
    for (QProcess *process : findChildren<QProcess *>()) {
        if (process->state() != QProcess::NotRunning) {
            process->disconnect(this);
            process->setParent(nullptr);
        }
    }
}

bool DesktopViewer::open(const QString &path)
{
    if (m_command.isEmpty() || QStandardPaths::findExecutable(m_command.first()).isEmpty())
        return false;
    auto *process = new QProcess(this);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    // xdg-open ends with a non-zero code when nothing on this desktop shows the file.
    connect(process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), this,
            [this, process, path](int exitCode, QProcess::ExitStatus status) {
                process->deleteLater();
                if (status != QProcess::NormalExit || exitCode != 0)
                    emit failed(path);
            });
    connect(process, &QProcess::errorOccurred, this, [this, process, path](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        process->deleteLater();
        emit failed(path);
    });
    process->start(m_command.first(), m_command.mid(1) << QFileInfo(path).absoluteFilePath());
    return true;
}
