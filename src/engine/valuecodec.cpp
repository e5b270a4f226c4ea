#include "engine/valuecodec.h"

#include <cmath>

#include <QStringList>
#include <QTextCodec>

#include "engine/formulaevaluator.h"

namespace {
constexpr int kHighFirstAlternativeMax = 126;
constexpr int kTwoByteLeadMin = 0x81;
constexpr char kGb18030[] = "GB18030";
constexpr int kShownDigits = 6;
constexpr int kWriteDecimals = 2;
constexpr int kIpv4Bytes = 4;
constexpr int kIpv6Bytes = 8;
constexpr int kByteMax = 255;

QTextCodec *gb18030()
{
    static QTextCodec *const codec = QTextCodec::codecForName(kGb18030);
    return codec;
}

bool isFourByteSecond(quint8 b)
{
    return b >= '0' && b <= '9';
}
} // namespace

namespace ValueCodec {

quint8 byteAt(const QByteArray &block, int position)
{
    if (position < 0 || position >= block.size())
        return 0;
    return static_cast<quint8>(block.at(position));
}

double readValue(
    FormulaEvaluator &evaluator, const QString &formula, quint8 high, quint8 low, bool *ok)
{
    const QStringList parts = formula.split(QLatin1Char(';'));
    QString chosen = formula;
    if (parts.size() > 1)
        chosen = high <= kHighFirstAlternativeMax ? parts.at(0) : parts.at(1);
    chosen.replace(QLatin1Char('H'), QString::number(high));
    chosen.replace(QLatin1Char('L'), QString::number(low));
    return evaluator.evaluate(chosen, ok);
}

WrittenBytes writeValue(FormulaEvaluator &evaluator, const QString &formula, double value)
{
    const QString text = QString::number(value, 'f', kWriteDecimals);
    const QStringList parts = formula.split(QLatin1Char(';'));
    QString first = parts.value(0);
    QString second = parts.value(1);
    second.remove(QStringLiteral("L="));
    second.replace(QStringLiteral("value"), text);
    if (value > 0) {
        // "H=..." stays: the assignment's result is its right-hand side.
        first.replace(QStringLiteral("value"), text);
    } else {
        first.remove(QStringLiteral("H="));
        first.replace(QStringLiteral("value"), text);
        first.replace(QStringLiteral("--"), QStringLiteral("-"));
        second.replace(QStringLiteral("--"), QStringLiteral("-"));
    }

    WrittenBytes bytes;
    bool ok = false;
    double result = evaluator.evaluate(first, &ok);
    bytes.highOk = ok && lowest8Bits(result, &bytes.high);
    if (!second.trimmed().isEmpty()) {
        result = evaluator.evaluate(second, &ok);
        bytes.lowOk = ok && lowest8Bits(result, &bytes.low);
    }
    return bytes;
}

bool lowest8Bits(double result, quint8 *byte)
{
    if (!std::isfinite(result))
        return false;
    // fmod is exact, so this also holds for integers far beyond the range of int.
    double rest = std::fmod(std::trunc(result), kByteMax + 1.0);
    if (rest < 0)
        rest += kByteMax + 1.0;
    *byte = static_cast<quint8>(rest);
    return true;
}

QString shortestNumberText(double value)
{
    return QString::number(value, 'g', kShownDigits);
}

QString readTextField(const QByteArray &block, int position, int length)
{
    QString text;
    if (position < 0)
        return text;
    const int end = qMin(block.size(), position + length);
    int i = position;
    while (i < end) {
        const quint8 b = static_cast<quint8>(block.at(i));
        if (b == 0)
            break;
        if (b < kTwoByteLeadMin) {
            text.append(QChar(b));
            ++i;
            continue;
        }
        // GB18030 also has four-byte characters (lead, digit, lead, digit); the encoder writes
        // them for rare characters, so they are read back whole.
        // A character begun inside the field is read whole, even when the field's last byte
        // is its lead byte.
        int size = 2;
        if (i + 1 < block.size() && isFourByteSecond(static_cast<quint8>(block.at(i + 1))))
            size = 4;
        if (i + size > block.size())
            break;
        text.append(gb18030()->toUnicode(block.constData() + i, size));
        i += size;
    }
    return text;
}

QByteArray encodeTextField(const QString &text, int length)
{
    QByteArray bytes;
    for (int i = 0; i < text.size(); ++i) {
        int count = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QByteArray encoded = gb18030()->fromUnicode(text.mid(i, count));
        if (bytes.size() + encoded.size() > length)
            break;
        bytes.append(encoded);
        i += count - 1;
    }
    bytes.append(QByteArray(length - bytes.size(), '\0'));
    return bytes;
}

QString hexByteText(const QByteArray &bytes, bool withSeparator)
{
    QStringList pairs;
    for (char c : bytes)
        pairs.append(
            QStringLiteral("%1").arg(static_cast<quint8>(c), 2, 16, QLatin1Char('0')).toUpper());
    return pairs.join(withSeparator ? QStringLiteral(".") : QString());
}

QByteArray parseHexByteText(const QString &text, int count)
{
    QString digits = text;
    digits.remove(QLatin1Char('.'));
    digits.remove(QLatin1Char(':'));
    digits.remove(QLatin1Char('-'));
    if (digits.size() != count * 2)
        return QByteArray();
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        bool ok = false;
        const int value = digits.mid(i * 2, 2).toInt(&ok, 16);
        if (!ok)
            return QByteArray();
        bytes.append(static_cast<char>(value));
    }
    return bytes;
}

QString ipv4Text(const QByteArray &block, int position)
{
    QStringList parts;
    for (int i = 0; i < kIpv4Bytes; ++i)
        parts.append(QString::number(byteAt(block, position + i)));
    return parts.join(QLatin1Char('.'));
}

QByteArray parseIpv4Text(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != kIpv4Bytes)
        return QByteArray();
    QByteArray bytes;
    for (const QString &part : parts) {
        bool ok = false;
        const int value = part.toInt(&ok);
        if (part.isEmpty() || !ok || value < 0 || value > kByteMax)
            return QByteArray();
        bytes.append(static_cast<char>(value));
    }
    return bytes;
}

QString ipv6LinkLocalText(const QByteArray &block, int position)
{
    QStringList groups;
    for (int i = 0; i < kIpv6Bytes; i += 2) {
        groups.append(QString::number(byteAt(block, position + i), 16)
            + QString::number(byteAt(block, position + i + 1), 16));
    }
    return QStringLiteral("FE80::") + groups.join(QLatin1Char(':')) + QStringLiteral("/64");
}

} // namespace ValueCodec
