#include "setup_common/packagepath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

bool packagepath::folderTooLong(const QString &folder)
{
    return folder.size() > kMaxFolderLength;
}

QString packagepath::resolve(const QString &folder, const QString &relative)
{
    QString path = folder;
    const QStringList parts = QString(relative).replace(QLatin1Char('\\'), QLatin1Char('/'))
                                  .split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        QString next = path + QLatin1Char('/') + part;
        if (!QFileInfo::exists(next)) {
            const QStringList names = QDir(path).entryList(
                QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
            for (const QString &name : names) {
                if (name.compare(part, Qt::CaseInsensitive) == 0) {
                    next = path + QLatin1Char('/') + name;
                    break;
                }
            }
        }
        path = next;
    }
    return path;
}

QString packagepath::setupFile(const QString &folder, const QString &programPath)
{
    return resolve(folder, QFileInfo(programPath).completeBaseName() + QStringLiteral(".INI"));
}

QString packagepath::folderTooLongText()
{
    return QCoreApplication::translate("packagepath",
        "Folder path to Software setup is too long.\nMove this Software setup to "
        "another folder whose path within 100 characters.\n\nExit the program.");
}

QString packagepath::missingSetupFileText()
{
    return QCoreApplication::translate("packagepath", "Missing to setup infomation file.\n\nExit the program.");
}

QString packagepath::failedSetupFileText()
{
    return QCoreApplication::translate("packagepath", "Failed to setup infomation file.\n\nExit the program.");
}
