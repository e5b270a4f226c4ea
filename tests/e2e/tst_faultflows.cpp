#include <functional>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "app/mainwindow.h"
#include "app/optionbar.h"
#include "app/waittingdlg.h"
#include "comm/communication.h"
#include "comm/delayservice.h"
#include "comm/tcpclient.h"
#include "connect_ui/connectpanel.h"
#include "engine/datadispatcher.h"
#include "maintenance_core/devicetest.h"
#include "maintenance_ui/devicetest.h"
#include "maintenance_ui/updatefirmware.h"
#include "settings_ui/adminsettingswidget.h"
#include "settings_ui/widgetengine.h"
#include "firmwarefile.h"
#include "messagewatch.h"
#include "simprocess.h"
#include "testconfig.h"

// Every exchange of the window's printer flows met by a printer that drops the link, cuts its
// reply short, answers garbage or never answers: each ends with a message, a window that still
// answers, and a printer that holds what it held before or what the flow wrote, never a mix.
// The flows of this executable are named by RK_FAULT_FLOWS (two executables share the file).

namespace {
const QString kDatabase = QStringLiteral(RK_BIN_DIR "/SWTDatabase.db");
const QString kSaved = QStringLiteral("Save Successful");
const QString kTestSuccess = QStringLiteral("Test success.");
const QString kFirmwareDone = QStringLiteral("Complete!\nPrinter will be restarted");
// Questions the flows ask on their way (they confirm themselves in unattended runs).
const QStringList kQuestions { QStringLiteral("Please confirm whether to restore the\nfactory default value"),
    QStringLiteral("Do you want to update firmware ?") };
// How long a read waits for the printer while the fault plays: short, so that the silent and
// cut-short rows stay quick. The window's own wait elsewhere, so a loaded machine does not fail
// the sound exchanges around the fault.
constexpr int kFaultReadWaitMs = 100;
// A flow that has not returned by then is stuck in a modal loop.
constexpr int kStuckMs = 30000;
constexpr int kSettleMs = 30;
constexpr int kFirmwareSize = 48 * 1024;
constexpr int kFirmwareWrittenMs = 500;

enum class Start { Home, Connected, SettingsPage };

struct Flow
{
    QString name;
    QString profile;
    Start start = Start::Home;
    // The exchanges of the action, numbered as the printer counts them from its start.
    QStringList exchanges;
    bool writes = false;
    // A download leaves the printer restarting, or waiting in its download mode when the
    // switch's reply was lost: the user switches it off and on before the next action.
    bool powerCycle = false;
    std::function<void(MainWindow &)> prepare;
    std::function<void(MainWindow &)> act;
    // Whether the flow reached its end as it does with a sound printer.
    std::function<bool(MainWindow &, const QStringList &messages)> succeeded;
};

Flow makeFlow(const QString &name, const QString &profile, Start start, const QStringList &exchanges,
    bool writes = false)
{
    Flow f;
    f.name = name;
    f.profile = profile;
    f.start = start;
    f.exchanges = exchanges;
    f.writes = writes;
    return f;
}

// Exchanges whose command has no reply of its own: only a dropped link can hit them.
bool replyless(const QString &exchange)
{
    return exchange.startsWith(QLatin1String("announceBlock#"))
        || exchange == QLatin1String("writeMac#1");
}

// Download bytes carry no reply either; a printer that silently drops acknowledged bytes
// cannot be told from one that took them, so only the dropped link applies.
bool dataOnly(const QString &exchange)
{
    return exchange.startsWith(QLatin1String("firmwareData#"));
}

QWidget *groupControl(MainWindow &w, const QString &group, int role)
{
    return w.engine()->groupRegistry().value(group).value(role);
}

void clickAction(MainWindow &w, const QString &action)
{
    for (const CommandBinding &binding : w.engine()->definition().commandBindings) {
        if (binding.cmd() != action || binding.paramPosition() != 0)
            continue;
        if (auto *button = qobject_cast<QPushButton *>(w.engine()->controlOf(binding.rpcaId()))) {
            button->click();
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no button for %1").arg(action)));
}

void enterText(MainWindow &w, const QString &group, int role, const QString &text)
{
    auto *edit = qobject_cast<QLineEdit *>(groupControl(w, group, role));
    QVERIFY2(edit, qPrintable(QStringLiteral("no field %1/%2").arg(group).arg(role)));
    edit->setText(text);
}

QStringList withoutQuestions(const QStringList &messages)
{
    QStringList rest;
    for (const QString &m : messages)
        if (!kQuestions.contains(m))
            rest << m;
    return rest;
}

QStringList writeExchanges(int check, int write)
{
    return { QStringLiteral("handshake#%1").arg(check), QStringLiteral("readModel#2"),
        QStringLiteral("handshake#%1").arg(write), QStringLiteral("announceBlock#1"),
        QStringLiteral("writeBlock#1") };
}

Flow groupWrite(const QString &name, const QString &group, int role, const QString &text,
    const QString &action)
{
    Flow f = makeFlow(name, QStringLiteral("zn470kw"), Start::SettingsPage, writeExchanges(4, 5), true);
    f.prepare = [=](MainWindow &w) { enterText(w, group, role, text); };
    f.act = [=](MainWindow &w) { clickAction(w, action); };
    f.succeeded = [](MainWindow &, const QStringList &m) { return m.contains(kSaved); };
    return f;
}

QList<Flow> allFlows(const QString &firmwareFile)
{
    QList<Flow> flows;
    Flow connect = makeFlow(QStringLiteral("connect"), QStringLiteral("zn470kw"), Start::Home,
        { QStringLiteral("handshake#1"), QStringLiteral("readModel#1"), QStringLiteral("readEds#1") } );
    connect.act = [](MainWindow &w) { QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton); };
    connect.succeeded = [](MainWindow &w, const QStringList &) { return w.connectPanel()->isConnected(); };
    flows << connect;

    Flow settings = makeFlow(QStringLiteral("settings"), QStringLiteral("zn470kw"), Start::Connected,
        { QStringLiteral("handshake#2"), QStringLiteral("handshake#3"), QStringLiteral("readSettings#1"),
            QStringLiteral("readDefaults#1") } );
    settings.act = [](MainWindow &w) { QTest::mouseClick(w.optionBar()->settingsButton(), Qt::LeftButton); };
    settings.succeeded = [](MainWindow &w, const QStringList &m) { return w.settingsShowing() && m.isEmpty(); };
    flows << settings;

    Flow read = makeFlow(QStringLiteral("read settings"), QStringLiteral("zn470kw"), Start::SettingsPage,
        { QStringLiteral("handshake#4"), QStringLiteral("handshake#5"), QStringLiteral("readSettings#2"),
            QStringLiteral("readDefaults#2") } );
    read.act = [](MainWindow &w) { emit w.userSettingsPage()->refreshSettings(); };
    read.succeeded = [](MainWindow &w, const QStringList &m) { return w.settingsShowing() && m.isEmpty(); };
    flows << read;

    Flow save = makeFlow(QStringLiteral("save"), QStringLiteral("zn470kw"), Start::SettingsPage, writeExchanges(4, 5), true);
    save.prepare = [](MainWindow &w) {
        const ControlRow row = w.engine()->definition().valueRows.value(224);
        auto *combo = qobject_cast<QComboBox *>(w.engine()->controlOf(row.rpcaId()));
        QVERIFY(combo);
        combo->setCurrentIndex((combo->currentIndex() + 1) % combo->count());
    };
    save.act = [](MainWindow &w) { emit w.userSettingsPage()->saveSettings(false); };
    save.succeeded = [](MainWindow &, const QStringList &m) { return m.contains(kSaved); };
    flows << save;

    Flow reset = makeFlow(QStringLiteral("factory defaults"), QStringLiteral("zn470kw"), Start::SettingsPage,
        { QStringLiteral("handshake#4"), QStringLiteral("readModel#2"), QStringLiteral("handshake#5"),
            QStringLiteral("restoreDefaults#1"), QStringLiteral("handshake#6"), QStringLiteral("readSettings#2"),
            QStringLiteral("readDefaults#2"), QStringLiteral("handshake#7"), QStringLiteral("readSettings#3"),
            QStringLiteral("readDefaults#3") },
        true );
    reset.act = [](MainWindow &w) { emit w.userSettingsPage()->resetSettings(); };
    reset.succeeded = [](MainWindow &, const QStringList &m) { return withoutQuestions(m).isEmpty(); };
    flows << reset;

    flows << groupWrite(QStringLiteral("Wi-Fi write"), QStringLiteral("Wifi"), 6, QStringLiteral("Store"),
        QStringLiteral("Wifi Write"));
    flows << groupWrite(QStringLiteral("Ethernet write"), QStringLiteral("Ethernet"), 1,
        QStringLiteral("192.168.0.50"), QStringLiteral("Ethernet Write"));
    flows << groupWrite(QStringLiteral("Bluetooth write"), QStringLiteral("Bluetooth"), 1, QStringLiteral("Zz9Bt"),
        QStringLiteral("Bluetooth Write"));

    Flow mac = makeFlow(QStringLiteral("MAC write"), QStringLiteral("zn470kw"), Start::SettingsPage,
        { QStringLiteral("handshake#4"), QStringLiteral("readModel#2"), QStringLiteral("handshake#5"),
            QStringLiteral("writeMac#1"), QStringLiteral("writeMac#2") },
        true );
    mac.prepare = [](MainWindow &w) { enterText(w, QStringLiteral("Wifi"), 18, QStringLiteral("02.15.8C.00.00.2A")); };
    mac.act = [](MainWindow &w) { clickAction(w, QStringLiteral("Wifi Mac Write")); };
    mac.succeeded = [](MainWindow &, const QStringList &m) { return m.contains(kSaved); };
    flows << mac;

    Flow test = makeFlow(QStringLiteral("device test"), QStringLiteral("qp80"), Start::Connected,
        { QStringLiteral("handshake#2"), QStringLiteral("handshake#3"), QStringLiteral("printMenu#1"),
            QStringLiteral("pollTest#1") } );
    test.act = [](MainWindow &w) {
        QTest::mouseClick(w.optionBar()->testButton(), Qt::LeftButton);
        if (w.stack()->currentWidget() == w.deviceTestPage())
            QTest::mouseClick(w.deviceTestPage()->button(devicetest::PrintMenu), Qt::LeftButton);
    };
    test.succeeded = [](MainWindow &, const QStringList &m) { return m.contains(kTestSuccess); };
    flows << test;

    Flow firmware = makeFlow(QStringLiteral("firmware"), QStringLiteral("zn470kw"), Start::Connected,
        { QStringLiteral("handshake#2"), QStringLiteral("handshake#3"), QStringLiteral("firmwareMode#1"),
            QStringLiteral("firmwareData#1") },
        true );
    firmware.powerCycle = true;
    firmware.act = [firmwareFile](MainWindow &w) {
        QTest::mouseClick(w.optionBar()->upgradeButton(), Qt::LeftButton);
        if (w.stack()->currentWidget() != w.firmwarePage())
            return;
        w.firmwarePage()->chooseFile(firmwareFile);
        QTest::mouseClick(w.firmwarePage()->startButton(), Qt::LeftButton);
    };
    firmware.succeeded = [](MainWindow &, const QStringList &m) { return m.contains(kFirmwareDone); };
    flows << firmware;

    const QStringList wanted = QStringLiteral(RK_FAULT_FLOWS).split(QLatin1Char(','));
    QList<Flow> chosen;
    for (const Flow &f : flows)
        if (wanted.contains(f.name))
            chosen << f;
    return chosen;
}

// Ends the busy indicator's close delay at once: the worker is done, only the pause is left.
class HurryWait : public QObject
{
public:
    explicit HurryWait(WaittingDlg *dialog)
    {
        const auto timers = dialog->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly);
        connect(&m_tick, &QTimer::timeout, this, [dialog, timers] {
            for (QTimer *t : timers)
                if (t->isActive() && dialog->isVisible()) {
                    t->stop();
                    dialog->accept();
                }
        });
        m_tick.start(5);
    }

private:
    QTimer m_tick;
};

// Notes a flow that does not come back, and closes whatever modal window holds it.
class Watchdog : public QObject
{
public:
    explicit Watchdog(int ms)
    {
        m_start.setSingleShot(true);
        connect(&m_start, &QTimer::timeout, this, [this] {
            fired = true;
            m_close.start(50);
        });
        connect(&m_close, &QTimer::timeout, this, [this] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                stuckIn << QLatin1String(modal->metaObject()->className());
                if (auto *dialog = qobject_cast<QDialog *>(modal))
                    dialog->done(QDialog::Rejected);
                else
                    modal->close();
            }
        });
        m_start.start(ms);
    }
    bool fired = false;
    QStringList stuckIn;

private:
    QTimer m_start;
    QTimer m_close;
};

// What the printer holds that a flow may change.
struct PrinterState
{
    QByteArray block;
    QByteArray mac;
    QString firmwareSha;
    bool operator==(const PrinterState &o) const
    {
        return block == o.block && mac == o.mac && firmwareSha == o.firmwareSha;
    }
};

PrinterState stateIn(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QJsonObject o = QJsonDocument::fromJson(f.readAll()).object();
    return { QByteArray::fromHex(o.value(QStringLiteral("settingBlock")).toString().toLatin1()),
        QByteArray::fromHex(o.value(QStringLiteral("mac")).toString().toLatin1()),
        o.value(QStringLiteral("lastFirmwareSha256")).toString() };
}

QString describe(const PrinterState &s)
{
    return QStringLiteral("block %1, mac %2, firmware %3")
        .arg(QString::fromLatin1(QCryptographicHash::hash(s.block, QCryptographicHash::Md5).toHex().left(8)),
            QString::fromLatin1(s.mac.toHex()), s.firmwareSha.left(8));
}

// The exchanges of the log lines, numbered as the printer's faults count them.
QStringList exchangesOf(const QStringList &log, QMap<QString, int> *counts)
{
    QStringList out;
    auto add = [&](const QString &name) { out << QStringLiteral("%1#%2").arg(name).arg(++(*counts)[name]); };
    for (const QString &line : log) {
        const QString word = line.section(QLatin1Char(' '), 0, 0);
        const QString name = line.section(QLatin1Char(' '), 1, 1);
        if (word == QLatin1String("CMD"))
            add(name);
        else if (word == QLatin1String("DATA") && (name == QLatin1String("writeBlock") || name == QLatin1String("writeMac")))
            add(name);
        else if (word == QLatin1String("FIRMWARE"))
            add(QStringLiteral("firmwareData"));
    }
    return out;
}

} // namespace

class tst_FaultFlows : public QObject
{
    Q_OBJECT

    RecordingDelayService m_delay;
    QTemporaryDir m_files;
    QString m_firmwareFile;
    QMap<QString, QString> m_stateTemplates; // by profile
    QMap<QString, PrinterState> m_written; // by flow: what a sound run leaves at the printer
    QList<Flow> m_flows;

    const Flow *flowNamed(const QString &name) const
    {
        for (const Flow &f : m_flows)
            if (f.name == name)
                return &f;
        return nullptr;
    }

    // A state file whose settings differ from the defaults, so factory defaults change something.
    QString stateTemplate(const QString &profile)
    {
        if (m_stateTemplates.contains(profile))
            return m_stateTemplates.value(profile);
        const QString path = m_files.filePath(profile + QStringLiteral(".state"));
        SimProcess sim;
        if (!sim.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--profile"),
                profile, QStringLiteral("--state"), sim.stateFile() })) {
            qWarning() << sim.errorText();
            return QString();
        }
        sim.stop();
        QFile in(sim.stateFile());
        if (!in.open(QIODevice::ReadOnly))
            return QString();
        QJsonObject o = QJsonDocument::fromJson(in.readAll()).object();
        QByteArray block = QByteArray::fromHex(o.value(QStringLiteral("settingBlock")).toString().toLatin1());
        block[200] = char(block.at(200) ^ 0x01);
        o.insert(QStringLiteral("settingBlock"), QString::fromLatin1(block.toHex()));
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(QJsonDocument(o).toJson()) <= 0)
            return QString();
        m_stateTemplates.insert(profile, path);
        return path;
    }

    struct Outcome
    {
        QStringList messages;
        QStringList log; // from the action on
        QStringList earlier; // before the action
        PrinterState before;
        PrinterState after;
        bool success = false;
        bool stuck = false;
        QStringList stuckIn;
        QString modalLeft;
        bool waitShown = false;
        QString next; // empty when the next action worked
    };

    void startAt(MainWindow &w, Start start)
    {
        if (start == Start::Home)
            return;
        QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
        QVERIFY2(w.connectPanel()->isConnected(), "not connected");
        if (start == Start::Connected)
            return;
        QTest::mouseClick(w.optionBar()->settingsButton(), Qt::LeftButton);
        QVERIFY(w.settingsShowing());
    }

    // A next action after the flow: connect again if needed, then open the test page (a
    // handshake behind the busy indicator).
    static QString nextAction(MainWindow &w, MessageWatch &watch)
    {
        watch.texts.clear();
        if (!w.connectPanel()->isConnected()) {
            if (!w.connectPanel()->connectButton()->isEnabled())
                return QStringLiteral("Connect is not enabled");
            QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
            if (!w.connectPanel()->isConnected())
                return QStringLiteral("connect failed: ") + watch.texts.join(QLatin1Char('|'));
        }
        emit w.optionBar()->showTestings();
        if (w.stack()->currentWidget() != w.deviceTestPage() || !watch.texts.isEmpty())
            return QStringLiteral("test page failed: ") + watch.texts.join(QLatin1Char('|'));
        if (QApplication::activeModalWidget() || w.waitDialog()->isVisible())
            return QStringLiteral("left a modal window");
        return QString();
    }

    void runFlow(const Flow &flow, const QString &fault, Outcome *out)
    {
        SimProcess sim;
        const QString state = stateTemplate(flow.profile);
        QVERIFY(!state.isEmpty());
        QVERIFY(QFile::copy(state, sim.stateFile()));
        QStringList args { QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--profile"),
            flow.profile, QStringLiteral("--state"), sim.stateFile(), QStringLiteral("--test"),
            QStringLiteral("printMenu=2,0"), QStringLiteral("--idle-ms"), QStringLiteral("100"),
            QStringLiteral("--flash-ms"), QStringLiteral("1000"), QStringLiteral("--restart-ms"),
            QStringLiteral("50") };
        if (!fault.isEmpty())
            args << QStringLiteral("--hostile") << fault;
        QVERIFY2(sim.start(args), qPrintable(sim.errorText()));
        resetTestConfig({ { QStringLiteral("PortSelect/porttype"), QStringLiteral("9") },
            { QStringLiteral("Mode/mode"), QStringLiteral("0") },
            { QStringLiteral("Port/type"), QStringLiteral("Wifi") },
            { QStringLiteral("Wifi/serverip"), QStringLiteral("127.0.0.1") },
            { QStringLiteral("Wifi/port"), QString::number(sim.tcpPort()) } });

        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        HurryWait hurry(w.waitDialog());
        startAt(w, flow.start);
        if (QTest::currentTestFailed())
            return;
        if (flow.prepare)
            flow.prepare(w);
        if (QTest::currentTestFailed())
            return;

        out->before = stateIn(sim.stateFile());
        const int logStart = sim.log().size();
        MessageWatch watch(w.tip());
        TcpClient *tcp = w.dispatcher()->communication()->tcpClient();
        {
            Watchdog dog(kStuckMs);
            if (!fault.isEmpty())
                tcp->setReadWait(kFaultReadWaitMs);
            flow.act(w);
            w.dispatcher()->thread()->wait();
            tcp->setReadWait(TcpClient::kReadWaitMs);
            // Results that come queued (a device test's) arrive before anything is judged.
            QTest::qWait(kSettleMs);
            out->stuck = dog.fired;
            out->stuckIn = dog.stuckIn;
        }
        if (QWidget *modal = QApplication::activeModalWidget())
            out->modalLeft = QLatin1String(modal->metaObject()->className());
        out->waitShown = w.waitDialog()->isVisible();
        out->messages = watch.texts;
        out->success = flow.succeeded(w, watch.texts);
        const QStringList log = sim.log();
        out->earlier = log.mid(0, logStart);
        out->log = log.mid(logStart);
        if (flow.powerCycle) {
            // What the printer took of a download is written before the restart.
            if (!out->log.filter(QStringLiteral("CMD firmwareMode")).isEmpty())
                sim.waitForLog(QStringLiteral("FIRMWARE "), kFirmwareWrittenMs);
            out->after = stateIn(sim.stateFile());
            const quint16 port = sim.tcpPort();
            sim.stop();
            SimProcess again;
            QVERIFY2(again.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(port),
                         QStringLiteral("--profile"), flow.profile, QStringLiteral("--state"), sim.stateFile() }),
                qPrintable(again.errorText()));
            out->next = nextAction(w, watch);
            return;
        }
        out->after = stateIn(sim.stateFile());
        out->next = nextAction(w, watch);
    }

    const PrinterState &written(const Flow &flow)
    {
        if (!m_written.contains(flow.name)) {
            Outcome clean;
            runFlow(flow, QString(), &clean);
            m_written.insert(flow.name, clean.after);
        }
        return m_written[flow.name];
    }

private slots:
    void initTestCase()
    {
        qputenv("RKMENU_DISMISS_MESSAGES_MS", "0");
        m_firmwareFile = m_files.filePath(QStringLiteral("fw.mot"));
        QFile file(m_firmwareFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(firmwareBytes(kFirmwareSize));
        file.close();
        m_flows = allFlows(m_firmwareFile);
        QVERIFY(!m_flows.isEmpty());
    }

    void faults_data()
    {
        QTest::addColumn<QString>("flow");
        QTest::addColumn<QString>("fault"); // empty: a sound printer
        for (const Flow &f : allFlows(QString())) {
            QTest::newRow(qPrintable(f.name + QStringLiteral(", sound printer"))) << f.name << QString();
            for (const QString &exchange : f.exchanges) {
                QStringList kinds { QStringLiteral("close") };
                if (!replyless(exchange) && !dataOnly(exchange))
                    kinds << QStringLiteral("truncate") << QStringLiteral("garbage") << QStringLiteral("silent");
                for (const QString &kind : kinds) {
                    const QString fault = kind + QLatin1Char('@') + exchange;
                    QTest::newRow(qPrintable(f.name + QStringLiteral(", ") + fault)) << f.name << fault;
                }
            }
        }
    }

    void faults()
    {
        QFETCH(QString, flow);
        QFETCH(QString, fault);
        const Flow *f = flowNamed(flow);
        QVERIFY(f);
        Outcome out;
        runFlow(*f, fault, &out);
        if (QTest::currentTestFailed())
            return;
        const QString shown = out.messages.join(QLatin1Char('|'));
        const QString context = QStringLiteral("messages: %1\nprinter log:\n%2").arg(shown, out.log.join(QLatin1Char('\n')));

        QVERIFY2(!out.stuck, qPrintable(QStringLiteral("stuck in %1; %2").arg(out.stuckIn.join(QLatin1Char(',')), context)));
        QVERIFY2(out.modalLeft.isEmpty(), qPrintable(out.modalLeft + QStringLiteral(" left open; ") + context));
        QVERIFY2(!out.waitShown, qPrintable(QStringLiteral("busy indicator left; ") + context));

        if (fault.isEmpty()) {
            // The sound run goes through exactly the exchanges the rows fault.
            QVERIFY2(out.success, qPrintable(context));
            QMap<QString, int> counts;
            exchangesOf(out.earlier, &counts);
            const QStringList seen = exchangesOf(out.log, &counts);
            QCOMPARE(seen, f->exchanges);
            QCOMPARE(out.after == out.before, !f->writes);
            m_written.insert(f->name, out.after);
        } else {
            QVERIFY2(out.log.filter(QStringLiteral("FAULT ")).size() == 1, qPrintable(context));
            // A failure is told; a success is not mixed with one.
            const QStringList told = withoutQuestions(out.messages);
            if (out.success) {
                for (const QString &m : told)
                    QVERIFY2(!m.startsWith(QLatin1String("communicate Error")) && m != QLatin1String("Printer has changed!"),
                        qPrintable(QStringLiteral("success with an error; ") + context));
            } else {
                QVERIFY2(!told.isEmpty(), qPrintable(QStringLiteral("failed without a word; ") + context));
            }
            // Old or new, never a mix; a success only with the new.
            PrinterState now = out.after;
            if (f->powerCycle) {
                // What a printer makes of a broken download is its own affair; the window may
                // only claim the whole one.
                if (out.success)
                    QVERIFY2(now.firmwareSha == written(*f).firmwareSha, qPrintable(context));
                now.firmwareSha = out.before.firmwareSha;
            }
            if (!f->writes || f->powerCycle) {
                QVERIFY2(now == out.before, qPrintable(describe(now) + QStringLiteral("; ") + context));
            } else {
                const PrinterState &newer = written(*f);
                QVERIFY2(now == out.before || now == newer,
                    qPrintable(QStringLiteral("mix: %1 (old %2, new %3); %4")
                                   .arg(describe(now), describe(out.before), describe(newer), context)));
                if (out.success)
                    QVERIFY2(now == newer, qPrintable(QStringLiteral("success claimed, printer unchanged; ") + context));
            }
        }
        QVERIFY2(out.log.filter(QStringLiteral("UNKNOWN")).isEmpty(), qPrintable(context));
        QVERIFY2(out.next.isEmpty(), qPrintable(QStringLiteral("next action: ") + out.next + QStringLiteral("; ") + context));
    }
};

QTEST_MAIN(tst_FaultFlows)
#include "tst_faultflows.moc"
