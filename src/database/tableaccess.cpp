#include "database/tableaccess.h"

#include <QDebug>
#include <QSqlError>
#include <QSqlQuery>

TableAccess::TableAccess(const DatabaseLocation &location)
    : m_location(location)
{
}

TableAccess::~TableAccess() = default;

DbResult TableAccess::change(const QString &statement, const QVariantList &binds, DbResult failure)
{
    return runChange(statement, binds, false, failure);
}

DbResult TableAccess::changeBatch(
    const QString &statement, const QVariantList &columns, DbResult failure)
{
    return runChange(statement, columns, true, failure);
}

DbResult TableAccess::runChange(
    const QString &statement, const QVariantList &values, bool batch, DbResult failure)
{
    m_lastError.clear();
    // An installed program's database is changed only in the user's copy.
    if (!m_location.prepareChange(&m_lastError))
        return failure;
    open();
    // Inside a DatabaseTransaction the change joins it and the owner commits.
    const bool ownTransaction = !SettingsDatabase::isHeld(m_db);
    // Without a transaction of its own a change could not be undone, so it is not made.
    if (ownTransaction && !m_db.transaction()) {
        m_lastError = m_db.lastError().text();
        qDebug() << "begin failed:" << statement << m_lastError;
        close();
        return failure;
    }
    bool executed = false;
    {
        QSqlQuery query(m_db);
        executed = query.prepare(statement);
        if (executed) {
            for (const QVariant &value : values)
                query.addBindValue(value);
            executed = batch ? query.execBatch() : query.exec();
        }
        if (!executed) {
            m_lastError = query.lastError().text();
            qDebug() << "statement failed:" << statement << m_lastError;
        }
    }
    if (!ownTransaction)
        return executed ? DbOk : failure;
    if (!executed) {
        m_db.rollback();
        close();
        return failure;
    }
    if (!m_db.commit()) {
        m_lastError = m_db.lastError().text();
        qDebug() << "commit failed:" << statement << m_lastError;
        m_db.rollback();
        close();
        return DbCommitFailed;
    }
    close();
    return DbOk;
}

void TableAccess::select(
    const QString &statement, const QVariantList &binds, const RowReader &reader)
{
    open();
    {
        QSqlQuery query(m_db);
        query.setForwardOnly(true);
        bool executed = query.prepare(statement);
        if (executed) {
            for (const QVariant &value : binds)
                query.addBindValue(value);
            executed = query.exec();
        }
        if (executed) {
            while (query.next())
                reader(query);
        } else {
            qDebug() << "select failed:" << statement << query.lastError().text();
        }
    }
    close();
}

void TableAccess::open()
{
    m_db = openSettingsDatabase(m_location);
}

void TableAccess::close()
{
    if (!SettingsDatabase::isHeld(m_db))
        m_db.close();
}
