#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "app/mainwindow.h"
#include "app/optionbar.h"
#include "app/tipwidget.h"
#include "app/waittingdlg.h"
#include "comm/delayservice.h"
#include "connect_ui/connectpanel.h"
#include "maintenance_core/devicetest.h"
#include "maintenance_core/devicetestexchange.h"
#include "maintenance_ui/devicetest.h"
#include "simcommands.h"
#include "testconfig.h"

namespace {
const QString kDatabase = QStringLiteral(RK_BIN_DIR "/SWTDatabase.db");
const QString kPaperQuestion = QStringLiteral("Paper is Needed.");

// Answers every message box the window shows, as a user would: the paper question with the
// answers given, every other box with Confirm. Remembers the texts in order.
class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(QList<bool> paperAnswers)
        : m_paperAnswers(std::move(paperAnswers))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] { answerOpenBoxes(); });
        m_timer.start(10);
    }
    QStringList texts;

private:
    void answerOpenBoxes()
    {
        for (QWidget *top : QApplication::topLevelWidgets()) {
            auto *tip = qobject_cast<TipWidget *>(top);
            if (!tip || !tip->isVisible() || m_answered.contains(tip))
                continue;
            m_answered.insert(tip);
            texts << tip->message();
            const bool confirm = tip->message() != kPaperQuestion || m_paperAnswers.isEmpty()
                || m_paperAnswers.takeFirst();
            QPushButton *button = confirm ? tip->confirmButton() : tip->cancelButton();
            QTimer::singleShot(0, button, &QPushButton::click);
            connect(tip, &QDialog::finished, this, [this, tip] { m_answered.remove(tip); },
                Qt::UniqueConnection);
        }
    }

    QList<bool> m_paperAnswers;
    QSet<TipWidget *> m_answered;
    QTimer m_timer;
};
} // namespace

// The Test button and the device test page of the main window against the simulated printer.
class tst_DeviceTestFlow : public QObject
{
    Q_OBJECT

    RecordingDelayService m_delay;

    static std::unique_ptr<SimProcess> startSim(const QString &profile, const QStringList &extra = {})
    {
        auto sim = std::make_unique<SimProcess>();
        if (!sim->start(QStringList { QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
                            QStringLiteral("--profile"), profile }
                + extra))
            qWarning() << sim->errorText();
        return sim;
    }

    static void useTcp(quint16 port)
    {
        resetTestConfig({ { QStringLiteral("PortSelect/porttype"), QStringLiteral("9") },
            { QStringLiteral("Mode/mode"), QStringLiteral("0") },
            { QStringLiteral("Port/type"), QStringLiteral("Wifi") },
            { QStringLiteral("Wifi/serverip"), QStringLiteral("127.0.0.1") },
            { QStringLiteral("Wifi/port"), QString::number(port) } });
    }

private slots:
    void testButtonOpensThePageOfTheTestType_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<int>("testType"); // -1: refused
        QTest::addColumn<int>("buttons");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("QR70 page") << "qp80" << 5 << 8 << QStringList();
        QTest::newRow("test type 3: empty page") << "rp0501" << 3 << 0 << QStringList();
        QTest::newRow("test type 2: empty page") << "zn470kw" << 2 << 0 << QStringList();
        QTest::newRow("test type 0: refused")
            << "rk7300" << -1 << 0 << QStringList { "This model does not support testing." };
    }

    void testButtonOpensThePageOfTheTestType()
    {
        QFETCH(QString, profile);
        QFETCH(int, testType);
        QFETCH(int, buttons);
        QFETCH(QStringList, messages);
        auto sim = startSim(profile);
        useTcp(sim->tcpPort());
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        BoxAnswerer boxes({});
        QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
        QVERIFY(!w.connectedModel().isEmpty());
        QTest::mouseClick(w.optionBar()->testButton(), Qt::LeftButton);
        QTRY_COMPARE(boxes.texts, messages);

        DeviceTest *page = w.deviceTestPage();
        if (testType < 0) {
            QCOMPARE(w.stack()->currentWidget(), w.homePage());
            return;
        }
        QCOMPARE(w.stack()->currentWidget(), static_cast<QWidget *>(page));
        QCOMPARE(page->testType(), testType);
        QCOMPARE(page->groupBox()->title(), QStringLiteral("Printer Test"));
        QCOMPARE(page->groupBox()->findChildren<QPushButton *>().size(), buttons);
        QCOMPARE(page->statusLabel(1) != nullptr, buttons > 0);
    }

    void buttons_data()
    {
        QTest::addColumn<int>("request");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QList<bool>>("paperAnswers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<int>("pauses");

        QTest::newRow("Print Menu runs, then succeeds")
            << int(devicetest::PrintMenu) << "printMenu=2,2,2,0" << QList<bool>()
            << QStringList { "Test success." }
            << QStringList { "printMenu 1d0120", "pollTest 47", "pollTest 47", "pollTest 47" } << 2;
        QTest::newRow("paper confirmed, asked once")
            << int(devicetest::PrintMenu) << "printMenu=2,3,3,0" << QList<bool> { true }
            << QStringList { "Paper is Needed.", "Test success." }
            << QStringList { "printMenu 1d0120", "pollTest 47", "pollTest 47", "pollTest 47" } << 0;
        QTest::newRow("paper cancelled")
            << int(devicetest::PrintMenu) << "printMenu=2,3" << QList<bool> { false }
            << QStringList { "Paper is Needed." }
            << QStringList { "printMenu 1d0120", "pollTest 47", "cancelTest 43" } << 0;
        QTest::newRow("Pin Test")
            << int(devicetest::PinTest) << "pinTest=0" << QList<bool>()
            << QStringList { "Test success." } << QStringList { "pinTest 1d0124" } << 0;
        QTest::newRow("Enter Hex Mode fails")
            << int(devicetest::EnterHexMode) << "hexMode=1" << QList<bool>()
            << QStringList { "Device Test Failed." } << QStringList { "hexMode 1d0140" } << 0;
        QTest::newRow("Print Information out of paper")
            << int(devicetest::PrintInformation) << "printInformation=255" << QList<bool>()
            << QStringList { "Out Of Paper." } << QStringList { "printInformation 1d0110" } << 0;
        QTest::newRow("Electrical Check")
            << int(devicetest::ElectricalCheck) << "electricalCheck=2,0" << QList<bool>()
            << QStringList { "Test success." }
            << QStringList { "electricalCheck 1d016102", "pollTest 47" } << 0;
    }

    void buttons()
    {
        QFETCH(int, request);
        QFETCH(QString, script);
        QFETCH(QList<bool>, paperAnswers);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, commands);
        QFETCH(int, pauses);
        auto sim = startSim(QStringLiteral("qp80"), { QStringLiteral("--test"), script });
        useTcp(sim->tcpPort());
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
        QTest::mouseClick(w.optionBar()->testButton(), Qt::LeftButton);
        QPushButton *button = w.deviceTestPage()->button(request);
        QVERIFY(button);

        BoxAnswerer boxes(paperAnswers);
        m_delay.clear();
        QTest::mouseClick(button, Qt::LeftButton);
        QTRY_COMPARE(boxes.texts, messages);
        // Nothing more comes.
        QTest::qWait(100);
        QCOMPARE(boxes.texts, messages);
        QCOMPARE(commandsAfterIdentification(*sim), commands);
        QCOMPARE(m_delay.count(DeviceTestExchange::kPollPauseMs), pauses);
        QVERIFY(!w.waitDialog()->isVisible());
    }

    void refreshShowsTheSensors()
    {
        // 17 bytes: the head temperature's code and the two mode bytes are missing.
        auto sim = startSim(QStringLiteral("qp80"),
            { QStringLiteral("--sensors"), QStringLiteral("012C0300000101900100C8040064030023") });
        useTcp(sim->tcpPort());
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        BoxAnswerer boxes({});
        QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
        QTest::mouseClick(w.optionBar()->testButton(), Qt::LeftButton);
        DeviceTest *page = w.deviceTestPage();
        QVERIFY(page->statusLabel(1));
        // Nothing read yet: no sensor shows as broken.
        QCOMPARE(page->statusLabel(1)->text(), QString());

        QTest::mouseClick(page->button(devicetest::RefreshSensors), Qt::LeftButton);
        QCOMPARE(w.waitDialog()->closeDelay(), 500);
        const QStringList values { "300", "400", "200", "100", "35", "0", "0" };
        const QStringList states { "Paper Out", "Paper In", "Open/Unconnect", "Press Down",
            "High/Low", "Fanfold Paper", "Normal Mode" };
        for (int row = 1; row <= 7; ++row) {
            QCOMPARE(page->valueLabel(row)->text(), values.at(row - 1));
            QCOMPARE(page->statusLabel(row)->text(), states.at(row - 1));
        }
        QVERIFY(page->statusLabel(1)->styleSheet().contains(QLatin1String("#FF0000")));
        QVERIFY(page->statusLabel(2)->styleSheet().contains(QLatin1String("#339966")));
        QVERIFY(!page->paperPresent());
        QCOMPARE(boxes.texts, QStringList());

        // Opened again, the page shows what was read last.
        emit w.optionBar()->showTestings();
        QCOMPARE(page->statusLabel(3)->text(), QStringLiteral("Open/Unconnect"));
    }
};

QTEST_MAIN(tst_DeviceTestFlow)
#include "tst_devicetestflow.moc"
