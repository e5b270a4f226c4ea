#include "core/datapaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
const QString kInstalledData = QStringLiteral("../share/rkmenu");
const QString kUserFolder = QStringLiteral("rkmenu");
} // namespace

QString datapaths::dataFolder(const QString &programFolder)
{
    if (installedLayout(programFolder))
        return QDir::cleanPath(QDir(programFolder).filePath(kInstalledData));
    return programFolder;
}

QString datapaths::dataFolder()
{
    return dataFolder(QCoreApplication::applicationDirPath());
}

QString datapaths::dataFile(const QString &name)
{
    return QDir(dataFolder()).filePath(name);
}

bool datapaths::installedLayout(const QString &programFolder)
{
    return QFileInfo(QDir(programFolder).filePath(kInstalledData)).isDir();
}

QString datapaths::userDataFolder()
{
    // The generic location, not the application's: RKMENU and rkctl must find the same copy.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    // Without a home folder there is no such folder, never a relative one.
    return base.isEmpty() ? QString() : QDir(base).filePath(kUserFolder);
}
