#pragma once

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>

// The delivered parameter-list printer with a list cut off inside its JSON, written to PATH as a
// simulator profile. Returns false when the profile cannot be read or written.
inline bool writeProfileWithBrokenList(const QString &path)
{
    QFile source(QStringLiteral(RK_SOURCE_DIR "/tools/printer-sim/profiles/pl300.json"));
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QJsonObject profile = QJsonDocument::fromJson(source.readAll()).object();
    profile.insert(QStringLiteral("parameterList"), QStringLiteral("{\"System Setup\":{\"sp"));
    QFile broken(path);
    return broken.open(QIODevice::WriteOnly)
        && broken.write(QJsonDocument(profile).toJson()) > 0;
}
