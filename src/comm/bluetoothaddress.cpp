#include "comm/bluetoothaddress.h"

#include <QStringList>

namespace {
constexpr int kHexBase = 16;
constexpr int kHexDigits = 2;
} // namespace

BluetoothAddress BluetoothAddress::fromString(const QString &text, bool *ok)
{
    BluetoothAddress address;
    const QStringList parts = text.trimmed().split(QLatin1Char(':'));
    bool good = parts.size() == kSize;
    for (int i = 0; good && i < kSize; ++i) {
        const QString &part = parts.at(i);
        // toUInt alone would take "+1" or " 1"; only two hexadecimal digits make a byte here.
        good = part.size() == kHexDigits && part.at(0).isLetterOrNumber()
            && part.at(1).isLetterOrNumber();
        if (good)
            address.m_bytes[size_t(i)] = quint8(part.toUInt(&good, kHexBase));
    }
    if (!good)
        address = BluetoothAddress();
    if (ok)
        *ok = good;
    return address;
}

QString BluetoothAddress::toString() const
{
    QStringList parts;
    for (quint8 b : m_bytes)
        parts << QStringLiteral("%1").arg(b, kHexDigits, kHexBase, QLatin1Char('0')).toUpper();
    return parts.join(QLatin1Char(':'));
}

bool BluetoothAddress::isNull() const
{
    for (quint8 b : m_bytes)
        if (b != 0)
            return false;
    return true;
}
