#pragma once

#include <QStringList>

#include "simprocess.h"

// The commands the simulated printer received, as "name hex", without the handshakes and the
// identification reads that every flow starts with.
inline QStringList commandsAfterIdentification(const SimProcess &sim)
{
    static const QStringList skipped { QStringLiteral("handshake"), QStringLiteral("readModel"),
        QStringLiteral("readEds") };
    QStringList commands;
    for (const QString &line : sim.log()) {
        if (line.startsWith(QLatin1String("CMD "))
            && !skipped.contains(line.section(QLatin1Char(' '), 1, 1)))
            commands << line.section(QLatin1Char(' '), 1, 2);
    }
    return commands;
}
