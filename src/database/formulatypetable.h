#pragma once

#include <QMap>

#include "database/records.h"
#include "database/tableaccess.h"

// Conversion formulas, addressed by their exact text.
class FormulaTypeTable : public TableAccess
{
public:
    using TableAccess::TableAccess;

    DbResult insertFormula(const QString &expression);
    DbResult updateFormula(const QString &oldExpression, const QString &newExpression);
    DbResult deleteFormula(const QString &expression);
    // A new record (empty expression) when none.
    FormulaRecord findFormula(const QString &expression);
    // expression -> fmlt_id, for the rows with that text.
    QMap<QString, int> findFormulas(const QString &expression);
    // expression -> fmlt_id, for every formula.
    QMap<QString, int> allFormulas();
};
