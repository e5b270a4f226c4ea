#include "database/contenttypetable.h"

#include <QSqlQuery>
#include <QVariant>

#include "database/contentpair.h"

namespace {
ContentRecord readContent(const QSqlQuery &q)
{
    ContentRecord record;
    record.setCtntId(q.value(0).toInt());
    record.setText(q.value(1).toString());
    record.setCtntChinese(q.value(2).toString());
    record.setCtntEnglish(q.value(3).toString());
    return record;
}
} // namespace

DbResult ContentTypeTable::insertContent(const QString &chinese, const QString &english)
{
    return change(
        QStringLiteral("INSERT INTO contentType (ctnt_chinese,ctnt_english ) VALUES(?,?)"),
        { chinese, english }, DbInsertFailed);
}

DbResult ContentTypeTable::insertContent(const QString &pair)
{
    const ContentPair texts = splitContentPair(pair);
    return insertContent(texts.chinese, texts.english);
}

DbResult ContentTypeTable::updateContentText(
    int language, const QString &oldText, const QString &newText)
{
    const QString column = ContentLanguage::column(language);
    return change(QStringLiteral("update contentType set ") + column + QStringLiteral(" = ? where ")
            + column + QStringLiteral(" = ?"),
        { newText, oldText }, DbUpdateFailed);
}

DbResult ContentTypeTable::deleteContentByText(int language, const QString &text)
{
    return change(QStringLiteral("delete from ContentType where ")
            + ContentLanguage::column(language) + QStringLiteral(" = ?"),
        { text }, DbDeleteFailed);
}

ContentRecord ContentTypeTable::findContentByText(int language, const QString &text)
{
    const QString column = ContentLanguage::column(language);
    ContentRecord record;
    select(QStringLiteral("select ctnt_id,") + column
            + QStringLiteral(",ctnt_chinese,ctnt_english from ContentType where ") + column
            + QStringLiteral(" = ? order by ctnt_id asc"),
        { text }, [&record](const QSqlQuery &q) { record = readContent(q); });
    return record;
}

QMap<int, ContentRecord> ContentTypeTable::allContents(int language)
{
    QMap<int, ContentRecord> contents;
    select(QStringLiteral("select ctnt_id,") + ContentLanguage::column(language)
            + QStringLiteral(",ctnt_chinese,ctnt_english from ContentType "),
        {}, [&contents](const QSqlQuery &q) {
            const ContentRecord record = readContent(q);
            contents.insert(record.ctntId(), record);
        });
    return contents;
}
