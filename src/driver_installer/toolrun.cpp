#include "driver_installer/toolrun.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>

ToolRun ToolRun::run(const QString &program, const QStringList &arguments, int timeoutMs)
{
    ToolRun result;
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QEventLoop loop;
    QObject::connect(&process, qOverload<int, QProcess::ExitStatus>(&QProcess::finished), &loop,
        &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            loop.quit();
    });
    bool timedOut = false;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    process.start(program, arguments, QIODevice::ReadOnly);
    if (timeoutMs >= 0)
        timer.start(timeoutMs);
    if (process.state() != QProcess::NotRunning || process.error() != QProcess::FailedToStart)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (process.error() == QProcess::FailedToStart) {
        // Qt names the call that failed; the user needs the reason only.
        result.errorText = program + QStringLiteral(": ") + process.errorString().remove(QStringLiteral("execvp: "));
        return result;
    }
    result.started = true;
    if (timedOut) {
        process.kill();
        process.waitForFinished(1000);
        qInfo("%s did not end within %d ms", qPrintable(program), timeoutMs);
        return result;
    }
    result.output = process.readAllStandardOutput();
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return result;
}
