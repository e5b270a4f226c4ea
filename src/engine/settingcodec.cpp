#include "engine/settingcodec.h"

#include <algorithm>
#include <cmath>

#include "engine/formulaevaluator.h"
#include "engine/settingsdefinition.h"
#include "engine/valuecodec.h"

namespace {
// Rows without formulas hold plain numbers: one byte, or two bytes high byte first.
const QString kPlainReadOne = QStringLiteral("H");
const QString kPlainReadTwo = QStringLiteral("H*256+L");
const QString kPlainWriteOne = QStringLiteral("H=value;L=0");
const QString kPlainWriteTwo = QStringLiteral("H=Math.floor(value/256);L=value%256");
// A designer who leaves both bounds empty stores 0 and 0: no usable range.
constexpr double kOpenRange = 999999.0;
constexpr int kTwoBytes = 2;
constexpr int kLastBlockPosition = 1023;
// The "RK-5200" quality box shows this item for a zero byte on the old firmware.
constexpr int kLegacyPosition = 185;
constexpr int kLegacyItem = 3;
const QString kLegacyTypeName = QStringLiteral("RK-5200");
const QString kHexPrefix = QStringLiteral("0x");

bool looksHexadecimal(const QString &text)
{
    // WEP keys in hexadecimal form are 10 or 26 digits long.
    if (text.size() != 10 && text.size() != 26)
        return false;
    for (QChar c : text) {
        if (!isxdigit(c.toLatin1()))
            return false;
    }
    return true;
}

void putBytes(QByteArray &block, int position, const QByteArray &bytes)
{
    for (int i = 0; i < bytes.size() && position + i < block.size(); ++i)
        block[position + i] = bytes.at(i);
}
} // namespace

SettingCodec::SettingCodec(
    const SettingsDefinition &definition, const QString &typeCode, FormulaEvaluator &evaluator)
    : m_definition(definition)
    , m_typeCode(typeCode)
    , m_evaluator(evaluator)
{
}

QString SettingCodec::caption(const ControlRow &row) const
{
    return m_definition.content(row.contentId());
}

QString SettingCodec::readFormula(const ControlRow &row) const
{
    const QString formula = m_definition.formula(row.readFormulaId());
    if (!formula.trimmed().isEmpty())
        return formula;
    return row.byteLength() >= kTwoBytes ? kPlainReadTwo : kPlainReadOne;
}

QString SettingCodec::writeFormula(const ControlRow &row) const
{
    const QString formula = m_definition.formula(row.writeFormulaId());
    if (!formula.trimmed().isEmpty())
        return formula;
    return row.byteLength() >= kTwoBytes ? kPlainWriteTwo : kPlainWriteOne;
}

SettingCodec::Spin SettingCodec::spinValue(const ControlRow &row, const QByteArray &block) const
{
    Spin spin;
    spin.display = SettingRules::spinDisplay(m_typeCode, row.bytePosition());
    spin.minimum = row.minLength();
    spin.maximum = row.maxLength();
    if (spin.maximum <= spin.minimum) {
        spin.minimum = -kOpenRange;
        spin.maximum = kOpenRange;
    }
    const int p = row.bytePosition();
    double value = ValueCodec::readValue(m_evaluator, readFormula(row),
        ValueCodec::byteAt(block, p), ValueCodec::byteAt(block, p + 1), &spin.ok);
    if (!spin.ok)
        return spin;
    if (spin.display.truncate)
        value = std::trunc(value);
    value += spin.display.offset;
    // As the spin box keeps it: rounded to its decimals, within its range.
    const double scale = std::pow(10.0, spin.display.decimals);
    value = std::round(value * scale) / scale;
    spin.shown = qBound(spin.minimum, value, spin.maximum);
    return spin;
}

QString SettingCodec::spinText(const Spin &spin)
{
    if (!spin.ok)
        return QString();
    return QString::number(spin.shown, 'f', spin.display.decimals) + spin.display.suffix;
}

bool SettingCodec::storeSpin(const ControlRow &row, double shown, QByteArray &block) const
{
    const SettingRules::SpinDisplay display
        = SettingRules::spinDisplay(m_typeCode, row.bytePosition());
    return storeNumber(row, shown - display.offset, block);
}

bool SettingCodec::storeNumber(const ControlRow &row, double value, QByteArray &block) const
{
    const int p = row.bytePosition();
    if (p <= 0 || p >= block.size())
        return false;
    const ValueCodec::WrittenBytes bytes
        = ValueCodec::writeValue(m_evaluator, writeFormula(row), value);
    if (!bytes.highOk)
        return false;
    block[p] = char(bytes.high);
    // A one-byte value must not overwrite its neighbour's setting.
    if (bytes.lowOk && row.byteLength() >= kTwoBytes && p + 1 < block.size())
        block[p + 1] = char(bytes.low);
    return true;
}

SettingRules::EditField SettingCodec::editField(const ControlRow &row) const
{
    const bool hasFormula = !m_definition.formula(row.readFormulaId()).trimmed().isEmpty();
    return SettingRules::editField(
        caption(row), m_typeCode, row.bytePosition(), row.byteLength(), hasFormula);
}

QString SettingCodec::editText(const ControlRow &row, const QByteArray &block, bool *ok) const
{
    const SettingRules::EditField field = editField(row);
    const int p = row.bytePosition();
    if (ok)
        *ok = true;
    switch (field.form) {
    case SettingRules::FieldForm::Number: {
        bool valueOk = false;
        const double value = ValueCodec::readValue(m_evaluator, readFormula(row),
            ValueCodec::byteAt(block, p), ValueCodec::byteAt(block, p + 1), &valueOk);
        if (ok)
            *ok = valueOk;
        return valueOk ? ValueCodec::shortestNumberText(value) : QString();
    }
    case SettingRules::FieldForm::Text: {
        const QString text = ValueCodec::readTextField(block, p, field.length);
        return field.hexPrefix && looksHexadecimal(text) ? kHexPrefix + text : text;
    }
    case SettingRules::FieldForm::Ipv4:
        return ValueCodec::ipv4Text(block, p);
    case SettingRules::FieldForm::Ipv6LinkLocal:
        return ValueCodec::ipv6LinkLocalText(block, p);
    case SettingRules::FieldForm::HexBytes:
        return ValueCodec::hexByteText(block.mid(p, field.length), true);
    }
    return QString();
}

bool SettingCodec::storeEdit(const ControlRow &row, const QString &text, QByteArray &block) const
{
    const SettingRules::EditField field = editField(row);
    const int p = row.bytePosition();
    if (p <= 0 || p >= block.size())
        return false;
    switch (field.form) {
    case SettingRules::FieldForm::Number: {
        bool ok = false;
        const double value = text.trimmed().toDouble(&ok);
        return ok && storeNumber(row, value, block);
    }
    case SettingRules::FieldForm::Text: {
        QString plain = text;
        if (field.hexPrefix && plain.startsWith(kHexPrefix))
            plain = plain.mid(kHexPrefix.size());
        putBytes(block, p, ValueCodec::encodeTextField(plain, field.length));
        return true;
    }
    case SettingRules::FieldForm::Ipv4: {
        const QByteArray bytes = ValueCodec::parseIpv4Text(text);
        putBytes(block, p, bytes);
        return !bytes.isEmpty();
    }
    case SettingRules::FieldForm::Ipv6LinkLocal:
        // Shown only: the groups drop leading zeros, so the text does not give the bytes back.
        return false;
    case SettingRules::FieldForm::HexBytes: {
        const QByteArray bytes = ValueCodec::parseHexByteText(text, field.length);
        putBytes(block, p, bytes);
        return !bytes.isEmpty();
    }
    }
    return false;
}

SettingRules::OptionList SettingCodec::rawOptions(const ControlRow &row) const
{
    SettingRules::OptionList list;
    const QList<OptionItem> items = m_definition.optionItems.value(row.rpcaId());
    for (const OptionItem &item : items)
        list.append({ m_definition.content(item.contentId()), item.contentOrder() });
    return list;
}

SettingRules::OptionList SettingCodec::options(const ControlRow &row, const QByteArray &block) const
{
    return SettingRules::adjustOptionList(
        row.bytePosition(), rawOptions(row), block, m_typeCode, m_definition.printerTypeName);
}

QString SettingCodec::optionText(const SettingRules::OptionList &options, int value)
{
    for (const SettingRules::OptionEntry &entry : options) {
        if (entry.value == value)
            return entry.text;
    }
    return QString();
}

SettingCodec::Selection SettingCodec::selectOption(
    const ControlRow &row, const QByteArray &block, bool legacyVariant) const
{
    const SettingRules::OptionList all = rawOptions(row);
    const int byte = ValueCodec::byteAt(block, row.bytePosition());
    const bool known = std::any_of(
        all.cbegin(), all.cend(), [byte](const auto &entry) { return entry.value == byte; });
    Selection selection;
    selection.options = SettingRules::adjustOptionList(
        row.bytePosition(), all, block, m_typeCode, m_definition.printerTypeName);
    if (known && !selection.options.isEmpty()) {
        selection.index = 0;
        for (int i = 0; i < selection.options.size(); ++i) {
            // By value: the adjustment may give an item another text.
            if (selection.options.at(i).value == byte) {
                selection.index = i;
                break;
            }
        }
    }
    if (m_definition.printerTypeName == kLegacyTypeName && row.bytePosition() == kLegacyPosition
        && legacyVariant && byte == 0 && selection.options.size() > kLegacyItem)
        selection.index = kLegacyItem;
    return selection;
}

bool SettingCodec::optionValue(
    const SettingRules::OptionList &options, const QString &text, int *value)
{
    bool found = false;
    for (const SettingRules::OptionEntry &entry : options) {
        if (entry.text == text) {
            *value = entry.value;
            found = true;
        }
    }
    return found;
}

QList<int> SettingCodec::collect(QByteArray &block, const ShownOf &shownOf) const
{
    QList<int> kept;
    for (const ControlRow &row : m_definition.valueRows) {
        const int p = row.bytePosition();
        if (p > kLastBlockPosition)
            break;
        if (p <= 0 || p >= block.size() || SettingRules::skippedByCollect(m_typeCode, p))
            continue;
        const Shown shown = shownOf(row);
        bool stored = true;
        switch (shown.form) {
        case Shown::Nothing:
            continue;
        case Shown::Option:
            block[p] = char(shown.option);
            break;
        case Shown::Number:
            stored = storeSpin(row, shown.number, block);
            break;
        case Shown::Text:
            // An emptied box writes nothing: the rest of the block is still collected.
            stored = !shown.text.isEmpty() && storeEdit(row, shown.text, block);
            break;
        }
        if (!stored)
            kept.append(row.rpcaId());
    }
    return kept;
}
