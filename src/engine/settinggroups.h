#pragma once

#include <functional>

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

#include "database/records.h"

class ConfigFile;
class SettingCodec;
struct SettingsDefinition;

// What one control of a special group shows, whoever shows it (the settings page, rkctl).
struct GroupValue
{
    bool present = false; // false: the design has no control for the role
    QString text; // an edit box's text, a combo box's current text
    int index = -1; // a combo box's current index
    bool checked = false; // a check box
    double number = 0.0; // a spin box
};

// The settings that are checked and written by their group's own buttons rather than by the
// page's Save: Wi-Fi, Ethernet, Bluetooth and dot adjustment. Each check works on a copy of the
// block and hands it back only when every field passed, so a refused write changes nothing.
//
// Roles inside the groups (the numbers the database binds the controls by):
// - "Wifi": 1 mode (0 station, 1 access point), 2 DHCP (0 off), 5 security (0 none, 1 WEP
//   64-bit, 2 WEP 128-bit, 3-5 WPA kinds), 6 SSID, 7 WEP key, 8 PSK, 15 hexadecimal key box,
//   10 IP address, 11 subnet mask, 12 default gateway, 13 preferred DNS server, 14 start address
//   (the first address handed out in access point mode), 17 port, 18 MAC address (written only by
//   its own button).
// - "Ethernet": 1 IP address, 2 default gateway, 3 subnet mask, 5 name, 6 DHCP, 7 IPv6 switch,
//   9 and 10 the IPv6 fields (shown only), 11 port.
// - "Bluetooth": 1 name, 2 pass code.
// - "Dot adjustment": 86 dot type, 85 mode, 1-20 the adjustment positions, r + 40 the "test" box
//   of position r, 88 the test number.
class SettingGroups
{
public:
    using ValueOf = std::function<GroupValue(const ControlRow &)>;

    // Wi-Fi results; the Ethernet and Bluetooth checks use -1 to -3 and -17 with their own texts.
    enum Code {
        Ok = 0,
        BadPassword = -1,
        BadGateway = -2, // Ethernet
        BadMask = -3, // Ethernet
        StartOffSegment = -4,
        StartIsAddress = -5,
        GatewayOffSegment = -6,
        BadAddress = -8,
        BadWifiMask = -9,
        BadWifiGateway = -10,
        BadDns = -11,
        BadStart = -12,
        SsidTooLong = -14,
        ChinesePassword = -15,
        ChineseSsid = -16,
        NameTooLong = -17,
    };

    static const QString kWifi;
    static const QString kEthernet;
    static const QString kBluetooth;
    static const QString kDotAdjustment;

    SettingGroups(const SettingsDefinition &definition, const SettingCodec &codec);

    // The group's controls by role.
    QMap<int, ControlRow> rows(const QString &group) const;
    // The group (and role) a control row is bound to; empty when none.
    QString groupOf(int rpcaId, int *role = nullptr) const;
    // Groups whose values are written by a Write button of their own.
    static bool hasOwnWrite(const QString &group);

    // Checks the group's fields and encodes them into the block. 0, or the negative code of the
    // first field refused (the block is then unchanged).
    int wifiEncode(const ValueOf &valueOf, QByteArray &block) const;
    int bluetoothEncode(const ValueOf &valueOf, QByteArray &block) const;
    // saveFlagPosition: see ethernetSaveFlagPosition.
    int ethernetEncode(const ValueOf &valueOf, QByteArray &block, int saveFlagPosition) const;
    // Runs the check and encode of a group that has its own Write.
    int encode(const QString &group, const ValueOf &valueOf, QByteArray &block,
        int saveFlagPosition) const;

    // The untranslated message of a check's code, or null when the code shows none.
    static const char *message(const QString &group, int code);
    // Translation context of the messages.
    static const char *const kTranslationContext;

    // Where the Ethernet check marks the network settings as changed: the configuration's
    // "SaveFlag" of the printer type when its Ethernet positions come from the configuration,
    // else 571.
    static int ethernetSaveFlagPosition(const ConfigFile *config, const QString &typeName);
    // Whether the configuration places the printer type's Ethernet fields. Such print servers
    // have no IPv6: the configuration has no position for it.
    static bool ethernetPositionsConfigured(const ConfigFile *config, const QString &typeName);
    // Moves the Ethernet fields to the positions the configuration gives for the printer type
    // (keys "IPAddress", "DefaultGateway", "SubnetMask", "PrintServerName", "DHCP").
    static void applyConfiguredPositions(
        SettingsDefinition &definition, const ConfigFile *config);

    // Dot adjustment.
    QList<int> dotRoles() const;
    // Positions whose "test" box is ticked.
    int dotChosenCount(const ValueOf &valueOf) const;
    // 1D 02 23, dot type, count, then each position's option value.
    QByteArray dotWriteData(const ValueOf &valueOf) const;
    // 1D 01 25 and the dot type (the fixed part), mode, test number, count, then each position's
    // test value, or 127 for a position not chosen.
    QByteArray dotTestData(const ValueOf &valueOf, int testNumber) const;
    // A shown step as the printer takes it: shown - span / 2, kept within +-30 (+-70 on "0501").
    static qint8 dotTestValue(int shown, int span, const QString &typeCode);
    static constexpr int kDotNotChosen = 127;
    static constexpr int kDotTypeRole = 86;
    static constexpr int kDotModeRole = 85;
    static constexpr int kDotTestNumberRole = 88;
    static constexpr int kDotTestBoxOffset = 40;

private:
    bool storeField(const ControlRow &row, const GroupValue &value, QByteArray &block) const;

    const SettingsDefinition &m_definition;
    const SettingCodec &m_codec;
};

// Texts of the network replies and the MAC address.
namespace NetworkText {

// "AA:BB:CC:DD:EE:FF", "AA-BB-...", "AA.BB...." or 12 hexadecimal digits; empty when the text is
// none of these or names no single device (a group address, all zeros).
QByteArray parseMac(const QString &text);
// Six bytes as "AA:BB:CC:DD:EE:FF".
QString macText(const QByteArray &mac);
// The network address reply: four bytes as a dotted address, else the text up to its first zero
// byte; empty when the reply holds neither.
QString addressText(const QByteArray &reply);

} // namespace NetworkText
