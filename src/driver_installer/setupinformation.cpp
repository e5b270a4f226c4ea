#include "driver_installer/setupinformation.h"

#include <QFileInfo>

#include "setup_common/inireader.h"
#include "setup_common/packagepath.h"

SetupInformation SetupInformation::read(const QString &setupFile)
{
    SetupInformation info;
    const IniReader ini(setupFile);
    if (!ini.fileExists())
        return info;
    info.model = ini.value(QStringLiteral("MODEL"), QStringLiteral("MODEL"));
    const QString menu = ini.value(QStringLiteral("LANGUAGEMENU"), QStringLiteral("LANGUAGEMENU"));
    if (IniReader::isMissing(info.model) || IniReader::isMissing(menu)) {
        info.status = Status::Failed;
        return info;
    }
    info.status = Status::Ok;
    info.modelKind = info.model == QLatin1String("RK5200") ? 1 : info.model == QLatin1String("No Name") ? 2 : 0;
    info.languageMenu = menu.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0;
    return info;
}

DriverPackageCheck DriverPackageCheck::verify(const QString &setupFile, const QString &folder,
    const QString &languagePrefix)
{
    DriverPackageCheck check;
    const IniReader ini(setupFile);
    if (!ini.fileExists())
        return check;
    check.status = Status::Failed;
    // A negative count would pass with nothing to install; it is as wrong as 0.
    const int infCount = ini.intValue(QStringLiteral("INFNUM"), QStringLiteral("INFITEM"));
    if (infCount <= 0)
        return check;
    for (int i = 0; i < infCount; ++i) {
        const QString name = ini.value(QStringLiteral("INFNAME"), QStringLiteral("INF%1").arg(i));
        if (IniReader::isMissing(name))
            return check;
        check.infFiles << languagePrefix + name;
    }
    const int fileCount = ini.intValue(QStringLiteral("FILENUM"), QStringLiteral("FILEITEM"));
    if (fileCount <= 0)
        return check;
    for (int i = 0; i < fileCount; ++i) {
        const QString name = ini.value(QStringLiteral("FILELIST"), QStringLiteral("FL%1").arg(i));
        if (IniReader::isMissing(name))
            return check;
        if (!QFileInfo(packagepath::resolve(folder, languagePrefix + name)).isFile()) {
            check.status = Status::MissingDriverFile;
            check.missingFile = languagePrefix + name;
            return check;
        }
    }
    check.status = Status::Ok;
    return check;
}
