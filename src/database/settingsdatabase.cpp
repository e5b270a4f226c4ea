#include "database/settingsdatabase.h"

#include <atomic>

#include <QCoreApplication>
#include <QDebug>
#include <QSqlDriver>
#include <QSqlError>
#include <QThread>
#include <QVariant>

namespace {
// Marks, on the connection's driver, that a DatabaseTransaction spans the current operations.
constexpr char kHeldProperty[] = "rkTransactionHeld";
} // namespace

const char *const SettingsDatabase::kOpenFailedTitle
    = QT_TRANSLATE_NOOP("SettingsDatabase", "Cannot open SWTDatabase.db");
const char *const SettingsDatabase::kOpenFailedText
    = QT_TRANSLATE_NOOP("SettingsDatabase", "Unable to establish a database connection.");

DatabaseLocation::DatabaseLocation(const QString &filePath, OpenFailureHook onOpenFailure)
    : m_filePath(filePath)
    , m_onOpenFailure(std::move(onOpenFailure))
{
}

DatabaseLocation DatabaseLocation::besideProgram(OpenFailureHook onOpenFailure)
{
    return DatabaseLocation(QCoreApplication::applicationDirPath() + QLatin1Char('/')
            + QLatin1String(SettingsDatabase::kFileName),
        std::move(onOpenFailure));
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
    : m_db(openSettingsDatabase(location))
{
    // A transaction inside another one is not ours to end.
    if (!m_db.isOpen() || SettingsDatabase::isHeld(m_db))
        return;
    m_active = m_db.transaction();
    if (m_active)
        m_db.driver()->setProperty(kHeldProperty, true);
    else
        m_db.close();
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
