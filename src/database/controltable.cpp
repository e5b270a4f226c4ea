#include "database/controltable.h"

#include <QSqlQuery>
#include <QVariant>

namespace {
const QString kControlSelect = QStringLiteral(
    "select rpca_id,rpca_pritid,rpca_rpplid,rpca_controlid,rpca_parentrelated,rpca_actionid,"
    "rpca_pagerow,rpca_pagecol,rpca_byteposition,rpca_bytelength,rpca_timeout,rpca_comment,"
    "rpca_contentid,rpca_readformulaid,rpca_writeformulaid,rpca_relateposition,"
    "rpca_relatevalid,rpca_minlength,rpca_maxlength from Re_Prit_Ctrt_Act where ");

ControlRow readControl(const QSqlQuery &q)
{
    ControlRow row;
    row.setRpcaId(q.value(0).toInt());
    row.setPritId(q.value(1).toInt());
    row.setRpplId(q.value(2).toInt());
    row.setControlId(q.value(3).toInt());
    row.setParentRelated(q.value(4).toInt());
    row.setActionId(q.value(5).toInt());
    row.setPageRow(q.value(6).toInt());
    row.setPageCol(q.value(7).toInt());
    row.setBytePosition(q.value(8).toInt());
    row.setByteLength(q.value(9).toInt());
    row.setTimeout(q.value(10).toInt());
    row.setComment(q.value(11).toInt());
    row.setContentId(q.value(12).toInt());
    row.setReadFormulaId(q.value(13).toInt());
    row.setWriteFormulaId(q.value(14).toInt());
    row.setRelatePosition(q.value(15).toString());
    row.setRelateValid(q.value(16).toString());
    row.setMinLength(q.value(17).toDouble());
    row.setMaxLength(q.value(18).toDouble());
    return row;
}
} // namespace

DbResult ControlTable::deleteControlsOfPrinter(int pritId)
{
    return change(QStringLiteral("delete from Re_Prit_Ctrt_Act where rpca_pritid=?"), { pritId },
        DbDeleteFailed);
}

DbResult ControlTable::insertControls(const QList<ControlRow> &records)
{
    constexpr int kColumns = 18;
    QVariantList columns[kColumns];
    for (const ControlRow &r : records) {
        const QVariant values[kColumns] = {
            r.pritId(),
            r.rpplId(),
            r.controlId(),
            r.parentRelated(),
            r.actionId(),
            r.pageRow(),
            r.pageCol(),
            r.bytePosition(),
            r.byteLength(),
            r.timeout(),
            r.comment(),
            r.contentId(),
            r.readFormulaId(),
            r.writeFormulaId(),
            r.relatePosition(),
            r.relateValid(),
            r.minLength(),
            r.maxLength(),
        };
        for (int c = 0; c < kColumns; ++c)
            columns[c] << values[c];
    }
    QVariantList binds;
    for (const QVariantList &column : columns)
        binds << QVariant(column);
    return changeBatch(
        QStringLiteral("insert into Re_Prit_Ctrt_Act (rpca_pritid,rpca_rpplid,rpca_controlid,"
                       "rpca_parentrelated,rpca_actionid,rpca_pagerow,rpca_pagecol,"
                       "rpca_byteposition,rpca_bytelength,rpca_timeout,rpca_comment,"
                       "rpca_contentid,rpca_readformulaid,rpca_writeformulaid,"
                       "rpca_relateposition,rpca_relatevalid,rpca_minlength,rpca_maxlength) "
                       "values(?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)"),
        binds, DbInsertFailed);
}

QMap<int, ControlRow> ControlTable::controlsOfPrinter(int pritId)
{
    QMap<int, ControlRow> rows;
    select(
        kControlSelect + QStringLiteral("rpca_pritid=?"), { pritId }, [&rows](const QSqlQuery &q) {
            const ControlRow row = readControl(q);
            rows.insert(row.rpcaId(), row);
        });
    return rows;
}

QMap<int, ControlRow> ControlTable::byteControlsOfPrinter(int pritId)
{
    QMap<int, ControlRow> rows;
    select(kControlSelect + QStringLiteral("rpca_byteposition <> '0'  and rpca_pritid=?"),
        { pritId }, [&rows](const QSqlQuery &q) {
            const ControlRow row = readControl(q);
            rows.insert(row.bytePosition(), row);
        });
    return rows;
}

int ControlTable::controlId(int pritId, int rpplId, int row, int col)
{
    int id = 0;
    select(QStringLiteral("select rpca_id from Re_Prit_Ctrt_Act where rpca_pritid=? and "
                          "rpca_rpplid=? and rpca_pagerow=? and rpca_pagecol=?"),
        { pritId, rpplId, row, col }, [&id](const QSqlQuery &q) { id = q.value(0).toInt(); });
    return id;
}
