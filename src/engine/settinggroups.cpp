#include "engine/settinggroups.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTextCodec>

#include "core/configfile.h"
#include "engine/settingcodec.h"
#include "engine/settingsdefinition.h"
#include "engine/valuecodec.h"

namespace {
// Wi-Fi roles.
constexpr int kWifiMode = 1;
constexpr int kWifiDhcp = 2;
constexpr int kWifiSecurity = 5;
constexpr int kWifiSsid = 6;
constexpr int kWifiWep = 7;
constexpr int kWifiPsk = 8;
constexpr int kWifiAddress = 10;
constexpr int kWifiMask = 11;
constexpr int kWifiGateway = 12;
constexpr int kWifiStart = 14;
constexpr int kWifiHexKey = 15;
constexpr int kWifiMac = 18;
constexpr int kModeAccessPoint = 1;
constexpr int kDhcpOff = 0;
constexpr int kWep64 = 1;
constexpr int kWep128 = 2;
constexpr int kWep64Length = 5;
constexpr int kWep64HexLength = 10;
constexpr int kWep128Length = 13;
constexpr int kPskMinimum = 8;
constexpr int kPskMaximum = 23;
constexpr int kSsidMaximum = 24;

// Ethernet roles.
constexpr int kEthernetName = 5;
constexpr int kEthernetDhcp = 6;
constexpr int kEthernetIpv6 = 7;
constexpr int kEthernetNameMaximum = 16;
constexpr int kDefaultSaveFlag = 571;

// Bluetooth.
constexpr int kBluetoothName = 1;
constexpr int kBluetoothPass = 2;
constexpr int kBluetoothNameField = 17;
constexpr int kBluetoothPassField = 5;
constexpr int kBluetoothPassDigits = 4;
constexpr int kBluetoothAreaHigh = 620;
constexpr int kBluetoothAreaLow = 596;
constexpr int kBluetoothName0701 = 659;
constexpr int kBluetoothPass0701 = 679;

// Dot adjustment: the printer's commands for the adjustment values and the test print.
const QByteArray kDotWriteCommand = QByteArrayLiteral("\x1D\x02\x23");
const QByteArray kDotTestCommand = QByteArrayLiteral("\x1D\x01\x25");
constexpr int kDotLimit = 30;
constexpr int kDotLimit0501 = 70;

const QString kTypeCode0701 = QStringLiteral("0701");
const QString kTypeCode0501 = QStringLiteral("0501");

constexpr char kTextPrefixHex[] = "0x";
constexpr int kIpv4Bytes = 4;
constexpr int kMacBytes = 6;

QByteArray gb18030(const QString &text)
{
    static QTextCodec *const codec = QTextCodec::codecForName("GB18030");
    return codec->fromUnicode(text);
}

bool nonAscii(const QByteArray &bytes)
{
    for (char c : bytes) {
        if (static_cast<quint8>(c) > 127)
            return true;
    }
    return false;
}

quint32 address(const QByteArray &bytes)
{
    quint32 a = 0;
    for (char c : bytes)
        a = (a << 8) | static_cast<quint8>(c);
    return a;
}

void put(QByteArray &block, int position, const QByteArray &bytes)
{
    for (int i = 0; i < bytes.size(); ++i) {
        if (position + i > 0 && position + i < block.size())
            block[position + i] = bytes.at(i);
    }
}

bool isHexText(const QString &text)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]*$"));
    return hex.match(text).hasMatch();
}
} // namespace

const QString SettingGroups::kWifi = QStringLiteral("Wifi");
const QString SettingGroups::kEthernet = QStringLiteral("Ethernet");
const QString SettingGroups::kBluetooth = QStringLiteral("Bluetooth");
const QString SettingGroups::kDotAdjustment = QStringLiteral("Dot adjustment");
const char *const SettingGroups::kTranslationContext = "SettingGroups";

SettingGroups::SettingGroups(const SettingsDefinition &definition, const SettingCodec &codec)
    : m_definition(definition)
    , m_codec(codec)
{
}

QMap<int, ControlRow> SettingGroups::rows(const QString &group) const
{
    QMap<int, ControlRow> byRole;
    for (const CommandBinding &binding : m_definition.commandBindings) {
        if (binding.cmd() != group || binding.paramPosition() == 0)
            continue;
        const auto row = m_definition.controlRows.constFind(binding.rpcaId());
        if (row != m_definition.controlRows.constEnd())
            byRole.insert(binding.paramPosition(), row.value());
    }
    return byRole;
}

QString SettingGroups::groupOf(int rpcaId, int *role) const
{
    const auto binding = m_definition.commandBindings.constFind(rpcaId);
    if (binding == m_definition.commandBindings.constEnd() || binding->paramPosition() == 0)
        return QString();
    if (role)
        *role = binding->paramPosition();
    return binding->cmd();
}

bool SettingGroups::hasOwnWrite(const QString &group)
{
    return group == kWifi || group == kEthernet || group == kBluetooth;
}

bool SettingGroups::storeField(const ControlRow &row, const GroupValue &value, QByteArray &block) const
{
    switch (m_definition.kindOf(row)) {
    case KindComboBox: {
        int byte = 0;
        if (!SettingCodec::optionValue(m_codec.rawOptions(row), value.text, &byte))
            return false;
        put(block, row.bytePosition(), QByteArray(1, char(byte)));
        return true;
    }
    case KindEdit:
        return m_codec.storeEdit(row, value.text, block);
    case KindSpinBox:
        return m_codec.storeSpin(row, value.number, block);
    default:
        return false;
    }
}

int SettingGroups::wifiEncode(const ValueOf &valueOf, QByteArray &block) const
{
    const QMap<int, ControlRow> byRole = rows(kWifi);
    auto value = [&](int role) {
        const auto row = byRole.constFind(role);
        if (row == byRole.constEnd())
            return GroupValue();
        GroupValue v = valueOf(row.value());
        v.present = true;
        return v;
    };

    const GroupValue ssid = value(kWifiSsid);
    if (ssid.present) {
        const QByteArray bytes = gb18030(ssid.text);
        if (nonAscii(bytes))
            return ChineseSsid;
        if (bytes.size() > kSsidMaximum)
            return SsidTooLong;
    }
    const int security = qMax(0, value(kWifiSecurity).index);
    const GroupValue wep = value(kWifiWep);
    if (wep.present && (security == kWep64 || security == kWep128)) {
        QString key = wep.text;
        if (m_codec.editField(byRole.value(kWifiWep)).hexPrefix
            && key.startsWith(QLatin1String(kTextPrefixHex)))
            key = key.mid(2);
        if (nonAscii(gb18030(key)))
            return ChinesePassword;
        const bool hex = value(kWifiHexKey).checked;
        const int wanted
            = security == kWep128 ? kWep128Length : (hex ? kWep64HexLength : kWep64Length);
        if (key.size() != wanted || (hex && security == kWep64 && !isHexText(key)))
            return BadPassword;
    }
    const GroupValue psk = value(kWifiPsk);
    if (psk.present && security > kWep128) {
        if (nonAscii(gb18030(psk.text)))
            return ChinesePassword;
        if (psk.text.size() < kPskMinimum || psk.text.size() > kPskMaximum)
            return BadPassword;
    }
    // The addresses in order: IP, mask, gateway, DNS, start; code = 2 - role.
    QMap<int, QByteArray> addresses;
    for (int role = kWifiAddress; role <= kWifiStart; ++role) {
        const GroupValue field = value(role);
        if (!field.present)
            continue;
        const QByteArray bytes = ValueCodec::parseIpv4Text(field.text);
        if (bytes.size() != kIpv4Bytes)
            return 2 - role;
        addresses.insert(role, bytes);
    }
    // Addresses that cannot work together: the printer would be unreachable.
    const quint32 mask = address(addresses.value(kWifiMask));
    const quint32 own = address(addresses.value(kWifiAddress));
    const bool haveOwn = addresses.contains(kWifiAddress) && addresses.contains(kWifiMask);
    const int mode = qMax(0, value(kWifiMode).index);
    if (haveOwn && mode == kModeAccessPoint && addresses.contains(kWifiStart)) {
        const quint32 start = address(addresses.value(kWifiStart));
        if ((start & mask) != (own & mask))
            return StartOffSegment;
        if (start == own)
            return StartIsAddress;
    }
    const GroupValue dhcp = value(kWifiDhcp);
    if (haveOwn && mode != kModeAccessPoint && (!dhcp.present || dhcp.index == kDhcpOff)
        && addresses.contains(kWifiGateway)) {
        const quint32 gateway = address(addresses.value(kWifiGateway));
        // 0.0.0.0: no gateway.
        if (gateway != 0 && (gateway & mask) != (own & mask))
            return GatewayOffSegment;
    }

    QByteArray out = block;
    for (auto it = byRole.cbegin(); it != byRole.cend(); ++it) {
        const ControlRow &row = it.value();
        // The MAC address has its own write; the IPv6 form is shown only.
        if (it.key() == kWifiMac || row.bytePosition() <= 0)
            continue;
        GroupValue field = valueOf(row);
        if (it.key() == kWifiWep && m_codec.editField(row).hexPrefix
            && field.text.startsWith(QLatin1String(kTextPrefixHex)))
            field.text = field.text.mid(2);
        storeField(row, field, out);
    }
    block = out;
    return Ok;
}

int SettingGroups::bluetoothEncode(const ValueOf &valueOf, QByteArray &block) const
{
    const QMap<int, ControlRow> byRole = rows(kBluetooth);
    const bool hasName = byRole.contains(kBluetoothName);
    const bool hasPass = byRole.contains(kBluetoothPass);
    const QString name = hasName ? valueOf(byRole.value(kBluetoothName)).text : QString();
    const QString pass = hasPass ? valueOf(byRole.value(kBluetoothPass)).text : QString();
    if (hasName) {
        static const QRegularExpression pattern(QStringLiteral("^.[a-zA-Z0-9]+$"));
        if (gb18030(name).size() >= kBluetoothNameField || !pattern.match(name).hasMatch())
            return NameTooLong;
    }
    if (hasPass) {
        // The whole code must be digits: a letter in front is no digit either.
        static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
        if (pass.size() != kBluetoothPassDigits || !digits.match(pass).hasMatch())
            return BadPassword;
    }
    if (!hasName && !hasPass)
        return Ok;

    QByteArray out = block;
    int flag = 0;
    const QString typeCode = m_codec.typeCode();
    if (typeCode == kTypeCode0701) {
        // This module keeps name and pass code apart, each in a field of its own length.
        const ControlRow nameRow = byRole.value(kBluetoothName);
        const ControlRow passRow = byRole.value(kBluetoothPass);
        const int namePos = hasName ? nameRow.bytePosition() : kBluetoothName0701;
        const int passPos = hasPass ? passRow.bytePosition() : kBluetoothPass0701;
        const int nameLength = m_codec.editField(nameRow).length;
        const int passLength = m_codec.editField(passRow).length;
        if (hasName)
            put(out, namePos, ValueCodec::encodeTextField(name, nameLength));
        if (hasPass)
            put(out, passPos, ValueCodec::encodeTextField(pass, passLength));
        flag = passPos + passLength;
    } else {
        const bool high = typeCode == QLatin1String("0302") || typeCode == QLatin1String("0C01")
            || typeCode == QLatin1String("0301");
        const int area = high ? kBluetoothAreaHigh : kBluetoothAreaLow;
        QByteArray bytes = ValueCodec::encodeTextField(name, kBluetoothNameField);
        bytes += ValueCodec::encodeTextField(pass, kBluetoothPassField);
        if (!hasName)
            bytes.replace(0, kBluetoothNameField, out.mid(area, kBluetoothNameField));
        if (!hasPass)
            bytes.replace(kBluetoothNameField, kBluetoothPassField,
                out.mid(area + kBluetoothNameField, kBluetoothPassField));
        put(out, area, bytes);
        flag = area + bytes.size();
    }
    // The printer takes the new name and code only when the flag after them is set.
    put(out, flag, QByteArray(1, '\x01'));
    block = out;
    return Ok;
}

int SettingGroups::ethernetEncode(
    const ValueOf &valueOf, QByteArray &block, int saveFlagPosition) const
{
    const QMap<int, ControlRow> byRole = rows(kEthernet);
    QMap<int, QByteArray> addresses;
    for (int role = 1; role <= 3; ++role) {
        const auto row = byRole.constFind(role);
        if (row == byRole.constEnd())
            continue;
        const QByteArray bytes = ValueCodec::parseIpv4Text(valueOf(row.value()).text);
        if (bytes.size() != kIpv4Bytes)
            return -role;
        addresses.insert(role, bytes);
    }
    QByteArray out = block;
    const auto nameRow = byRole.constFind(kEthernetName);
    if (nameRow != byRole.constEnd()) {
        const QByteArray name = gb18030(valueOf(nameRow.value()).text);
        if (name.size() > kEthernetNameMaximum)
            return NameTooLong;
        put(out, nameRow->bytePosition(),
            name + QByteArray(kEthernetNameMaximum - name.size(), '\0'));
    }
    for (auto it = addresses.cbegin(); it != addresses.cend(); ++it)
        put(out, byRole.value(it.key()).bytePosition(), it.value());
    for (int role : { kEthernetDhcp, kEthernetIpv6 }) {
        const auto row = byRole.constFind(role);
        if (row != byRole.constEnd())
            put(out, row->bytePosition(), QByteArray(1, char(qMax(0, valueOf(row.value()).index))));
    }
    // Other fields of the group (the port) go with the Write as well, or they could never be
    // saved: the page's Save leaves the network range alone.
    for (auto it = byRole.cbegin(); it != byRole.cend(); ++it) {
        const int role = it.key();
        if (role <= 3 || role == kEthernetName || role == kEthernetDhcp || role == kEthernetIpv6
            || it->bytePosition() <= 0)
            continue;
        if (m_codec.editField(it.value()).form == SettingRules::FieldForm::Ipv6LinkLocal)
            continue;
        storeField(it.value(), valueOf(it.value()), out);
    }
    put(out, saveFlagPosition, QByteArray(1, '\x01'));
    block = out;
    return Ok;
}

int SettingGroups::encode(
    const QString &group, const ValueOf &valueOf, QByteArray &block, int saveFlagPosition) const
{
    if (group == kWifi)
        return wifiEncode(valueOf, block);
    if (group == kBluetooth)
        return bluetoothEncode(valueOf, block);
    if (group == kEthernet)
        return ethernetEncode(valueOf, block, saveFlagPosition);
    return Ok;
}

const char *SettingGroups::message(const QString &group, int code)
{
    if (group == kBluetooth) {
        if (code == BadPassword)
            return QT_TRANSLATE_NOOP("SettingGroups", "Follow the prompts to input the correct password.");
        if (code == NameTooLong)
            return QT_TRANSLATE_NOOP("SettingGroups", "Follow the prompts to input the correct bluetooth name.");
        return nullptr;
    }
    if (group == kEthernet) {
        switch (code) {
        case -3:
            return QT_TRANSLATE_NOOP("SettingGroups", "Please input the correct subnet mask.");
        case -2:
            return QT_TRANSLATE_NOOP("SettingGroups", "Please input the correct default getway.");
        case -1:
            return QT_TRANSLATE_NOOP("SettingGroups", "Please input the correct IP addresss.");
        case NameTooLong:
            // A silent refusal would look like a write that went through.
            return QT_TRANSLATE_NOOP("SettingGroups", "Name string length is too long.");
        default:
            return nullptr;
        }
    }
    switch (code) {
    case -17:
        return QT_TRANSLATE_NOOP("SettingGroups", "Name string length is too long.");
    case -16:
        return QT_TRANSLATE_NOOP("SettingGroups", "SSID can't be chinese.");
    case -15:
        return QT_TRANSLATE_NOOP("SettingGroups", "Password can't be chinese.");
    case -14:
        return QT_TRANSLATE_NOOP("SettingGroups", "SSID string length is too long.");
    case -13:
        return QT_TRANSLATE_NOOP("SettingGroups", "Please input the correct server IP .");
    case -12:
        return QT_TRANSLATE_NOOP("SettingGroups", "Please input the correct start IP address.");
    case -11:
        return QT_TRANSLATE_NOOP("SettingGroups", "Please input the correct preferred DNS server.");
    case -10:
        return QT_TRANSLATE_NOOP("SettingGroups", "Please input the correct default gateway.");
    case -9:
        return QT_TRANSLATE_NOOP("SettingGroups", "Please input the correct subnet mask.");
    case -8:
        return QT_TRANSLATE_NOOP("SettingGroups", "Please input the correct IP addresss.");
    case -7:
        return QT_TRANSLATE_NOOP("SettingGroups",
            "Preferred DNS server IP address and not on the same network segment, modify and then write please.");
    case -6:
        return QT_TRANSLATE_NOOP("SettingGroups",
            "IP address and default gateway is not in the same network segment, modify and then write please.");
    case -5:
        return QT_TRANSLATE_NOOP("SettingGroups",
            "IP address conflicts with the start address, modify and then write please.");
    case -4:
        return QT_TRANSLATE_NOOP("SettingGroups",
            "Start address is not on the same network segment, modify and then write please.");
    case -1:
        return QT_TRANSLATE_NOOP("SettingGroups", "Follow the prompts to input the correct password.");
    default:
        return nullptr;
    }
}

namespace {
struct ConfiguredField
{
    int role;
    const char *key;
};
constexpr ConfiguredField kConfiguredFields[] = { { 1, "IPAddress" }, { 2, "DefaultGateway" },
    { 3, "SubnetMask" }, { kEthernetName, "PrintServerName" }, { kEthernetDhcp, "DHCP" } };

QString configKey(const QString &typeName, const char *key)
{
    return typeName + QLatin1Char('/') + QLatin1String(key);
}

bool positionsConfigured(const ConfigFile *config, const QString &typeName)
{
    if (!config || typeName.isEmpty())
        return false;
    for (const ConfiguredField &field : kConfiguredFields) {
        if (config->readInt(configKey(typeName, field.key)) > 0)
            return true;
    }
    return false;
}
} // namespace

int SettingGroups::ethernetSaveFlagPosition(const ConfigFile *config, const QString &typeName)
{
    // An absent key reads as 0, which would be the first reply byte rather than a flag.
    if (!positionsConfigured(config, typeName))
        return kDefaultSaveFlag;
    const int position = config->readInt(configKey(typeName, "SaveFlag"));
    return position > 0 ? position : kDefaultSaveFlag;
}

bool SettingGroups::ethernetPositionsConfigured(const ConfigFile *config, const QString &typeName)
{
    return positionsConfigured(config, typeName);
}

void SettingGroups::applyConfiguredPositions(
    SettingsDefinition &definition, const ConfigFile *config)
{
    const QString typeName = definition.printerTypeName;
    if (!positionsConfigured(config, typeName))
        return;
    for (const CommandBinding &binding : qAsConst(definition.commandBindings)) {
        if (binding.cmd() != kEthernet)
            continue;
        for (const ConfiguredField &field : kConfiguredFields) {
            const int position = config->readInt(configKey(typeName, field.key));
            auto row = definition.controlRows.find(binding.rpcaId());
            if (field.role != binding.paramPosition() || position <= 0
                || row == definition.controlRows.end() || row->bytePosition() == position)
                continue;
            const auto old = definition.valueRows.constFind(row->bytePosition());
            if (old != definition.valueRows.constEnd() && old->rpcaId() == row->rpcaId())
                definition.valueRows.remove(row->bytePosition());
            row->setBytePosition(position);
            definition.valueRows.insert(position, row.value());
        }
    }
}

QList<int> SettingGroups::dotRoles() const
{
    // Printers without a type code, the "0501" heads and all others adjust different positions.
    QList<int> roles { 1, 2, 3 };
    if (m_codec.typeCode().isEmpty())
        roles = { 1, 2, 3, 4 };
    else if (m_codec.typeCode() == kTypeCode0501)
        roles = { 1, 2 };
    const QMap<int, ControlRow> byRole = rows(kDotAdjustment);
    QList<int> present;
    for (int role : roles) {
        if (byRole.contains(role) && m_definition.kindOf(byRole.value(role)) == KindComboBox)
            present.append(role);
    }
    return present;
}

int SettingGroups::dotChosenCount(const ValueOf &valueOf) const
{
    const QMap<int, ControlRow> byRole = rows(kDotAdjustment);
    int chosen = 0;
    for (int role : dotRoles()) {
        const auto box = byRole.constFind(role + kDotTestBoxOffset);
        if (box != byRole.constEnd() && valueOf(box.value()).checked)
            ++chosen;
    }
    return chosen;
}

QByteArray SettingGroups::dotWriteData(const ValueOf &valueOf) const
{
    const QMap<int, ControlRow> byRole = rows(kDotAdjustment);
    const QList<int> roles = dotRoles();
    const int type = byRole.contains(kDotTypeRole) ? valueOf(byRole.value(kDotTypeRole)).index : 0;
    QByteArray data = kDotWriteCommand;
    data.append(char(qMax(0, type)));
    data.append(char(roles.size()));
    for (int role : roles) {
        int value = 0;
        const ControlRow row = byRole.value(role);
        if (!SettingCodec::optionValue(m_codec.rawOptions(row), valueOf(row).text, &value))
            value = 0;
        data.append(char(value));
    }
    return data;
}

QByteArray SettingGroups::dotTestData(const ValueOf &valueOf, int testNumber) const
{
    const QMap<int, ControlRow> byRole = rows(kDotAdjustment);
    const QList<int> roles = dotRoles();
    auto indexOf = [&](int role) {
        return byRole.contains(role) ? qMax(0, valueOf(byRole.value(role)).index) : 0;
    };
    QByteArray data = kDotTestCommand;
    data.append(char(indexOf(kDotTypeRole)));
    data.append(char(indexOf(kDotModeRole)));
    data.append(char(testNumber));
    data.append(char(roles.size()));
    for (int role : roles) {
        const ControlRow row = byRole.value(role);
        const auto box = byRole.constFind(role + kDotTestBoxOffset);
        if (box == byRole.constEnd() || !valueOf(box.value()).checked) {
            data.append(char(kDotNotChosen));
            continue;
        }
        const SettingRules::OptionList options = m_codec.rawOptions(row);
        int low = 0;
        int high = 0;
        for (int i = 0; i < options.size(); ++i) {
            low = i == 0 ? options.at(i).value : qMin(low, options.at(i).value);
            high = i == 0 ? options.at(i).value : qMax(high, options.at(i).value);
        }
        const int shown = valueOf(row).text.toInt();
        data.append(char(dotTestValue(shown, high - low, m_codec.typeCode())));
    }
    return data;
}

qint8 SettingGroups::dotTestValue(int shown, int span, const QString &typeCode)
{
    const int limit = typeCode == kTypeCode0501 ? kDotLimit0501 : kDotLimit;
    const int value = shown - span / 2;
    return static_cast<qint8>(value < -limit || value > limit ? -limit : value);
}

namespace NetworkText {

QByteArray parseMac(const QString &text)
{
    const QString t = text.trimmed();
    QString digits;
    if (t.size() == kMacBytes * 2) {
        digits = t;
    } else if (t.size() == kMacBytes * 3 - 1) {
        const QChar separator = t.at(2);
        if (separator != QLatin1Char(':') && separator != QLatin1Char('-')
            && separator != QLatin1Char('.'))
            return QByteArray();
        for (int i = 0; i < t.size(); ++i) {
            if (i % 3 == 2) {
                if (t.at(i) != separator)
                    return QByteArray();
            } else {
                digits.append(t.at(i));
            }
        }
    } else {
        return QByteArray();
    }
    if (!isHexText(digits))
        return QByteArray();
    const QByteArray mac = QByteArray::fromHex(digits.toLatin1());
    // A group address or all zeros would take the printer off the network.
    if (mac.size() != kMacBytes || (static_cast<quint8>(mac.at(0)) & 0x01) != 0
        || mac == QByteArray(kMacBytes, '\0'))
        return QByteArray();
    return mac;
}

QString macText(const QByteArray &mac)
{
    return ValueCodec::hexByteText(mac, false)
        .replace(QRegularExpression(QStringLiteral("(..)(?!$)")), QStringLiteral("\\1:"));
}

QString addressText(const QByteArray &reply)
{
    if (reply.size() == kIpv4Bytes)
        return ValueCodec::ipv4Text(reply, 0);
    const int zero = reply.indexOf('\0');
    const QByteArray text = zero < 0 ? reply : reply.left(zero);
    if (text.isEmpty())
        return QString();
    for (char c : text) {
        if (c < 0x20 || c > 0x7E)
            return QString();
    }
    return QString::fromLatin1(text);
}

} // namespace NetworkText
