#include <memory>

#include <QThread>
#include <QtTest>

#include "comm/commerror.h"
#include "comm/communication.h"
#include "comm/delayservice.h"
#include "comm/tcpclient.h"
#include "core/configfile.h"
#include "engine/datadispatcher.h"
#include "maintenance_core/devicetest.h"
#include "maintenance_core/devicetestexchange.h"
#include "simcommands.h"

using namespace devicetest;

namespace {
constexpr int kSerialPauseMs = 200;
}

// The device test's rules and exchanges: the sensor reply as the page shows it, and the tests
// against the simulated printer with what it was asked and when the program waited.
class tst_DeviceTest : public QObject
{
    Q_OBJECT

    RecordingDelayService m_delay;
    ConfigFile m_config;

    static QString row(const SensorReading &r, int n)
    {
        const SensorRow &s = r.rows[n - 1];
        return QStringLiteral("%1 %2 %3")
            .arg(s.value)
            .arg(QString::fromLatin1(s.status ? s.status : "-"),
                QString::fromLatin1(s.colour ? s.colour : "-"));
    }

    // The QR70 printer with these extra simulator arguments, and a dispatcher reaching it over
    // TCP, or over a serial line for `serial`.
    std::unique_ptr<DataDispatcher> dispatcherFor(
        SimProcess &sim, const QStringList &extra, bool serial = false)
    {
        const QStringList link = serial
            ? QStringList { QStringLiteral("--pty") }
            : QStringList { QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0") };
        if (!sim.start(link + QStringList { QStringLiteral("--profile"), QStringLiteral("qp80") }
                + extra)) {
            qWarning() << sim.errorText();
            return nullptr;
        }
        auto d = std::make_unique<DataDispatcher>(m_delay, &m_config);
        // A serial port reads what arrived during the pause before it: part of each pause must
        // really pass, or a busy machine's simulator has not answered yet.
        m_delay.setHook(serial ? std::function<void(int)>([](int ms) {
            QThread::msleep(ulong(qMin(ms, kSerialPauseMs)));
        })
                               : std::function<void(int)>());
        if (serial) {
            m_config.writeValue(QStringLiteral("Devices"), QStringLiteral("COM3"), sim.ptyPath());
            d->setPortType(Communication::PortSerial);
            d->setSerialConfig(QStringLiteral("COM3"), 115200, 0, 8, 1, 0);
        } else {
            d->setPortType(Communication::PortWifi);
            d->setWifiConfig(QStringLiteral("127.0.0.1"), sim.tcpPort());
        }
        return d;
    }

private slots:
    void sensorDecoding_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("paper");

        const int unchanged = int(SensorReading::Paper::Unchanged);
        const int present = int(SensorReading::Paper::Present);
        const int absent = int(SensorReading::Paper::Absent);
        QTest::newRow("empty reply")
            << QByteArray()
            << QStringList { "0 Short/Open #FF0000", "0 Short/Open #FF0000", "0 Short/Open #FF0000",
                   "0 Short/Open #FF0000", "0 High/Low #FF0000", "0 Fanfold Paper #339966",
                   "0 Normal Mode #339966" }
            << unchanged;
        // 17 bytes: the head temperature's code and both mode bytes are missing.
        QTest::newRow("17 bytes") << QByteArray::fromHex("012C01 000001 019001 00C804 006403 0023")
                                  << QStringList { "300 Paper In #339966", "400 Paper In #339966",
                                         "200 Open/Unconnect #FF0000", "100 Press Down #339966",
                                         "35 High/Low #FF0000", "0 Fanfold Paper #339966",
                                         "0 Normal Mode #339966" }
                                  << absent;
        QTest::newRow("a value's low byte missing")
            << QByteArray::fromHex("0102")
            << QStringList { "258 Short/Open #FF0000", "0 Short/Open #FF0000",
                   "0 Short/Open #FF0000", "0 Short/Open #FF0000", "0 High/Low #FF0000",
                   "0 Fanfold Paper #339966", "0 Normal Mode #339966" }
            << unchanged;
        QTest::newRow("all well, single paper, strengthened copy")
            << QByteArray::fromHex("FFFF01 000001 000103 000001 000101 002301 05 01")
            << QStringList { "65535 Paper In #339966", "1 Paper Out #FF0000", "0 - -",
                   "1 Release #339966", "35 Normal #339966", "5 Single Paper #339966",
                   "1 Strengthening Copy #339966" }
            << present;
        QTest::newRow("unlisted codes leave the labels")
            << QByteArray::fromHex("000002 000002 000002 000002 000002 000004 00 00 FF")
            << QStringList { "0 - -", "0 - -", "0 - -", "0 - -", "0 - -", "0 Fanfold Paper #339966",
                   "0 Normal Mode #339966" }
            << unchanged;
        QTest::newRow("short codes of every sensor, head overheating")
            << QByteArray::fromHex("000004 000000 000000 000000 000000 000002 00 00")
            << QStringList { "0 Open/Unconnect #FF0000", "0 Short/Open #FF0000",
                   "0 Short/Open #FF0000", "0 Short/Open #FF0000", "0 Overheating #FF0000",
                   "0 Fanfold Paper #339966", "0 Normal Mode #339966" }
            << unchanged;
        QTest::newRow("paper out, then in at the lever sensor")
            << QByteArray::fromHex("000003 000000 000000 000000 000001 000003")
            << QStringList { "0 Paper Out #FF0000", "0 Short/Open #FF0000", "0 Short/Open #FF0000",
                   "0 Release #339966", "0 Stop as high #FF0000", "0 Fanfold Paper #339966",
                   "0 Normal Mode #339966" }
            << present;
    }

    void sensorDecoding()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QStringList, rows);
        QFETCH(int, paper);
        const SensorReading r = decodeSensors(reply);
        QStringList shown;
        for (int n = 1; n <= kSensorRows; ++n)
            shown << row(r, n);
        QCOMPARE(shown, rows);
        QCOMPARE(int(r.paper), paper);
    }

    void testsAgainstThePrinter_data()
    {
        QTest::addColumn<QString>("test");
        QTest::addColumn<QString>("script"); // the simulator's answers
        QTest::addColumn<QList<bool>>("paperAnswers"); // one per question, in order
        QTest::addColumn<QList<int>>("results");
        QTest::addColumn<int>("pauses"); // waits of 1200 ms
        QTest::addColumn<QStringList>("commands"); // what reached the printer after handshakes
        QTest::addColumn<int>("error");

        const QList<bool> noQuestion;
        QTest::newRow("running, running, running, done")
            << "menu"
            << "printMenu=2,2,2,0" << noQuestion << QList<int> { 0 } << 2
            << QStringList { "printMenu 1d0120", "pollTest 47", "pollTest 47", "pollTest 47" } << 0;
        QTest::newRow("paper asked once, then polled over")
            << "menu"
            << "printMenu=2,3,3,0" << QList<bool> { true } << QList<int> { 0 } << 0
            << QStringList { "printMenu 1d0120", "pollTest 47", "pollTest 47", "pollTest 47" } << 0;
        QTest::newRow("paper question cancelled")
            << "menu"
            << "printMenu=2,3" << QList<bool> { false } << QList<int>() << 0
            << QStringList { "printMenu 1d0120", "pollTest 47", "cancelTest 43" } << 0;
        QTest::newRow("pin test") << "pin"
                                  << "pinTest=0" << noQuestion << QList<int> { 0 } << 0
                                  << QStringList { "pinTest 1d0124" } << 0;
        QTest::newRow("hex mode fails") << "hex"
                                        << "hexMode=1" << noQuestion << QList<int> { 1 } << 0
                                        << QStringList { "hexMode 1d0140" } << 0;
        QTest::newRow("information out of paper")
            << "info"
            << "printInformation=255" << noQuestion << QList<int> { 255 } << 0
            << QStringList { "printInformation 1d0110" } << 0;
        QTest::newRow("unknown first answer reports nothing")
            << "fwinfo"
            << "printFwInfo=7" << noQuestion << QList<int>() << 0
            << QStringList { "printFwInfo 1d0101" } << 0;
        QTest::newRow("head temperature fails while running")
            << "headtemp"
            << "headTemperature=2,2,1" << noQuestion << QList<int> { 1 } << 1
            << QStringList { "headTemperature 1d0123", "pollTest 47", "pollTest 47" } << 0;
        QTest::newRow("odd and negative poll answers are polled over")
            << "electrical"
            << "electricalCheck=2,5,200,0" << noQuestion << QList<int> { 0 } << 0
            << QStringList { "electricalCheck 1d016102", "pollTest 47", "pollTest 47",
                   "pollTest 47" }
            << 0;
        QTest::newRow("paper needed in another test")
            << "info"
            << "printInformation=2,3,1" << QList<bool> { true } << QList<int> { 1 } << 0
            << QStringList { "printInformation 1d0110", "pollTest 47", "pollTest 47" } << 0;
        QStringList endless { "printMenu 1d0120" };
        for (int i = 0; i <= DeviceTestExchange::kMaxImmediatePolls; ++i)
            endless << "pollTest 47";
        QTest::newRow("a printer that never answers usably")
            << "menu"
            << "printMenu=2,9" << noQuestion << QList<int>() << 0 << endless << int(TIMEOUT_ERROR);
        QStringList neverEnding { "printMenu 1d0120" };
        for (int i = 0; i <= DeviceTestExchange::kMaxRunningPolls; ++i)
            neverEnding << "pollTest 47";
        neverEnding << "cancelTest 43";
        QTest::newRow("a test that runs for ever is cancelled")
            << "menu"
            << "printMenu=2,2" << noQuestion << QList<int>() << DeviceTestExchange::kMaxRunningPolls
            << neverEnding << int(TIMEOUT_ERROR);
    }

    void testsAgainstThePrinter()
    {
        QFETCH(QString, test);
        QFETCH(QString, script);
        QFETCH(QList<bool>, paperAnswers);
        QFETCH(QList<int>, results);
        QFETCH(int, pauses);
        QFETCH(QStringList, commands);
        QFETCH(int, error);

        SimProcess sim;
        auto dispatcher = dispatcherFor(sim, { QStringLiteral("--test"), script });
        QVERIFY(dispatcher);
        DataDispatcher &d = *dispatcher;
        m_delay.clear();

        QList<bool> answers = paperAnswers;
        int questions = 0;
        connect(&d, &DataDispatcher::lackOfPaperToContinue, this, [&] {
            ++questions;
            // The worker must already wait when the question arrives, or the answer is lost.
            QVERIFY(d.paperWaiting());
            d.clearPaperWait(answers.isEmpty() ? false : answers.takeFirst());
        });
        QSignalSpy reported(&d, &DataDispatcher::deviceTestResult);
        QSignalSpy errors(d.communication(), &Communication::communicateError);
        d.setOperation(findName(test)->operation);
        d.run();

        QList<int> got;
        for (const QList<QVariant> &args : qAsConst(reported))
            got << args.at(0).toInt();
        QCOMPARE(got, results);
        QCOMPARE(questions, paperAnswers.size());
        QCOMPARE(m_delay.count(DeviceTestExchange::kPollPauseMs), pauses);
        QCOMPARE(commandsAfterIdentification(sim), commands);
        QCOMPARE(errors.isEmpty() ? 0 : errors.first().at(0).toInt(), error);
        QVERIFY(!d.paperWaiting());
        QCOMPARE(d.timeLimit(), DataDispatcher::kDefaultTimeLimitMs);
    }

    // A printer that misbehaves at one exchange never yields a result it did not give, and a
    // broken exchange is reported.
    void hostilePrinter_data()
    {
        QTest::addColumn<QString>("test");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QList<int>>("results");
        QTest::addColumn<bool>("error");
        QTest::addColumn<QByteArray>("sensors"); // the sensor data kept afterwards

        const QByteArray none;
        QTest::newRow("answer lost") << "pin"
                                     << "pinTest=0"
                                     << "drop@pinTest" << QList<int>() << true << none;
        QTest::newRow("printer silent") << "pin"
                                        << "pinTest=0"
                                        << "silent@pinTest" << QList<int>() << true << none;
        QTest::newRow("poll answer lost") << "menu"
                                          << "printMenu=2,0"
                                          << "drop@pollTest" << QList<int>() << true << none;
        QTest::newRow("connection closed at a poll")
            << "menu"
            << "printMenu=2,0"
            << "close@pollTest" << QList<int>() << true << none;
        QTest::newRow("garbage handshake: no test starts")
            << "pin"
            << "pinTest=0"
            << "garbage@handshake" << QList<int>() << true << none;
        // Asked again on a new connection, the printer answers whole.
        QTest::newRow("sensor reply cut short once")
            << "sensors"
            << "pinTest=0"
            << "truncate@readSensors" << QList<int>() << false
            << QByteArray::fromHex("012C0100000101900300C8040064030023010100");
        QTest::newRow("sensor reply with a wrong echo")
            << "sensors"
            << "pinTest=0"
            << "wrong-echo@readSensors" << QList<int>() << true << none;
        QTest::newRow("sensor reply without data")
            << "sensors"
            << "pinTest=0"
            << "empty@readSensors" << QList<int>() << false << none;
    }

    void hostilePrinter()
    {
        QFETCH(QString, test);
        QFETCH(QString, script);
        QFETCH(QString, fault);
        QFETCH(QList<int>, results);
        QFETCH(bool, error);
        QFETCH(QByteArray, sensors);
        SimProcess sim;
        auto dispatcher = dispatcherFor(
            sim, { QStringLiteral("--test"), script, QStringLiteral("--hostile"), fault });
        QVERIFY(dispatcher);
        DataDispatcher &d = *dispatcher;
        // A lost answer is noticed without the full wait of a real network.
        d.communication()->tcpClient()->setReadWait(50);
        QSignalSpy reported(&d, &DataDispatcher::deviceTestResult);
        QSignalSpy errors(d.communication(), &Communication::communicateError);
        d.setOperation(findName(test)->operation);
        d.run();
        QList<int> got;
        for (const QList<QVariant> &args : qAsConst(reported))
            got << args.at(0).toInt();
        QCOMPARE(got, results);
        QCOMPARE(!errors.isEmpty(), error);
        QCOMPARE(d.sensorData(), sensors);
    }

    void sensorRead()
    {
        SimProcess sim;
        auto dispatcher
            = dispatcherFor(sim, { QStringLiteral("--sensors"), QStringLiteral("012C01000001") });
        QVERIFY(dispatcher);
        DataDispatcher &d = *dispatcher;
        d.setOperation(DataDispatcher::OpSensorRead);
        d.run();
        QCOMPARE(d.sensorData(), QByteArray::fromHex("012C01000001"));
        QCOMPARE(commandsAfterIdentification(sim), QStringList { "readSensors 1d016101" });
        // Another printer connected afterwards does not show these states as its own.
        d.setOperation(DataDispatcher::OpIdentify);
        d.run();
        QCOMPARE(d.sensorData(), QByteArray());
    }

    // A serial port takes a one-byte poll as answered whatever came back; nothing is no answer.
    void unansweredPollOnSerial()
    {
        SimProcess sim;
        auto dispatcher = dispatcherFor(sim,
            { QStringLiteral("--test"), QStringLiteral("printMenu=2,0"),
                QStringLiteral("--hostile"), QStringLiteral("silent@pollTest") },
            true);
        QVERIFY(dispatcher);
        DataDispatcher &d = *dispatcher;
        QSignalSpy reported(&d, &DataDispatcher::deviceTestResult);
        QSignalSpy errors(d.communication(), &Communication::communicateError);
        d.setOperation(DataDispatcher::OpPrintMenu);
        d.run();
        QCOMPARE(reported.count(), 0);
        QCOMPARE(errors.count(), 1);
        QCOMPARE(errors.first().at(0).toInt(), int(TIMEOUT_ERROR));
    }

    // The pause before the first read of a test's answer; serial shows every requested pause.
    void replyDelays_data()
    {
        QTest::addColumn<QString>("test");
        QTest::addColumn<int>("delay");
        QTest::addColumn<int>("timeLimit"); // of the test's exchanges
        QTest::newRow("Print Menu") << "menu" << 18000 << 10000;
        QTest::newRow("Pin Test") << "pin" << 500 << 10000;
        QTest::newRow("Enter Hex Mode") << "hex" << 500 << 10000;
        QTest::newRow("Electrical Check on serial") << "electrical" << 16000 << 240000;
    }

    void replyDelays()
    {
        QFETCH(QString, test);
        QFETCH(int, delay);
        QFETCH(int, timeLimit);
        SimProcess sim;
        auto dispatcher = dispatcherFor(sim, {}, true);
        QVERIFY(dispatcher);
        DataDispatcher &d = *dispatcher;
        QSignalSpy reported(&d, &DataDispatcher::deviceTestResult);
        m_delay.clear();
        d.setOperation(findName(test)->operation);
        d.run();
        QCOMPARE(reported.count(), 1);
        // The handshake's pause, then the test's.
        QCOMPARE(m_delay.requested().mid(0, 2), (QVector<int> { 1000, delay }));
        QCOMPARE(d.communication()->timeout(), timeLimit);
        QCOMPARE(d.timeLimit(), DataDispatcher::kDefaultTimeLimitMs);
    }
};

QTEST_GUILESS_MAIN(tst_DeviceTest)
#include "tst_devicetest.moc"
