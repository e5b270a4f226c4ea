#pragma once

#include <QObject>
#include <QStringList>

#include "database/dbresult.h"
#include "database/settingsdatabase.h"

// What the designer's login, content editor and formula editor need from the database.
class DataBaseHandler : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DataBaseHandler)

public:
    explicit DataBaseHandler(const DatabaseLocation &location, QObject *parent = nullptr);

    DbResult insertContent(const QString &chinese, const QString &english);
    // The pair form "Chinese-!!-English".
    DbResult insertContent(const QString &pair);
    DbResult updateContent(int language, const QString &oldText, const QString &newText);
    DbResult deleteContent(int language, const QString &text);
    // DbFound when a content has that non-empty text in the language, else DbNotFound.
    DbResult findContent(int language, const QString &text);
    // Every content's text in the language, by ascending id.
    QStringList contentTexts(int language);

    DbResult insertFormula(const QString &expression);
    DbResult updateFormula(const QString &oldExpression, const QString &newExpression);
    DbResult deleteFormula(const QString &expression);
    DbResult findFormula(const QString &expression);
    // Every formula's expression, in case-sensitive order.
    QStringList formulaExpressions();

    // The database's own words for the latest change that failed; empty after one that worked.
    QString lastError() const { return m_lastError; }

signals:
    void checkLoginResult(bool flag);

public slots:
    // Emits checkLoginResult(true) when an account has that name and password hash sum.
    void checkLogin(QString username, QString hashSum);

private:
    // Runs one change on a table object and keeps the database's words when it fails.
    template <typename Table, typename Change>
    DbResult recorded(Change change);

    DatabaseLocation m_location;
    QString m_lastError;
};
