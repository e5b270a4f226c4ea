// The conversion formulas and the text fields of the setting block: a read formula with any H
// and L bytes, a write formula with any value, and text fields of any bytes and any text. The
// formulas use the characters the database's formulas are made of; no statement can be spelt
// with them, so every program ends.

#include <cmath>
#include <cstring>

#include <fuzzer/FuzzedDataProvider.h>

#include "engine/formulaevaluator.h"
#include "engine/valuecodec.h"
#include "fuzzsupport.h"

namespace {
QString formulaFrom(FuzzedDataProvider &in)
{
    static const char kAlphabet[] = "0123456789HLvalueMathfloorund+-*/%().,;=<>?:&|^!~ ";
    const std::string raw = in.ConsumeRandomLengthString(64);
    QString formula;
    for (const char c : raw) {
        const bool known = c != '\0' && strchr(kAlphabet, c);
        formula.append(QLatin1Char(known ? c : kAlphabet[quint8(c) % (sizeof(kAlphabet) - 1)]));
    }
    return formula;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::init();
    static FormulaEvaluator &evaluator = *new FormulaEvaluator;
    FuzzedDataProvider in(data, size);

    const QString readFormula = formulaFrom(in);
    const quint8 high = in.ConsumeIntegral<quint8>();
    const quint8 low = in.ConsumeIntegral<quint8>();
    bool ok = false;
    const double read = ValueCodec::readValue(evaluator, readFormula, high, low, &ok);
    FUZZ_CHECK(ok ? std::isfinite(read) : std::isnan(read));
    // The same text always gives the same number.
    bool again = false;
    const double reread = ValueCodec::readValue(evaluator, readFormula, high, low, &again);
    FUZZ_CHECK(again == ok && (!ok || reread == read));
    if (ok)
        (void)ValueCodec::shortestNumberText(read);

    const QString writeFormula = formulaFrom(in);
    const double value = in.ConsumeFloatingPoint<double>();
    const ValueCodec::WrittenBytes bytes = ValueCodec::writeValue(evaluator, writeFormula, value);
    (void)bytes;
    quint8 byte = 0;
    FUZZ_CHECK(ValueCodec::lowest8Bits(value, &byte) == std::isfinite(value));

    // Text fields: any bytes read, any text written back into the field's length.
    const int position = in.ConsumeIntegralInRange(-2, 40);
    const int length = in.ConsumeIntegralInRange(0, 40);
    const std::string raw = in.ConsumeRandomLengthString(64);
    const QByteArray block(raw.data(), int(raw.size()));
    const QString shown = ValueCodec::readTextField(block, position, length);
    const QByteArray field = ValueCodec::encodeTextField(shown, length);
    FUZZ_CHECK(field.size() == length);
    const std::string typed = in.ConsumeRandomLengthString(64);
    const QString text = QString::fromUtf16(
        reinterpret_cast<const char16_t *>(typed.data()), int(typed.size() / 2));
    FUZZ_CHECK(ValueCodec::encodeTextField(text, length).size() == length);
    (void)ValueCodec::readTextField(ValueCodec::encodeTextField(text, length), 0, length);

    // Address and hexadecimal texts typed into edit boxes.
    const QString typedLatin = QString::fromLatin1(typed.data(), int(typed.size()));
    const QByteArray hex = ValueCodec::parseHexByteText(typedLatin, length % 9);
    FUZZ_CHECK(hex.isEmpty() || hex.size() == length % 9);
    if (!hex.isEmpty())
        FUZZ_CHECK(
            ValueCodec::parseHexByteText(ValueCodec::hexByteText(hex, true), hex.size()) == hex);
    const QByteArray ipv4 = ValueCodec::parseIpv4Text(typedLatin);
    FUZZ_CHECK(ipv4.isEmpty() || ipv4.size() == 4);
    if (!ipv4.isEmpty())
        FUZZ_CHECK(ValueCodec::parseIpv4Text(ValueCodec::ipv4Text(ipv4, 0)) == ipv4);
    (void)ValueCodec::ipv4Text(block, position);
    (void)ValueCodec::ipv6LinkLocalText(block, position);
    return 0;
}
