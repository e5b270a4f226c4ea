#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include "database/designstore.h"
#include "engine/settingsdefinition.h"

// The designer's record of one control, as the property editor shows and fills it. Everything the
// editor does not show (parent relation, time-out, related control) is kept as it was loaded.
struct OptionProperty : DesignControl
{
    enum ShowHideRule { RuleNone = 0, RuleConnectByte = 1 };
    enum InstructionType { InstructionNone = 0, InstructionExport = 1, InstructionParameter = 2 };

    OptionProperty() = default;
    explicit OptionProperty(const DesignControl &control)
        : DesignControl(control)
    {
    }

    // "Connect Byte" once the control depends on a byte.
    int showHideRule() const;
    // The option list as the editor lists it: "english++chinese++value" per option.
    QStringList optionEntries() const;
    // The caption in the language (0 Chinese, 1 English); the other language's text when empty.
    QString caption(int language) const;
};

// The texts of the property editor's fields when it is confirmed.
struct OptionEditorFields
{
    int kind = 0;
    QString labelEnglish;
    QString labelChinese;
    QString byteSize;
    QString bytePosition;
    QStringList options; // "english++chinese++value"
    QString minLength;
    QString maxLength;
    QString annotationChinese;
    QString annotationEnglish;
    QString readFormula;
    QString writeFormula;
    int instructionType = 0;
    QString instructionName;
    QString paramPosition;
    int showHideRule = 0;
    QString connectByte;
    QString validValue;

    // The fields as the editor shows the record.
    static OptionEditorFields of(const OptionProperty &property);
};

// The property editor's rules, without its widgets.
class OptionRules
{
    Q_DECLARE_TR_FUNCTIONS(OptionRules)

public:
    // Control kinds in the order of the "Control properties:" combo box, untranslated (tr()).
    static const QStringList &kindNames();
    static const QStringList &instructionTypeNames();
    static const QStringList &showHideRuleNames();

    // Parses one option list entry: the English text, the Chinese text and the value (0 when
    // the third part is not a decimal number).
    static DesignOption parseOptionEntry(const QString &entry);
    static QString optionEntry(const DesignOption &option);
    // The entry a new option starts as, given the number of entries already listed.
    static QString newOptionEntry(int count);

    // Fills the record from the editor's fields. Returns the message (message box type 2) that
    // keeps the editor open, or an empty text when the record took the fields.
    static QString save(const OptionEditorFields &fields, OptionProperty *property);

    // The decimal value of a text; 0 for anything that is not a number, as the editor has
    // always read its numeric fields.
    static int decimal(const QString &text);
    static double real(const QString &text);
};
