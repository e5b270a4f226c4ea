#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include "app/listwidget.h"
#include "app/mainwindow.h"
#include "app/tipwidget.h"
#include "connect_ui/connectpanel.h"
#include "comm/delayservice.h"
#include "connect_ui/printerinfo.h"
#include "comm/usbport.h"
#include "simprocess.h"
#include "messagewatch.h"
#include "testconfig.h"

namespace {

const QString kDatabase = QStringLiteral(RK_BIN_DIR "/SWTDatabase.db");
constexpr int kNoDialog = -2;
constexpr int kDialogPollMs = 10;

// Answers the Device Select list like a user: picks a row, or cancels with -1.
class DeviceListAnswer : public QObject
{
public:
    explicit DeviceListAnswer(int choice)
        : m_choice(choice)
    {
        m_timer.setInterval(kDialogPollMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
        m_timer.start();
    }
    bool shown = false;
    QStringList names;

private:
    void answer()
    {
        auto *list = qobject_cast<ListWidget *>(QApplication::activeModalWidget());
        if (!list)
            return;
        shown = true;
        names = list->names();
        if (m_choice < 0) {
            list->cancelButton()->click();
        } else {
            list->list()->setCurrentRow(m_choice);
            list->confirmButton()->click();
        }
    }

    int m_choice;
    QTimer m_timer;
};

std::unique_ptr<SimProcess> startTree(
    const QString &root, const QStringList &profiles, const QStringList &devices = {})
{
    auto sim = std::make_unique<SimProcess>();
    QStringList args { QStringLiteral("--usb-root"), root, QStringLiteral("--count"),
        QString::number(profiles.size()) };
    for (const QString &p : profiles)
        args << QStringLiteral("--profile") << p;
    for (const QString &s : devices)
        args << QStringLiteral("--usb-device") << s;
    if (!sim->start(args, profiles.size()))
        qWarning() << "simulator:" << sim->errorText();
    return sim;
}

void useUsbTree(const QString &root, int mode)
{
    resetTestConfig({ { QStringLiteral("Port/type"), QStringLiteral("USB") },
        { QStringLiteral("PortSelect/porttype"), QStringLiteral("9") },
        { QStringLiteral("Mode/mode"), QString::number(mode) },
        { QStringLiteral("Devices/UsbSysfsRoot"), root + QStringLiteral("/sys") },
        { QStringLiteral("Devices/UsbDevRoot"), root + QStringLiteral("/dev") } });
}

bool deviceFree(const QString &node)
{
    const int fd = ::open(QFile::encodeName(node).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

// Commands the printer at this index of the tree received.
int commandsAt(const SimProcess &sim, int printers, int index)
{
    return sim.count(printers > 1 ? QStringLiteral("#%1 CMD").arg(index) : QStringLiteral("CMD"));
}

} // namespace

// The main window's USB road: counting, the supported-model check, the Device Select list and
// the identification of the chosen printer, against simulated USB trees.
class tst_UsbConnect : public QObject
{
    Q_OBJECT

    RecordingDelayService m_delay;

private slots:
    void initTestCase() { qputenv("RKMENU_DISMISS_MESSAGES_MS", "0"); }

    void connectFlow_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("profiles");
        QTest::addColumn<QStringList>("devices");
        QTest::addColumn<int>("choice"); // row picked in the list, -1 cancel, -2 no list expected
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<int>("printer"); // the printer identified, -1 none
        QTest::addColumn<QString>("model");
        QTest::addColumn<QStringList>("messages");

        const QStringList none;
        QTest::newRow("no USB printer")
            << 3 << QStringList { "zn470kw" } << QStringList { "bus=platform" } << kNoDialog << none
            << -1 << "" << QStringList { "communicate Error:Open Port Error" };
        QTest::newRow("no USB printer, mode 0")
            << 0 << QStringList { "zn470kw" } << QStringList { "bus=platform" } << kNoDialog << none
            << -1 << "" << QStringList { "communicate Error:Open Port Error" };
        QTest::newRow("mode 3: only unknown models")
            << 3 << QStringList { "rk7300", "pl100" } << none << kNoDialog << none << -1 << ""
            << QStringList { "This model does not support setup" };
        QTest::newRow("mode 3: list closed without a choice")
            << 3 << QStringList { "zn470kw", "rk5200-new" } << none << -1
            << QStringList { "ZN-470 KW", "RK-5200" } << -1 << "" << none;
        QTest::newRow("mode 3: second printer chosen")
            << 3 << QStringList { "zn470kw", "rk5200-new" } << none << 1
            << QStringList { "ZN-470 KW", "RK-5200" } << 1 << "RK5200" << none;
        QTest::newRow("mode 3: the one known model among others")
            << 3 << QStringList { "rk7300", "zn470kw", "pl100" } << none << kNoDialog << none << 1
            << "ZN-470 KW" << none;
        QTest::newRow("mode 3: same model told apart by serial")
            << 3 << QStringList { "zn470kw", "zn470kw" }
            << QStringList { "serial=111111111111", "serial=222222222222" } << 1
            << QStringList { "ZN-470 KW-111111111111", "ZN-470 KW-222222222222" } << 1
            << "ZN-470 KW" << none;
        QTest::newRow("mode 0: every printer listed")
            << 0 << QStringList { "rk7300", "zn470kw" } << QStringList { "id=" } << 0
            << QStringList { "UnknowPrinter", "ZN-470 KW" } << 0 << "RK-7300" << none;
        QTest::newRow("mode 0: one printer, no list")
            << 0 << QStringList { "mv4410c" } << none << kNoDialog << none << 0 << "MV-4410C"
            << none;
    }

    void connectFlow()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, profiles);
        QFETCH(QStringList, devices);
        QFETCH(int, choice);
        QFETCH(QStringList, listed);
        QFETCH(int, printer);
        QFETCH(QString, model);
        QFETCH(QStringList, messages);
        QTemporaryDir dir;
        const QString root = dir.filePath(QStringLiteral("usb"));
        std::unique_ptr<SimProcess> sim = startTree(root, profiles, devices);
        useUsbTree(root, mode);

        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        MessageWatch watch(w.tip());
        QSignalSpy slidIn(&w, &MainWindow::showPrinterInfo);
        DeviceListAnswer answer(choice);
        emit w.connectPanel()->connectPrinter();

        QCOMPARE(watch.texts, messages);
        QCOMPARE(answer.shown, choice != kNoDialog);
        QCOMPARE(answer.names, listed);
        QCOMPARE(w.connectedModel(), model);
        QCOMPARE(w.connectPanel()->isConnected(), !model.isEmpty());
        QCOMPARE(slidIn.count(), model.isEmpty() ? 0 : 1);
        if (!model.isEmpty())
            QCOMPARE(w.printerInfo()->fieldText(0), model);
        for (int i = 0; i < profiles.size(); ++i)
            QCOMPARE(commandsAt(*sim, profiles.size(), i) > 0, i == printer);
        // Whatever the outcome, no printer stays held by the window.
        QTRY_VERIFY(deviceFree(root + QStringLiteral("/dev/usb/lp0")));
    }

    // After a disconnect the printers are discovered anew: fewer printers than before must not
    // leave the window aiming past the end of the list.
    void reconnectAfterPrintersChanged()
    {
        QTemporaryDir dir;
        const QString root = dir.filePath(QStringLiteral("usb"));
        std::unique_ptr<SimProcess> sim = startTree(root, { "zn470kw", "mv4410c" });
        useUsbTree(root, 0);
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        MessageWatch watch(w.tip());
        {
            DeviceListAnswer answer(1);
            emit w.connectPanel()->connectPrinter();
            QCOMPARE(w.connectedModel(), QStringLiteral("MV-4410C"));
        }
        emit w.connectPanel()->disconnectPrinter();
        QVERIFY(w.connectedModel().isEmpty());
        // The leave command runs on the dispatcher's thread and finds the printers anew; the port
        // is let go when it ends, which under load is a little later.
        QTRY_VERIFY(w.usbPort()->deviceNames().isEmpty());
        QTRY_COMPARE(w.usbPort()->deviceCount(), 0);
        // The leave command goes to the printer that was chosen, and the port is let go.
        QVERIFY(sim->waitForLog(QStringLiteral("#1 CMD leave")));
        QTRY_VERIFY(deviceFree(root + QStringLiteral("/dev/usb/lp1")));
        QCOMPARE(sim->count(QStringLiteral("#0 CMD")), 0);

        sim.reset();
        sim = startTree(root, { "rk5200-new" });
        {
            DeviceListAnswer answer(kNoDialog);
            emit w.connectPanel()->connectPrinter();
            QVERIFY(!answer.shown);
        }
        QVERIFY2(watch.texts.isEmpty(), qPrintable(watch.texts.join(QLatin1Char('|'))));
        QCOMPARE(w.connectedModel(), QStringLiteral("RK5200"));
        QCOMPARE(w.currentTypeName(), QStringLiteral("RK-5200_NEW"));
    }

    void escapeIsNoChoice()
    {
        ListWidget list;
        list.setNames({ QStringLiteral("A"), QStringLiteral("B") });
        QCOMPARE(list.list()->currentRow(), 0);
        QTimer::singleShot(0, &list, [&list] { QTest::keyClick(&list, Qt::Key_Escape); });
        QCOMPARE(list.exec(), int(ListWidget::kNoChoice));
        QTimer::singleShot(0, &list, [&list] { list.confirmButton()->click(); });
        QCOMPARE(list.exec(), 0);
    }
};

QTEST_MAIN(tst_UsbConnect)
#include "tst_usbconnect.moc"
