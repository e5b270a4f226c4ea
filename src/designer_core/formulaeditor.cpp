#include "designer_core/formulaeditor.h"

#include "database/databasehandler.h"

FormulaEditor::FormulaEditor(DataBaseHandler &database)
    : m_database(database)
{
}

QStringList FormulaEditor::formulas()
{
    QStringList expressions = m_database.formulaExpressions();
    expressions.sort(Qt::CaseSensitive);
    return expressions;
}

EditOutcome FormulaEditor::confirmEdit(const QString &selected, const QString &newExpression)
{
    if (newExpression.isEmpty())
        return EditOutcome::refused(tr("Edit Formula Null."));
    if (selected.isEmpty())
        return EditOutcome::refused(tr("Select a formula first."));
    return EditOutcome::answered(m_database.updateFormula(selected, newExpression), m_database,
        tr("Update Formula Success."));
}

EditOutcome FormulaEditor::confirmNew(const QString &expression)
{
    if (expression.isEmpty())
        return EditOutcome::refused(tr("Create Formula Null."));
    if (m_database.findFormula(expression) == DbFound)
        return EditOutcome::refused(tr("New Formula existed."));
    return EditOutcome::answered(
        m_database.insertFormula(expression), m_database, tr("Create Formula success."));
}

EditOutcome FormulaEditor::remove(const QString &selected)
{
    if (selected.isEmpty())
        return EditOutcome::refused(tr("Select a formula first."));
    return EditOutcome::answered(
        m_database.deleteFormula(selected), m_database, tr("Delete Formula Success."));
}
