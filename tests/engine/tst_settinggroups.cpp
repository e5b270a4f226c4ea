#include <QTextCodec>
#include <QtTest>

#include "core/configfile.h"
#include "engine/formulaevaluator.h"
#include "engine/settingcodec.h"
#include "engine/settinggroups.h"
#include "definitionbuilder.h"

using B = DefinitionBuilder;
using Values = QMap<int, GroupValue>; // role -> what its control shows
Q_DECLARE_METATYPE(Values)

namespace {
GroupValue text(const QString &t)
{
    GroupValue v;
    v.text = t;
    return v;
}
GroupValue index(int i, const QString &t = QString())
{
    GroupValue v;
    v.index = i;
    v.text = t.isEmpty() ? QString::number(i) : t;
    return v;
}
GroupValue checked(bool on)
{
    GroupValue v;
    v.checked = on;
    return v;
}

// A printer type with the three network groups and a dot adjustment page, laid out as the
// delivered network printer is.
struct Network
{
    B b { { QStringLiteral("Wifi Setup"), QStringLiteral("Ethernet Setup"),
        QStringLiteral("Bluetooth Setup"), QStringLiteral("Advanced Setup") } };
    QMap<int, int> wifi, ethernet, bluetooth, dot; // role -> rpca id
    FormulaEvaluator evaluator;
    std::unique_ptr<SettingCodec> codec;
    std::unique_ptr<SettingGroups> groups;

    explicit Network(const QString &typeCode)
    {
        const QStringList six { "0", "1", "2", "3", "4", "5" };
        wifi[1] = b.add(B::combo(316, { "Station", "Access point" }).at(0, 0).bound("Wifi", 1));
        wifi[2] = b.add(B::combo(317, { "Off", "On" }).at(0, 1).bound("Wifi", 2));
        wifi[5] = b.add(B::combo(318, six).at(0, 2).bound("Wifi", 5));
        wifi[6] = b.add(B::edit(320, 24, "SSID").at(0, 3).bound("Wifi", 6));
        wifi[7] = b.add(B::edit(344, 15, "WEPPassword0701").at(0, 4).bound("Wifi", 7));
        wifi[8] = b.add(B::edit(360, 25, "Password0701").at(0, 5).bound("Wifi", 8));
        wifi[15] = b.add(B::control(KindCheckBox).at(0, 4, 2).bound("Wifi", 15));
        for (int role = 10; role <= 14; ++role)
            wifi[role] = b.add(B::edit(388 + 4 * (role - 10), 4, "Wifi and Ethernet Basic Setup")
                                   .at(0, role - 4)
                                   .bound("Wifi", role));
        wifi[18] = b.add(B::edit(410, 6, "MAC").at(0, 11).bound("Wifi", 18));

        ethernet[6] = b.add(B::combo(468, { "Off", "On" }).at(1, 0).bound("Ethernet", 6));
        ethernet[1] = b.add(B::edit(440, 4, "Ethernet Basic Setup").at(1, 1).bound("Ethernet", 1));
        ethernet[2] = b.add(B::edit(444, 4, "Ethernet Basic Setup").at(1, 2).bound("Ethernet", 2));
        ethernet[3] = b.add(B::edit(448, 4, "Ethernet Basic Setup").at(1, 3).bound("Ethernet", 3));
        ethernet[5] = b.add(B::edit(452, 16, "Ethernet Name").at(1, 4).bound("Ethernet", 5));
        ethernet[7] = b.add(B::combo(469, { "Off", "On" }).at(1, 5).bound("Ethernet", 7));
        ethernet[9] = b.add(B::edit(470, 8, "IPv6 Setup").at(1, 6).bound("Ethernet", 9));

        const bool split = typeCode == QLatin1String("0701");
        bluetooth[1] = b.add(B::edit(split ? 659 : 596, split ? 20 : 16, "BlueToothModel")
                                 .at(2, 0)
                                 .bound("Bluetooth", 1));
        bluetooth[2] = b.add(B::edit(split ? 679 : 613, split ? 10 : 5, "BlueToothPassword")
                                 .at(2, 1)
                                 .bound("Bluetooth", 2));

        QStringList steps;
        for (int i = 0; i <= 60; ++i)
            steps << QString::number(i);
        dot[86] = b.add(B::combo(270, { "Draft dots", "LQ dots" }).at(3, 0).bound("Dot adjustment", 86));
        dot[85] = b.add(B::combo(271, { "Bidirectional", "High speed" }).at(3, 1).bound("Dot adjustment", 85));
        for (int role = 1; role <= 4; ++role) {
            dot[role] = b.add(B::combo(271 + role, steps).at(3, 1 + role).bound("Dot adjustment", role));
            dot[role + 40] = b.add(B::control(KindCheckBox).at(3, 1 + role, 2).bound("Dot adjustment", role + 40));
        }
        codec = std::make_unique<SettingCodec>(b.def, typeCode, evaluator);
        groups = std::make_unique<SettingGroups>(b.def, *codec);
    }

    // What the page shows: the given values over a station with DHCP off on 192.168.1.100/24.
    static Values wifiShown(const Values &changes)
    {
        Values v { { 1, index(0, "Station") }, { 2, index(0, "Off") }, { 5, index(0) },
            { 6, text("Office") }, { 7, text("") }, { 8, text("") }, { 15, checked(false) },
            { 10, text("192.168.1.100") }, { 11, text("255.255.255.0") },
            { 12, text("192.168.1.1") }, { 13, text("8.8.8.8") }, { 14, text("192.168.1.20") },
            { 18, text("00.15.8C.2A.3B.4F") } };
        for (auto it = changes.cbegin(); it != changes.cend(); ++it)
            v[it.key()] = it.value();
        return v;
    }

    SettingGroups::ValueOf valueOf(const QMap<int, int> &ids, const Values &values) const
    {
        return [ids, values](const ControlRow &row) { return values.value(ids.key(row.rpcaId())); };
    }
};

QByteArray block()
{
    QByteArray b(1024, '\0');
    for (int i = 300; i < 700; ++i)
        b[i] = char(0xEE); // what the printer had: every byte a check does not write stays
    return b;
}
} // namespace

class tst_SettingGroups : public QObject
{
    Q_OBJECT

private slots:
    void wifiCheck_data()
    {
        QTest::addColumn<Values>("changes");
        QTest::addColumn<int>("code");
        const QString chinese = QStringLiteral("办公室");
        QTest::newRow("no security: keys not looked at") << Values { { 7, text("x") } } << 0;
        QTest::newRow("WEP 64: 5 characters") << Values { { 5, index(1) }, { 7, text("abcde") } } << 0;
        QTest::newRow("WEP 64: 6 characters") << Values { { 5, index(1) }, { 7, text("abcdef") } } << -1;
        QTest::newRow("WEP 64 hexadecimal: 10 digits")
            << Values { { 5, index(1) }, { 15, checked(true) }, { 7, text("0a1B2c3D4e") } } << 0;
        QTest::newRow("WEP 64 hexadecimal: 5 characters")
            << Values { { 5, index(1) }, { 15, checked(true) }, { 7, text("abcde") } } << -1;
        QTest::newRow("WEP 64 hexadecimal: not digits")
            << Values { { 5, index(1) }, { 15, checked(true) }, { 7, text("0a1B2c3D4g") } } << -1;
        QTest::newRow("WEP 128: 13 characters")
            << Values { { 5, index(2) }, { 7, text("abcdefghijklm") } } << 0;
        QTest::newRow("WEP 128: 5 characters") << Values { { 5, index(2) }, { 7, text("abcde") } } << -1;
        QTest::newRow("WEP key in Chinese") << Values { { 5, index(1) }, { 7, text(chinese) } } << -15;
        QTest::newRow("WPA: 8 characters") << Values { { 5, index(3) }, { 8, text("12345678") } } << 0;
        QTest::newRow("WPA: 7 characters") << Values { { 5, index(4) }, { 8, text("1234567") } } << -1;
        QTest::newRow("WPA: 24 characters") << Values { { 5, index(5) }, { 8, text(QString(24, 'k')) } } << -1;
        QTest::newRow("WPA in Chinese") << Values { { 5, index(3) }, { 8, text(chinese + "12345") } } << -15;
        QTest::newRow("SSID in Chinese") << Values { { 6, text(chinese) } } << -16;
        QTest::newRow("SSID of 24 bytes") << Values { { 6, text(QString(24, 's')) } } << 0;
        QTest::newRow("SSID of 25 bytes") << Values { { 6, text(QString(25, 's')) } } << -14;
        QTest::newRow("IP of three parts") << Values { { 10, text("192.168.1") } } << -8;
        QTest::newRow("mask part above 255") << Values { { 11, text("255.256.255.0") } } << -9;
        QTest::newRow("gateway ending in a point") << Values { { 12, text("192.168.1.") } } << -10;
        QTest::newRow("DNS empty") << Values { { 13, text("") } } << -11;
        QTest::newRow("start address of five parts") << Values { { 14, text("1.2.3.4.5") } } << -12;
        QTest::newRow("gateway on another network")
            << Values { { 12, text("192.168.2.1") } } << -6;
        QTest::newRow("gateway elsewhere but DHCP on")
            << Values { { 2, index(1, "On") }, { 12, text("192.168.2.1") } } << 0;
        QTest::newRow("no gateway") << Values { { 12, text("0.0.0.0") } } << 0;
        QTest::newRow("access point: start on another network")
            << Values { { 1, index(1, "Access point") }, { 14, text("10.0.0.20") } } << -4;
        QTest::newRow("access point: start is its own address")
            << Values { { 1, index(1, "Access point") }, { 14, text("192.168.1.100") } } << -5;
        QTest::newRow("access point: gateway not looked at")
            << Values { { 1, index(1, "Access point") }, { 12, text("10.9.9.9") } } << 0;
        QTest::newRow("first refusal wins: SSID before keys")
            << Values { { 6, text(chinese) }, { 5, index(1) }, { 7, text("x") } } << -16;
    }

    // A refused check leaves the block exactly as it was.
    void wifiCheck()
    {
        QFETCH(Values, changes);
        QFETCH(int, code);
        Network n(QStringLiteral("0701"));
        QByteArray b = block();
        const QByteArray before = b;
        QCOMPARE(n.groups->wifiEncode(n.valueOf(n.wifi, Network::wifiShown(changes)), b), code);
        if (code != 0) {
            QCOMPARE(b, before);
            QVERIFY(SettingGroups::message(SettingGroups::kWifi, code));
        }
    }

    // Exactly the bytes of the Wi-Fi fields change; the MAC address waits for its own button.
    void wifiEncodeWritesItsFields()
    {
        Network n(QStringLiteral("0701"));
        QByteArray b = block();
        const QByteArray before = b;
        const Values shown = Network::wifiShown(
            { { 5, index(3, "3") }, { 8, text("printer2024") }, { 6, text("RK-Office") } });
        QCOMPARE(n.groups->wifiEncode(n.valueOf(n.wifi, shown), b), 0);
        QByteArray expected = before;
        expected.replace(316, 3, QByteArray::fromHex("000003"));
        expected.replace(320, 24, QByteArray("RK-Office").leftJustified(24, '\0'));
        expected.replace(344, 15, QByteArray(15, '\0'));
        expected.replace(360, 25, QByteArray("printer2024").leftJustified(25, '\0'));
        expected.replace(388, 20, QByteArray::fromHex("C0A80164FFFFFF00C0A8010108080808C0A80114"));
        QCOMPARE(b.toHex(), expected.toHex());
    }

    void bluetooth_data()
    {
        QTest::addColumn<QString>("typeCode");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("pass");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("position"); // of the written area
        QTest::addColumn<QByteArray>("written");
        const QByteArray area = QByteArray("RKPrinter").leftJustified(17, '\0') + "1234" + '\0' + '\1';
        QTest::newRow("0501: area at 596, flag after it") << "0501" << "RKPrinter" << "1234" << 0 << 596 << area;
        QTest::newRow("0302: area at 620") << "0302" << "RKPrinter" << "1234" << 0 << 620 << area;
        QTest::newRow("0701: name and pass code apart")
            << "0701" << "RKPrinter" << "1234" << 0 << 659
            << QByteArray("RKPrinter").leftJustified(20, '\0') + QByteArray("1234").leftJustified(10, '\0')
                + '\1';
        QTest::newRow("name of 16 bytes") << "0501" << QString(16, 'n') << "0000" << 0 << 596
                                          << QByteArray(16, 'n') + '\0' + "0000" + '\0' + '\1';
        QTest::newRow("name of 17 bytes") << "0501" << QString(17, 'n') << "1234" << -17 << 0 << QByteArray();
        QTest::newRow("name with a space") << "0501" << "RK Printer" << "1234" << -17 << 0 << QByteArray();
        QTest::newRow("name with a dash") << "0501" << "RK-58" << "1234" << -17 << 0 << QByteArray();
        QTest::newRow("name of one letter") << "0501" << "R" << "1234" << -17 << 0 << QByteArray();
        QTest::newRow("Chinese name") << "0501" << "R打印机" << "1234" << -17 << 0 << QByteArray();
        QTest::newRow("pass code of 3 digits") << "0501" << "RK58" << "123" << -1 << 0 << QByteArray();
        QTest::newRow("pass code of 5 digits") << "0701" << "RK58" << "12345" << -1 << 0 << QByteArray();
        QTest::newRow("letter before 3 digits") << "0501" << "RK58" << "a123" << -1 << 0 << QByteArray();
    }

    void bluetooth()
    {
        QFETCH(QString, typeCode);
        QFETCH(QString, name);
        QFETCH(QString, pass);
        QFETCH(int, code);
        QFETCH(int, position);
        QFETCH(QByteArray, written);
        Network n(typeCode);
        QByteArray b = block();
        const QByteArray before = b;
        const Values shown { { 1, text(name) }, { 2, text(pass) } };
        QCOMPARE(n.groups->bluetoothEncode(n.valueOf(n.bluetooth, shown), b), code);
        QByteArray expected = before;
        if (code == 0)
            expected.replace(position, written.size(), written);
        else
            QVERIFY(SettingGroups::message(SettingGroups::kBluetooth, code));
        QCOMPARE(b.toHex(), expected.toHex());
    }

    void ethernet_data()
    {
        QTest::addColumn<Values>("changes");
        QTest::addColumn<int>("code");
        QTest::newRow("all right") << Values() << 0;
        QTest::newRow("gateway ending in a point") << Values { { 2, text("192.168.0.") } } << -2;
        QTest::newRow("mask of three parts") << Values { { 3, text("255.255.255") } } << -3;
        QTest::newRow("IP part above 255") << Values { { 1, text("192.168.0.300") } } << -1;
        QTest::newRow("IP checked before the mask")
            << Values { { 1, text("") }, { 3, text("255") } } << -1;
        QTest::newRow("name of 17 bytes") << Values { { 5, text(QString(17, 'e')) } } << -17;
        QTest::newRow("name of 8 Chinese characters")
            << Values { { 5, text(QStringLiteral("网络打印机办公室")) } } << 0;
        QTest::newRow("name of 9 Chinese characters")
            << Values { { 5, text(QStringLiteral("网络打印机办公室一")) } } << -17;
    }

    // A refused check writes nothing; an accepted one its fields and the save flag.
    void ethernet()
    {
        QFETCH(Values, changes);
        QFETCH(int, code);
        Network n(QStringLiteral("0701"));
        Values shown { { 1, text("192.168.0.87") }, { 2, text("192.168.0.1") },
            { 3, text("255.255.255.0") }, { 5, text("RK-Office") }, { 6, index(1, "On") },
            { 7, index(0, "Off") }, { 9, text("FE80::1:2:3:4/64") } };
        for (auto it = changes.cbegin(); it != changes.cend(); ++it)
            shown[it.key()] = it.value();
        QByteArray b = block();
        const QByteArray before = b;
        QCOMPARE(n.groups->ethernetEncode(n.valueOf(n.ethernet, shown), b, 571), code);
        if (code != 0) {
            QCOMPARE(b, before);
            QVERIFY(SettingGroups::message(SettingGroups::kEthernet, code));
            return;
        }
        QByteArray expected = before;
        expected.replace(440, 12, QByteArray::fromHex("C0A80057C0A80001FFFFFF00"));
        const QByteArray name = QTextCodec::codecForName("GB18030")->fromUnicode(shown.value(5).text);
        expected.replace(452, 16, name.leftJustified(16, '\0'));
        expected.replace(468, 2, QByteArray::fromHex("0100"));
        expected[571] = '\1';
        QCOMPARE(b.toHex(), expected.toHex());
    }

    // The configuration may place the Ethernet fields and the save flag of a printer type.
    void configuredEthernetPositions()
    {
        Network n(QStringLiteral("0701"));
        ConfigFile config;
        const QString type = n.b.def.printerTypeName;
        QCOMPARE(SettingGroups::ethernetSaveFlagPosition(&config, type), 571);
        config.writeValue(type, QStringLiteral("IPAddress"), QStringLiteral("520"));
        QCOMPARE(SettingGroups::ethernetSaveFlagPosition(&config, type), 571); // no SaveFlag key
        config.writeValue(type, QStringLiteral("SaveFlag"), QStringLiteral("600"));
        QCOMPARE(SettingGroups::ethernetSaveFlagPosition(&config, type), 600);
        SettingGroups::applyConfiguredPositions(n.b.def, &config);
        QCOMPARE(n.b.def.controlRows.value(n.ethernet[1]).bytePosition(), 520);
        QCOMPARE(n.b.def.valueRows.value(520).rpcaId(), n.ethernet[1]);
        QVERIFY(!n.b.def.valueRows.contains(440));
        QCOMPARE(n.b.def.controlRows.value(n.ethernet[2]).bytePosition(), 444);
        config.writeValue(type, QStringLiteral("IPAddress"), QString());
        config.writeValue(type, QStringLiteral("SaveFlag"), QString());
    }

    void dotTestValue_data()
    {
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("span");
        QTest::addColumn<QString>("typeCode");
        QTest::addColumn<int>("value");
        QTest::newRow("middle") << 30 << 60 << "0000" << 0;
        QTest::newRow("lowest") << 0 << 60 << "0000" << -30;
        QTest::newRow("highest") << 60 << 60 << "0000" << 30;
        QTest::newRow("beyond +30") << 61 << 60 << "0000" << -30;
        QTest::newRow("0501 highest") << 140 << 140 << "0501" << 70;
        QTest::newRow("0501 lowest") << 0 << 140 << "0501" << -70;
        QTest::newRow("0501 beyond +70") << 141 << 140 << "0501" << -70;
        QTest::newRow("+45 allowed on 0501 only") << 115 << 140 << "0501" << 45;
        QTest::newRow("+45 elsewhere") << 115 << 140 << "0302" << -30;
    }

    void dotTestValue()
    {
        QFETCH(int, shown);
        QFETCH(int, span);
        QFETCH(QString, typeCode);
        QFETCH(int, value);
        QCOMPARE(int(SettingGroups::dotTestValue(shown, span, typeCode)), value);
    }

    void dotData_data()
    {
        QTest::addColumn<QString>("typeCode");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QByteArray>("write");
        QTest::addColumn<QByteArray>("test");
        // Positions 1-4 show 10, 30, 45, 60; 1 and 3 are ticked; letter-quality dots, high speed.
        QTest::newRow("three positions") << "0000" << 2 << QByteArray::fromHex("1D0223 01 03 0A1E2D")
                                         << QByteArray::fromHex("1D0125 01 01 07 03 EC7F0F");
        QTest::newRow("0501: two positions") << "0501" << 1 << QByteArray::fromHex("1D0223 01 02 0A1E")
                                             << QByteArray::fromHex("1D0125 01 01 07 02 EC7F");
        QTest::newRow("no type code: four positions")
            << "" << 2 << QByteArray::fromHex("1D0223 01 04 0A1E2D3C")
            << QByteArray::fromHex("1D0125 01 01 07 04 EC7F0F7F");
    }

    void dotData()
    {
        QFETCH(QString, typeCode);
        QFETCH(int, chosen);
        QFETCH(QByteArray, write);
        QFETCH(QByteArray, test);
        Network n(typeCode);
        const Values shown { { 86, index(1, "LQ dots") }, { 85, index(1, "High speed") },
            { 1, text("10") }, { 2, text("30") }, { 3, text("45") }, { 4, text("60") },
            { 41, checked(true) }, { 42, checked(false) }, { 43, checked(true) },
            { 44, checked(false) } };
        const auto valueOf = n.valueOf(n.dot, shown);
        QCOMPARE(n.groups->dotChosenCount(valueOf), chosen);
        QCOMPARE(n.groups->dotWriteData(valueOf).toHex(' '), write.toHex(' '));
        QCOMPARE(n.groups->dotTestData(valueOf, 7).toHex(' '), test.toHex(' '));
    }

    void parseMac_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("mac");
        const QByteArray mac = QByteArray::fromHex("00158C2A3B4F");
        QTest::newRow("colons") << "00:15:8C:2A:3B:4F" << mac;
        QTest::newRow("lower case, dashes") << "00-15-8c-2a-3b-4f" << mac;
        QTest::newRow("points, as the page shows it") << "00.15.8C.2A.3B.4F" << mac;
        QTest::newRow("digits only") << " 00158C2A3B4F " << mac;
        QTest::newRow("mixed separators") << "00:15-8C:2A:3B:4F" << QByteArray();
        QTest::newRow("five bytes") << "00:15:8C:2A:3B" << QByteArray();
        QTest::newRow("a digit short") << "00:15:8C:2A:3B:4" << QByteArray();
        QTest::newRow("not hexadecimal") << "00:15:8C:2A:3B:4G" << QByteArray();
        QTest::newRow("group address") << "01:00:5E:00:00:01" << QByteArray();
        QTest::newRow("broadcast") << "FF:FF:FF:FF:FF:FF" << QByteArray();
        QTest::newRow("all zeros") << "000000000000" << QByteArray();
    }

    void parseMac()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, mac);
        QCOMPARE(NetworkText::parseMac(text), mac);
        if (!mac.isEmpty())
            QCOMPARE(NetworkText::parseMac(NetworkText::macText(mac)), mac);
    }

    void addressText_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("text");
        QTest::newRow("four bytes") << QByteArray::fromHex("C0A80059") << "192.168.0.89";
        QTest::newRow("text") << QByteArray("192.168.0.89") << "192.168.0.89";
        QTest::newRow("text ended by zero") << QByteArray("10.0.0.7\0\0\0", 11) << "10.0.0.7";
        QTest::newRow("nothing") << QByteArray() << "";
        QTest::newRow("control bytes") << QByteArray("\x01\x02\x03\x04\x05", 5) << "";
    }

    void addressText()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, text);
        QCOMPARE(NetworkText::addressText(reply), text);
    }
};

QTEST_GUILESS_MAIN(tst_SettingGroups)
#include "tst_settinggroups.moc"
