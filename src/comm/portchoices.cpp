#include "comm/portchoices.h"

namespace {
constexpr int kSerialPortCount = 16;
constexpr int kParity[] = { 0, 2, 3 }; // none, even, odd
constexpr int kStopBits[] = { 1, 3, 2 }; // one, one and a half, two
constexpr int kFlow[] = { 0, 1, 2 }; // none, hardware, software

template<std::size_t N> int valueAt(const int (&table)[N], int position)
{
    return position >= 0 && position < static_cast<int>(N) ? table[position] : table[0];
}
} // namespace

const QStringList &portchoices::portTypeNames()
{
    static const QStringList names { QStringLiteral("USB"), QStringLiteral("Serial Port"),
        QStringLiteral("LPT"), QStringLiteral("Wifi"), QStringLiteral("Bluetooth"),
        QStringLiteral("Network") };
    return names;
}

QList<int> portchoices::offeredPortTypes(int portSelect)
{
    switch (portSelect) {
    case 0:
        return { Usb, Serial, Lpt };
    case 1:
        return { Usb, Serial, Lpt, Bluetooth };
    case 2:
        return { Usb, Serial, Lpt, Wifi };
    case 3:
        return { Usb, Serial, Lpt, Network };
    case 4:
        return { Usb };
    case 5:
        return { Usb, Lpt };
    default:
        return { Usb, Serial, Lpt, Wifi, Bluetooth, Network };
    }
}

int portchoices::portTypeOf(const QString &name)
{
    return portTypeNames().indexOf(name);
}

bool portchoices::isFourPartAddress(const QString &address)
{
    return address.split(QLatin1Char('.'), Qt::KeepEmptyParts).size() == 4;
}

QStringList portchoices::serialPortNames()
{
    QStringList names;
    for (int i = 1; i <= kSerialPortCount; ++i)
        names << QStringLiteral("COM%1").arg(i);
    return names;
}

const QStringList &portchoices::baudRateNames()
{
    static const QStringList names { QStringLiteral("1200"), QStringLiteral("2400"),
        QStringLiteral("4800"), QStringLiteral("9600"), QStringLiteral("19200"),
        QStringLiteral("38400"), QStringLiteral("57600"), QStringLiteral("115200") };
    return names;
}

const QStringList &portchoices::dataBitsNames()
{
    static const QStringList names { QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
        QStringLiteral("8") };
    return names;
}

int portchoices::parityValue(int position)
{
    return valueAt(kParity, position);
}

int portchoices::stopBitsValue(int position)
{
    return valueAt(kStopBits, position);
}

int portchoices::flowControlValue(int position)
{
    return valueAt(kFlow, position);
}
