#include "database/printertypetable.h"

#include <QDebug>
#include <QSqlQuery>
#include <QVariant>

namespace {
PrinterTypeRecord readPrinterType(const QSqlQuery &q)
{
    PrinterTypeRecord record;
    record.setPritId(q.value(0).toInt());
    record.setPritName(q.value(1).toString());
    record.setPritTest(q.value(2).toInt());
    return record;
}
} // namespace

DbResult PrinterTypeTable::insertPrinterType(const PrinterTypeRecord &record)
{
    return change(QStringLiteral("insert into PrinterType (prit_name,prit_test) values(?,?)"),
        { record.pritName(), record.pritTest() }, DbInsertFailed);
}

DbResult PrinterTypeTable::updatePrinterType(const PrinterTypeRecord &record)
{
    return change(QStringLiteral("update printerType set prit_name=?,prit_test=? where prit_id=?"),
        { record.pritName(), record.pritTest(), record.pritId() }, DbUpdateFailed);
}

DbResult PrinterTypeTable::deletePrinterType(int pritId)
{
    return change(
        QStringLiteral("delete from printerType where prit_id=?"), { pritId }, DbDeleteFailed);
}

PrinterTypeRecord PrinterTypeTable::findPrinterType(const QString &name)
{
    PrinterTypeRecord record;
    select(QStringLiteral("select prit_id,prit_name,prit_test from printerType where prit_name=?"),
        { name }, [&record](const QSqlQuery &q) { record = readPrinterType(q); });
    qDebug() << "PritId :" << record.pritId();
    qDebug() << "PritName :" << record.pritName();
    qDebug() << "PrintTest :" << record.pritTest();
    return record;
}

QList<PrinterTypeRecord> PrinterTypeTable::allPrinterTypes()
{
    QList<PrinterTypeRecord> records;
    select(QStringLiteral("select prit_id,prit_name,prit_test from printerType"), {},
        [&records](const QSqlQuery &q) { records.append(readPrinterType(q)); });
    return records;
}
