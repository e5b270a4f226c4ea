#pragma once

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QVariant>
#include <QtTest>

#include "database/settingsdatabase.h"

// A private copy of the delivered database per test, and a second connection to look at it
// behind the access layer's back.
class DbFixture
{
public:
    DbFixture()
    {
        m_path = m_dir.filePath(QStringLiteral("SWTDatabase.db"));
        const QString delivered = QStringLiteral(RK_BIN_DIR "/SWTDatabase.db");
        if (!QFile::copy(delivered, m_path))
            qFatal("cannot copy %s", qPrintable(delivered));
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    }

    ~DbFixture()
    {
        m_probe = QSqlDatabase();
        QSqlDatabase::removeDatabase(QLatin1String(kProbe));
    }

    QString path() const { return m_path; }
    QString dirPath() const { return m_dir.path(); }

    DatabaseLocation location()
    {
        return DatabaseLocation(m_path, [this](const QString &, const QString &) { ++m_boxes; });
    }
    int boxes() const { return m_boxes; }

    // Runs one statement on an independent connection; returns the first column of each row.
    QVariantList probe(const QString &sql)
    {
        if (!m_probe.isValid()) {
            m_probe = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(kProbe));
            m_probe.setDatabaseName(m_path);
            m_probe.open();
        }
        QVariantList values;
        QSqlQuery q(m_probe);
        if (!q.exec(sql))
            qWarning() << sql << q.lastError().text();
        while (q.next())
            values << q.value(0);
        return values;
    }
    int count(const QString &sql) { return probe(sql).value(0).toInt(); }
    // Every row and column of the table, to compare before and after a change.
    QString dump(const QString &table)
    {
        probe(QStringLiteral("select 1"));
        QSqlQuery q(m_probe);
        q.exec(QStringLiteral("select * from %1 order by rowid").arg(table));
        QStringList rows;
        while (q.next()) {
            QStringList columns;
            for (int c = 0; c < q.record().count(); ++c)
                columns << q.value(c).toString();
            rows << columns.join(QLatin1Char('|'));
        }
        return rows.join(QLatin1Char('\n'));
    }
    // Makes the file one that SQLite opens for reading only, even for root, who writes through
    // file permissions: the header's write version above 2 means "read-only" to every reader.
    void makeReadOnly()
    {
        QFile file(m_path);
        if (!file.open(QIODevice::ReadWrite) || !file.seek(kWriteVersionOffset)
            || file.write("\x03", 1) != 1)
            qFatal("cannot mark %s read-only", qPrintable(m_path));
        file.close();
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }

    QSqlDatabase probeDatabase()
    {
        probe(QStringLiteral("select 1"));
        return m_probe;
    }

private:
    static constexpr const char *kProbe = "probe";
    static constexpr qint64 kWriteVersionOffset = 18;

    QTemporaryDir m_dir;
    QString m_path;
    QSqlDatabase m_probe;
    int m_boxes = 0;
};
