#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The positions at which two blocks differ, as runs "first-last" (or "p" for one byte) joined by
// spaces: what a write changed at the printer.
inline QString changedRuns(const QByteArray &before, const QByteArray &after)
{
    QStringList runs;
    int start = -1;
    for (int i = 0; i <= before.size(); ++i) {
        const bool differs
            = i < before.size() && before.at(i) != (i < after.size() ? after.at(i) : '\0');
        if (differs && start < 0)
            start = i;
        if (!differs && start >= 0) {
            runs << (start == i - 1 ? QString::number(start)
                                    : QStringLiteral("%1-%2").arg(start).arg(i - 1));
            start = -1;
        }
    }
    return runs.join(QLatin1Char(' '));
}
