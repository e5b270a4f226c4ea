#pragma once

#include <functional>

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

#include "database/dbresult.h"
#include "database/settingsdatabase.h"

class QSqlQuery;

// Common ground of the table-access objects: every operation opens the connection, runs one
// statement (changes in a transaction of their own) and closes the connection again.
class TableAccess
{
public:
    explicit TableAccess(const DatabaseLocation &location);
    virtual ~TableAccess();
    TableAccess(const TableAccess &) = delete;
    TableAccess &operator=(const TableAccess &) = delete;

    // The handle of the latest operation.
    QSqlDatabase database() const { return m_db; }
    // The database's own words for the latest failed change; empty after a change that worked.
    QString lastError() const { return m_lastError; }

protected:
    using RowReader = std::function<void(const QSqlQuery &)>;

    // One statement with positional binds, executed once.
    DbResult change(const QString &statement, const QVariantList &binds, DbResult failure);
    // One statement executed once per record: one list of values per placeholder.
    DbResult changeBatch(const QString &statement, const QVariantList &columns, DbResult failure);
    // Executes a select and hands every row to the reader; a failed select reads nothing.
    void select(const QString &statement, const QVariantList &binds, const RowReader &reader);

private:
    DbResult runChange(
        const QString &statement, const QVariantList &values, bool batch, DbResult failure);
    void open();
    void close();

    DatabaseLocation m_location;
    QSqlDatabase m_db;
    QString m_lastError;
};
