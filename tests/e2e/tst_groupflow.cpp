#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "app/mainwindow.h"
#include "app/optionbar.h"
#include "comm/delayservice.h"
#include "connect_ui/connectpanel.h"
#include "engine/datadispatcher.h"
#include "engine/settingsfile.h"
#include "settings_ui/adminsettingswidget.h"
#include "settings_ui/adoptionspinbox.h"
#include "settings_ui/adoptioncombobox.h"
#include "settings_ui/adoptionedit.h"
#include "settings_ui/widgetengine.h"
#include "messagewatch.h"
#include "blockruns.h"
#include "simprocess.h"
#include "testconfig.h"

namespace {
const QString kDatabase = QStringLiteral(RK_BIN_DIR "/SWTDatabase.db");

struct Entry
{
    QString group;
    int role;
    QString value;
};
using Entries = QList<Entry>;

} // namespace
Q_DECLARE_METATYPE(Entries)

// The special groups' buttons on the settings page, against the simulated printer.
class tst_GroupFlow : public QObject
{
    Q_OBJECT

    RecordingDelayService m_delay;
    std::unique_ptr<SimProcess> m_sim;

    void startPrinter(const QString &profile, const QStringList &extra = {})
    {
        m_sim = std::make_unique<SimProcess>();
        QVERIFY2(m_sim->start(QStringList { QStringLiteral("--profile"), profile, QStringLiteral("--tcp"),
                                  QStringLiteral("127.0.0.1:0"), QStringLiteral("--state"),
                                  m_sim->stateFile() }
                     + extra),
            qPrintable(m_sim->errorText()));
        resetTestConfig({ { QStringLiteral("PortSelect/porttype"), QStringLiteral("9") },
            { QStringLiteral("Mode/mode"), QStringLiteral("0") },
            { QStringLiteral("Port/type"), QStringLiteral("Wifi") },
            { QStringLiteral("Wifi/serverip"), QStringLiteral("127.0.0.1") },
            { QStringLiteral("Wifi/port"), QString::number(m_sim->tcpPort()) } });
    }

    QByteArray printerBlock() const { return SimProcess::settingBlockIn(m_sim->stateFile()); }

    static void openSettings(MainWindow &w)
    {
        QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
        QVERIFY2(!w.connectedModel().isEmpty(), "not connected");
        QTest::mouseClick(w.optionBar()->settingsButton(), Qt::LeftButton);
        QVERIFY(w.settingsShowing());
    }

    static QWidget *groupControl(MainWindow &w, const QString &group, int role)
    {
        return w.engine()->groupRegistry().value(group).value(role);
    }

    // Clicks the page's button bound to the action.
    static bool click(MainWindow &w, const QString &action)
    {
        const SettingsDefinition &def = w.engine()->definition();
        for (const CommandBinding &binding : def.commandBindings) {
            if (binding.cmd() != action || binding.paramPosition() != 0)
                continue;
            if (auto *button = qobject_cast<QPushButton *>(w.engine()->controlOf(binding.rpcaId()))) {
                button->click();
                return true;
            }
        }
        return false;
    }

    static void enter(MainWindow &w, const Entries &entries)
    {
        for (const Entry &e : entries) {
            QWidget *control = groupControl(w, e.group, e.role);
            if (auto *combo = qobject_cast<QComboBox *>(control))
                combo->setCurrentText(e.value);
            else if (auto *edit = qobject_cast<QLineEdit *>(control))
                edit->setText(e.value);
            else
                QFAIL(qPrintable(QStringLiteral("no control %1/%2").arg(e.group).arg(e.role)));
        }
    }

private slots:
    void initTestCase() { qputenv("RKMENU_DISMISS_MESSAGES_MS", "0"); }
    void cleanup() { m_sim.reset(); }

    void write_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<Entries>("entries");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("changed"); // positions of the printer's block that change
        const QString w = QStringLiteral("Wifi");
        const QString e = QStringLiteral("Ethernet");
        const QString b = QStringLiteral("Bluetooth");
        QTest::newRow("Wi-Fi SSID") << "zn470kw" << Entries { { w, 6, "Store" } } << "Wifi Write"
                                    << "Save Successful" << "320-328";
        QTest::newRow("Wi-Fi SSID in Chinese")
            << "zn470kw" << Entries { { w, 6, "仓库" } } << "Wifi Write" << "SSID can't be chinese."
            << "";
        QTest::newRow("Wi-Fi WEP 128 with a short key")
            << "zn470kw" << Entries { { w, 5, "WEP 128-bit" }, { w, 7, "abcde" } } << "Wifi Write"
            << "Follow the prompts to input the correct password." << "";
        QTest::newRow("Wi-Fi gateway off the network")
            << "zn470kw" << Entries { { w, 12, "10.0.0.1" } } << "Wifi Write"
            << "IP address and default gateway is not in the same network segment, modify and "
               "then write please."
            << "";
        QTest::newRow("Ethernet address") << "zn470kw" << Entries { { e, 1, "192.168.0.50" } }
                                          << "Ethernet Write" << "Save Successful" << "443 571";
        QTest::newRow("Ethernet gateway ending in a point")
            << "zn470kw" << Entries { { e, 2, "192.168.0." } } << "Ethernet Write"
            << "Please input the correct default getway." << "";
        QTest::newRow("Ethernet mask of three parts")
            << "zn470kw" << Entries { { e, 3, "255.255.255" } } << "Ethernet Write"
            << "Please input the correct subnet mask." << "";
        QTest::newRow("Ethernet name of 17 bytes")
            << "zn470kw" << Entries { { e, 5, "仓库打印机一二三4" } } << "Ethernet Write"
            << "Name string length is too long." << "";
        QTest::newRow("Bluetooth name, 0701 layout")
            << "zn470kw" << Entries { { b, 1, "Zz9Bt" } } << "Bluetooth Write" << "Save Successful"
            << "659-669 689";
        QTest::newRow("Bluetooth pass code, area at 596")
            << "rp0501" << Entries { { b, 2, "4321" } } << "Bluetooth Write" << "Save Successful"
            << "613-616 618";
        QTest::newRow("Bluetooth pass code of 3 digits")
            << "rp0501" << Entries { { b, 2, "432" } } << "Bluetooth Write"
            << "Follow the prompts to input the correct password." << "";
    }

    // A group's Write changes exactly the bytes of its area; a refused check shows its message
    // and writes nothing.
    void write()
    {
        QFETCH(QString, profile);
        QFETCH(Entries, entries);
        QFETCH(QString, action);
        QFETCH(QString, message);
        QFETCH(QString, changed);
        startPrinter(profile);
        const QByteArray before = printerBlock();
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        openSettings(w);
        enter(w, entries);
        MessageWatch watch(w.tip());
        QVERIFY(click(w, action));
        QCOMPARE(watch.texts, QStringList { message });
        QCOMPARE(m_sim->count(QStringLiteral("DATA writeBlock")), changed.isEmpty() ? 0 : 1);
        QCOMPARE(changedRuns(before, printerBlock()), changed);
        if (!changed.isEmpty()) {
            // The group's controls now count as saved.
            for (QWidget *control : w.engine()->groupRegistry().value(entries.first().group)) {
                if (auto *edit = qobject_cast<AdOptionEdit *>(control))
                    QVERIFY(!edit->state().isChanged());
            }
        }
    }

    void changedPrinterStopsTheWrite_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("Wi-Fi") << "Wifi Write";
        QTest::newRow("Ethernet") << "Ethernet Write";
        QTest::newRow("Bluetooth") << "Bluetooth Write";
        QTest::newRow("MAC address") << "Wifi Mac Write";
    }

    // Every group write goes behind the printer check: another printer gets nothing.
    void changedPrinterStopsTheWrite()
    {
        QFETCH(QString, action);
        // Handshakes: 1 connect, 2 and 3 opening the settings, 4 the printer check.
        startPrinter(QStringLiteral("zn470kw"),
            { QStringLiteral("--hostile"), QStringLiteral("list-mode@handshake#4") });
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        openSettings(w);
        MessageWatch watch(w.tip());
        QVERIFY(click(w, action));
        QCOMPARE(watch.texts, QStringList { QStringLiteral("Printer has changed!") });
        QCOMPARE(m_sim->count(QStringLiteral("DATA write")), 0);
        QVERIFY(!w.settingsShowing() || w.connectedModel().isEmpty());
    }

    // Read IP and the MAC address buttons, with the commands they send.
    void addressAndMac()
    {
        startPrinter(QStringLiteral("zn470kw"));
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        openSettings(w);
        MessageWatch watch(w.tip());
        QVERIFY(click(w, QStringLiteral("Wifi IP Read")));
        QVERIFY(click(w, QStringLiteral("Wifi Mac Read")));
        QCOMPARE(watch.texts,
            QStringList({ QStringLiteral("IP:address=192.168.0.89"),
                QStringLiteral("address = 00:15:8C:2A:3B:4F") }));

        auto *mac = qobject_cast<QLineEdit *>(groupControl(w, QStringLiteral("Wifi"), 18));
        QVERIFY(mac);
        mac->setText(QStringLiteral("01.00.5E.00.00.01"));
        watch.texts.clear();
        QVERIFY(click(w, QStringLiteral("Wifi Mac Write")));
        QCOMPARE(watch.texts, QStringList { QStringLiteral("Please input the correct MAC address.") });
        QCOMPARE(m_sim->count(QStringLiteral("CMD writeMac")), 0);

        mac->setText(QStringLiteral("02.15.8C.00.00.2A"));
        watch.texts.clear();
        QVERIFY(click(w, QStringLiteral("Wifi Mac Write")));
        QCOMPARE(watch.texts, QStringList { QStringLiteral("Save Successful") });
        QCOMPARE(m_sim->count(QStringLiteral("CMD writeMac 1d02340006")), 1);
        QCOMPARE(m_sim->count(QStringLiteral("DATA writeMac 02158c00002a")), 1);
        QCOMPARE(m_sim->count(QStringLiteral("UNKNOWN")), 0);
        // A later Wi-Fi write carries the new address, not the one read before.
        QVERIFY(click(w, QStringLiteral("Wifi Write")));
        QCOMPARE(printerBlock().mid(410, 6).toHex(), QByteArray("02158c00002a"));
    }

    // Default and Reset put the Wi-Fi choices back to the printer's defaults and to what was read.
    void wifiDefaultAndReset()
    {
        startPrinter(QStringLiteral("zn470kw"));
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        openSettings(w);
        auto *mode = qobject_cast<AdOptionCombobox *>(groupControl(w, QStringLiteral("Wifi"), 1));
        auto *security = qobject_cast<AdOptionCombobox *>(groupControl(w, QStringLiteral("Wifi"), 5));
        QVERIFY(mode && security);
        const QString read = security->currentText();
        mode->setCurrentIndex(1);
        security->setCurrentText(QStringLiteral("WEP 64-bit"));
        QVERIFY(click(w, QStringLiteral("Wifi Reset")));
        QCOMPARE(security->currentText(), read);
        QCOMPARE(mode->currentIndex(), 0);
        QVERIFY(!security->state().isChanged());
        security->setCurrentText(QStringLiteral("No security"));
        QVERIFY(click(w, QStringLiteral("Wifi Default")));
        QCOMPARE(security->currentText(), security->state().defaultText());
        // Station mode again: the start address is not entered.
        QVERIFY(!groupControl(w, QStringLiteral("Wifi"), 14)->isEnabled());
    }

    // Dot adjustment: nothing chosen asks for a choice; the values and the test print go to the
    // printer with their own commands.
    void dotAdjustment()
    {
        startPrinter(QStringLiteral("rk5200-new"));
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        openSettings(w);
        const QString dot = QStringLiteral("Dot adjustment");
        MessageWatch watch(w.tip());
        QVERIFY(click(w, QStringLiteral("Dot adjustment write")));
        QVERIFY(click(w, QStringLiteral("Dot adjustment test")));
        QCOMPARE(watch.texts, QStringList({ QStringLiteral("Please choose!"), QStringLiteral("Please choose!") }));
        QCOMPARE(m_sim->count(QStringLiteral("DATA dot")), 0);

        auto *first = qobject_cast<QComboBox *>(groupControl(w, dot, 1));
        auto *box = qobject_cast<QCheckBox *>(groupControl(w, dot, 41));
        QVERIFY(first && box);
        first->setCurrentText(QStringLiteral("40"));
        box->setChecked(true);
        watch.texts.clear();
        QVERIFY(click(w, QStringLiteral("Dot adjustment write")));
        QVERIFY(click(w, QStringLiteral("Dot adjustment test")));
        QCOMPARE(watch.texts, QStringList({ QStringLiteral("Save Successful"), QStringLiteral("Test success.") }));
        const QStringList log = m_sim->log();
        const QString written = log.filter(QStringLiteral("DATA dotWrite")).value(0);
        const QString tested = log.filter(QStringLiteral("DATA dotTest")).value(0);
        // Dot type, count 3, the first position's value 40 (0x28).
        QVERIFY2(written.contains(QRegularExpression(QStringLiteral("DATA dotWrite ..0328"))), qPrintable(written));
        // The first position chosen: 40 - 60 / 2 = 10 (0x0a); the others 127.
        QVERIFY2(tested.endsWith(QStringLiteral("030a7f7f")), qPrintable(tested));
        QCOMPARE(m_sim->count(QStringLiteral("UNKNOWN")), 0);
    }

    // An import fills the controls anew: a Define-gated distance shows the file's value, stays
    // disabled until its box is ticked, and Save writes what the file brought.
    void importRefreshesThePairs()
    {
        startPrinter(QStringLiteral("mv4410c"));
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        openSettings(w);
        QByteArray block = printerBlock();
        block[142] = 1; // black mark detection on: its distances are shown
        const int offset = quint8(block.at(145)) == 40 ? 60 : 40;
        block[144] = 0;
        block[145] = char(offset);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("marks.cfg"));
        QCOMPARE(SettingsFile::save(file, { w.connectedModel(), block }), SettingsFile::Status::Ok);
        w.importSettingsFrom(file);

        auto *spin = qobject_cast<AdoptionSpinBox *>(groupControl(w, QStringLiteral("Black Mark"), 5));
        auto *box = qobject_cast<QCheckBox *>(groupControl(w, QStringLiteral("Black Mark"), 4));
        QVERIFY(spin && box);
        QCOMPARE(spin->value(), double(offset));
        QVERIFY(!spin->isEnabled());
        QVERIFY(spin->state().isChanged());
        box->setChecked(true);
        QVERIFY(spin->isEnabled());
        QCOMPARE(spin->value(), double(offset));

        MessageWatch watch(w.tip());
        emit w.userSettingsPage()->saveSettings(false);
        QCOMPARE(watch.texts, QStringList { QStringLiteral("Save Successful") });
        QCOMPARE(quint8(printerBlock().at(145)), quint8(offset));
    }

    // Factory defaults fill the controls without their signals; the group rules follow anyway.
    void factoryDefaultsApplyTheGroupRules()
    {
        startPrinter(QStringLiteral("zn470kw"));
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        openSettings(w);
        auto *dhcp = qobject_cast<QComboBox *>(groupControl(w, QStringLiteral("Ethernet"), 6));
        QWidget *address = groupControl(w, QStringLiteral("Ethernet"), 1);
        QVERIFY(dhcp && address);
        const int read = dhcp->currentIndex();
        dhcp->setCurrentIndex(read == 0 ? 1 : 0);
        MessageWatch watch(w.tip());
        QVERIFY(click(w, QStringLiteral("Ethernet Write")));
        QCOMPARE(watch.texts, QStringList { QStringLiteral("Save Successful") });
        QCOMPARE(address->isEnabled(), dhcp->currentIndex() == 0);

        emit w.userSettingsPage()->resetSettings();
        QCOMPARE(dhcp->currentIndex(), read);
        QCOMPARE(address->isEnabled(), read == 0);
    }
};

QTEST_MAIN(tst_GroupFlow)
#include "tst_groupflow.moc"
