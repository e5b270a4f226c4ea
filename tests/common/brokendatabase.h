#pragma once

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

// Copies of the delivered settings database, broken as a damaged installation breaks them.
namespace brokendatabase {

inline QStringList kinds()
{
    return { QStringLiteral("empty"), QStringLiteral("truncated"),
        QStringLiteral("header overwritten"), QStringLiteral("pages overwritten"),
        QStringLiteral("table missing"), QStringLiteral("column missing") };
}

inline bool runSql(const QString &path, const QString &statement)
{
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("break"));
        db.setDatabaseName(path);
        ok = db.open() && QSqlQuery(db).exec(statement);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("break"));
    return ok;
}

// Writes the broken copy to `path`; false when that failed.
inline bool make(const QString &kind, const QString &path)
{
    constexpr qint64 kPage = 4096;
    QFile::remove(path);
    if (!QFile::copy(QStringLiteral(RK_BIN_DIR "/SWTDatabase.db"), path))
        return false;
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return false;
    const qint64 size = file.size();
    if (kind == QLatin1String("empty"))
        return file.resize(0);
    if (kind == QLatin1String("truncated"))
        return file.resize(size / 2);
    if (kind == QLatin1String("header overwritten"))
        return file.write(QByteArray(100, '\x5A')) == 100;
    if (kind == QLatin1String("pages overwritten"))
        return file.seek(kPage) && file.write(QByteArray(2 * kPage, '\x5A')) == 2 * kPage;
    file.close();
    if (kind == QLatin1String("table missing"))
        return runSql(path, QStringLiteral("DROP TABLE Re_Prit_Ctrt_Act"));
    if (kind == QLatin1String("column missing"))
        return runSql(path, QStringLiteral("ALTER TABLE PrinterType DROP COLUMN prit_test"));
    return false;
}

} // namespace brokendatabase
