#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// The model-specific rules of the value encoding, chosen by the printer type code (and in a few
// places by the printer type name). Plain functions of texts and bytes.
namespace SettingRules {

// How a double spin box shows the value of its read formula.
struct SpinDisplay
{
    int decimals = 2;
    QString suffix;
    // Added to the read value for showing, taken off again before writing.
    double offset = 0.0;
    // The shown value is the read value truncated to an integer.
    bool truncate = false;
};
SpinDisplay spinDisplay(const QString &typeCode, int position);

// What an edit box holds, decided by its caption (content text) and its row.
enum class FieldForm {
    Number, // read and write formulas
    Text, // GB18030 text of a fixed number of bytes
    Ipv4, // four bytes shown dotted
    Ipv6LinkLocal, // eight bytes shown as "FE80::.../64" (shown only)
    HexBytes, // bytes as hexadecimal pairs joined by "."
};
struct EditField
{
    FieldForm form = FieldForm::Number;
    int length = 0; // bytes of a text, address or hexadecimal field
    bool hexPrefix = false; // a WEP key kept in hexadecimal digits is shown with "0x"
};
EditField editField(const QString &caption, const QString &typeCode, int position, int byteLength,
    bool hasReadFormula);

// Positions that the collect walk leaves to the network groups.
bool skippedByCollect(const QString &typeCode, int position);

// Edit boxes that are written only when the check box right of them is checked.
bool gatedByCheckBox(const QString &typeCode, int position);

// Rows shown (but disabled) on this printer type even when their visibility rule hides them.
bool shownDisabledWhenHidden(const QString &typeName, int position);

// One entry of a combo box: its text and the byte it stands for.
struct OptionEntry
{
    QString text;
    int value = 0;
    bool operator==(const OptionEntry &other) const
    {
        return text == other.text && value == other.value;
    }
};
using OptionList = QVector<OptionEntry>;

// The option list of the combo box at `position` after the model-specific adjustments, starting
// from the row's own option items. Lists of other positions come back unchanged.
OptionList adjustOptionList(int position, const OptionList &items, const QByteArray &block,
    const QString &typeCode, const QString &typeName);

// Row visibility: positions P and conditions V, each joined by "+".
bool rowVisible(const QString &relatePosition, const QString &relateValid, const QByteArray &block);

} // namespace SettingRules
