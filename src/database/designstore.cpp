#include "database/designstore.h"

#include <algorithm>
#include <tuple>

#include "database/contentpair.h"
#include "database/contenttypetable.h"
#include "database/controlcommandtable.h"
#include "database/controlcontenttable.h"
#include "database/controltable.h"
#include "database/controltypetable.h"
#include "database/formulatypetable.h"
#include "database/pagelayouttable.h"
#include "database/printertypetable.h"

bool DesignOption::operator==(const DesignOption &o) const
{
    return std::tie(chinese, english, value) == std::tie(o.chinese, o.english, o.value);
}

bool DesignSection::operator==(const DesignSection &o) const
{
    return std::tie(page, layout, titleChinese, titleEnglish, bytePosition, valid)
        == std::tie(o.page, o.layout, o.titleChinese, o.titleEnglish, o.bytePosition, o.valid);
}

bool DesignControl::operator==(const DesignControl &o) const
{
    return std::tie(page, row, col, kind, labelChinese, labelEnglish, annotationChinese,
               annotationEnglish, parentRelated, actionType, bytePosition, byteLength, timeout,
               readFormula, writeFormula, relatePosition, relateValid, minLength, maxLength,
               options, command, relationControlId, paramPosition)
        == std::tie(o.page, o.row, o.col, o.kind, o.labelChinese, o.labelEnglish,
            o.annotationChinese, o.annotationEnglish, o.parentRelated, o.actionType, o.bytePosition,
            o.byteLength, o.timeout, o.readFormula, o.writeFormula, o.relatePosition, o.relateValid,
            o.minLength, o.maxLength, o.options, o.command, o.relationControlId, o.paramPosition);
}

bool PrinterDesign::operator==(const PrinterDesign &o) const
{
    return sections == o.sections && controls == o.controls;
}

namespace {
// Resolves texts and formulas to ids; remembers whether every change it made succeeded.
class IdResolver
{
public:
    explicit IdResolver(const DatabaseLocation &location)
        : m_contents(location)
        , m_formulas(location)
    {
    }

    bool failed() const { return m_failed; }
    QString error() const { return m_error; }

    int contentId(const QString &chinese, const QString &english)
    {
        if (english.isEmpty())
            return 0;
        ContentRecord found = m_contents.findContentByText(ContentLanguage::kEnglish, english);
        if (found.ctntEnglish().isEmpty()) {
            if (m_contents.insertContent(chinese, english) != DbOk) {
                fail(m_contents);
                return 0;
            }
            found = m_contents.findContentByText(ContentLanguage::kEnglish, english);
        } else if (found.ctntChinese() != chinese) {
            if (m_contents.updateContentText(
                    ContentLanguage::kChinese, found.ctntChinese(), chinese)
                != DbOk)
                fail(m_contents);
        }
        return found.ctntId();
    }

    int formulaId(const QString &expression)
    {
        if (expression.isEmpty())
            return 0;
        FormulaRecord found = m_formulas.findFormula(expression);
        if (found.fmltExpression().isEmpty()) {
            if (m_formulas.insertFormula(expression) != DbOk) {
                fail(m_formulas);
                return 0;
            }
            found = m_formulas.findFormula(expression);
        }
        return found.fmltId();
    }

private:
    void fail(const TableAccess &table)
    {
        if (!m_failed)
            m_error = table.lastError();
        m_failed = true;
    }

    ContentTypeTable m_contents;
    FormulaTypeTable m_formulas;
    bool m_failed = false;
    QString m_error;
};

// The database's words for the first failed change of a piece of work.
DbResult noted(DbResult result, const TableAccess &table, QString *error)
{
    if (result != DbOk && error->isEmpty())
        *error = table.lastError();
    return result;
}

// Deletes everything stored for pritId but the PrinterType row, in the order the engine reads.
DbResult deleteRowsOf(const DatabaseLocation &location, int pritId, QString *error)
{
    PageLayoutTable layouts(location);
    DbResult result = noted(layouts.deleteLayoutsOfPrinter(pritId), layouts, error);
    ControlTable controls(location);
    if (result == DbOk)
        result = noted(controls.deleteControlsOfPrinter(pritId), controls, error);
    ControlContentTable options(location);
    if (result == DbOk)
        result = noted(options.deleteOptionsOfPrinter(pritId), options, error);
    ControlCommandTable commands(location);
    if (result == DbOk)
        result = noted(commands.deleteCommandsOfPrinter(pritId), commands, error);
    return result;
}
} // namespace

DesignStore::DesignStore(const DatabaseLocation &location)
    : m_location(location)
{
}

int DesignStore::contentIdFor(const QString &chinese, const QString &english)
{
    return IdResolver(m_location).contentId(chinese, english);
}

int DesignStore::formulaIdFor(const QString &expression)
{
    return IdResolver(m_location).formulaId(expression);
}

DbResult DesignStore::replaceDesign(int pritId, const PrinterDesign &design)
{
    m_lastError.clear();
    DatabaseTransaction transaction(m_location);
    if (!transaction.isActive()) {
        m_lastError = transaction.error();
        return DbDeleteFailed;
    }
    const DbResult result = storeDesign(pritId, design);
    if (result != DbOk)
        return result;
    return transaction.commit() ? DbOk : DbCommitFailed;
}

DbResult DesignStore::saveDesign(
    const QString &name, int testValue, const PrinterDesign &design, int *pritId)
{
    m_lastError.clear();
    if (name.isEmpty())
        return DbInsertFailed;
    DatabaseTransaction transaction(m_location);
    if (!transaction.isActive()) {
        m_lastError = transaction.error();
        return DbInsertFailed;
    }
    PrinterTypeTable types(m_location);
    PrinterTypeRecord type = types.findPrinterType(name);
    DbResult result = DbOk;
    if (type.pritId() == 0) {
        type.setPritName(name);
        type.setPritTest(testValue);
        result = noted(types.insertPrinterType(type), types, &m_lastError);
        if (result == DbOk)
            type = types.findPrinterType(name);
        if (result == DbOk && type.pritId() == 0)
            result = DbInsertFailed;
    } else if (type.pritTest() != testValue) {
        type.setPritTest(testValue);
        result = noted(types.updatePrinterType(type), types, &m_lastError);
    }
    if (result == DbOk)
        result = storeDesign(type.pritId(), design);
    if (result != DbOk)
        return result;
    if (!transaction.commit())
        return DbCommitFailed;
    if (pritId)
        *pritId = type.pritId();
    return DbOk;
}

DbResult DesignStore::storeDesign(int pritId, const PrinterDesign &design)
{
    DbResult result = deleteRowsOf(m_location, pritId, &m_lastError);
    if (result != DbOk)
        return result;

    IdResolver ids(m_location);
    QList<PageLayoutRecord> layouts;
    for (const DesignSection &section : design.sections) {
        PageLayoutRecord record;
        record.setPritId(pritId);
        record.setPageId(section.page);
        record.setLayout(section.layout);
        record.setContentId(ids.contentId(section.titleChinese, section.titleEnglish));
        record.setBytePosition(section.bytePosition);
        record.setValid(section.valid);
        layouts.append(record);
    }
    if (ids.failed())
        return failedIds(ids.error());
    PageLayoutTable layoutTable(m_location);
    result = noted(layoutTable.insertLayouts(layouts), layoutTable, &m_lastError);
    if (result != DbOk)
        return result;

    // Controls refer to a section row of their page; the page is all the engine uses it for.
    const QMap<int, PageLayoutRecord> byPage = PageLayoutTable(m_location).layoutsByPage(pritId);
    ControlTypeTable controlTypes(m_location);
    QList<ControlRow> rows;
    for (const DesignControl &control : design.controls) {
        ControlRow row;
        row.setPritId(pritId);
        row.setRpplId(byPage.value(control.page).rpplId());
        row.setControlId(controlTypes.controlTypeId(control.kind));
        row.setParentRelated(control.parentRelated);
        row.setActionId(control.actionType);
        row.setPageRow(control.row);
        row.setPageCol(control.col);
        row.setBytePosition(control.bytePosition);
        row.setByteLength(control.byteLength);
        row.setTimeout(control.timeout);
        row.setContentId(ids.contentId(control.labelChinese, control.labelEnglish));
        row.setComment(ids.contentId(control.annotationChinese, control.annotationEnglish));
        row.setReadFormulaId(ids.formulaId(control.readFormula));
        row.setWriteFormulaId(ids.formulaId(control.writeFormula));
        row.setRelatePosition(control.relatePosition);
        row.setRelateValid(control.relateValid);
        row.setMinLength(control.minLength);
        row.setMaxLength(control.maxLength);
        rows.append(row);
    }
    if (ids.failed())
        return failedIds(ids.error());
    ControlTable controlTable(m_location);
    result = noted(controlTable.insertControls(rows), controlTable, &m_lastError);
    if (result != DbOk)
        return result;

    ControlTable controls(m_location);
    QList<OptionItem> options;
    QList<CommandBinding> commands;
    for (int i = 0; i < design.controls.size(); ++i) {
        const DesignControl &control = design.controls.at(i);
        const int rpcaId
            = controls.controlId(pritId, rows.at(i).rpplId(), control.row, control.col);
        for (const DesignOption &option : control.options) {
            OptionItem item;
            item.setPritId(pritId);
            item.setRpcaId(rpcaId);
            item.setContentId(ids.contentId(option.chinese, option.english));
            item.setContentOrder(option.value);
            options.append(item);
        }
        if (!control.command.isEmpty()) {
            CommandBinding binding;
            binding.setPritId(pritId);
            binding.setRpcaId(rpcaId);
            binding.setCmd(control.command);
            binding.setRelationControlId(control.relationControlId);
            binding.setParamPosition(control.paramPosition);
            commands.append(binding);
        }
    }
    if (ids.failed())
        return failedIds(ids.error());
    ControlContentTable optionTable(m_location);
    result = noted(optionTable.insertOptions(options), optionTable, &m_lastError);
    ControlCommandTable commandTable(m_location);
    if (result == DbOk)
        result = noted(commandTable.insertCommands(commands), commandTable, &m_lastError);
    return result;
}

DbResult DesignStore::failedIds(const QString &error)
{
    if (m_lastError.isEmpty())
        m_lastError = error;
    return DbInsertFailed;
}

PrinterDesign DesignStore::readDesign(int pritId)
{
    const QMap<int, ContentRecord> texts
        = ContentTypeTable(m_location).allContents(ContentLanguage::kEnglish);
    QMap<int, QString> formulas;
    const QMap<QString, int> formulaIds = FormulaTypeTable(m_location).allFormulas();
    for (auto it = formulaIds.cbegin(); it != formulaIds.cend(); ++it)
        formulas.insert(it.value(), it.key());
    const QMap<int, ControlTypeRecord> kinds = ControlTypeTable(m_location).allControlTypes();
    const QMap<int, PageLayoutRecord> layouts = PageLayoutTable(m_location).layoutsById(pritId);
    const QMap<int, ControlRow> rows = ControlTable(m_location).controlsOfPrinter(pritId);
    const QMap<int, QList<OptionItem>> options
        = ControlContentTable(m_location).optionsOfPrinter(pritId);
    const QMap<int, CommandBinding> commands
        = ControlCommandTable(m_location).commandsOfPrinter(pritId);

    PrinterDesign design;
    for (const PageLayoutRecord &layout : layouts) {
        const ContentRecord title = texts.value(layout.contentId());
        design.sections.append({ layout.pageId(), layout.layout(), title.ctntChinese(),
            title.ctntEnglish(), layout.bytePosition(), layout.valid() });
    }
    for (const ControlRow &row : rows) {
        DesignControl control;
        control.page = layouts.value(row.rpplId()).pageId();
        control.row = row.pageRow();
        control.col = row.pageCol();
        control.kind = kinds.value(row.controlId()).ctrtName();
        control.labelChinese = texts.value(row.contentId()).ctntChinese();
        control.labelEnglish = texts.value(row.contentId()).ctntEnglish();
        control.annotationChinese = texts.value(row.comment()).ctntChinese();
        control.annotationEnglish = texts.value(row.comment()).ctntEnglish();
        control.parentRelated = row.parentRelated();
        control.actionType = row.actionId();
        control.bytePosition = row.bytePosition();
        control.byteLength = row.byteLength();
        control.timeout = row.timeout();
        control.readFormula = formulas.value(row.readFormulaId());
        control.writeFormula = formulas.value(row.writeFormulaId());
        control.relatePosition = row.relatePosition();
        control.relateValid = row.relateValid();
        control.minLength = row.minLength();
        control.maxLength = row.maxLength();
        for (const OptionItem &item : options.value(row.rpcaId()))
            control.options.append({ texts.value(item.contentId()).ctntChinese(),
                texts.value(item.contentId()).ctntEnglish(), item.contentOrder() });
        if (commands.contains(row.rpcaId())) {
            const CommandBinding binding = commands.value(row.rpcaId());
            control.command = binding.cmd();
            control.relationControlId = binding.relationControlId();
            control.paramPosition = binding.paramPosition();
        }
        design.controls.append(control);
    }
    std::stable_sort(design.sections.begin(), design.sections.end(),
        [](const DesignSection &a, const DesignSection &b) {
            return std::tie(a.page, a.layout) < std::tie(b.page, b.layout);
        });
    std::stable_sort(design.controls.begin(), design.controls.end(),
        [](const DesignControl &a, const DesignControl &b) {
            return std::tie(a.page, a.row, a.col) < std::tie(b.page, b.row, b.col);
        });
    return design;
}

DbResult DesignStore::deletePrinterTypes(const QStringList &names)
{
    m_lastError.clear();
    DbResult first = DbOk;
    for (const QString &name : names) {
        const PrinterTypeRecord type = PrinterTypeTable(m_location).findPrinterType(name);
        if (type.pritId() == 0)
            continue;
        DatabaseTransaction transaction(m_location);
        if (!transaction.isActive() && m_lastError.isEmpty())
            m_lastError = transaction.error();
        DbResult result
            = transaction.isActive() ? deleteRowsOf(m_location, type.pritId(), &m_lastError) : DbDeleteFailed;
        PrinterTypeTable types(m_location);
        if (result == DbOk)
            result = noted(types.deletePrinterType(type.pritId()), types, &m_lastError);
        if (result == DbOk && !transaction.commit())
            result = DbCommitFailed;
        if (result != DbOk && first == DbOk)
            first = result;
    }
    return first;
}
