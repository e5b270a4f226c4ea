#pragma once

#include <QString>
#include <QStringList>

// Restart of the program: the window ends the event loop with kExitCode, and once the window
// is gone and the single-instance guard released, main starts the same program again.
namespace restart {

// The event loop's result that asks for a new start. A parent process sees only its low eight
// bits (120); the new start does not depend on anyone watching it.
constexpr int kExitCode = 888;

// Starts the program anew, detached, with the arguments (so the language too) and the working
// folder it had. The new process's id; 0 when it could not be started, with the reason.
qint64 startAgain(const QString &program, const QStringList &arguments,
    const QString &workingDirectory, QString *why = nullptr);

} // namespace restart
