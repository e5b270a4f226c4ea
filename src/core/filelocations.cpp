#include "core/filelocations.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString kSettingsExtension = QStringLiteral(".cfg");
const QString kUnnamed = QStringLiteral("settings");
} // namespace

QString filelocations::dialogFolder()
{
    return dialogFolder(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation),
        QDir::homePath());
}

QString filelocations::dialogFolder(const QString &desktop, const QString &home)
{
    // QStandardPaths names a desktop folder also where none was ever made.
    if (!desktop.isEmpty() && QFileInfo(desktop).isDir())
        return desktop;
    return home;
}

QString filelocations::proposedExportFile(const QString &folder, const QString &modelName)
{
    QString name = modelName.trimmed();
    // A model name is no path: separators would point into other folders.
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    name.replace(QLatin1Char('\\'), QLatin1Char('_'));
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        name = kUnnamed;
    return QDir(folder).filePath(name + kSettingsExtension);
}
