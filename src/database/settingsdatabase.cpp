#include "database/settingsdatabase.h"

#include <atomic>

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlDriver>
#include <QSqlError>
#include <QThread>
#include <QVariant>

#include "core/datapaths.h"

namespace {
// The tables and columns the program reads.
struct TableColumns
{
    const char *table;
    QStringList columns;
};
const QList<TableColumns> &readTables()
{
    static const QList<TableColumns> tables {
        { "user", { "user_name", "user_password", "user_authority" } },
        { "PrinterType", { "prit_id", "prit_name", "prit_test" } },
        { "ControlType", { "ctrt_id", "ctrt_name", "ctrt_returntype" } },
        { "ContentType", { "ctnt_id", "ctnt_chinese", "ctnt_english" } },
        { "FormulaType", { "fmlt_id", "fmlt_expression" } },
        { "Re_Prit_Page_Layout",
            { "rppl_id", "rppl_pritid", "rppl_pageid", "rppl_layout", "rppl_contentid",
                "rppl_byteposition", "rppl_valid" } },
        { "Re_Prit_Ctrt_Act",
            { "rpca_id", "rpca_pritid", "rpca_rpplid", "rpca_controlid", "rpca_parentrelated",
                "rpca_actionid", "rpca_pagerow", "rpca_pagecol", "rpca_byteposition",
                "rpca_bytelength", "rpca_timeout", "rpca_comment", "rpca_contentid",
                "rpca_readformulaid", "rpca_writeformulaid", "rpca_relateposition",
                "rpca_relatevalid", "rpca_minlength", "rpca_maxlength" } },
        { "Re_Prit_Ctrt_Ctnt",
            { "rpcc_id", "rpcc_pritid", "rpcc_rpcaid", "rpcc_contentid", "rpcc_contentorder" } },
        { "Re_Prit_Ctrt_Cmd",
            { "rpcm_id", "rpcm_pritid", "rpcm_rpcaid", "rpcm_cmd", "rpcm_relationcontrolid",
                "rpcm_paramposition" } },
    };
    return tables;
}

// SQLite's result codes for a file another connection holds.
constexpr char kSqliteBusy[] = "5";
constexpr char kSqliteLocked[] = "6";

DatabaseCheck unusable(const char *reason, const QString &detail)
{
    return { reason, detail };
}

DatabaseCheck checkOpen(QSqlDatabase &db)
{
    QSqlQuery check(db);
    // Also reads every page: a truncated or overwritten file fails here.
    if (!check.exec(QStringLiteral("PRAGMA quick_check"))) {
        // Another program holding the file is no damage: the user can close it and try again.
        const bool busy = check.lastError().nativeErrorCode() == QLatin1String(kSqliteBusy)
            || check.lastError().nativeErrorCode() == QLatin1String(kSqliteLocked);
        return unusable(busy ? SettingsDatabase::kInUse : SettingsDatabase::kDamaged,
            check.lastError().text());
    }
    QStringList problems;
    while (check.next())
        problems.append(check.value(0).toString());
    if (problems != QStringList { QStringLiteral("ok") })
        return unusable(SettingsDatabase::kDamaged, problems.join(QStringLiteral("; ")));
    for (const TableColumns &wanted : readTables()) {
        const QString table = QLatin1String(wanted.table);
        const QSqlRecord record = db.record(table);
        QStringList missing;
        for (const QString &column : wanted.columns) {
            if (record.indexOf(column) < 0)
                missing.append(column);
        }
        if (record.isEmpty())
            return unusable(SettingsDatabase::kIncomplete,
                QStringLiteral("no table %1").arg(table));
        if (!missing.isEmpty())
            return unusable(SettingsDatabase::kIncomplete,
                QStringLiteral("table %1 lacks %2").arg(table, missing.join(QStringLiteral(", "))));
    }
    return {};
}

// Copies `from` to `to` whole: written under a staging name, then renamed to `to` only when no
// file of that name exists (another process's copy, maybe changed already, is kept).
bool copyWhole(const QString &from, const QString &to, QString *reason)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        *reason = QStringLiteral("%1: %2").arg(from, source.errorString());
        return false;
    }
    const QString folder = QFileInfo(to).absolutePath();
    if (!QDir().mkpath(folder)) {
        *reason = QStringLiteral("%1: the folder cannot be made").arg(folder);
        return false;
    }
    const QString staging = to + QStringLiteral(".new");
    QSaveFile copy(staging);
    if (!copy.open(QIODevice::WriteOnly)) {
        *reason = QStringLiteral("%1: %2").arg(staging, copy.errorString());
        return false;
    }
    constexpr qint64 kChunk = 1 << 16;
    qint64 copied = 0;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(kChunk);
        if (chunk.isEmpty() || copy.write(chunk) != chunk.size()) {
            const bool readFailed = chunk.isEmpty();
            *reason = readFailed ? QStringLiteral("%1: %2").arg(from, source.errorString())
                                 : QStringLiteral("%1: %2").arg(staging, copy.errorString());
            return false; // the unfinished copy goes with `copy`
        }
        copied += chunk.size();
    }
    if (copied != source.size() || !copy.commit()) {
        *reason = QStringLiteral("%1: %2").arg(staging, copy.errorString());
        return false;
    }
    // Qt renames without replacing: a copy made meanwhile by another process wins.
    QFile staged(staging);
    if (staged.rename(to))
        return true;
    const bool someoneElse = QFileInfo::exists(to);
    if (!someoneElse)
        *reason = QStringLiteral("%1: %2").arg(to, staged.errorString());
    staged.remove();
    return someoneElse;
}

// Marks, on the connection's driver, that a DatabaseTransaction spans the current operations.
constexpr char kHeldProperty[] = "rkTransactionHeld";
} // namespace

const char *const SettingsDatabase::kOpenFailedTitle
    = QT_TRANSLATE_NOOP("SettingsDatabase", "Cannot open SWTDatabase.db");
const char *const SettingsDatabase::kOpenFailedText
    = QT_TRANSLATE_NOOP("SettingsDatabase", "Unable to establish a database connection.");
const char *const SettingsDatabase::kUnusableText
    = QT_TRANSLATE_NOOP("SettingsDatabase", "The settings database %1 cannot be used.");
const char *const SettingsDatabase::kMissing
    = QT_TRANSLATE_NOOP("SettingsDatabase", "The file does not exist.");
const char *const SettingsDatabase::kEmpty
    = QT_TRANSLATE_NOOP("SettingsDatabase", "The file is empty.");
const char *const SettingsDatabase::kDamaged = QT_TRANSLATE_NOOP(
    "SettingsDatabase", "The file is damaged or is not a settings database.");
const char *const SettingsDatabase::kInUse = QT_TRANSLATE_NOOP(
    "SettingsDatabase", "The file is in use by another program.");
const char *const SettingsDatabase::kIncomplete = QT_TRANSLATE_NOOP(
    "SettingsDatabase", "Tables or columns the program reads are missing.");

DatabaseCheck checkSettingsDatabase(const DatabaseLocation &location)
{
    const QFileInfo info(location.filePath());
    if (!info.exists())
        return unusable(SettingsDatabase::kMissing, QString());
    if (!info.isFile())
        return unusable(SettingsDatabase::kDamaged, QStringLiteral("not a regular file"));
    // SQLite takes an empty file for an empty database.
    if (info.size() == 0)
        return unusable(SettingsDatabase::kEmpty, QString());
    // A connection of its own, read-only, so the check never creates or changes the file.
    static std::atomic<int> checks { 0 };
    const QString name = QStringLiteral("rk_settings_check_%1").arg(++checks);
    DatabaseCheck result;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QLatin1String(SettingsDatabase::kDriver), name);
        db.setDatabaseName(location.filePath());
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1")
                                 .arg(location.busyTimeoutMs()));
        result = db.open() ? checkOpen(db) : unusable(SettingsDatabase::kDamaged, db.lastError().text());
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (!result.usable())
        qDebug() << "settings database" << location.filePath() << result.reason << result.detail;
    return result;
}

DatabaseLocation::DatabaseLocation(const QString &filePath, OpenFailureHook onOpenFailure)
    : m_filePath(filePath)
    , m_onOpenFailure(std::move(onOpenFailure))
{
}

DatabaseLocation DatabaseLocation::delivered(OpenFailureHook onOpenFailure)
{
    return delivered(QCoreApplication::applicationDirPath(), datapaths::userDataFolder(),
        std::move(onOpenFailure));
}

DatabaseLocation DatabaseLocation::delivered(
    const QString &programFolder, const QString &userFolder, OpenFailureHook onOpenFailure)
{
    const QString name = QLatin1String(SettingsDatabase::kFileName);
    DatabaseLocation location(
        QDir(datapaths::dataFolder(programFolder)).filePath(name), std::move(onOpenFailure));
    if (datapaths::installedLayout(programFolder)) {
        // Without a user folder the copy cannot be made; prepareChange says so.
        location.m_userCopy = userFolder.isEmpty() ? QString() : QDir(userFolder).filePath(name);
        location.m_copyRequired = true;
    }
    return location;
}

QString DatabaseLocation::filePath() const
{
    if (!m_userCopy.isEmpty() && QFileInfo::exists(m_userCopy))
        return m_userCopy;
    return m_filePath;
}

bool DatabaseLocation::prepareChange(QString *error) const
{
    if (!m_copyRequired)
        return true;
    if (m_userCopy.isEmpty()) {
        *error = QCoreApplication::translate("SettingsDatabase",
            "There is no folder for your own copy of the settings database (no home folder).");
        return false;
    }
    if (QFileInfo::exists(m_userCopy))
        return true;
    QString reason;
    if (copyWhole(m_filePath, m_userCopy, &reason))
        return true;
    *error = QCoreApplication::translate(
        "SettingsDatabase", "Your own copy %1 of the settings database cannot be made: %2")
                 .arg(m_userCopy, reason);
    qDebug() << "settings database copy:" << *error;
    return false;
}

void DatabaseLocation::reportOpenFailure() const
{
    if (m_onOpenFailure)
        m_onOpenFailure(QString::fromUtf8(SettingsDatabase::kOpenFailedTitle),
            QString::fromUtf8(SettingsDatabase::kOpenFailedText));
}

QString SettingsDatabase::connectionName()
{
    const QString defaultName = QLatin1String(QSqlDatabase::defaultConnection);
    const QCoreApplication *app = QCoreApplication::instance();
    QThread *current = QThread::currentThread();
    if (!app || current == app->thread())
        return defaultName;
    // Numbered once per thread: a thread object's address may come back for a later thread,
    // whose use of the earlier thread's connection Qt refuses.
    static std::atomic<int> threads { 0 };
    thread_local const QString name = defaultName + QStringLiteral("@%1").arg(++threads);
    return name;
}

bool SettingsDatabase::isHeld(const QSqlDatabase &db)
{
    return db.isOpen() && db.driver() && db.driver()->property(kHeldProperty).toBool();
}

QSqlDatabase openSettingsDatabase(const DatabaseLocation &location)
{
    const QString name = SettingsDatabase::connectionName();
    QSqlDatabase db = QSqlDatabase::contains(name)
        ? QSqlDatabase::database(name, false)
        : QSqlDatabase::addDatabase(QLatin1String(SettingsDatabase::kDriver), name);
    if (SettingsDatabase::isHeld(db))
        return db;
    if (db.isOpen())
        db.close();
    db.setDatabaseName(location.filePath());
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(location.busyTimeoutMs()));
    if (!db.open()) {
        qDebug() << "openSettingsDatabase:" << location.filePath() << db.lastError().text();
        location.reportOpenFailure();
    }
    return db;
}

DatabaseTransaction::DatabaseTransaction(const DatabaseLocation &location)
{
    if (!location.prepareChange(&m_error))
        return;
    m_db = openSettingsDatabase(location);
    // A transaction inside another one is not ours to end.
    if (!m_db.isOpen() || SettingsDatabase::isHeld(m_db))
        return;
    m_active = m_db.transaction();
    if (m_active) {
        m_db.driver()->setProperty(kHeldProperty, true);
    } else {
        m_error = m_db.lastError().text();
        m_db.close();
    }
}

DatabaseTransaction::~DatabaseTransaction()
{
    rollback();
}

bool DatabaseTransaction::commit()
{
    if (!m_active)
        return false;
    if (!m_db.commit()) {
        qDebug() << "DatabaseTransaction: commit failed:" << m_db.lastError().text();
        m_db.rollback();
        release();
        return false;
    }
    release();
    return true;
}

void DatabaseTransaction::rollback()
{
    if (!m_active)
        return;
    m_db.rollback();
    release();
}

void DatabaseTransaction::release()
{
    m_db.driver()->setProperty(kHeldProperty, false);
    m_db.close();
    m_active = false;
}
