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

// Copies the program can read but not change: marked read-only in the file's header (the
// tests run as root, for whom file permissions change nothing), or held by another program
// that is writing (a write lock: reads go on) or keeps the file to itself (an exclusive lock:
// nothing goes on). The locks last as long as the Lock object.
inline QStringList refusingKinds()
{
    return { QStringLiteral("read-only"), QStringLiteral("write-locked"), QStringLiteral("locked") };
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
    if (kind == QLatin1String("read-only")) {
        // The header's write version above 2 means "read-only" to every SQLite reader.
        constexpr qint64 kWriteVersionOffset = 18;
        const bool marked = file.seek(kWriteVersionOffset) && file.write("\x03", 1) == 1;
        file.close();
        return marked && QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }
    if (kind == QLatin1String("write-locked") || kind == QLatin1String("locked"))
        return true; // the Lock object does the rest
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

// Another program's hold on the file, for the "write-locked" and "locked" kinds (nothing for
// the others).
class Lock
{
public:
    Lock(const QString &kind, const QString &path)
    {
        const bool exclusive = kind == QLatin1String("locked");
        if (!exclusive && kind != QLatin1String("write-locked"))
            return;
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(kConnection));
        db.setDatabaseName(path);
        m_held = db.open()
            && QSqlQuery(db).exec(exclusive ? QStringLiteral("BEGIN EXCLUSIVE") : QStringLiteral("BEGIN IMMEDIATE"));
    }
    ~Lock() { release(); }
    Lock(const Lock &) = delete;
    Lock &operator=(const Lock &) = delete;

    bool held() const { return m_held; }
    void release()
    {
        if (!QSqlDatabase::contains(QLatin1String(kConnection)))
            return;
        {
            QSqlDatabase db = QSqlDatabase::database(QLatin1String(kConnection), false);
            if (m_held)
                QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            db.close();
        }
        QSqlDatabase::removeDatabase(QLatin1String(kConnection));
        m_held = false;
    }

private:
    static constexpr const char *kConnection = "brokendatabase-lock";
    bool m_held = false;
};

} // namespace brokendatabase
