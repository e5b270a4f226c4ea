#pragma once

#include <functional>

#include <QByteArray>
#include <QList>
#include <QString>

#include "engine/settingrules.h"

class ControlRow;
class FormulaEvaluator;
struct SettingsDefinition;

// The values of one printer type's value rows: what each control shows for the bytes of a block,
// and the bytes each control's value is written back as. Widget-free, so that the encoding of
// every delivered printer type is tested without a window.
class SettingCodec
{
public:
    SettingCodec(
        const SettingsDefinition &definition, const QString &typeCode, FormulaEvaluator &evaluator);

    QString typeCode() const { return m_typeCode; }
    QString caption(const ControlRow &row) const;

    // A double spin box's value, already in the form the spin box shows it (display offset,
    // truncation and decimals applied) and the range it offers.
    struct Spin
    {
        double shown = 0.0;
        bool ok = false;
        double minimum = 0.0;
        double maximum = 0.0;
        SettingRules::SpinDisplay display;
    };
    Spin spinValue(const ControlRow &row, const QByteArray &block) const;
    // The spin box's text for a value: decimals and suffix.
    static QString spinText(const Spin &spin);
    // Writes a shown value back; false (block unchanged) when the formula gives no byte.
    bool storeSpin(const ControlRow &row, double shown, QByteArray &block) const;

    SettingRules::EditField editField(const ControlRow &row) const;
    // The edit box text for the bytes; false when the bytes give no value (formula error).
    QString editText(const ControlRow &row, const QByteArray &block, bool *ok = nullptr) const;
    // Writes an edit box text back; false (block unchanged) for a text that is no value of the
    // field, e.g. a letter in a numeric field or a malformed address.
    bool storeEdit(const ControlRow &row, const QString &text, QByteArray &block) const;

    // The row's option items as texts and values, after the model-specific adjustments for the
    // block.
    SettingRules::OptionList options(const ControlRow &row, const QByteArray &block) const;
    // The row's option items as texts and values, as the database lists them.
    SettingRules::OptionList rawOptions(const ControlRow &row) const;
    // Text of the entry that stands for the byte; empty when none does.
    static QString optionText(const SettingRules::OptionList &options, int value);

    // A combo box as it shows the block: the byte's item is chosen in the row's own list, then
    // the list is adjusted for the model; an item the adjustment takes away leaves the first one
    // shown. Index -1 when no item stands for the byte.
    struct Selection
    {
        SettingRules::OptionList options;
        int index = -1;
    };
    Selection selectOption(const ControlRow &row, const QByteArray &block, bool legacyVariant) const;
    // The byte a combo box's shown text is saved as: the last entry with that text wins, as the
    // box keeps one value per text. False for a text no entry has.
    static bool optionValue(const SettingRules::OptionList &options, const QString &text, int *value);

    // What a value control shows, as the collect walk reads it.
    struct Shown
    {
        enum Form { Nothing, Option, Number, Text };
        Form form = Nothing; // Nothing: the control has no value to give (its byte stays)
        int option = 0; // the byte of the shown item
        double number = 0.0; // a spin box's value as shown
        QString text; // an edit box's text
    };
    using ShownOf = std::function<Shown(const ControlRow &)>;
    // Writes what every value row's control shows into the block, position by position, leaving
    // the network ranges to their groups. Returns the rows (rpca ids) whose bytes stayed because
    // the control could not encode what it shows: an empty edit box, a value the formula or the
    // field does not take.
    QList<int> collect(QByteArray &block, const ShownOf &shownOf) const;

private:
    QString readFormula(const ControlRow &row) const;
    QString writeFormula(const ControlRow &row) const;
    bool storeNumber(const ControlRow &row, double value, QByteArray &block) const;

    const SettingsDefinition &m_definition;
    QString m_typeCode;
    FormulaEvaluator &m_evaluator;
};
