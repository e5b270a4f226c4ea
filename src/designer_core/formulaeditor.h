#pragma once

#include <QCoreApplication>
#include <QStringList>

#include "designer_core/editoutcome.h"

class DataBaseHandler;

// The rules of the formula editor; formulas are addressed by their exact text.
class FormulaEditor
{
    Q_DECLARE_TR_FUNCTIONS(FormulaEditor)

public:
    explicit FormulaEditor(DataBaseHandler &database);

    // Every formula's expression, upper-case letters before lower-case ones.
    QStringList formulas();

    // Gives every formula with the selected expression the new one.
    EditOutcome confirmEdit(const QString &selected, const QString &newExpression);
    EditOutcome confirmNew(const QString &expression);
    EditOutcome remove(const QString &selected);

private:
    DataBaseHandler &m_database;
};
