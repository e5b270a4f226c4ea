#include "settings_ui/widgetengine.h"

#include <QCheckBox>
#include <QDebug>
#include <QFontMetrics>
#include <QComboBox>
#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/configfile.h"
#include "database/printertypetable.h"
#include "engine/settingcodec.h"
#include "engine/settinggroups.h"
#include "engine/settingrules.h"
#include "engine/valuecodec.h"
#include "settings_ui/adoptioncheckbox.h"
#include "settings_ui/adoptioncombobox.h"
#include "settings_ui/adoptionedit.h"
#include "settings_ui/adoptionlabel.h"
#include "settings_ui/adoptionspinbox.h"
#include "settings_ui/elidedlabel.h"

namespace {
constexpr int kPageMargin = 30;
constexpr int kControlWidth = 180;
constexpr int kControlHeight = 25;
constexpr int kLargeLabelWidth = 200;
constexpr int kButtonWidth = 130;
constexpr int kButtonHeight = 25;
const char kGridName[] = "Layout0";
const char kPageIndexProperty[] = "pageIndex";

const char kButtonStyle[]
    = "QPushButton{color:white;font-weight:bold;font-size:12px;border:1px solid white;"
      "border-radius:4px;background:#34495E;}"
      "QPushButton:hover{background:#67809F;}"
      "QPushButton:pressed{background:#5c97bf;}"
      "QPushButton:disabled{background:#cdcbcb;}";
const char kDefaultLabelStyle[] = "color:#7f8c8d;";

// Pages after whose last one the remaining space is left empty.
const QStringList &stretchedPageTitles()
{
    static const QStringList titles { QStringLiteral("Interface Setup"),
        QStringLiteral("Paper Setup"), QStringLiteral("Advanced Setup"), QStringLiteral("接口设置"),
        QStringLiteral("纸张设置"), QStringLiteral("高级设置") };
    return titles;
}

// How many characters an edit box takes for its field.
int longestEntry(const SettingRules::EditField &field, const ControlRow &row)
{
    constexpr int kDottedAddress = 15; // "255.255.255.255"
    constexpr int kHexPrefix = 2;
    constexpr int kUnlimited = 32767;
    switch (field.form) {
    case SettingRules::FieldForm::Text:
        return field.length + (field.hexPrefix ? kHexPrefix : 0);
    case SettingRules::FieldForm::HexBytes:
        return field.length * 3 - 1;
    case SettingRules::FieldForm::Ipv4:
        return kDottedAddress;
    case SettingRules::FieldForm::Ipv6LinkLocal:
        return kUnlimited;
    case SettingRules::FieldForm::Number:
        break;
    }
    return row.maxLength() >= 1 ? int(row.maxLength()) : kUnlimited;
}

// Showing a widget polishes it, which is slow with style sheets: change only what changes.
void setShown(QWidget *widget, bool shown)
{
    if (widget->isHidden() == shown)
        widget->setVisible(shown);
}

bool isValueKind(ControlKind kind)
{
    return kind == KindEdit || kind == KindComboBox || kind == KindSpinBox;
}
} // namespace

const QStringList &WidgetEngine::groupNames()
{
    static const QStringList names { QStringLiteral("Dot adjustment"), QStringLiteral("Black Mark"),
        QStringLiteral("Single Page"), QStringLiteral("Wifi"), QStringLiteral("Bluetooth"),
        QStringLiteral("Ethernet"), QStringLiteral("Hardware"), QStringLiteral("Emulation Mode"),
        QStringLiteral("Position_0901"), QStringLiteral("System"), QStringLiteral("Language") };
    return names;
}

const QStringList &WidgetEngine::buttonActions()
{
    static const QStringList actions { QStringLiteral("Dot adjustment write"),
        QStringLiteral("Dot adjustment check"), QStringLiteral("Dot adjustment default values"),
        QStringLiteral("Dot adjustment undo"), QStringLiteral("Dot adjustment test"),
        QStringLiteral("Wifi Default"), QStringLiteral("Wifi Reset"), QStringLiteral("Wifi Write"),
        QStringLiteral("Wifi IP Read"), QStringLiteral("Wifi Mac Read"),
        QStringLiteral("Wifi Mac Write"), QStringLiteral("Bluetooth Write"),
        QStringLiteral("Ethernet Write") };
    return actions;
}

WidgetEngine::WidgetEngine(const DatabaseLocation &location, ConfigFile *config, QObject *parent)
    : QObject(parent)
    , m_location(location)
    , m_config(config)
{
}

WidgetEngine::~WidgetEngine()
{
    clearPages();
}

void WidgetEngine::setWorkMode(int mode, const QStringList &printerTypeNames)
{
    m_workMode = mode;
    m_deleteNames = printerTypeNames;
}

void WidgetEngine::setDesign(int pritId, const PrinterDesign &design)
{
    m_designPritId = pritId;
    m_designName.clear();
    m_design = design;
}

void WidgetEngine::setDesign(const QString &typeName, int testValue, const PrinterDesign &design)
{
    m_designName = typeName;
    m_designTest = testValue;
    m_design = design;
}

void WidgetEngine::run()
{
    switch (m_workMode) {
    case LoadDefinitions:
        m_definition = loadSettingsDefinition(m_location, m_identity);
        SettingGroups::applyConfiguredPositions(m_definition, m_config);
        break;
    case LoadDesign:
        m_designType = PrinterTypeTable(m_location).findPrinterType(m_designName);
        m_design = m_designType.pritId() == 0 ? PrinterDesign()
                                              : DesignStore(m_location).readDesign(m_designType.pritId());
        break;
    case SaveDesign: {
        DesignStore store(m_location);
        m_lastResult = m_designName.isEmpty()
            ? store.replaceDesign(m_designPritId, m_design)
            : store.saveDesign(m_designName, m_designTest, m_design, &m_designPritId);
        m_lastErrorText = store.lastError();
        break;
    }
    case DeletePrinterTypes: {
        DesignStore store(m_location);
        m_lastResult = store.deletePrinterTypes(m_deleteNames);
        m_lastErrorText = store.lastError();
        break;
    }
    default:
        break;
    }
    emit workCompleted();
}

void WidgetEngine::onchangeTearCheck(int state)
{
    if (m_config)
        m_config->writeValue(
            QStringLiteral("TearCheck"), QStringLiteral("ischeck"), QString::number(state));
}

QList<QWidget *> WidgetEngine::pages() const
{
    QList<QWidget *> list;
    for (const QPointer<QWidget> &page : m_pages) {
        if (page)
            list.append(page);
    }
    return list;
}

void WidgetEngine::clearPages()
{
    m_unknownRows.clear();
    m_controls.clear();
    m_placements.clear();
    m_defaultLabels.clear();
    m_groups.clear();
    for (const QPointer<QWidget> &page : qAsConst(m_pages))
        delete page.data();
    m_pages.clear();
}

void WidgetEngine::buildPages()
{
    clearPages();
    m_codec = std::make_unique<SettingCodec>(m_definition, m_identity.typeCode, m_evaluator);
    for (const QString &name : groupNames())
        m_groups.insert(name, {});

    QVBoxLayout *stretched = nullptr;
    QList<QGridLayout *> grids;
    for (int index = 0; index < m_definition.pageCount; ++index) {
        auto *page = new QWidget;
        page->setProperty(kPageIndexProperty, index);
        const QString title = m_definition.pageTitles.value(index);
        page->setObjectName(title);
        auto *column = new QVBoxLayout(page);
        column->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
        auto *grid = new QGridLayout;
        grid->setObjectName(QLatin1String(kGridName));
        column->addLayout(grid);
        if (stretchedPageTitles().contains(title))
            stretched = column;
        m_pages.append(page);
        grids.append(grid);
    }

    for (const ControlRow &row : qAsConst(m_definition.controlRows)) {
        const ControlKind kind = m_definition.kindOf(row);
        const int page = m_definition.pageOf(row);
        if (kind == KindNone || page < 0) {
            qDebug() << "control row skipped:" << row.rpcaId() << "kind" << kind << "page" << page;
            continue;
        }
        QWidget *control = createControl(kind, row);
        registerControl(control, row);
        grids.at(page)->addWidget(control, row.pageRow(), row.pageCol());
        m_controls.insert(row.rpcaId(), control);
        m_placements.insert(row.rpcaId(), { page, grids.at(page) });
    }
    addDefaultLabels();
    nameLoneCheckBoxes();

    for (const QPointer<QWidget> &page : qAsConst(m_pages))
        page->setStyleSheet(QStringLiteral("background:white"));
    if (stretched)
        stretched->addStretch();
}

QWidget *WidgetEngine::createControl(ControlKind kind, const ControlRow &row)
{
    const QString caption = m_definition.content(row.contentId());
    const QString annotation = m_definition.content(row.comment());
    switch (kind) {
    case KindLabel: {
        auto *label = new AdoptionLabel;
        label->setText(caption);
        label->setCursor(Qt::PointingHandCursor);
        label->setAlignment(Qt::AlignCenter);
        // Captions too long for the usual cell wrap in a slightly wider one.
        if (label->fontMetrics().horizontalAdvance(caption) > kControlWidth) {
            label->setFixedWidth(kLargeLabelWidth);
            label->setWordWrap(true);
        } else {
            label->setFixedSize(kControlWidth, kControlHeight);
        }
        label->onclickedLabel(annotation);
        return label;
    }
    case KindEdit: {
        auto *edit = new AdOptionEdit;
        edit->onclickedEdit(annotation);
        edit->setBounds(row.minLength(), row.maxLength());
        return edit;
    }
    case KindButton: {
        auto *button = new QPushButton(caption);
        button->setFixedSize(kButtonWidth, kButtonHeight);
        button->setStyleSheet(QLatin1String(kButtonStyle));
        button->setCursor(Qt::PointingHandCursor);
        return button;
    }
    case KindComboBox: {
        auto *combo = new AdOptionCombobox;
        combo->setBytePosition(row.bytePosition());
        combo->setOptions(m_codec->rawOptions(row));
        combo->onclickedCombobox(annotation);
        return combo;
    }
    case KindCheckBox: {
        auto *check = new AdOptionCheckbox;
        check->onclickedEdit(annotation);
        return check;
    }
    case KindSpinBox: {
        auto *spin = new AdoptionSpinBox;
        spin->onclickedEdit(annotation);
        return spin;
    }
    case KindNone:
        break;
    }
    return nullptr;
}

void WidgetEngine::registerControl(QWidget *control, const ControlRow &row)
{
    auto binding = m_definition.commandBindings.constFind(row.rpcaId());
    if (binding == m_definition.commandBindings.constEnd())
        return;
    const QString name = binding.value().cmd();
    if (binding.value().paramPosition() != 0) {
        m_groups[name].insert(binding.value().paramPosition(), control);
        return;
    }
    auto *button = qobject_cast<QAbstractButton *>(control);
    if (!button || !buttonActions().contains(name))
        return;
    // The engine may live on its worker thread; the signal is emitted from the button's.
    connect(button, &QAbstractButton::clicked, button, [this, name] { emit buttonAction(name); });
}

// A check box with a caption label left of it is a setting of its own; one without (a "Define"
// switch beside an edit box) would be a bare square, so it carries its caption itself.
void WidgetEngine::nameLoneCheckBoxes()
{
    for (const ControlRow &row : qAsConst(m_definition.controlRows)) {
        auto *box = qobject_cast<AdOptionCheckbox *>(m_controls.value(row.rpcaId()));
        if (box && !qobject_cast<AdoptionLabel *>(cellWidget(row, -1)))
            box->setText(m_definition.content(row.contentId()));
    }
}

void WidgetEngine::addDefaultLabels()
{
    // The defaults of a page's rows line up in one column right of everything designed, except
    // rows that hold only buttons: the defaults share their columns rather than start a new one
    // past them, which would push the defaults out of a small window.
    QHash<int, int> lastColumn;
    QSet<QPair<int, int>> rowsWithValues;
    for (auto it = m_placements.cbegin(); it != m_placements.cend(); ++it) {
        const ControlRow row = m_definition.controlRows.value(it.key());
        if (m_definition.kindOf(row) != KindButton) {
            lastColumn[it.value().page] = qMax(lastColumn.value(it.value().page), row.pageCol());
            rowsWithValues.insert(qMakePair(it.value().page, row.pageRow()));
        }
    }
    for (auto it = m_placements.cbegin(); it != m_placements.cend(); ++it) {
        const ControlRow row = m_definition.controlRows.value(it.key());
        if (m_definition.kindOf(row) == KindButton
            && rowsWithValues.contains(qMakePair(it.value().page, row.pageRow())))
            lastColumn[it.value().page] = qMax(lastColumn.value(it.value().page), row.pageCol());
    }
    for (const ControlRow &row : qAsConst(m_definition.valueRows)) {
        const auto placement = m_placements.constFind(row.rpcaId());
        if (placement == m_placements.constEnd() || !isValueKind(m_definition.kindOf(row)))
            continue;
        DefaultRow &defaults = m_defaultLabels[qMakePair(placement->page, row.pageRow())];
        defaults.rpcaIds.append(row.rpcaId());
        if (defaults.label)
            continue;
        // Long defaults are cut to the room left, so that every column fits the window.
        defaults.label = new ElidedLabel;
        defaults.label->setObjectName(QStringLiteral("defaultText"));
        defaults.label->setStyleSheet(QLatin1String(kDefaultLabelStyle));
        placement->grid->addWidget(
            defaults.label, row.pageRow(), lastColumn.value(placement->page) + 1, 1, -1);
    }
}

QLabel *WidgetEngine::defaultLabelOf(int rpcaId) const
{
    const auto placement = m_placements.constFind(rpcaId);
    if (placement == m_placements.constEnd())
        return nullptr;
    const ControlRow row = m_definition.controlRows.value(rpcaId);
    return m_defaultLabels.value(qMakePair(placement->page, row.pageRow())).label;
}

QWidget *WidgetEngine::cellWidget(const ControlRow &row, int columnOffset) const
{
    const auto placement = m_placements.constFind(row.rpcaId());
    if (placement == m_placements.constEnd())
        return nullptr;
    QLayoutItem *item
        = placement->grid->itemAtPosition(row.pageRow(), row.pageCol() + columnOffset);
    return item ? item->widget() : nullptr;
}

void WidgetEngine::fillControls(bool onlyCurrentValues)
{
    if (!m_codec)
        return;
    for (const ControlRow &row : qAsConst(m_definition.valueRows)) {
        QWidget *control = m_controls.value(row.rpcaId());
        if (!control || !isValueKind(m_definition.kindOf(row)))
            continue;
        fillRow(row, control, onlyCurrentValues);
        const int p = row.bytePosition();
        bool shown
            = SettingRules::rowVisible(row.relatePosition(), row.relateValid(), m_settingBlock);
        const bool keptVisible
            = SettingRules::shownDisabledWhenHidden(m_definition.printerTypeName, p);
        showRow(row, control, shown || keptVisible, keptVisible && !shown);
    }
    // A check box with a byte of its own follows its row's visibility rule as well.
    for (const ControlRow &row : qAsConst(m_definition.controlRows)) {
        if (row.bytePosition() == 0 || m_definition.kindOf(row) != KindCheckBox)
            continue;
        if (QWidget *box = m_controls.value(row.rpcaId())) {
            const bool shown
                = SettingRules::rowVisible(row.relatePosition(), row.relateValid(), m_settingBlock);
            const bool keptVisible = SettingRules::shownDisabledWhenHidden(
                m_definition.printerTypeName, row.bytePosition());
            showRow(row, box, shown || keptVisible, keptVisible && !shown);
        }
    }
    refreshDefaultLabels();
}

void WidgetEngine::fillRow(const ControlRow &row, QWidget *control, bool onlyCurrentValues)
{
    const int p = row.bytePosition();
    QString defaultText;
    if (auto *combo = qobject_cast<AdOptionCombobox *>(control)) {
        const SettingCodec::Selection selection
            = m_codec->selectOption(row, m_settingBlock, m_legacyVariant);
        const SettingRules::OptionList &options = selection.options;
        QSignalBlocker blocker(combo);
        combo->setOptions(options);
        // No item for the byte: the selection stays, and Save keeps the byte unless the user
        // picks an item.
        if (selection.index >= 0)
            combo->setCurrentIndex(selection.index);
        setValueKnown(row, selection.index >= 0);
        combo->acceptCurrent();
        defaultText = SettingCodec::optionText(options, ValueCodec::byteAt(m_defaultBlock, p));
    } else if (auto *spin = qobject_cast<AdoptionSpinBox *>(control)) {
        const SettingCodec::Spin value = m_codec->spinValue(row, m_settingBlock);
        QSignalBlocker blocker(spin);
        spin->setDecimals(value.display.decimals);
        spin->setRange(value.minimum, value.maximum);
        spin->setSingleStep(1);
        spin->setSuffix(value.display.suffix);
        if (value.ok)
            spin->setValue(value.shown);
        setValueKnown(row, value.ok);
        spin->acceptCurrent();
        defaultText = SettingCodec::spinText(m_codec->spinValue(row, m_defaultBlock));
    } else if (auto *edit = qobject_cast<AdOptionEdit *>(control)) {
        const SettingRules::EditField field = m_codec->editField(row);
        QSignalBlocker blocker(edit);
        edit->setMaxLength(longestEntry(field, row));
        edit->setText(m_codec->editText(row, m_settingBlock));
        edit->acceptCurrent();
        defaultText = m_codec->editText(row, m_defaultBlock);
    }
    if (!onlyCurrentValues) {
        if (OptionControlState *state = OptionControlState::of(control))
            state->setDefaultText(defaultText);
    }
}

void WidgetEngine::setValueKnown(const ControlRow &row, bool known)
{
    if (known)
        m_unknownRows.remove(row.rpcaId());
    else
        m_unknownRows.insert(row.rpcaId());
}

void WidgetEngine::showRow(const ControlRow &row, QWidget *control, bool shown, bool disabledByRule)
{
    setShown(control, shown);
    if (SettingRules::shownDisabledWhenHidden(m_definition.printerTypeName, row.bytePosition()))
        control->setEnabled(!disabledByRule);
    // The caption is the label left of the control; a switch without a byte of its own right of
    // it belongs to the row as well.
    if (auto *caption = qobject_cast<AdoptionLabel *>(cellWidget(row, -1)))
        setShown(caption, shown);
    if (auto *box = qobject_cast<AdOptionCheckbox *>(cellWidget(row, 1))) {
        const int boxId = m_controls.key(box);
        if (m_definition.controlRows.value(boxId).bytePosition() == 0)
            setShown(box, shown);
    }
}

void WidgetEngine::refreshDefaultLabels()
{
    // Several value controls may share a grid row: the label shows the defaults of those shown.
    for (const DefaultRow &defaults : qAsConst(m_defaultLabels)) {
        QStringList texts;
        bool anyShown = false;
        for (int id : defaults.rpcaIds) {
            QWidget *control = m_controls.value(id);
            const OptionControlState *state = OptionControlState::of(control);
            if (!state || control->isHidden())
                continue;
            anyShown = true;
            if (!state->defaultText().isEmpty())
                texts.append(state->defaultText());
        }
        const QString text = texts.isEmpty()
            ? QString()
            : tr("Default: %1").arg(texts.join(QStringLiteral(" / ")));
        if (defaults.label->text() != text)
            defaults.label->setText(text);
        setShown(defaults.label, anyShown);
    }
}

void WidgetEngine::collect()
{
    QByteArray block = m_settingBlock;
    const QList<int> kept = collectInto(block);
    // A control that could not give its value shows the value that stays in the block again.
    for (int id : kept) {
        QWidget *control = m_controls.value(id);
        if (auto *spin = qobject_cast<AdoptionSpinBox *>(control)) {
            QSignalBlocker blocker(spin);
            spin->setValue(spin->referenceNumber());
        } else if (auto *edit = qobject_cast<AdOptionEdit *>(control)) {
            QSignalBlocker blocker(edit);
            edit->setText(edit->state().referenceText());
        }
    }
    for (const ControlRow &row : qAsConst(m_definition.valueRows)) {
        QWidget *control = m_controls.value(row.rpcaId());
        if (auto *combo = qobject_cast<AdOptionCombobox *>(control))
            combo->acceptCurrent();
        else if (auto *spin = qobject_cast<AdoptionSpinBox *>(control))
            spin->acceptCurrent();
        else if (auto *edit = qobject_cast<AdOptionEdit *>(control))
            edit->acceptCurrent();
    }
    m_settingBlock = block;
}

QByteArray WidgetEngine::collectedBlock(const QByteArray &block) const
{
    QByteArray collected = block;
    collectInto(collected);
    return collected;
}

// What the page shows is what is saved: every control gives its shown value, and only one that
// cannot encode it (an emptied edit box, a value its formula does not take) keeps its bytes.
QList<int> WidgetEngine::collectInto(QByteArray &block) const
{
    if (!m_codec)
        return {};
    return m_codec->collect(block, [this](const ControlRow &row) {
        SettingCodec::Shown shown;
        QWidget *control = m_controls.value(row.rpcaId());
        // A control still showing an earlier value for bytes it has none for gives nothing.
        if (m_unknownRows.contains(row.rpcaId())) {
            const OptionControlState *state = OptionControlState::of(control);
            if (!state || !state->isChanged())
                return shown;
        }
        if (auto *combo = qobject_cast<AdOptionCombobox *>(control)) {
            if (combo->currentIndex() >= 0
                && SettingCodec::optionValue(combo->options(), combo->currentText(), &shown.option))
                shown.form = SettingCodec::Shown::Option;
        } else if (auto *spin = qobject_cast<AdoptionSpinBox *>(control)) {
            shown.form = SettingCodec::Shown::Number;
            shown.number = spin->value();
        } else if (auto *edit = qobject_cast<AdOptionEdit *>(control)) {
            if (SettingRules::gatedByCheckBox(m_identity.typeCode, row.bytePosition())) {
                auto *gate = qobject_cast<QCheckBox *>(cellWidget(row, 1));
                if (gate && !gate->isChecked())
                    return shown;
            }
            shown.form = SettingCodec::Shown::Text;
            shown.text = edit->text();
        }
        return shown;
    });
}

void WidgetEngine::showImportedBlock(const QByteArray &block)
{
    QHash<QWidget *, QString> references;
    for (QWidget *control : qAsConst(m_controls)) {
        if (const OptionControlState *state = OptionControlState::of(control))
            references.insert(control, state->referenceText());
    }
    m_settingBlock = block;
    fillControls(true);
    for (auto it = references.cbegin(); it != references.cend(); ++it) {
        OptionControlState *state = OptionControlState::of(it.key());
        QString shown;
        if (auto *combo = qobject_cast<QComboBox *>(it.key()))
            shown = combo->currentText();
        else if (auto *spin = qobject_cast<QAbstractSpinBox *>(it.key()))
            shown = spin->text();
        else if (auto *edit = qobject_cast<QLineEdit *>(it.key()))
            shown = edit->text();
        else
            continue; // check boxes and labels carry no value of their own
        state->setReferenceText(it.value());
        state->compareWithReference(shown);
    }
}

bool WidgetEngine::hasUnsavedChanges() const
{
    for (QWidget *control : m_controls) {
        const OptionControlState *state = OptionControlState::of(control);
        if (state && state->isChanged())
            return true;
    }
    return false;
}
