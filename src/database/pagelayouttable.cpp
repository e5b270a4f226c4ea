#include "database/pagelayouttable.h"

#include <QSqlQuery>
#include <QVariant>

#include "database/contentpair.h"

namespace {
const QString kLayoutSelect = QStringLiteral(
    "select rppl_id,rppl_pritid,rppl_pageid,rppl_layout,rppl_contentid,rppl_byteposition,"
    "rppl_valid from Re_Prit_Page_Layout where rppl_pritid=?");

PageLayoutRecord readLayout(const QSqlQuery &q)
{
    PageLayoutRecord record;
    record.setRpplId(q.value(0).toInt());
    record.setPritId(q.value(1).toInt());
    record.setPageId(q.value(2).toInt());
    record.setLayout(q.value(3).toInt());
    record.setContentId(q.value(4).toInt());
    record.setBytePosition(q.value(5).toString());
    record.setValid(q.value(6).toString());
    return record;
}
} // namespace

DbResult PageLayoutTable::deleteLayoutsOfPrinter(int pritId)
{
    return change(QStringLiteral("delete from Re_Prit_Page_Layout where rppl_pritid=?"), { pritId },
        DbDeleteFailed);
}

DbResult PageLayoutTable::insertLayouts(const QList<PageLayoutRecord> &records)
{
    QVariantList pritIds, pageIds, layouts, contentIds, positions, valids;
    for (const PageLayoutRecord &r : records) {
        pritIds << r.pritId();
        pageIds << r.pageId();
        layouts << r.layout();
        contentIds << r.contentId();
        positions << r.bytePosition();
        valids << r.valid();
    }
    return changeBatch(QStringLiteral("insert into Re_Prit_Page_Layout (rppl_pritid,rppl_pageid,"
                                      "rppl_layout,rppl_contentid,rppl_byteposition,rppl_valid) "
                                      "values(?,?,?,?,?,?)"),
        { QVariant(pritIds), QVariant(pageIds), QVariant(layouts), QVariant(contentIds),
            QVariant(positions), QVariant(valids) },
        DbInsertFailed);
}

int PageLayoutTable::pageCount(int pritId)
{
    int count = 0;
    select(QStringLiteral("select count( distinct rppl_pageid ) from Re_Prit_Page_Layout where "
                          "rppl_pritid=?"),
        { pritId }, [&count](const QSqlQuery &q) { count = q.value(0).toInt(); });
    return count;
}

int PageLayoutTable::layoutCount(int pritId, int pageId)
{
    int count = 0;
    select(QStringLiteral("select count(rppl_layout) from Re_Prit_Page_Layout where "
                          "rppl_pritid=? and rppl_pageid=?"),
        { pritId, pageId }, [&count](const QSqlQuery &q) { count = q.value(0).toInt(); });
    return count;
}

QStringList PageLayoutTable::pageTitles(int language, int pritId)
{
    const QString column
        = QStringLiteral("contenttype.[") + ContentLanguage::column(language) + QLatin1Char(']');
    QStringList titles;
    select(QStringLiteral("select distinct ") + column
            + QStringLiteral(" from contenttype join re_prit_page_layout on "
                             "contenttype.[ctnt_id]=re_prit_page_layout.[rppl_contentid] "
                             "where re_prit_page_layout.[rppl_pritid] = ? "
                             "order by re_prit_page_layout.[rppl_pageid] asc"),
        { pritId }, [&titles](const QSqlQuery &q) { titles.append(q.value(0).toString()); });
    return titles;
}

QMap<int, PageLayoutRecord> PageLayoutTable::layoutsByPage(int pritId)
{
    QMap<int, PageLayoutRecord> layouts;
    select(kLayoutSelect, { pritId }, [&layouts](const QSqlQuery &q) {
        const PageLayoutRecord record = readLayout(q);
        layouts.insert(record.pageId(), record);
    });
    return layouts;
}

QMap<int, PageLayoutRecord> PageLayoutTable::layoutsById(int pritId)
{
    QMap<int, PageLayoutRecord> layouts;
    select(kLayoutSelect, { pritId }, [&layouts](const QSqlQuery &q) {
        const PageLayoutRecord record = readLayout(q);
        layouts.insert(record.rpplId(), record);
    });
    return layouts;
}
