#include "rkctl/terminal.h"

#include <cstdio>
#include <termios.h>
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

QString Terminal::readSecret(const QString &prompt)
{
    QTextStream in(stdin);
    if (!inputIsInteractive())
        return in.readLine();
    QTextStream err(stderr);
    err << prompt << Qt::flush;
    termios saved {};
    const bool quiet = tcgetattr(STDIN_FILENO, &saved) == 0;
    if (quiet) {
        termios hidden = saved;
        hidden.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden);
    }
    const QString secret = in.readLine();
    if (quiet)
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
    err << Qt::endl;
    return secret;
}
