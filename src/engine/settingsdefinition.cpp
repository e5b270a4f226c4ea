#include "engine/settingsdefinition.h"

#include "database/contenttypetable.h"
#include "database/controlcommandtable.h"
#include "database/controlcontenttable.h"
#include "database/controltable.h"
#include "database/controltypetable.h"
#include "database/formulatypetable.h"
#include "database/pagelayouttable.h"
#include "database/printertypetable.h"
#include "database/settingsdatabase.h"

namespace {

constexpr int kHighestKind = KindSpinBox;
const QString kLegacyModel = QStringLiteral("RK5200");
const QString kLegacyHeadVariant = QStringLiteral("24");
const QString kLegacyType = QStringLiteral("RK-5200");
const QString kNewType = QStringLiteral("RK-5200_NEW");
const QString kWifiFamily = QStringLiteral("ZN-470 KW");
const QString kFallbackPrefix = QStringLiteral("main_");

void loadCommonTables(const DatabaseLocation &location, int language, SettingsDefinition &def)
{
    def.controlTypes = ControlTypeTable(location).allControlTypes();
    const QMap<int, ContentRecord> contents = ContentTypeTable(location).allContents(language);
    for (auto it = contents.cbegin(); it != contents.cend(); ++it)
        def.contents.insert(it.key(), it.value().text());
    const QMap<QString, int> formulas = FormulaTypeTable(location).allFormulas();
    for (auto it = formulas.cbegin(); it != formulas.cend(); ++it)
        def.formulas.insert(it.value(), it.key());
}

void loadPrinterTables(const DatabaseLocation &location, int language, SettingsDefinition &def)
{
    const int id = def.printerType.pritId();
    if (id == 0)
        return;
    PageLayoutTable layouts(location);
    def.pageTitles = layouts.pageTitles(language, id);
    def.pageLayouts = layouts.layoutsById(id);
    ControlTable controls(location);
    def.controlRows = controls.controlsOfPrinter(id);
    def.optionItems = ControlContentTable(location).optionsOfPrinter(id);
    def.commandBindings = ControlCommandTable(location).commandsOfPrinter(id);
    def.layoutsByPage = layouts.layoutsByPage(id);
    def.pageCount = layouts.pageCount(id);
    for (int page = 0; page < def.pageCount; ++page)
        def.layoutsPerPage.insert(page, layouts.layoutCount(id, page));
    def.valueRows = controls.byteControlsOfPrinter(id);
}

} // namespace

ControlKind SettingsDefinition::kindOf(const ControlRow &row) const
{
    auto it = controlTypes.constFind(row.controlId());
    if (it == controlTypes.constEnd())
        return KindNone;
    const int kind = it.value().ctrtName();
    if (kind < KindLabel || kind > kHighestKind)
        return KindNone;
    return static_cast<ControlKind>(kind);
}

int SettingsDefinition::pageOf(const ControlRow &row) const
{
    auto it = pageLayouts.constFind(row.rpplId());
    if (it == pageLayouts.constEnd())
        return -1;
    const int page = it.value().pageId();
    return page >= 0 && page < pageCount ? page : -1;
}

SettingsDefinition loadSettingsDefinition(
    const DatabaseLocation &location, const SettingsIdentity &identity)
{
    SettingsDefinition def;
    loadCommonTables(location, identity.language, def);

    PrinterTypeTable types(location);
    QString name = identity.modelName;
    if (name == kLegacyModel) {
        def.printerType = types.findPrinterType(
            identity.headVariant == kLegacyHeadVariant ? kLegacyType : kNewType);
        name = def.printerType.pritName();
    }
    const QString lookedUp = name.contains(kWifiFamily) ? kWifiFamily : name;
    def.printerType = types.findPrinterType(lookedUp);
    def.printerTypeName = lookedUp;
    if (def.printerType.pritName().isEmpty())
        def.printerType = types.findPrinterType(kFallbackPrefix + identity.typeCode);

    loadPrinterTables(location, identity.language, def);
    return def;
}

SettingsDefinition loadSettingsDefinitionByName(
    const DatabaseLocation &location, const QString &typeName, int language)
{
    SettingsDefinition def;
    loadCommonTables(location, language, def);
    def.printerType = PrinterTypeTable(location).findPrinterType(typeName);
    def.printerTypeName = typeName;
    loadPrinterTables(location, language, def);
    return def;
}
