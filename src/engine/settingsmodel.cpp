#include "engine/settingsmodel.h"

#include <algorithm>
#include <cmath>

#include <QLocale>

#include "engine/formulaevaluator.h"
#include "engine/settingcodec.h"
#include "engine/settingrules.h"
#include "engine/valuecodec.h"

namespace {
constexpr int kLastBlockPosition = 1023;
// The edit box limits of the page (QLineEdit's own default is its "no limit").
constexpr int kUnlimitedEdit = 32767;
constexpr int kDottedAddress = 15; // "255.255.255.255"
constexpr int kHexPrefixLength = 2;
// A spin box without designed bounds offers this range.
constexpr double kOpenRange = 999999.0;
const QLatin1Char kPageSeparator('/');
const QLatin1Char kNumberMark('#');
const QLatin1Char kPositionMark('@');
const QLatin1Char kAssignment('=');

bool isValueKind(ControlKind kind)
{
    return kind == KindEdit || kind == KindComboBox || kind == KindSpinBox;
}

QString cellKey(int page, int row, int col)
{
    return QStringLiteral("%1:%2:%3").arg(page).arg(row).arg(col);
}

// The index of the option with this text; -1 when none has it.
int optionIndexOf(const SettingRules::OptionList &options, const QString &text)
{
    for (int i = 0; i < options.size(); ++i) {
        if (options.at(i).text == text)
            return i;
    }
    return -1;
}

QString numberText(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

void say(QString *message, const QString &text)
{
    if (message)
        *message = text;
}
} // namespace

SettingsModel::SettingsModel(
    const SettingsDefinition &definition, const QString &typeCode, bool legacyVariant)
    : m_definition(definition)
    , m_typeCode(typeCode)
    , m_legacyVariant(legacyVariant)
    , m_evaluator(std::make_unique<FormulaEvaluator>())
    , m_codec(std::make_unique<SettingCodec>(m_definition, m_typeCode, *m_evaluator))
{
    buildEntries();
}

SettingsModel::~SettingsModel() = default;

void SettingsModel::buildEntries()
{
    // What the page puts into each grid cell first: the caption of a value control is the label
    // in the cell left of it.
    QHash<QString, ControlRow> firstInCell;
    QVector<ControlRow> valueControls;
    for (const ControlRow &row : qAsConst(m_definition.controlRows)) {
        const ControlKind kind = m_definition.kindOf(row);
        const int page = m_definition.pageOf(row);
        if (kind == KindNone || page < 0)
            continue;
        const QString key = cellKey(page, row.pageRow(), row.pageCol());
        if (!firstInCell.contains(key))
            firstInCell.insert(key, row);
        // Only the row a position's value rows table keeps is ever filled by the page.
        if (isValueKind(kind) && row.bytePosition() != 0
            && m_definition.valueRows.value(row.bytePosition()).rpcaId() == row.rpcaId())
            valueControls.append(row);
    }
    std::sort(valueControls.begin(), valueControls.end(),
        [this](const ControlRow &a, const ControlRow &b) {
            const int pa = m_definition.pageOf(a);
            const int pb = m_definition.pageOf(b);
            if (pa != pb)
                return pa < pb;
            if (a.pageRow() != b.pageRow())
                return a.pageRow() < b.pageRow();
            if (a.pageCol() != b.pageCol())
                return a.pageCol() < b.pageCol();
            return a.rpcaId() < b.rpcaId();
        });

    QHash<QString, int> seen; // lower-case "page/caption" -> how many so far
    for (const ControlRow &row : qAsConst(valueControls)) {
        Entry entry;
        entry.rpcaId = row.rpcaId();
        entry.page = m_definition.pageOf(row);
        const auto left
            = firstInCell.constFind(cellKey(entry.page, row.pageRow(), row.pageCol() - 1));
        if (left != firstInCell.constEnd() && m_definition.kindOf(*left) == KindLabel)
            entry.caption = m_definition.content(left->contentId());
        if (entry.caption.isEmpty())
            entry.caption = m_definition.content(row.contentId());
        const QString base
            = m_definition.pageTitles.value(entry.page) + kPageSeparator + entry.caption;
        const int number = ++seen[base.toLower()];
        entry.name = number == 1 ? base : base + kNumberMark + QString::number(number);
        entry.aliases << entry.name.toLower();
        if (number == 1)
            entry.aliases << (base + kNumberMark + QLatin1Char('1')).toLower();
        entry.aliases << (kPositionMark + QString::number(row.bytePosition()));
        const int index = m_entries.size();
        for (const QString &alias : qAsConst(entry.aliases)) {
            if (!m_byName.contains(alias))
                m_byName.insert(alias, index);
        }
        m_entries.append(entry);
    }
}

int SettingsModel::editLimit(const ControlRow &row) const
{
    const SettingRules::EditField field = m_codec->editField(row);
    switch (field.form) {
    case SettingRules::FieldForm::Text:
        return field.length + (field.hexPrefix ? kHexPrefixLength : 0);
    case SettingRules::FieldForm::HexBytes:
        return field.length * 3 - 1;
    case SettingRules::FieldForm::Ipv4:
        return kDottedAddress;
    case SettingRules::FieldForm::Ipv6LinkLocal:
        return kUnlimitedEdit;
    case SettingRules::FieldForm::Number:
        break;
    }
    return row.maxLength() >= 1 ? int(row.maxLength()) : kUnlimitedEdit;
}

SettingItem SettingsModel::itemFor(const Entry &entry) const
{
    return itemFor(entry, m_block);
}

SettingItem SettingsModel::itemFor(const Entry &entry, const QByteArray &block) const
{
    const ControlRow row = m_definition.controlRows.value(entry.rpcaId);
    const int p = row.bytePosition();
    SettingItem item;
    item.rpcaId = entry.rpcaId;
    item.position = p;
    item.length = row.byteLength();
    item.kind = m_definition.kindOf(row);
    item.page = entry.page;
    item.pageTitle = m_definition.pageTitles.value(entry.page);
    item.caption = entry.caption;
    item.name = entry.name;

    const bool shown = SettingRules::rowVisible(row.relatePosition(), row.relateValid(), block);
    const bool keptVisible = SettingRules::shownDisabledWhenHidden(m_definition.printerTypeName, p);
    item.visible = shown || keptVisible;
    item.enabled = shown || !keptVisible;
    item.savedWithPage
        = p > 0 && p <= kLastBlockPosition && !SettingRules::skippedByCollect(m_typeCode, p);

    switch (item.kind) {
    case KindComboBox: {
        const SettingCodec::Selection selection
            = m_codec->selectOption(row, block, m_legacyVariant);
        const SettingRules::OptionList &options = selection.options;
        for (const SettingRules::OptionEntry &option : options)
            item.choices.append(option.text);
        item.valueKnown = selection.index >= 0;
        item.value = item.valueKnown ? options.at(selection.index).text : QString();
        item.defaultValue = SettingCodec::optionText(options, ValueCodec::byteAt(m_defaults, p));
        item.hint = QStringLiteral("one of the choices");
        break;
    }
    case KindSpinBox: {
        const SettingCodec::Spin spin = m_codec->spinValue(row, block);
        item.valueKnown = spin.ok;
        item.value = SettingCodec::spinText(spin);
        item.defaultValue = SettingCodec::spinText(m_codec->spinValue(row, m_defaults));
        if (spin.maximum >= kOpenRange)
            item.hint = QStringLiteral("a number");
        else
            item.hint
                = QStringLiteral("a number from %1 to %2%3")
                      .arg(numberText(spin.minimum, spin.display.decimals),
                          numberText(spin.maximum, spin.display.decimals), spin.display.suffix);
        break;
    }
    case KindEdit: {
        bool ok = false;
        // The edit box cuts what it is given to its length.
        item.value = m_codec->editText(row, block, &ok).left(editLimit(row));
        item.valueKnown = ok;
        item.defaultValue = m_codec->editText(row, m_defaults);
        const SettingRules::EditField field = m_codec->editField(row);
        switch (field.form) {
        case SettingRules::FieldForm::Number:
            item.hint = QStringLiteral("a number");
            break;
        case SettingRules::FieldForm::Text:
            item.hint = QStringLiteral("a text of at most %1 bytes").arg(field.length);
            break;
        case SettingRules::FieldForm::Ipv4:
            item.hint = QStringLiteral("an address such as 192.168.0.1");
            break;
        case SettingRules::FieldForm::HexBytes:
            item.hint
                = QStringLiteral("%1 bytes as hexadecimal pairs joined by \".\"").arg(field.length);
            break;
        case SettingRules::FieldForm::Ipv6LinkLocal:
            item.hint = QStringLiteral("shown only");
            break;
        }
        break;
    }
    default:
        break;
    }
    return item;
}

QVector<SettingItem> SettingsModel::items() const
{
    QVector<SettingItem> list;
    list.reserve(m_entries.size());
    for (const Entry &entry : m_entries)
        list.append(itemFor(entry));
    return list;
}

QVector<SettingItem> SettingsModel::visibleItems() const
{
    QVector<SettingItem> list;
    for (const Entry &entry : m_entries) {
        SettingItem item = itemFor(entry);
        if (item.visible)
            list.append(item);
    }
    return list;
}

int SettingsModel::entryIndex(const QString &name) const
{
    return m_byName.value(name.trimmed().toLower(), -1);
}

bool SettingsModel::find(const QString &name, SettingItem *item, QString *why) const
{
    const int index = entryIndex(name);
    if (index < 0) {
        say(why, QStringLiteral("no setting \"%1\" on this printer").arg(name));
        return false;
    }
    if (item)
        *item = itemFor(m_entries.at(index));
    return true;
}

SettingsModel::Apply SettingsModel::apply(
    const QString &name, const QString &value, QString *message)
{
    const int index = entryIndex(name);
    if (index < 0) {
        say(message, QStringLiteral("no setting \"%1\" on this printer").arg(name));
        return Apply::UnknownName;
    }
    const SettingItem item = itemFor(m_entries.at(index));
    const ControlRow row = m_definition.controlRows.value(item.rpcaId);
    if (!item.visible) {
        say(message,
            QStringLiteral("\"%1\" is hidden on the settings page by the current settings")
                .arg(item.name));
        return Apply::NotSettable;
    }
    if (!item.enabled) {
        say(message,
            QStringLiteral("\"%1\" is shown disabled on the settings page").arg(item.name));
        return Apply::NotSettable;
    }
    if (!item.savedWithPage) {
        say(message,
            QStringLiteral("\"%1\" is written by its group's own Write button, not by Save")
                .arg(item.name));
        return Apply::NotSettable;
    }
    if (item.position >= m_block.size()) {
        say(message,
            QStringLiteral("the setting block has %1 bytes, \"%2\" is at position %3")
                .arg(m_block.size())
                .arg(item.name)
                .arg(item.position));
        return Apply::NotSettable;
    }
    Apply result = Apply::InvalidValue;
    switch (item.kind) {
    case KindComboBox:
        result = applyCombo(row, item, value, message);
        break;
    case KindSpinBox:
        result = applySpin(row, item, value, message);
        break;
    case KindEdit:
        result = applyEdit(row, item, value, message);
        break;
    default:
        break;
    }
    if (result == Apply::Changed) {
        say(message,
            QStringLiteral("%1: %2 -> %3")
                .arg(item.name, item.value, itemFor(m_entries.at(index)).value));
    } else if (result == Apply::Unchanged) {
        say(message, QStringLiteral("%1: %2 (unchanged)").arg(item.name, item.value));
    }
    return result;
}

SettingsModel::Apply SettingsModel::applyAssignment(const QString &assignment, QString *message)
{
    // Names may hold "=" themselves: the first split whose left side names a control wins.
    for (int at = assignment.indexOf(kAssignment); at >= 0;
         at = assignment.indexOf(kAssignment, at + 1)) {
        const QString name = assignment.left(at);
        if (entryIndex(name) >= 0)
            return apply(name, assignment.mid(at + 1), message);
    }
    const int at = assignment.indexOf(kAssignment);
    if (at < 0) {
        say(message,
            QStringLiteral("\"%1\" is not of the form Page/Caption=value").arg(assignment));
        return Apply::InvalidValue;
    }
    say(message, QStringLiteral("no setting \"%1\" on this printer").arg(assignment.left(at)));
    return Apply::UnknownName;
}

SettingsModel::Apply SettingsModel::applyCombo(
    const ControlRow &row, const SettingItem &item, const QString &value, QString *message)
{
    const SettingRules::OptionList options = m_codec->options(row, m_block);
    QString text = value.trimmed();
    if (optionIndexOf(options, text) < 0) {
        // Case is forgiven when it leaves no doubt.
        QStringList matches;
        for (const SettingRules::OptionEntry &option : options) {
            if (option.text.compare(text, Qt::CaseInsensitive) == 0
                && !matches.contains(option.text))
                matches.append(option.text);
        }
        if (matches.size() != 1) {
            say(message,
                QStringLiteral("\"%1\" is no choice of \"%2\"; choices: %3")
                    .arg(value, item.name, item.choices.join(QStringLiteral(", "))));
            return Apply::InvalidValue;
        }
        text = matches.first();
    }
    if (item.valueKnown && text == item.value)
        return Apply::Unchanged;
    int byte = 0;
    SettingCodec::optionValue(options, text, &byte);
    m_block[item.position] = char(byte);
    return Apply::Changed;
}

SettingsModel::Apply SettingsModel::applySpin(
    const ControlRow &row, const SettingItem &item, const QString &value, QString *message)
{
    SettingCodec::Spin spin = m_codec->spinValue(row, m_block);
    QString text = value.trimmed();
    const QString unit = spin.display.suffix.trimmed();
    if (!unit.isEmpty() && text.endsWith(unit, Qt::CaseInsensitive))
        text = text.left(text.size() - unit.size()).trimmed();
    bool ok = false;
    double number = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(number)) {
        say(message,
            QStringLiteral("\"%1\" takes %2, not \"%3\"").arg(item.name, item.hint, value));
        return Apply::InvalidValue;
    }
    // As the spin box keeps what is typed: rounded to its decimals.
    const double scale = std::pow(10.0, spin.display.decimals);
    number = std::round(number * scale) / scale;
    if (number < spin.minimum || number > spin.maximum) {
        say(message, QStringLiteral("\"%1\" takes %2, not %3").arg(item.name, item.hint, value));
        return Apply::InvalidValue;
    }
    spin.shown = number;
    spin.ok = true;
    if (item.valueKnown && SettingCodec::spinText(spin) == item.value)
        return Apply::Unchanged;
    if (!m_codec->storeSpin(row, number, m_block)) {
        say(message,
            QStringLiteral("the formula of \"%1\" gives no bytes for %2").arg(item.name, value));
        return Apply::InvalidValue;
    }
    return Apply::Changed;
}

SettingsModel::Apply SettingsModel::applyEdit(
    const ControlRow &row, const SettingItem &item, const QString &value, QString *message)
{
    const SettingRules::EditField field = m_codec->editField(row);
    if (field.form == SettingRules::FieldForm::Ipv6LinkLocal) {
        say(message, QStringLiteral("\"%1\" is shown only").arg(item.name));
        return Apply::NotSettable;
    }
    if (value.isEmpty()) {
        say(message,
            QStringLiteral("\"%1\" takes %2, not an empty text").arg(item.name, item.hint));
        return Apply::InvalidValue;
    }
    const int limit = editLimit(row);
    if (value.size() > limit) {
        say(message,
            QStringLiteral("\"%1\" takes at most %2 characters").arg(item.name).arg(limit));
        return Apply::InvalidValue;
    }
    if (item.valueKnown && value == item.value)
        return Apply::Unchanged;
    QByteArray block = m_block;
    if (!m_codec->storeEdit(row, value, block)) {
        say(message,
            QStringLiteral("\"%1\" takes %2, not \"%3\"").arg(item.name, item.hint, value));
        return Apply::InvalidValue;
    }
    m_block = block;
    return Apply::Changed;
}

int SettingsModel::spanOf(const ControlRow &row) const
{
    const int numberBytes = row.byteLength() >= 2 ? 2 : 1;
    if (m_definition.kindOf(row) != KindEdit)
        return numberBytes;
    const SettingRules::EditField field = m_codec->editField(row);
    return field.form == SettingRules::FieldForm::Number ? numberBytes : qMax(1, field.length);
}

QByteArray SettingsModel::importedBlock(const QByteArray &current, const QByteArray &imported) const
{
    QByteArray result = imported;
    for (const Entry &entry : m_entries) {
        if (itemFor(entry, imported).valueKnown)
            continue;
        const ControlRow row = m_definition.controlRows.value(entry.rpcaId);
        const int end = qMin(row.bytePosition() + spanOf(row), qMin(result.size(), current.size()));
        for (int p = row.bytePosition(); p < end; ++p)
            result[p] = current.at(p);
    }
    return collectedBlock(result);
}

void SettingsModel::collect()
{
    m_block = collectedBlock(m_block);
}

// The same walk as the page's Save (SettingCodec::collect), with the values the page shows for
// `shown`, all taken before the walk changes a byte.
QByteArray SettingsModel::collectedBlock(const QByteArray &shown) const
{
    QHash<int, SettingItem> byRow; // rpca_id
    for (const Entry &entry : m_entries)
        byRow.insert(entry.rpcaId, itemFor(entry, shown));
    QByteArray block = shown;
    m_codec->collect(block, [&](const ControlRow &row) {
        SettingCodec::Shown value;
        const auto item = byRow.constFind(row.rpcaId());
        if (item == byRow.constEnd() || !item->valueKnown)
            return value;
        switch (item->kind) {
        case KindComboBox:
            if (SettingCodec::optionValue(
                    m_codec->selectOption(row, shown, m_legacyVariant).options, item->value,
                    &value.option))
                value.form = SettingCodec::Shown::Option;
            break;
        case KindSpinBox:
            value.form = SettingCodec::Shown::Number;
            value.number = m_codec->spinValue(row, shown).shown;
            break;
        case KindEdit:
            // A "Define" switch starts off: the box behind it is not saved.
            if (!SettingRules::gatedByCheckBox(m_typeCode, row.bytePosition())
                || !hasCheckBoxRightOf(row)) {
                value.form = SettingCodec::Shown::Text;
                value.text = item->value;
            }
            break;
        default:
            break;
        }
        return value;
    });
    return block;
}

bool SettingsModel::hasCheckBoxRightOf(const ControlRow &row) const
{
    const int page = m_definition.pageOf(row);
    for (const ControlRow &other : qAsConst(m_definition.controlRows)) {
        if (m_definition.kindOf(other) != KindNone && m_definition.pageOf(other) == page
            && other.pageRow() == row.pageRow()
            && other.pageCol() == row.pageCol() + 1)
            return m_definition.kindOf(other) == KindCheckBox;
    }
    return false;
}
