#include "engine/settingrules.h"

#include <QDebug>
#include <QStringList>

#include "engine/valuecodec.h"

namespace {

struct Range
{
    int first;
    int last;
    bool contains(int p) const { return p >= first && p <= last; }
};

bool inAny(std::initializer_list<Range> ranges, int p)
{
    for (const Range &r : ranges) {
        if (r.contains(p))
            return true;
    }
    return false;
}

// Spin boxes of the "0302" head that count whole steps.
constexpr Range kWholeStepSpins0302 { 144, 160 };
constexpr int kOffsetPosition0501a = 282;
constexpr int kOffsetPosition0501b = 284;
constexpr double kOffset0501a = -27.0;
constexpr double kOffset0501b = -43.0;

constexpr int kBluetoothModelPos0701a = 659;
constexpr int kBluetoothModelPos0701b = 679;
constexpr int kBluetoothModelLen0701a = 20;
constexpr int kBluetoothModelLen0701b = 17;
constexpr int kBluetoothModelLen = 16;
constexpr int kBluetoothPasswordLenLong = 10;
constexpr int kBluetoothPasswordLen = 5;
constexpr int kSsidLen = 24;
constexpr int kPskLen = 25;
constexpr int kWepLen = 15;
constexpr int kMacLen = 6;
constexpr int kIpv4Len = 4;
constexpr int kIpv6Len = 8;
constexpr int kEthernetNameLen = 16;
constexpr int kLongestNumber = 2;

constexpr int kLastCollectedBeforeNetwork0703 = 315;
constexpr int kKeptPosition0703 = 635;

constexpr int kPosBeltRatio = 216;
constexpr int kPosPaperKind = 224;
constexpr int kPosInterface = 232;
constexpr int kPosBoardKind = 583;
constexpr int kPosBoardVariant = 584;
constexpr int kPosHardwareLow = 578;
constexpr int kPosHardwareHigh = 579;
constexpr int kPosHardwareHigh0302 = 585;
constexpr int kPosModules0C01[] = { 602, 609, 614 };
constexpr int kBitsPerByte = 8;
constexpr int kHighestMaskedValue = 15;

} // namespace

namespace SettingRules {

SpinDisplay spinDisplay(const QString &typeCode, int position)
{
    SpinDisplay d;
    d.suffix = QStringLiteral(" mm");
    if (typeCode == QLatin1String("0302")) {
        if (kWholeStepSpins0302.contains(position) && position % 2 == 0) {
            d.decimals = 0;
            d.suffix.clear();
            d.truncate = true;
        }
    } else if (typeCode == QLatin1String("0901")) {
        d.decimals = 1;
    } else if (typeCode == QLatin1String("0B01")) {
        d.decimals = 0;
        d.truncate = true;
    } else if (typeCode == QLatin1String("0501")) {
        if (position == kOffsetPosition0501a)
            d.offset = kOffset0501a;
        else if (position == kOffsetPosition0501b)
            d.offset = kOffset0501b;
    }
    return d;
}

EditField editField(const QString &caption, const QString &typeCode, int position, int byteLength,
    bool hasReadFormula)
{
    EditField f;
    const bool longBluetooth
        = typeCode == QLatin1String("0701") || typeCode == QLatin1String("0703");
    auto text = [&f](int length) {
        f.form = FieldForm::Text;
        f.length = length;
    };
    if (caption == QLatin1String("BlueToothModel")) {
        int length = kBluetoothModelLen;
        if (typeCode == QLatin1String("0701") && position == kBluetoothModelPos0701a)
            length = kBluetoothModelLen0701a;
        else if (typeCode == QLatin1String("0701") && position == kBluetoothModelPos0701b)
            length = kBluetoothModelLen0701b;
        text(length);
    } else if (caption == QLatin1String("BlueToothPassword")) {
        text(longBluetooth ? kBluetoothPasswordLenLong : kBluetoothPasswordLen);
    } else if (caption == QLatin1String("SSID")) {
        text(kSsidLen);
    } else if (caption == QLatin1String("PSK")) {
        text(kPskLen);
    } else if (caption == QLatin1String("WEP")) {
        text(kWepLen);
        f.hexPrefix = true;
    } else if (caption == QLatin1String("MAC")) {
        f.form = FieldForm::HexBytes;
        f.length = kMacLen;
    } else if (caption == QLatin1String("IPv6 Setup")) {
        f.form = FieldForm::Ipv6LinkLocal;
        f.length = kIpv6Len;
    } else if (caption == QLatin1String("Wifi and Ethernet Basic Setup")
        || caption == QLatin1String("Ethernet Basic Setup")) {
        f.form = FieldForm::Ipv4;
        f.length = kIpv4Len;
    } else if (caption == QLatin1String("Password0701")
        || caption == QLatin1String("WEPPassword0701")) {
        text(qMax(byteLength, 1));
    } else if (caption == QLatin1String("Ethernet Name")) {
        text(kEthernetNameLen);
    } else if (caption == QLatin1String("NetwordPort") || caption == QLatin1String("EthernetPort")
        || caption == QLatin1String("Ethernet BaudRate  DependID")) {
        f.form = FieldForm::Number;
    } else if (!hasReadFormula && byteLength > kLongestNumber) {
        // A run of bytes without a formula can only be a text.
        text(byteLength);
    }
    return f;
}

bool skippedByCollect(const QString &typeCode, int position)
{
    if (typeCode.isEmpty())
        return inAny({ { 24, 79 }, { 320, 636 }, { 660, 692 } }, position);
    static const QStringList wifiModules { QStringLiteral("0701"), QStringLiteral("0901"),
        QStringLiteral("0B01"), QStringLiteral("0702"), QStringLiteral("0A01") };
    // The 0701 module keeps its Bluetooth name and pass code (and their flag) at 659-689: those
    // are the Bluetooth group's to write, checked, like every other network field.
    if (typeCode == QLatin1String("0701"))
        return inAny({ { 316, 508 }, { 659, 689 } }, position);
    if (wifiModules.contains(typeCode))
        return inAny({ { 316, 508 } }, position);
    if (typeCode == QLatin1String("0703"))
        return position > kLastCollectedBeforeNetwork0703 && position != kKeptPosition0703;
    return inAny({ { 32, 96 }, { 316, 692 } }, position);
}

bool gatedByCheckBox(const QString &typeCode, int position)
{
    static const QStringList codes { QStringLiteral("0101"), QStringLiteral("0905"),
        QStringLiteral("0906"), QStringLiteral("0302"), QStringLiteral("0904"),
        QStringLiteral("0000"), QStringLiteral("0902"), QStringLiteral("0C01"),
        QStringLiteral("0E01"), QStringLiteral("0301"), QStringLiteral("0801") };
    return codes.contains(typeCode)
        && inAny({ { 120, 126 }, { 144, 160 }, { 280, 286 }, { 292, 298 } }, position);
}

bool shownDisabledWhenHidden(const QString &typeName, int position)
{
    return typeName == QLatin1String("MV-4410C")
        && inAny({ { 216, 221 }, { 230, 230 }, { 234, 234 } }, position);
}

namespace {

void removeAt(OptionList &list, int index)
{
    if (index >= 0 && index < list.size())
        list.remove(index);
}

void adjustBeltRatio(OptionList &list, const QByteArray &block)
{
    constexpr int kFullListSize = 5;
    constexpr int kRemovedItem = 3;
    constexpr int kWideRatioValue = 4;
    const quint8 board = ValueCodec::byteAt(block, kPosBoardKind);
    if (board == 'n')
        return;
    if (list.size() == kFullListSize)
        removeAt(list, kRemovedItem);
    if (board == 80 || board == 82 || board == 8)
        return;
    if (ValueCodec::byteAt(block, kPosBeltRatio) == kWideRatioValue && list.size() > 2) {
        list[1].text = QStringLiteral("10.6:8");
        list[2].text = QStringLiteral("13.6:8");
    }
}

void adjustPaperKind(
    OptionList &list, const QByteArray &block, const QString &typeCode, const QString &typeName)
{
    if (typeCode == QLatin1String("0301")) {
        if (ValueCodec::byteAt(block, kPosBoardVariant) == 'P' && list.size() == 4) {
            removeAt(list, 2);
            removeAt(list, 1);
        }
        return;
    }
    if (ValueCodec::byteAt(block, kPosBoardKind) == 'n')
        return;
    if (typeName == QLatin1String("BX-580")) {
        if (list.size() == 3)
            removeAt(list, 2);
    } else if (list.size() == 4) {
        removeAt(list, 2);
        if (typeCode == QLatin1String("0302"))
            removeAt(list, 1);
    }
}

// The interface list offers only what the printer's board has. The board reports its interfaces
// as a bit mask (bit v set: the interface of option value v is fitted); "0C01" boards report their
// three optional modules (option values 1, 2, 3) in a byte each instead. A board that reports
// nothing keeps the whole list, and the interface in use is never taken away.
void adjustInterface(OptionList &list, const QByteArray &block, const QString &typeCode)
{
    const int current = ValueCodec::byteAt(block, kPosInterface);
    auto fitted = [&](int value) -> bool {
        if (value == current)
            return true;
        if (typeCode == QLatin1String("0C01")) {
            const int module = value - 1;
            if (module < 0 || module >= int(std::size(kPosModules0C01)))
                return true;
            return ValueCodec::byteAt(block, kPosModules0C01[module]) != 0;
        }
        const bool older = typeCode == QLatin1String("0301") || typeCode == QLatin1String("0302");
        const int mask = ValueCodec::byteAt(block, kPosHardwareLow)
            | ValueCodec::byteAt(block, older ? kPosHardwareHigh0302 : kPosHardwareHigh)
                << kBitsPerByte;
        if (mask == 0 || value < 0 || value > kHighestMaskedValue)
            return true;
        return (mask >> value) & 1;
    };
    OptionList kept;
    for (const OptionEntry &entry : list) {
        if (fitted(entry.value))
            kept.append(entry);
    }
    list = kept;
}

} // namespace

OptionList adjustOptionList(int position, const OptionList &items, const QByteArray &block,
    const QString &typeCode, const QString &typeName)
{
    OptionList list = items;
    if (position == kPosBeltRatio)
        adjustBeltRatio(list, block);
    else if (position == kPosPaperKind)
        adjustPaperKind(list, block, typeCode, typeName);
    else if (position == kPosInterface)
        adjustInterface(list, block, typeCode);
    return list;
}

namespace {

struct Condition
{
    bool any = false; // "#": the byte is not 0
    int value = 0;
    bool ok = false;
};

Condition parseCondition(const QString &text)
{
    Condition c;
    const QString t = text.trimmed();
    if (t == QLatin1String("#")) {
        c.any = true;
        c.ok = true;
        return c;
    }
    c.value = t.toInt(&c.ok);
    return c;
}

// Condition of the multi-position forms: "#" non-zero, v >= 1 equal, v <= 0 not equal to -v.
bool holds(const Condition &c, quint8 byte)
{
    if (c.any)
        return byte != 0;
    if (c.value >= 1)
        return byte == c.value;
    return byte != -c.value;
}

} // namespace

bool rowVisible(const QString &relatePosition, const QString &relateValid, const QByteArray &block)
{
    if (relatePosition.trimmed().isEmpty())
        return true;
    const QStringList positions = relatePosition.split(QLatin1Char('+'));
    const QStringList values = relateValid.split(QLatin1Char('+'));

    if (positions.size() == 1) {
        bool okPos = false;
        const int p = positions.first().trimmed().toInt(&okPos);
        const Condition c = parseCondition(values.first());
        if (!okPos || !c.ok) {
            qDebug() << "visibility rule not understood:" << relatePosition << relateValid;
            return true;
        }
        const quint8 byte = ValueCodec::byteAt(block, p);
        if (c.any)
            return byte != 0;
        return c.value >= 0 ? byte == c.value : byte != -c.value;
    }

    if (positions.size() != values.size()) {
        qDebug() << "count error!";
        return true;
    }

    const int first = positions.first().trimmed().toInt();
    const bool allMode = first >= 1;
    for (int i = 0; i < positions.size(); ++i) {
        bool okPos = false;
        int p = positions.at(i).trimmed().toInt(&okPos);
        const Condition c = parseCondition(values.at(i));
        if (!okPos || !c.ok) {
            qDebug() << "visibility rule not understood:" << relatePosition << relateValid;
            return true;
        }
        if (i == 0)
            p = qAbs(p);
        const bool ok = holds(c, ValueCodec::byteAt(block, p));
        if (allMode && !ok)
            return false;
        if (!allMode && ok)
            return true;
    }
    return allMode;
}

} // namespace SettingRules
