#pragma once

#include <QFile>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include "core/configfile.h"

// Starts the test's private configuration anew: the program's defaults, then these
// "Group/key" values.
inline void resetTestConfig(const QList<QPair<QString, QString>> &values)
{
    {
        ConfigFile config;
        QFile::remove(config.fileName());
    }
    ConfigFile fresh;
    fresh.checkVersion();
    for (const auto &v : values) {
        const QStringList parts = v.first.split(QLatin1Char('/'));
        fresh.writeValue(parts.at(0), parts.at(1), v.second);
    }
}
