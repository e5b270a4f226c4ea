#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The outcome of a system tool RKSETUP runs, the way the original tools report: either it could
// not be started (with the system's text why), or it ended with an exit code.
struct ToolRun {
    bool started = false;
    QString errorText;
    int exitCode = -1;
    QByteArray output;

    // Runs `program` and waits for it without freezing the window (events keep flowing).
    // `timeoutMs` < 0 waits for as long as it takes; a tool that overruns is ended and fails.
    static ToolRun run(const QString &program, const QStringList &arguments, int timeoutMs = -1);
};
