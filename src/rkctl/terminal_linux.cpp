#include "rkctl/terminal.h"

#include <cstdio>
#include <unistd.h>

#include <QTextStream>

bool Terminal::inputIsInteractive()
{
    return isatty(STDIN_FILENO) != 0;
}

bool Terminal::errorIsTerminal()
{
    return isatty(STDERR_FILENO) != 0;
}

bool Terminal::confirm(const QString &question)
{
    QTextStream err(stderr);
    err << question << QStringLiteral(" [y/N] ") << Qt::flush;
    QTextStream in(stdin);
    const QString answer = in.readLine().trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes");
}
