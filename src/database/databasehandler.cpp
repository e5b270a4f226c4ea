#include "database/databasehandler.h"

#include "database/contenttypetable.h"
#include "database/formulatypetable.h"
#include "database/usertable.h"

DataBaseHandler::DataBaseHandler(const DatabaseLocation &location, QObject *parent)
    : QObject(parent)
    , m_location(location)
{
}

template <typename Table, typename Change>
DbResult DataBaseHandler::recorded(Change change)
{
    Table table(m_location);
    const DbResult result = change(table);
    m_lastError = table.lastError();
    return result;
}

DbResult DataBaseHandler::insertContent(const QString &chinese, const QString &english)
{
    return recorded<ContentTypeTable>(
        [&](ContentTypeTable &t) { return t.insertContent(chinese, english); });
}

DbResult DataBaseHandler::insertContent(const QString &pair)
{
    return recorded<ContentTypeTable>([&](ContentTypeTable &t) { return t.insertContent(pair); });
}

DbResult DataBaseHandler::updateContent(
    int language, const QString &oldText, const QString &newText)
{
    return recorded<ContentTypeTable>(
        [&](ContentTypeTable &t) { return t.updateContentText(language, oldText, newText); });
}

DbResult DataBaseHandler::deleteContent(int language, const QString &text)
{
    return recorded<ContentTypeTable>(
        [&](ContentTypeTable &t) { return t.deleteContentByText(language, text); });
}

DbResult DataBaseHandler::findContent(int language, const QString &text)
{
    const ContentRecord found = ContentTypeTable(m_location).findContentByText(language, text);
    return found.text().isEmpty() ? DbNotFound : DbFound;
}

QStringList DataBaseHandler::contentTexts(int language)
{
    QStringList texts;
    const auto contents = ContentTypeTable(m_location).allContents(language);
    for (const ContentRecord &content : contents)
        texts.append(content.text());
    return texts;
}

DbResult DataBaseHandler::insertFormula(const QString &expression)
{
    return recorded<FormulaTypeTable>(
        [&](FormulaTypeTable &t) { return t.insertFormula(expression); });
}

DbResult DataBaseHandler::updateFormula(const QString &oldExpression, const QString &newExpression)
{
    return recorded<FormulaTypeTable>(
        [&](FormulaTypeTable &t) { return t.updateFormula(oldExpression, newExpression); });
}

DbResult DataBaseHandler::deleteFormula(const QString &expression)
{
    return recorded<FormulaTypeTable>(
        [&](FormulaTypeTable &t) { return t.deleteFormula(expression); });
}

DbResult DataBaseHandler::findFormula(const QString &expression)
{
    return FormulaTypeTable(m_location).findFormulas(expression).isEmpty() ? DbNotFound : DbFound;
}

QStringList DataBaseHandler::formulaExpressions()
{
    return FormulaTypeTable(m_location).allFormulas().keys();
}

void DataBaseHandler::checkLogin(QString username, QString hashSum)
{
    const UserRecord user = UserTable(m_location).findUser(username, hashSum);
    emit checkLoginResult(!user.userName().isEmpty());
}
