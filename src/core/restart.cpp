#include "core/restart.h"

#include <QProcess>

qint64 restart::startAgain(const QString &program, const QStringList &arguments,
    const QString &workingDirectory, QString *why)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(workingDirectory);
    qint64 pid = 0;
    if (!process.startDetached(&pid)) {
        if (why)
            *why = process.errorString();
        return 0;
    }
    return pid;
}
