#pragma once

#include <QElapsedTimer>
#include <QProcess>
#include <QString>
#include <QStringList>

// rkctl run as a process, as a user or a script runs it.
struct RkctlRun
{
    int code = -1;
    QString out;
    QString err;
    qint64 ms = 0;
};

// `input` is what standard input holds (then it ends).
inline RkctlRun rkctl(const QStringList &args, const QByteArray &input = QByteArray())
{
    constexpr int kRunTimeoutMs = 120000;
    QProcess process;
    process.setProgram(QStringLiteral(RK_BIN_DIR "/rkctl"));
    process.setArguments(args);
    QElapsedTimer timer;
    timer.start();
    process.start();
    if (!input.isEmpty())
        process.write(input);
    process.closeWriteChannel();
    RkctlRun run;
    if (!process.waitForFinished(kRunTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        run.err = QStringLiteral("rkctl did not finish");
        return run;
    }
    run.ms = timer.elapsed();
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
