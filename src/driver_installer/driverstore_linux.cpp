#include "driver_installer/driverstore.h"

#include <cerrno>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

constexpr int kNoDriverFile = 2;
constexpr int kNotADriverDescription = 3;
constexpr int kNotOfferedByCups = 4;
// cups-driverd reads every driver on the system for a listing; give a large system its time.
constexpr int kListerTimeoutMs = 120000;

QString fromEnvironment(const char *name, const QString &fallback)
{
    const QString value = qEnvironmentVariable(name);
    return value.isEmpty() ? fallback : value;
}

} // namespace

DriverStore::DriverStore()
    : m_folder(fromEnvironment("RKSETUP_PPD_DIR", QStringLiteral("/usr/share/ppd/norvale")))
    , m_lister(fromEnvironment("RKSETUP_LPINFO", QStringLiteral("lpinfo")))
{
}

ToolRun DriverStore::stage(const QString &driverFile) const
{
    ToolRun result;
    result.started = true;
    QFile source(driverFile);
    if (!source.open(QIODevice::ReadOnly)) {
        qInfo("%s: %s", qPrintable(driverFile), qPrintable(source.errorString()));
        result.exitCode = kNoDriverFile;
        return result;
    }
    const QByteArray description = source.readAll();
    if (!description.startsWith("*PPD-Adobe:")) {
        qInfo("%s is not a PPD driver description", qPrintable(driverFile));
        result.exitCode = kNotADriverDescription;
        return result;
    }

    const QString name = QFileInfo(driverFile).fileName();
    const QString target = m_folder + QLatin1Char('/') + name;
    errno = 0;
    if (!QDir().mkpath(m_folder) || !QFileInfo(m_folder).isDir()) {
        const int error = errno ? errno : ENOTDIR;
        result.started = false;
        result.errorText = m_folder + QStringLiteral(": ") + qt_error_string(error);
        return result;
    }
    QSaveFile staged(target);
    staged.setDirectWriteFallback(false);
    if (!staged.open(QIODevice::WriteOnly) || staged.write(description) != description.size()
        || !staged.commit()) {
        result.started = false;
        result.errorText = target + QStringLiteral(": ") + staged.errorString();
        return result;
    }
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);

    // The copy counts once CUPS lists it among the drivers a printer can be added with.
    const ToolRun listing = ToolRun::run(m_lister, { QStringLiteral("-m") }, kListerTimeoutMs);
    if (!listing.started)
        return listing;
    if (listing.exitCode != 0) {
        qInfo("%s -m ended with %d", qPrintable(m_lister), listing.exitCode);
        result.exitCode = listing.exitCode > 0 ? listing.exitCode : kNotOfferedByCups;
        return result;
    }
    const QByteArray wanted = QFile::encodeName(QDir(m_folder).dirName() + QLatin1Char('/') + name);
    for (const QByteArray &line : listing.output.split('\n')) {
        const QByteArray driver = line.left(line.indexOf(' '));
        if (driver == wanted || driver.endsWith('/' + wanted)) {
            result.exitCode = 0;
            return result;
        }
    }
    qInfo("CUPS does not offer %s after staging it as %s", qPrintable(name), qPrintable(target));
    result.exitCode = kNotOfferedByCups;
    return result;
}
