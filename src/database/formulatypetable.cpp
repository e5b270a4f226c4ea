#include "database/formulatypetable.h"

#include <QSqlQuery>
#include <QVariant>

namespace {
const QString kFindStatement
    = QStringLiteral("select fmlt_id,fmlt_expression from FormulaType where fmlt_expression = ? ");
} // namespace

DbResult FormulaTypeTable::insertFormula(const QString &expression)
{
    return change(QStringLiteral("insert into FormulaType (fmlt_expression) VALUES(?)"),
        { expression }, DbInsertFailed);
}

DbResult FormulaTypeTable::updateFormula(const QString &oldExpression, const QString &newExpression)
{
    return change(
        QStringLiteral("update FormulaType set fmlt_expression = ? where fmlt_expression = ?"),
        { newExpression, oldExpression }, DbUpdateFailed);
}

DbResult FormulaTypeTable::deleteFormula(const QString &expression)
{
    return change(QStringLiteral("delete from FormulaType where fmlt_expression=?"), { expression },
        DbDeleteFailed);
}

FormulaRecord FormulaTypeTable::findFormula(const QString &expression)
{
    FormulaRecord record;
    select(kFindStatement, { expression }, [&record](const QSqlQuery &q) {
        record.setFmltId(q.value(0).toInt());
        record.setFmltExpression(q.value(1).toString());
    });
    return record;
}

QMap<QString, int> FormulaTypeTable::findFormulas(const QString &expression)
{
    QMap<QString, int> formulas;
    select(kFindStatement, { expression }, [&formulas](const QSqlQuery &q) {
        formulas.insert(q.value(1).toString(), q.value(0).toInt());
    });
    return formulas;
}

QMap<QString, int> FormulaTypeTable::allFormulas()
{
    QMap<QString, int> formulas;
    select(QStringLiteral("select fmlt_id,fmlt_expression from FormulaType "), {},
        [&formulas](
            const QSqlQuery &q) { formulas.insert(q.value(1).toString(), q.value(0).toInt()); });
    return formulas;
}
