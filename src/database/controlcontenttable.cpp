#include "database/controlcontenttable.h"

#include <QSqlQuery>
#include <QVariant>

DbResult ControlContentTable::deleteOptionsOfPrinter(int pritId)
{
    return change(QStringLiteral("delete from Re_Prit_Ctrt_Ctnt where rpcc_pritid=?"), { pritId },
        DbDeleteFailed);
}

DbResult ControlContentTable::insertOptions(const QList<OptionItem> &records)
{
    QVariantList pritIds, rpcaIds, contentIds, orders;
    for (const OptionItem &r : records) {
        pritIds << r.pritId();
        rpcaIds << r.rpcaId();
        contentIds << r.contentId();
        orders << r.contentOrder();
    }
    return changeBatch(QStringLiteral("insert into Re_Prit_Ctrt_Ctnt (rpcc_pritid,rpcc_rpcaid,"
                                      "rpcc_contentid,rpcc_contentorder) values(?,?,?,?)"),
        { QVariant(pritIds), QVariant(rpcaIds), QVariant(contentIds), QVariant(orders) },
        DbInsertFailed);
}

QMap<int, QList<OptionItem>> ControlContentTable::optionsOfPrinter(int pritId)
{
    QMap<int, QList<OptionItem>> options;
    select(QStringLiteral(
               "select re_prit_ctrt_ctnt.[rpcc_rpcaid],re_prit_ctrt_ctnt.[rpcc_contentid],"
               "re_prit_ctrt_ctnt.[rpcc_contentorder] from re_prit_ctrt_ctnt join "
               "re_prit_ctrt_act on re_prit_ctrt_act.[rowid] = re_prit_ctrt_ctnt.[rpcc_rpcaid] "
               "where re_prit_ctrt_act.[rpca_pritid] = ? "
               "order by re_prit_ctrt_ctnt.[rpcc_rpcaid] asc, "
               "re_prit_ctrt_ctnt.[rpcc_contentorder] asc"),
        { pritId }, [&options, pritId](const QSqlQuery &q) {
            OptionItem item;
            item.setPritId(pritId);
            item.setRpcaId(q.value(0).toInt());
            item.setContentId(q.value(1).toInt());
            item.setContentOrder(q.value(2).toInt());
            options[item.rpcaId()].append(item);
        });
    return options;
}
