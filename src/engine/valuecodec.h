#pragma once

#include <QByteArray>
#include <QString>

class FormulaEvaluator;

// Conversions between the bytes of the setting block and the values the controls show.
namespace ValueCodec {

// The two bytes a write formula produced; a byte whose expression failed is not ok and must not
// be stored.
struct WrittenBytes
{
    quint8 high = 0;
    quint8 low = 0;
    bool highOk = false;
    bool lowOk = false;
};

// Byte at a position taken unsigned; 0 outside the block.
quint8 byteAt(const QByteArray &block, int position);

// The read formula with H and L substituted. "a;b": a for H <= 126, b for H >= 127.
double readValue(FormulaEvaluator &evaluator, const QString &formula, quint8 high, quint8 low,
    bool *ok = nullptr);

// The write formula "H=...;L=..." applied to a value.
WrittenBytes writeValue(FormulaEvaluator &evaluator, const QString &formula, double value);

// Truncation toward zero and the lowest 8 bits (256 -> 0, -1 -> 255). False for NaN/infinity.
bool lowest8Bits(double result, quint8 *byte);

// A number as an edit box shows it: at most 6 significant digits, no trailing zeros.
QString shortestNumberText(double value);

// A text field of `length` bytes from `position`: single bytes below 0x81, GB18030 otherwise; it
// ends at the first 0 byte, after `length` bytes or at the end of the block.
QString readTextField(const QByteArray &block, int position, int length);

// GB18030 bytes of a text padded with 0 to `length`; a character that would not fit is dropped
// whole, never cut in half.
QByteArray encodeTextField(const QString &text, int length);

// Each byte as two upper-case hexadecimal digits, joined by "." when asked for.
QString hexByteText(const QByteArray &bytes, bool withSeparator);
// The reverse of hexByteText (with or without separators); empty when the text is not exactly
// `count` bytes of hexadecimal.
QByteArray parseHexByteText(const QString &text, int count);

// Four bytes as a dotted address, and back (empty when the text is not four numbers 0-255).
QString ipv4Text(const QByteArray &block, int position);
QByteArray parseIpv4Text(const QString &text);

// Eight bytes as the link-local form "FE80::h0h1:h2h3:h4h5:h6h7/64".
QString ipv6LinkLocalText(const QByteArray &block, int position);

} // namespace ValueCodec
