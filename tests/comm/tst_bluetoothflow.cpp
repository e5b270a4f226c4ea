#include <memory>

#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "core/configfile.h"
#include "app/mainwindow.h"
#include "app/optionbar.h"
#include "app/tipwidget.h"
#include "connect_ui/connectconfig.h"
#include "connect_ui/connectpanel.h"
#include "comm/delayservice.h"
#include "engine/datadispatcher.h"
#include "messagewatch.h"
#include "simprocess.h"
#include "testconfig.h"

namespace {

const QString kDatabase = QStringLiteral(RK_BIN_DIR "/SWTDatabase.db");
constexpr int kSearchWaitMs = 10000;

QPushButton *buttonOf(QWidget *panel, const QString &text)
{
    for (QPushButton *b : panel->findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

} // namespace

// The main window's Bluetooth road: no device chosen, discovery into the panel, choice,
// connect and settings, against the simulator's Bluetooth stack.
class tst_BluetoothFlow : public QObject
{
    Q_OBJECT

    RecordingDelayService m_delay;

    static std::unique_ptr<SimProcess> startStack()
    {
        auto sim = std::make_unique<SimProcess>();
        if (!sim->start({ QStringLiteral("--bluetooth"), QStringLiteral("127.0.0.1:0"),
                            QStringLiteral("--count"), QStringLiteral("2"),
                            QStringLiteral("--profile"), QStringLiteral("zn470kw"),
                            QStringLiteral("--profile"), QStringLiteral("rp0501") },
                1)) {
            qWarning() << sim->errorText();
            return nullptr;
        }
        return sim;
    }

    static void writeConfig(const QString &stack)
    {
        resetTestConfig({ { QStringLiteral("PortSelect/porttype"), QStringLiteral("9") },
            { QStringLiteral("Mode/mode"), QStringLiteral("0") },
            { QStringLiteral("Port/type"), QStringLiteral("Bluetooth") },
            { QStringLiteral("Devices/Bluetooth"), QStringLiteral("sim:") + stack } });
    }

private slots:
    void initTestCase() { qputenv("RKMENU_DISMISS_MESSAGES_MS", "0"); }

    void chooseConnectAndReadSettings()
    {
        auto sim = startStack();
        QVERIFY(sim);
        writeConfig(sim->readyLines().value(0).section(QLatin1Char(' '), 2));
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        MessageWatch watch(w.tip());

        // Bluetooth is the stored port, but no device has been chosen in this session.
        QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
        QCOMPARE(
            watch.texts, QStringList { QStringLiteral("Please select the bluetooth device.") });
        QVERIFY(w.connectedModel().isEmpty());
        QCOMPARE(sim->count(QStringLiteral("BLUETOOTH")), 0);

        QTest::mouseClick(w.connectPanel()->configButton(), Qt::LeftButton);
        ConnectConfig *panel = w.connectConfig();
        QWidget *btPanel = panel->bluetoothList()->parentWidget();
        QPushButton *refresh = buttonOf(btPanel, QStringLiteral("Refresh"));
        QPushButton *confirm = buttonOf(btPanel, QStringLiteral("Confirm"));
        QVERIFY(refresh && confirm);
        refresh->click();
        QTRY_COMPARE_WITH_TIMEOUT(panel->bluetoothList()->count(), 2, kSearchWaitMs);
        QCOMPARE(panel->bluetoothList()->item(0)->text(), QStringLiteral("ZN-470 KW"));
        QCOMPARE(panel->bluetoothList()->item(1)->text(), QStringLiteral("RP-58S"));

        panel->bluetoothList()->setCurrentRow(1);
        watch.texts.clear();
        confirm->click();
        QCOMPARE(watch.texts, QStringList { QStringLiteral("Port setting successful.") });

        QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
        QCOMPARE(w.connectedModel(), QStringLiteral("RP-58S"));
        QCOMPARE(w.currentTypeName(), QStringLiteral("RP-58S"));

        QTest::mouseClick(w.optionBar()->settingsButton(), Qt::LeftButton);
        QVERIFY(w.settingsShowing());
        QVERIFY(sim->count(QStringLiteral("#1 CMD readSettings")) >= 1);
        QCOMPARE(sim->count(QStringLiteral("#1 CONNECT bluetooth 52:4B:53:49:4D:02")), 1);
        QCOMPARE(sim->count(QStringLiteral("#0 CONNECT")), 0);
        QCOMPARE(w.dispatcher()->settingBlock().size(), 1024);
    }
};

QTEST_MAIN(tst_BluetoothFlow)
#include "tst_bluetoothflow.moc"
