#include <QCheckBox>
#include <QComboBox>
#include <QtTest>

#include "core/configfile.h"
#include "definitionbuilder.h"
#include "settings_ui/adoptionedit.h"
#include "settings_ui/adoptionspinbox.h"
#include "settings_ui/widgetdispose.h"
#include "settings_ui/widgetengine.h"
#include "testconfig.h"

using B = DefinitionBuilder;

namespace {
const QString kSpinRead = QStringLiteral("H*256+L");
const QString kSpinWrite = QStringLiteral("H=Math.floor(value/256);L=value%256");

// The Wi-Fi, Ethernet and paper pages of a printer, as the delivered network and colour printers
// lay them out.
struct Rig
{
    B b { { QStringLiteral("Wifi Setup"), QStringLiteral("Ethernet Setup"),
        QStringLiteral("Paper Setup") } };
    QMap<QString, int> id;
    std::unique_ptr<WidgetEngine> engine;
    std::unique_ptr<WidgetDispose> dispose;
    ConfigFile config;

    Rig(const QString &typeCode, const QByteArray &block)
    {
        const QStringList six { "None", "WEP 64", "WEP 128", "WPA", "WPA2", "Mixed" };
        id["mode"] = b.add(B::combo(316, { "Station", "Access point" }).at(0, 0).bound("Wifi", 1));
        id["dhcp"] = b.add(B::combo(317, { "Off", "On" }).at(0, 1).bound("Wifi", 2));
        id["security"] = b.add(B::combo(318, six).at(0, 2).bound("Wifi", 5));
        id["wep"] = b.add(B::edit(344, 15, "WEPPassword0701").at(0, 3).bound("Wifi", 7));
        id["hex"] = b.add(B::control(KindCheckBox).at(0, 3, 2).bound("Wifi", 15));
        id["psk"] = b.add(B::edit(360, 25, "Password0701").at(0, 4).bound("Wifi", 8));
        const char *addresses[] = { "ip", "mask", "gateway", "dns", "start" };
        for (int i = 0; i < 5; ++i)
            id[addresses[i]] = b.add(B::edit(388 + 4 * i, 4, "Wifi and Ethernet Basic Setup")
                                         .at(0, 5 + i)
                                         .bound("Wifi", 10 + i));
        id["eDhcp"] = b.add(B::combo(468, { "Off", "On" }).at(1, 0).bound("Ethernet", 6));
        for (int role = 1; role <= 3; ++role)
            id[QStringLiteral("e%1").arg(role)] = b.add(
                B::edit(436 + 4 * role, 4, "Ethernet Basic Setup").at(1, role).bound("Ethernet", role));
        id["ipv6"] = b.add(B::combo(469, { "Off", "On" }).at(1, 4).bound("Ethernet", 7));
        id["v6"] = b.add(B::edit(470, 8, "IPv6 Setup").at(1, 5).bound("Ethernet", 9));
        id["v6caption"] = b.add(B::control(KindLabel, 0, "IPv6 Link-local Address").at(1, 5, 0));

        id["markBox"] = b.add(B::control(KindCheckBox).at(2, 0, 2).bound("Black Mark", 4));
        id["mark"] = b.add(B::spin(144, 2, kSpinRead, kSpinWrite, 0, 720).at(2, 0).bound("Black Mark", 5));
        id["sheetBox"] = b.add(B::control(KindCheckBox).at(2, 1, 2).bound("Single Page", 26));
        id["sheet"] = b.add(B::spin(152, 2, kSpinRead, kSpinWrite, 0, 360).at(2, 1).bound("Single Page", 27));
        id["tearBox"] = b.add(B::control(KindCheckBox, 160).at(2, 2).bound("Single Page", 55));
        id["tear"] = b.add(B::spin(162, 2, kSpinRead, kSpinWrite, 0, 40).at(2, 3).bound("Single Page", 56));
        // Two emulations, with a setting for each and one for an emulation the printer lacks.
        id["emulation"] = b.add(B::combo(100, { "ESC/P", "IBM" }).at(2, 4).bound("Emulation Mode", 1));
        for (int role = 2; role <= 4; ++role)
            id[QStringLiteral("emulation%1").arg(role)]
                = b.add(B::combo(100 + role, { "A", "B" }).at(2, 3 + role).bound("Emulation Mode", role));

        engine = std::make_unique<WidgetEngine>(DatabaseLocation(), &config);
        SettingsIdentity identity;
        identity.typeCode = typeCode;
        engine->setIdentity(identity);
        engine->setDefinition(b.def);
        engine->buildPages();
        engine->setSettingBlock(block);
        engine->setDefaultBlock(block);
        engine->fillControls();
    }

    void makeDispose()
    {
        dispose = std::make_unique<WidgetDispose>(engine->groupRegistry(),
            engine->identity().typeCode, QStringLiteral("TEST"), engine->settingBlockRef(),
            engine.get(), &config);
    }

    template<typename T = QWidget>
    T *control(const QString &name) const
    {
        return qobject_cast<T *>(engine->controlOf(id.value(name)));
    }
};

QByteArray block(std::initializer_list<QPair<int, int>> bytes)
{
    QByteArray b(1024, '\0');
    for (const auto &at : bytes)
        b[at.first] = char(at.second);
    return b;
}
} // namespace

class tst_WidgetDispose : public QObject
{
    Q_OBJECT

private slots:
    void security_data()
    {
        QTest::addColumn<int>("security");
        QTest::addColumn<bool>("wepOn");
        QTest::addColumn<int>("wepLength");
        QTest::addColumn<bool>("pskOn");
        QTest::addColumn<bool>("hexShown");
        QTest::newRow("none") << 0 << false << -1 << false << false;
        QTest::newRow("WEP 64") << 1 << true << 5 << false << true;
        QTest::newRow("WEP 128") << 2 << true << 13 << false << false;
        QTest::newRow("WPA") << 3 << false << -1 << true << false;
        QTest::newRow("WPA2") << 4 << false << -1 << true << false;
        QTest::newRow("mixed") << 5 << false << -1 << true << false;
    }

    // The security kind gives the key fields their state, at opening and on every change.
    void security()
    {
        QFETCH(int, security);
        QFETCH(bool, wepOn);
        QFETCH(int, wepLength);
        QFETCH(bool, pskOn);
        QFETCH(bool, hexShown);
        for (bool atOpening : { true, false }) {
            Rig rig(QStringLiteral("0701"), block({ { 318, atOpening ? security : 0 } }));
            rig.makeDispose();
            rig.engine->pages().first()->show();
            if (!atOpening)
                rig.control<QComboBox>("security")->setCurrentIndex(security);
            auto *wep = rig.control<AdOptionEdit>("wep");
            QCOMPARE(wep->isEnabled(), wepOn);
            if (wepLength > 0)
                QCOMPARE(wep->maxLength(), wepLength);
            QCOMPARE(rig.control("psk")->isEnabled(), pskOn);
            if (pskOn)
                QCOMPARE(rig.control<AdOptionEdit>("psk")->maxLength(), 23);
            QCOMPARE(rig.control("hex")->isVisible(), hexShown);
        }
    }

    void wifiMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("dhcp");
        QTest::addColumn<QString>("enabled"); // of dhcp ip mask gateway dns start
        QTest::newRow("station, DHCP off") << 0 << 0 << "111110";
        QTest::newRow("station, DHCP on") << 0 << 1 << "100000";
        QTest::newRow("access point") << 1 << 0 << "011001";
        QTest::newRow("access point, DHCP byte set") << 1 << 1 << "011001";
    }

    void wifiMode()
    {
        QFETCH(int, mode);
        QFETCH(int, dhcp);
        QFETCH(QString, enabled);
        Rig rig(QStringLiteral("0701"), block({ { 316, 1 - mode }, { 317, 1 - dhcp } }));
        rig.makeDispose();
        rig.control<QComboBox>("dhcp")->setCurrentIndex(dhcp);
        rig.control<QComboBox>("mode")->setCurrentIndex(mode);
        QString shown;
        for (const char *name : { "dhcp", "ip", "mask", "gateway", "dns", "start" })
            shown += rig.control(name)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        QCOMPARE(shown, enabled);
    }

    // DHCP on disables the Ethernet addresses; off enables them again. The IPv6 switch shows or
    // hides its fields with their captions.
    void ethernetSwitches()
    {
        Rig rig(QStringLiteral("0701"), block({ { 468, 1 }, { 469, 0 } }));
        rig.makeDispose();
        for (QWidget *page : rig.engine->pages())
            page->show();
        for (const char *name : { "e1", "e2", "e3" })
            QVERIFY(!rig.control(name)->isEnabled());
        QVERIFY(!rig.control("v6")->isVisible());
        QVERIFY(!rig.control("v6")->isEnabled());
        QVERIFY(!rig.control("v6caption")->isVisible());

        rig.control<QComboBox>("eDhcp")->setCurrentIndex(0);
        rig.control<QComboBox>("ipv6")->setCurrentIndex(1);
        for (const char *name : { "e1", "e2", "e3" })
            QVERIFY(rig.control(name)->isEnabled());
        QVERIFY(rig.control("v6")->isVisible());
        QVERIFY(rig.control("v6caption")->isVisible());

        rig.control<QComboBox>("eDhcp")->setCurrentIndex(1);
        QVERIFY(!rig.control("e2")->isEnabled());
    }

    // A print server placed by the configuration has no IPv6: its switch and fields stay hidden
    // whatever the block says. Settings of an emulation the printer lacks are hidden.
    void hiddenByType_data()
    {
        QTest::addColumn<bool>("configured");
        QTest::newRow("own Ethernet positions") << false;
        QTest::newRow("positions from the configuration") << true;
    }

    void hiddenByType()
    {
        QFETCH(bool, configured);
        resetTestConfig({});
        Rig rig(QStringLiteral("0701"), block({ { 469, 1 } }));
        if (configured)
            rig.config.writeValue(QStringLiteral("TEST"), QStringLiteral("IPAddress"), QStringLiteral("440"));
        rig.makeDispose();
        for (QWidget *page : rig.engine->pages())
            page->show();
        for (const char *name : { "ipv6", "v6", "v6caption" })
            QCOMPARE(rig.control(name)->isVisible(), !configured);
        QVERIFY(rig.control("emulation2")->isVisible());
        QVERIFY(rig.control("emulation3")->isVisible());
        QVERIFY(!rig.control("emulation4")->isVisible());
        // The switch's own rule does not bring the fields back.
        rig.dispose->applyAll();
        QCOMPARE(rig.control("v6")->isVisible(), !configured);
    }

    // Factory defaults fill the controls without signals: the rules are applied again after.
    void rulesFollowARefill()
    {
        Rig rig(QStringLiteral("0701"), block({ { 468, 1 } }));
        rig.makeDispose();
        QVERIFY(!rig.control("e1")->isEnabled());
        rig.engine->setSettingBlock(block({ { 468, 0 } }));
        rig.engine->fillControls();
        rig.dispose->applyAll();
        QVERIFY(rig.control("e1")->isEnabled());
    }

    void pairs_data()
    {
        QTest::addColumn<QString>("typeCode");
        QTest::addColumn<int>("lock"); // byte 223
        QTest::addColumn<bool>("sheetEnabled"); // once its box is ticked
        QTest::newRow("0302, cut sheets unlocked") << "0302" << 0 << true;
        QTest::newRow("0302, cut sheets locked") << "0302" << 1 << false;
        QTest::newRow("other type: no lock") << "0901" << 1 << true;
    }

    // A Define box enables its spin box; unticking it disables the box and puts back the value
    // read from the printer.
    void pairs()
    {
        QFETCH(QString, typeCode);
        QFETCH(int, lock);
        QFETCH(bool, sheetEnabled);
        Rig rig(typeCode, block({ { 145, 100 }, { 223, lock } }));
        rig.makeDispose();
        auto *mark = rig.control<AdoptionSpinBox>("mark");
        QVERIFY(!mark->isEnabled());
        QVERIFY(!rig.control("sheet")->isEnabled());
        rig.control<QCheckBox>("markBox")->setChecked(true);
        rig.control<QCheckBox>("sheetBox")->setChecked(true);
        QVERIFY(mark->isEnabled());
        QCOMPARE(rig.control("sheet")->isEnabled(), sheetEnabled);
        mark->setValue(300);
        rig.control<QCheckBox>("markBox")->setChecked(false);
        QVERIFY(!mark->isEnabled());
        QCOMPARE(mark->value(), 100.0);
    }

    void tearCheck_data()
    {
        QTest::addColumn<QString>("typeCode");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("checked");
        QTest::newRow("0302, stored checked") << "0302" << "2" << true;
        QTest::newRow("0302, stored unchecked") << "0302" << "0" << false;
        QTest::newRow("other type: box left alone") << "0901" << "2" << false;
    }

    // On "0302" the tear check box starts as last left on this computer; its changes are kept.
    void tearCheck()
    {
        QFETCH(QString, typeCode);
        QFETCH(QString, stored);
        QFETCH(bool, checked);
        Rig rig(typeCode, block({}));
        rig.config.writeValue(QStringLiteral("TearCheck"), QStringLiteral("ischeck"), stored);
        rig.makeDispose();
        auto *box = rig.control<QCheckBox>("tearBox");
        QCOMPARE(box->isChecked(), checked);
        QCOMPARE(rig.control("tear")->isEnabled(), checked);
        box->setChecked(!checked);
        QCOMPARE(rig.config.readText(QStringLiteral("TearCheck/ischeck")),
            checked ? QStringLiteral("0") : QStringLiteral("2"));
        QCOMPARE(rig.control("tear")->isEnabled(), !checked);
    }
};

QTEST_MAIN(tst_WidgetDispose)
#include "tst_widgetdispose.moc"
