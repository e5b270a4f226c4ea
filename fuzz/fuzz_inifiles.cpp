// RKSETUP.INI and RKSELECT.INI as the two programs read them from a package: any bytes, in any
// encoding. The launcher's entries and targets, the setup information and the driver file check
// (against the package folder, which holds a few files) must all end with a plain verdict.

#include "driver_installer/setupinformation.h"
#include "fuzzsupport.h"
#include "setup_common/inireader.h"
#include "setup_launcher/launcherfile.h"

#include <QDir>
#include <QFileInfo>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::init();
    const QByteArray content = fuzz::bytes(data, size);
    const QString path = fuzz::fileWith(QStringLiteral("PACKAGE.INI"), content);
    const QString folder = QFileInfo(path).absolutePath();
    static const bool driverFiles = [&] {
        QDir(folder).mkpath(QStringLiteral("EN"));
        fuzz::fileWith(QStringLiteral("RK5200.PPD"), "*PPD-Adobe: \"4.3\"\n");
        fuzz::fileWith(QStringLiteral("EN/RK5200.PPD"), "*PPD-Adobe: \"4.3\"\n");
        return true;
    }();
    (void)driverFiles;

    const IniReader ini(path);
    FUZZ_CHECK(ini.fileExists());
    FUZZ_CHECK(ini.value(QStringLiteral("MODEL"), QStringLiteral("MODEL")).size()
        <= IniReader::kMaxValueLength);
    (void)ini.intValue(QStringLiteral("INFNUM"), QStringLiteral("INFITEM"));

    const LauncherFile launcher(path);
    QList<LauncherFile::Entry> entries;
    if (launcher.entries(&entries)) {
        FUZZ_CHECK(!entries.isEmpty());
        for (int row = 0; row < entries.size(); ++row) {
            FUZZ_CHECK(!IniReader::isMissing(entries.at(row).appName));
            LauncherFile::Target target;
            launcher.target(row, &target);
        }
    }

    const SetupInformation info = SetupInformation::read(path);
    FUZZ_CHECK(info.status != SetupInformation::Status::MissingFile);
    if (info.status == SetupInformation::Status::Ok)
        FUZZ_CHECK(!IniReader::isMissing(info.model));
    for (const QString &prefix : { QString(), QStringLiteral("EN/") }) {
        const DriverPackageCheck check = DriverPackageCheck::verify(path, folder, prefix);
        FUZZ_CHECK(check.status != DriverPackageCheck::Status::MissingSetupFile);
        if (check.status == DriverPackageCheck::Status::Ok)
            FUZZ_CHECK(!check.infFiles.isEmpty());
        if (check.status == DriverPackageCheck::Status::MissingDriverFile)
            FUZZ_CHECK(check.missingFile.startsWith(prefix));
    }
    return 0;
}
