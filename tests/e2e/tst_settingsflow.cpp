#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QListWidget>
#include <QtTest>

#include "databaseboxwatch.h"
#include "core/configfile.h"
#include "app/mainwindow.h"
#include "app/optionbar.h"
#include "app/tipwidget.h"
#include "app/windowhandler.h"
#include "connect_ui/connectpanel.h"
#include "comm/delayservice.h"
#include "connect_ui/printerinfo.h"
#include "engine/datadispatcher.h"
#include "settings_ui/widgetengine.h"
#include "settings_ui/adminsettingswidget.h"
#include "app/databaseerrorbox.h"
#include "engine/settingsfile.h"
#include "brokendatabase.h"
#include "rkctlrun.h"
#include "simprocess.h"
#include "messagewatch.h"
#include "testconfig.h"

#include <sys/stat.h>

namespace {
const QString kDatabase = QStringLiteral(RK_BIN_DIR "/SWTDatabase.db");
// How often a block read over TCP is asked for before it fails: the first time and twice on a
// new connection.
constexpr int kModelReadTries = 3;
} // namespace

// Whole flows of the main window against the simulated printer: what a user does, and what
// arrives at the printer.
class tst_SettingsFlow : public QObject
{
    Q_OBJECT

    RecordingDelayService m_delay;

    static void writeConfig(const QList<QPair<QString, QString>> &values)
    {
        QList<QPair<QString, QString>> all{{QStringLiteral("PortSelect/porttype"), QStringLiteral("9")},
                                           {QStringLiteral("Mode/mode"), QStringLiteral("0")}};
        resetTestConfig(all + values);
    }

    static void useTcp(quint16 port)
    {
        writeConfig({{QStringLiteral("Port/type"), QStringLiteral("Wifi")},
                     {QStringLiteral("Wifi/serverip"), QStringLiteral("127.0.0.1")},
                     {QStringLiteral("Wifi/port"), QString::number(port)}});
    }

    // What the printer holds now, read over a connection of our own.
    QByteArray printerBlock(quint16 port, QByteArray *defaults = nullptr)
    {
        ConfigFile config;
        DataDispatcher d(m_delay, &config);
        d.setPortType(3);
        d.setWifiConfig(QStringLiteral("127.0.0.1"), port);
        d.setOperation(DataDispatcher::OpReadSettings);
        d.run();
        if (defaults)
            *defaults = d.defaultBlock();
        return d.settingBlock();
    }

    void writePrinterBlock(quint16 port, const QByteArray &block)
    {
        ConfigFile config;
        DataDispatcher d(m_delay, &config);
        d.setPortType(3);
        d.setWifiConfig(QStringLiteral("127.0.0.1"), port);
        d.setOperation(DataDispatcher::OpWriteSettings, block);
        d.run();
        QVERIFY(d.saved());
    }

    static SimProcess *startSim(const QString &profile, const QStringList &extra = {}, int endpoints = 1)
    {
        auto *sim = new SimProcess;
        QStringList args{QStringLiteral("--profile"), profile};
        if (!extra.contains(QStringLiteral("--tcp")))
            args << QStringLiteral("--tcp") << QStringLiteral("127.0.0.1:0");
        args << extra;
        if (!sim->start(args, endpoints))
            qWarning() << sim->errorText();
        return sim;
    }

    static QWidget *control(MainWindow &w, int position)
    {
        const ControlRow row = w.engine()->definition().valueRows.value(position);
        return w.engine()->controlOf(row.rpcaId());
    }

    // The check box that gates an edit box sits in the grid cell to its right.
    static QCheckBox *gateOf(QWidget *edit)
    {
        for (QGridLayout *grid : edit->parentWidget()->findChildren<QGridLayout *>()) {
            const int index = grid->indexOf(edit);
            if (index < 0)
                continue;
            int row, col, rs, cs;
            grid->getItemPosition(index, &row, &col, &rs, &cs);
            if (QLayoutItem *item = grid->itemAtPosition(row, col + 1))
                return qobject_cast<QCheckBox *>(item->widget());
        }
        return nullptr;
    }

    static void connectAndOpenSettings(MainWindow &w)
    {
        QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
        QVERIFY2(!w.connectedModel().isEmpty(), "not connected");
        QTest::mouseClick(w.optionBar()->settingsButton(), Qt::LeftButton);
        QVERIFY(w.settingsShowing());
        QCOMPARE(w.stack()->currentWidget(), static_cast<QWidget *>(w.userSettingsPage()));
    }

    static QList<int> differences(const QByteArray &a, const QByteArray &b)
    {
        QList<int> at;
        for (int i = 0; i < qMin(a.size(), b.size()); ++i)
            if (a.at(i) != b.at(i))
                at << i;
        return at;
    }

private slots:
    void initTestCase() { qputenv("RKMENU_DISMISS_MESSAGES_MS", "0"); }

    void changeAndSaveOverTcp()
    {
        std::unique_ptr<SimProcess> sim(startSim(QStringLiteral("rk5200-new")));
        useTcp(sim->tcpPort());
        const QByteArray before = printerBlock(sim->tcpPort());
        QCOMPARE(before.size(), 1024);

        MainWindow w(1, kDatabase);
        w.show();
        connectAndOpenSettings(w);
        QCOMPARE(w.currentTypeName(), QStringLiteral("RK-5200_NEW"));
        // The firmware as the printer states it, as on the information panel.
        QCOMPARE(w.userSettingsPage()->firmwareText(), QStringLiteral("V2.31"));
        QCOMPARE(w.printerInfo()->fieldText(PrinterInfo::kFirmwareField), QStringLiteral("V2.31"));

        auto *combo = qobject_cast<QComboBox *>(control(w, 200));
        auto *spin = qobject_cast<QDoubleSpinBox *>(control(w, 112));
        auto *edit = qobject_cast<QLineEdit *>(control(w, 144));
        QVERIFY(combo && spin && edit);
        combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
        spin->setValue(spin->value() == spin->maximum() ? spin->minimum() : spin->value() + spin->singleStep());
        edit->setText(QString::number(edit->text().toInt() + 3));
        if (QCheckBox *gate = gateOf(edit))
            gate->setChecked(true);

        MessageWatch watch(w.tip());
        emit w.userSettingsPage()->saveSettings(false);
        QCOMPARE(watch.texts, QStringList{QStringLiteral("Save Successful")});

        const QList<int> changed = differences(before, printerBlock(sim->tcpPort()));
        QVERIFY2(!changed.isEmpty(), "nothing reached the printer");
        for (int p : changed)
            QVERIFY2(p == 200 || p == 112 || p == 113 || p == 144 || p == 145,
                     qPrintable(QStringLiteral("unexpected change at %1").arg(p)));
        QVERIFY(changed.contains(200));
        QVERIFY(changed.contains(112) || changed.contains(113));
        QVERIFY(changed.contains(144) || changed.contains(145));
    }

    void unconfirmedSaveIsNoSuccess_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("blocksWritten");
        // Handshakes: 1 connect, 2 and 3 opening the settings, 4 the printer check, 5 the write.
        QTest::newRow("acknowledgement never comes")
            << QStringList{QStringLiteral("silent@writeBlock")}
            << QStringLiteral("communicate Error: Read Port Error") << 0;
        QTest::newRow("connection closes before the acknowledgement")
            << QStringList{QStringLiteral("close@writeBlock")} << QStringLiteral("communicate Error: WIFI connect fail")
            << 1;
        QTest::newRow("another mode byte before the write")
            << QStringList{QStringLiteral("list-mode@handshake#5")} << QStringLiteral("Printer has changed!") << 0;
        QTest::newRow("stray bytes after the block read")
            << QStringList{QStringLiteral("pad@readSettings")} << QStringLiteral("Save Successful") << 1;
    }

    // Save says "Save Successful" only for a write the printer confirmed, and the block it writes
    // is the one the page collected.
    void unconfirmedSaveIsNoSuccess()
    {
        QFETCH(QStringList, faults);
        QFETCH(QString, message);
        QFETCH(int, blocksWritten);
        QStringList extra;
        for (const QString &f : faults)
            extra << QStringLiteral("--hostile") << f;
        std::unique_ptr<SimProcess> sim(startSim(QStringLiteral("zn470kw"), extra));
        useTcp(sim->tcpPort());
        MainWindow w(1, kDatabase);
        w.show();
        connectAndOpenSettings(w);
        auto *combo = qobject_cast<QComboBox *>(control(w, 224));
        QVERIFY(combo);
        combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
        MessageWatch watch(w.tip());
        emit w.userSettingsPage()->saveSettings(false);
        const QString shown = watch.texts.join(QLatin1Char('|'));
        QVERIFY2(shown.contains(message), qPrintable(shown));
        if (message != QLatin1String("Save Successful"))
            QVERIFY2(!shown.contains(QLatin1String("Save Successful")), qPrintable(shown));
        QCOMPARE(sim->count(QStringLiteral("DATA writeBlock")), blocksWritten);
        QCOMPARE(sim->count(QStringLiteral("STATE defaults restored")), 0);
        QCOMPARE(sim->count(QStringLiteral("UNKNOWN")), 0);
    }

    void changeAndSaveOverSerialPty()
    {
        std::unique_ptr<SimProcess> sim(startSim(QStringLiteral("zn470kw"), {QStringLiteral("--pty")}, 2));
        const quint16 port = sim->tcpPort();
        const QByteArray before = printerBlock(port);
        writeConfig({{QStringLiteral("Port/type"), QStringLiteral("Serial Port")},
                     {QStringLiteral("SerialPort/port"), QStringLiteral("2")},
                     {QStringLiteral("Devices/COM3"), sim->ptyPath()}});
        {
            MainWindow w(1, kDatabase);
            w.show();
            connectAndOpenSettings(w);
            auto *combo = qobject_cast<QComboBox *>(control(w, 224));
            auto *spin = qobject_cast<QDoubleSpinBox *>(control(w, 114));
            QVERIFY(combo && spin);
            combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
            spin->setValue(spin->value() == spin->maximum() ? spin->minimum() : spin->value() + spin->singleStep());
            emit w.userSettingsPage()->saveSettings(false);
        }
        const QList<int> changed = differences(before, printerBlock(port));
        QVERIFY(changed.contains(224));
        QVERIFY(changed.contains(114) || changed.contains(115));
        for (int p : changed)
            QVERIFY2(p == 224 || p == 114 || p == 115, qPrintable(QString::number(p)));
    }

    void factoryDefaultsKeepInterfaceBytes()
    {
        std::unique_ptr<SimProcess> sim(startSim(QStringLiteral("mv4410c")));
        const quint16 port = sim->tcpPort();
        QByteArray defaults;
        QByteArray block = printerBlock(port, &defaults);
        block[578] = static_cast<char>(quint8(defaults.at(578)) ^ 0x05);
        block[579] = static_cast<char>(quint8(defaults.at(579)) ^ 0x03);
        block[200] = static_cast<char>(quint8(defaults.at(200)) ^ 0x01);
        writePrinterBlock(port, block);

        useTcp(port);
        MainWindow w(1, kDatabase);
        w.show();
        connectAndOpenSettings(w);
        emit w.userSettingsPage()->resetSettings();
        const QByteArray after = printerBlock(port);
        QCOMPARE(after.at(578), block.at(578));
        QCOMPARE(after.at(579), block.at(579));
        QCOMPARE(after.at(200), defaults.at(200));
    }

    void swappedPrinterIsNotWritten()
    {
        std::unique_ptr<SimProcess> first(startSim(QStringLiteral("zn470kw")));
        const quint16 port = first->tcpPort();
        useTcp(port);
        MainWindow w(1, kDatabase);
        w.show();
        connectAndOpenSettings(w);
        auto *combo = qobject_cast<QComboBox *>(control(w, 200));
        combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());

        // Another printer now answers at the same address.
        first->stop();
        std::unique_ptr<SimProcess> second(
            startSim(QStringLiteral("mv4410c"), {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(port)}));
        const QByteArray before = printerBlock(port);
        MessageWatch watch(w.tip());
        emit w.userSettingsPage()->saveSettings(false);
        QVERIFY2(watch.texts.contains(QStringLiteral("Printer has changed!")), qPrintable(watch.texts.join(QLatin1Char('|'))));
        QCOMPARE(w.stack()->currentWidget(), w.homePage());
        QVERIFY(!w.connectPanel()->isConnected());
        QVERIFY(w.connectedModel().isEmpty());
        QCOMPARE(printerBlock(port), before);
        QCOMPARE(second->count(QStringLiteral("CMD announceBlock")), 0);
    }

    void exportThenImport()
    {
        std::unique_ptr<SimProcess> sim(startSim(QStringLiteral("zn470kw")));
        const quint16 port = sim->tcpPort();
        useTcp(port);
        const QByteArray before = printerBlock(port);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("office.cfg"));

        MainWindow w(1, kDatabase);
        w.show();
        connectAndOpenSettings(w);
        auto *combo = qobject_cast<QComboBox *>(control(w, 200));
        const int shown = combo->currentIndex();
        combo->setCurrentIndex((shown + 1) % combo->count());
        const QString changedText = combo->currentText();

        MessageWatch watch(w.tip());
        w.exportSettingsTo(file);
        QCOMPARE(watch.texts.last(), QStringLiteral("Export Successfully"));
        QCOMPARE(printerBlock(port), before); // exporting sends nothing

        // The page read again shows the printer's value; the import brings the file's back as a
        // change that only Save sends.
        QTest::mouseClick(w.optionBar()->settingsButton(), Qt::LeftButton);
        combo = qobject_cast<QComboBox *>(control(w, 200));
        QCOMPARE(combo->currentIndex(), shown);
        QVERIFY(!w.engine()->hasUnsavedChanges());
        w.importSettingsFrom(file);
        QCOMPARE(watch.texts.last(), QStringLiteral("Import Successfully"));
        QCOMPARE(combo->currentText(), changedText);
        QVERIFY(w.engine()->hasUnsavedChanges());
        QCOMPARE(printerBlock(port), before);
        emit w.userSettingsPage()->saveSettings(false);
        QCOMPARE(differences(before, printerBlock(port)), QList<int>{200});

        // A file of another model changes nothing.
        QFile other(dir.filePath(QStringLiteral("other.cfg")));
        QVERIFY(other.open(QIODevice::WriteOnly));
        QDataStream out(&other);
        out << QStringLiteral("MV-4410C") << QByteArray(1024, '\x01');
        other.close();
        const QByteArray saved = printerBlock(port);
        w.importSettingsFrom(other.fileName());
        QCOMPARE(watch.texts.last(), QStringLiteral("Printer type different!"));
        QVERIFY(!w.engine()->hasUnsavedChanges());
        QCOMPARE(printerBlock(port), saved);
    }

    void printerTypeOfProfile_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("typeName");
        QTest::newRow("RK5200 firmware 24") << "rk5200-legacy" << "RK5200" << "RK-5200";
        QTest::newRow("RK5200 other firmware") << "rk5200-new" << "RK5200" << "RK-5200_NEW";
        QTest::newRow("marker: newer layout") << "qp80" << "QuenbyQP-80" << "QuenbyQP-80";
        QTest::newRow("unknown model: main_ type") << "rk7300" << "RK-7300" << "main_0901";
        QTest::newRow("MV-4410C") << "mv4410c" << "MV-4410C" << "MV-4410C";
        QTest::newRow("ZN-470 KW") << "zn470kw" << "ZN-470 KW" << "ZN-470 KW";
        QTest::newRow("RP-58S") << "rp0501" << "RP-58S" << "RP-58S";
        QTest::newRow("BX-580") << "bx580" << "BX-580" << "BX-580";
        QTest::newRow("MV-4310") << "mv4310" << "MV-4310" << "MV-4310";
        QTest::newRow("ZN-480 W") << "zn480w" << "ZN-480 W" << "ZN-480 W";
        QTest::newRow("ZN-350 BT") << "zn350bt" << "ZN-350 BT" << "ZN-350 BT";
        QTest::newRow("no type code") << "rk3000" << "RK-3000" << "RK-3000";
    }

    void printerTypeOfProfile()
    {
        QFETCH(QString, profile);
        QFETCH(QString, model);
        QFETCH(QString, typeName);
        std::unique_ptr<SimProcess> sim(startSim(profile));
        useTcp(sim->tcpPort());
        MainWindow w(1, kDatabase);
        w.show();
        QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
        QVERIFY(w.connectPanel()->isConnected());
        QCOMPARE(w.connectedModel(), model);
        QCOMPARE(w.currentTypeName(), typeName);
        QCOMPARE(w.printerInfo()->fieldText(0), model);
        // Its pages are shown, one section per page of its type.
        QTest::mouseClick(w.optionBar()->settingsButton(), Qt::LeftButton);
        QVERIFY(w.settingsShowing());
        auto *sections = w.userSettingsPage()->findChild<QListWidget *>(QStringLiteral("sectionList"));
        QVERIFY(sections);
        QVERIFY(sections->count() >= 3);
        QCOMPARE(sections->count(), w.engine()->pageTitles().size());
        // Nothing counts as changed before the user changes something, and a Save then leaves
        // the printer's block as it was.
        QVERIFY(!w.engine()->hasUnsavedChanges());
        const QByteArray before = printerBlock(sim->tcpPort());
        MessageWatch watch(w.tip());
        emit w.userSettingsPage()->saveSettings(false);
        QCOMPARE(watch.texts, QStringList { QStringLiteral("Save Successful") });
        QCOMPARE(differences(before, printerBlock(sim->tcpPort())), QList<int>());
    }

    void unsupportedPrinterIsRefused()
    {
        std::unique_ptr<SimProcess> sim(startSim(QStringLiteral("zn470kw")));
        useTcp(sim->tcpPort());
        // A database without the printer's type nor its main_ fallback.
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("SWTDatabase.db"));
        QVERIFY(QFile::copy(kDatabase, copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("edit"));
            db.setDatabaseName(copy);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("UPDATE PrinterType SET prit_name = prit_name || '-x' WHERE prit_name IN ('ZN-470 KW', 'main_0701')")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("edit"));
        MainWindow w(1, copy);
        w.show();
        MessageWatch watch(w.tip());
        QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
        QCOMPARE(watch.texts, QStringList{QStringLiteral("This model does not support setup")});
        QVERIFY(!w.connectPanel()->isConnected());
        QVERIFY(w.connectedModel().isEmpty());
    }

    void communicationErrorLeavesDisconnected()
    {
        useTcp(1); // nothing listens there
        MainWindow w(1, kDatabase);
        w.show();
        MessageWatch watch(w.tip());
        QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
        QVERIFY(!w.connectPanel()->isConnected());
        QVERIFY(w.connectedModel().isEmpty());
        // Both messages of the failure, in the order they were raised, each in a box of its own.
        QCOMPARE(watch.texts,
                 QStringList({QStringLiteral("communicate Error: WIFI connect fail"),
                              QStringLiteral("communicate Error: Open Port Error")}));
        QVERIFY(!w.tip()->isVisible());
    }

    void leavingWithUnsavedChangesAsksOnce()
    {
        std::unique_ptr<SimProcess> sim(startSim(QStringLiteral("zn470kw")));
        const quint16 port = sim->tcpPort();
        useTcp(port);
        const char before = printerBlock(port).at(200);
        MainWindow w(1, kDatabase);
        w.show();
        connectAndOpenSettings(w);
        auto *combo = qobject_cast<QComboBox *>(control(w, 200));
        combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());

        MessageWatch watch(w.tip());
        emit w.titleBar()->backToHome();
        // Confirmed: saved, and the page stays.
        QCOMPARE(watch.texts.first(), QStringLiteral("Some paramter not be saved\nDo you want to save ？"));
        QCOMPARE(watch.texts.count(QStringLiteral("Some paramter not be saved\nDo you want to save ？")), 1);
        QVERIFY(w.settingsShowing());
        QVERIFY(printerBlock(port).at(200) != before);
        watch.texts.clear();
        emit w.titleBar()->backToHome();
        QVERIFY(watch.texts.isEmpty());
        QCOMPARE(w.stack()->currentWidget(), w.homePage());
    }

    void uncheckedPrinterIsNotWritten_data()
    {
        QTest::addColumn<bool>("reset");
        QTest::addColumn<QStringList>("hostile");
        // The printer check's model read is the second; it is asked for again on new connections,
        // and the printer answers the exchanges after it.
        auto atTheCheck = [](const QString &kind) {
            QStringList faults;
            for (int n = 2; n < 2 + kModelReadTries; ++n)
                faults << QStringLiteral("%1@readModel#%2").arg(kind).arg(n);
            return faults;
        };
        QTest::newRow("save, model unanswered") << false << atTheCheck(QStringLiteral("silent"));
        QTest::newRow("save, closed at the model read") << false << atTheCheck(QStringLiteral("close"));
        QTest::newRow("factory defaults, closed at the model read") << true << atTheCheck(QStringLiteral("close"));
    }

    // A printer check that did not see the identified printer stops Save and factory defaults
    // with its error shown: nothing reaches the printer, and no success is claimed.
    void uncheckedPrinterIsNotWritten()
    {
        QFETCH(bool, reset);
        QFETCH(QStringList, hostile);
        SimProcess sim;
        QStringList args{QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--profile"),
                         QStringLiteral("zn470kw"), QStringLiteral("--state"), sim.stateFile()};
        for (const QString &fault : hostile)
            args << QStringLiteral("--hostile") << fault;
        QVERIFY2(sim.start(args), qPrintable(sim.errorText()));
        useTcp(sim.tcpPort());
        MainWindow w(1, kDatabase);
        w.show();
        connectAndOpenSettings(w);
        auto *combo = qobject_cast<QComboBox *>(control(w, 200));
        combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());

        MessageWatch watch(w.tip());
        if (reset)
            emit w.userSettingsPage()->resetSettings();
        else
            emit w.userSettingsPage()->saveSettings(false);
        const QString shown = watch.texts.join(QLatin1Char('|'));
        QVERIFY2(sim.count(QStringLiteral("FAULT ")) == hostile.size(), qPrintable(sim.log().join(QLatin1Char('\n'))));
        QVERIFY2(!watch.texts.isEmpty() && watch.texts.first().startsWith(QLatin1String("communicate Error: ")),
                 qPrintable(shown));
        QVERIFY2(!watch.texts.contains(QStringLiteral("Save Successful")), qPrintable(shown));
        QVERIFY2(!shown.contains(QStringLiteral("factory default value")), qPrintable(shown));
        QCOMPARE(sim.count(QStringLiteral("CMD announceBlock")), 0);
        QCOMPARE(sim.count(QStringLiteral("DATA writeBlock")), 0);
        QCOMPARE(sim.count(QStringLiteral("CMD restoreDefaults")), 0);
        const QByteArray now = SimProcess::settingBlockIn(sim.stateFile());
        QVERIFY(now.isEmpty() || now == w.dispatcher()->settingBlock());
    }

    void importWritesWhatThePageWould_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("file");
        for (const char *profile : {"zn470kw", "rk5200-new", "rk5200-legacy", "mv4410c", "rp0501", "qp80", "rk7300",
                                    "bx580", "mv4310", "zn480w", "zn350bt", "rk3000"}) {
            for (const char *file : {"0xFF everywhere", "the defaults"})
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(profile), QLatin1String(file))))
                    << QString::fromLatin1(profile) << QString::fromLatin1(file);
        }
    }

    // rkctl's import and the page's Import followed by Save leave two printers of a model with
    // the same block, and with no control whose bytes stand for no value.
    void importWritesWhatThePageWould()
    {
        QFETCH(QString, profile);
        QFETCH(QString, file);
        SimProcess sim;
        QVERIFY2(sim.start({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--count"),
                            QStringLiteral("2"), QStringLiteral("--profile"), profile, QStringLiteral("--profile"),
                            profile, QStringLiteral("--state"), sim.stateFile()},
                           2),
                 qPrintable(sim.errorText()));
        const quint16 byCommand = sim.tcpPort(0);
        const quint16 byPage = sim.tcpPort(1);
        QByteArray defaults;
        const QByteArray before = printerBlock(byPage, &defaults);
        QCOMPARE(before.size(), 1024);
        QByteArray data(1024, '\xFF');
        if (file == QLatin1String("the defaults"))
            data = defaults;

        useTcp(byPage);
        MainWindow w(1, kDatabase);
        w.show();
        connectAndOpenSettings(w);
        QTemporaryDir dir;
        const QString cfg = dir.filePath(QStringLiteral("import.cfg"));
        QCOMPARE(SettingsFile::save(cfg, {w.connectedModel(), data}), SettingsFile::Status::Ok);

        const QStringList printer{QStringLiteral("--host"), QStringLiteral("127.0.0.1"), QStringLiteral("--tcp-port"),
                                  QString::number(byCommand)};
        const RkctlRun imported = rkctl(printer + QStringList{QStringLiteral("import"), cfg});
        QVERIFY2(imported.code == 0, qPrintable(imported.err));

        MessageWatch watch(w.tip());
        w.importSettingsFrom(cfg);
        QCOMPARE(watch.texts.last(), QStringLiteral("Import Successfully"));
        if (w.engine()->hasUnsavedChanges()) {
            emit w.userSettingsPage()->saveSettings(false);
            QCOMPARE(watch.texts.last(), QStringLiteral("Save Successful"));
        }
        const QByteArray byCommandBlock = SimProcess::settingBlockIn(sim.stateFile(0));
        const QByteArray byPageBlock = printerBlock(byPage);
        QCOMPARE(byPageBlock.size(), 1024);
        QStringList differ;
        for (int p = 0; p < 1024; ++p)
            if ((byCommandBlock.isEmpty() ? before : byCommandBlock).at(p) != byPageBlock.at(p))
                differ << QString::number(p);
        QVERIFY2(differ.isEmpty(), qPrintable(QStringLiteral("positions differ: ") + differ.join(QLatin1Char(' '))));

        // Every setting the page shows has a value.
        const RkctlRun read = rkctl(printer + QStringList{QStringLiteral("read"), QStringLiteral("--json")});
        QCOMPARE(read.code, 0);
        const QJsonArray settings =
            QJsonDocument::fromJson(read.out.toUtf8()).object().value(QStringLiteral("settings")).toArray();
        QVERIFY(!settings.isEmpty());
        for (const QJsonValue &setting : settings)
            QVERIFY2(!setting.toObject().value(QStringLiteral("value")).isNull(),
                     qPrintable(setting.toObject().value(QStringLiteral("name")).toString()));
    }

    void importRefusesWhatIsNoSettingsFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("pipe") << "pipe";
        QTest::newRow("link to a device") << "urandom";
        QTest::newRow("larger than a settings file") << "large";
    }

    // The page's Import never opens a pipe or a device, nor reads a file of any size.
    void importRefusesWhatIsNoSettingsFile()
    {
        QFETCH(QString, kind);
        std::unique_ptr<SimProcess> sim(startSim(QStringLiteral("zn470kw")));
        useTcp(sim->tcpPort());
        MainWindow w(1, kDatabase);
        w.show();
        connectAndOpenSettings(w);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("x.cfg"));
        if (kind == QLatin1String("pipe")) {
            QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        } else if (kind == QLatin1String("urandom")) {
            QVERIFY(QFile::link(QStringLiteral("/dev/urandom"), file));
        } else {
            QFile big(file);
            QVERIFY(big.open(QIODevice::WriteOnly));
            big.write(QByteArray(1 << 20, 'M'));
        }
        const QByteArray block = w.engine()->settingBlock();
        MessageWatch watch(w.tip());
        w.importSettingsFrom(file);
        QCOMPARE(watch.texts, QStringList{QStringLiteral("This is not a settings file.")});
        QCOMPARE(w.engine()->settingBlock(), block);
        QVERIFY(!w.engine()->hasUnsavedChanges());
    }

    void brokenDatabaseShowsTheBox_data()
    {
        QTest::addColumn<QString>("kind");
        for (const QString &kind : brokendatabase::kinds())
            QTest::newRow(qPrintable(kind)) << kind;
    }

    // A broken database is reported as such, not as a printer the database does not know.
    void brokenDatabaseShowsTheBox()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString database = dir.filePath(QStringLiteral("SWTDatabase.db"));
        QVERIFY(brokendatabase::make(kind, database));
        std::unique_ptr<SimProcess> sim(startSim(QStringLiteral("zn470kw")));
        useTcp(sim->tcpPort());
        MainWindow w(1, database);
        w.show();
        MessageWatch watch(w.tip());
        DatabaseBoxWatch boxes;
        QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
        QCOMPARE(boxes.texts.size(), 1);
        QVERIFY2(boxes.texts.first().contains(QStringLiteral("\nUnable to establish a database connection.")),
                 qPrintable(boxes.texts.first()));
        QVERIFY2(boxes.texts.first().contains(database), qPrintable(boxes.texts.first()));
        QVERIFY2(watch.texts.isEmpty(), qPrintable(watch.texts.join(QLatin1Char('|'))));
        QVERIFY(!w.connectPanel()->isConnected());
        QCOMPARE(sim->count(QStringLiteral("CONNECT")), 0);
    }
};

QTEST_MAIN(tst_SettingsFlow)
#include "tst_settingsflow.moc"
