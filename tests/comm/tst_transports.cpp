#include <memory>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "core/configfile.h"
#include "comm/commerror.h"
#include "comm/delayservice.h"
#include "comm/devicemap.h"
#include "comm/lptport.h"
#include "comm/serialport.h"
#include "comm/tcpclient.h"
#include "printercommands.h"
#include "simprocess.h"

namespace {

QByteArray cmd(SimCommand c)
{
    return simCommand(c).bytes;
}

// Catches the COMM_ERROR_CODE a transport throws; 0 when it did not throw.
template<typename F> int thrownCode(F f)
{
    try {
        f();
    } catch (COMM_ERROR_CODE code) {
        return code;
    }
    return 0;
}

void openSerial(SerialPort &port, const QString &path)
{
    port.setPortName(path);
    port.setBaudRate(115200);
    port.setParity(QSerialPort::NoParity);
    port.setDataBits(QSerialPort::Data8);
    port.setStopBits(QSerialPort::OneStop);
    port.setFlowControl(QSerialPort::NoFlowControl);
    port.open();
}

} // namespace

class tst_Transports : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;

private slots:
    void initTestCase() { qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit()); }

    void devicePaths_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("mapped");
        QTest::addColumn<QString>("path");
        QTest::newRow("COM1") << "COM1"
                              << ""
                              << "/dev/ttyS0";
        QTest::newRow("COM16") << "COM16"
                               << ""
                               << "/dev/ttyS15";
        QTest::newRow("LPT2") << "LPT2"
                              << ""
                              << "/dev/lp1";
        QTest::newRow("COM3 mapped") << "COM3"
                                     << "/dev/ttyUSB0"
                                     << "/dev/ttyUSB0";
        QTest::newRow("LPT1 mapped") << "LPT1"
                                     << "/dev/pts/4"
                                     << "/dev/pts/4";
        QTest::newRow("blank mapping is ignored") << "COM2"
                                                  << "  "
                                                  << "/dev/ttyS1";
        QTest::newRow("a path stays") << "/dev/ttyACM0"
                                      << ""
                                      << "/dev/ttyACM0";
        QTest::newRow("COM0 is no COM number") << "COM0"
                                               << ""
                                               << "COM0";
        QTest::newRow("lower case is no port name") << "com1"
                                                    << ""
                                                    << "com1";
    }

    void devicePaths()
    {
        QFETCH(QString, name);
        QFETCH(QString, mapped);
        QFETCH(QString, path);
        ConfigFile config;
        if (!mapped.isEmpty())
            config.writeValue(QStringLiteral("Devices"), name, mapped);
        QCOMPARE(devicePath(&config, name), path);
        QCOMPARE(devicePath(nullptr, name), mapped.isEmpty() ? path : devicePath(nullptr, name));
    }

    // A reply in two parts is completed by one more wait; a third part is not awaited.
    void serialReadWaitsOnceMore()
    {
        SimProcess sim;
        QVERIFY2(
            sim.start({ QStringLiteral("--pty"), QStringLiteral("--chunk"), QStringLiteral("400"),
                QStringLiteral("--chunk-gap-ms"), QStringLiteral("150") }),
            qPrintable(sim.errorText()));
        RecordingDelayService delay;
        SerialPort port(delay, nullptr);
        port.setTimeout(2000);
        openSerial(port, sim.ptyPath());
        QVERIFY(port.write(cmd(SimCommand::ReadSettings)));
        const QByteArray reply = port.read(1029);
        QCOMPARE(reply.size(), 800);
        QVERIFY(reply.startsWith(cmd(SimCommand::ReadSettings) + QByteArray::fromHex("0400")));
        // The third part is still there for whoever reads next.
        QCOMPARE(port.read(229).size(), 229);
        port.close();
    }

    void serialSingleByteReadNeverTimesOut()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--pty") }), qPrintable(sim.errorText()));
        RecordingDelayService delay;
        SerialPort port(delay, nullptr);
        port.setTimeout(5000);
        openSerial(port, sim.ptyPath());
        QElapsedTimer clock;
        clock.start();
        QByteArray got;
        QCOMPARE(thrownCode([&] { got = port.read(1); }), 0);
        QVERIFY(got.isEmpty());
        QVERIFY(clock.elapsed() < 1000);
        // Any other length waits the time-out and then fails.
        port.setTimeout(200);
        QCOMPARE(thrownCode([&] { port.read(2); }), int(READ_PORT_ERROR));
    }

    void serialOpenFailsWithCode1()
    {
        RecordingDelayService delay;
        SerialPort port(delay, nullptr);
        port.setPortName(QStringLiteral("/nonexistent/ttyS9"));
        QCOMPARE(thrownCode([&] { port.open(); }), int(OPEN_PORT_ERROR));
        QVERIFY(!port.isOpen());
    }

    // Leftovers of an earlier exchange must not be read as the next reply.
    void serialOpenDropsStaleBytes()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--pty") }), qPrintable(sim.errorText()));
        RecordingDelayService delay;
        SerialPort port(delay, nullptr);
        openSerial(port, sim.ptyPath());
        port.write(cmd(SimCommand::ReadModel));
        QVERIFY(sim.waitForLog(QStringLiteral("CMD readModel")));
        QTest::qWait(100);
        port.close();
        openSerial(port, sim.ptyPath());
        port.write(cmd(SimCommand::Handshake));
        const QByteArray reply = port.read(10);
        QCOMPARE(reply.size(), 10);
        QVERIFY(reply.startsWith(QByteArray::fromHex("1D1A1B1C1D")));
    }

    void dtrPulsesAreHarmlessOnAPty()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--pty") }), qPrintable(sim.errorText()));
        RecordingDelayService delay;
        SerialPort port(delay, nullptr);
        openSerial(port, sim.ptyPath());
        QVERIFY(port.pulseDtr());
        QCOMPARE(delay.requested().size(), 10);
        QCOMPARE(port.port().error(), QSerialPort::NoError);
    }

    void lptExclusiveOpen()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--pty"), QStringLiteral("--pty-kind"),
                     QStringLiteral("lpt") }),
            qPrintable(sim.errorText()));
        ConfigFile config;
        config.writeValue(QStringLiteral("Devices"), QStringLiteral("LPT1"), sim.ptyPath());
        RecordingDelayService delay;
        LptPort first(delay, &config);
        LptPort second(delay, &config);
        first.setPortName(QStringLiteral("LPT1"));
        second.setPortName(QStringLiteral("LPT1"));
        QVERIFY(first.open());
        QVERIFY(first.open()); // already open: fine
        QCOMPARE(thrownCode([&] { second.open(); }), int(OPEN_PORT_ERROR));
        first.close();
        QVERIFY(second.open());
    }

    void lptReads_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("expected");
        QTest::newRow("echo and length") << 5 << 5;
        QTest::newRow("whole reply") << 1029 << 1029;
        QTest::newRow("more than there is") << 1100 << 1029;
        QTest::newRow("nothing asked") << 0 << 0;
    }

    void lptReads()
    {
        QFETCH(int, length);
        QFETCH(int, expected);
        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--pty"), QStringLiteral("--pty-kind"),
                     QStringLiteral("lpt"), QStringLiteral("--chunk"), QStringLiteral("300"),
                     QStringLiteral("--chunk-gap-ms"), QStringLiteral("20") }),
            qPrintable(sim.errorText()));
        RecordingDelayService delay;
        LptPort port(delay, nullptr);
        port.setPortName(sim.ptyPath());
        port.setTimeout(400);
        port.setRetryDelay(50);
        QVERIFY(port.open());
        QVERIFY(port.write(cmd(SimCommand::ReadSettings)));
        QCOMPARE(port.read(length).size(), expected);
    }

    // A read that gets nothing tries once more for the retry delay, then returns empty.
    void lptReadTimeOutReturnsEmpty()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--pty"), QStringLiteral("--pty-kind"),
                     QStringLiteral("lpt"), QStringLiteral("--delay-ms"), QStringLiteral("400") }),
            qPrintable(sim.errorText()));
        RecordingDelayService delay;
        LptPort port(delay, nullptr);
        port.setPortName(sim.ptyPath());
        port.setTimeout(100);
        port.setRetryDelay(100);
        QVERIFY(port.open());
        port.write(cmd(SimCommand::PinTest));
        QByteArray got;
        QCOMPARE(thrownCode([&] { got = port.read(1); }), 0);
        QVERIFY(got.isEmpty());
        // With a retry delay long enough, the second attempt gets the late answer.
        port.write(cmd(SimCommand::PinTest));
        port.setRetryDelay(1500);
        QCOMPARE(port.read(1), QByteArray(1, '\0'));
    }

    void lptWriteOnClosedPortFails()
    {
        RecordingDelayService delay;
        LptPort port(delay, nullptr);
        QCOMPARE(thrownCode([&] { port.write("x"); }), int(WRITE_PORT_ERROR));
        QVERIFY(port.read(10).isEmpty());
    }

    void lptInitialisationOnADeviceWithoutIt()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--pty"), QStringLiteral("--pty-kind"),
                     QStringLiteral("lpt") }),
            qPrintable(sim.errorText()));
        RecordingDelayService delay;
        LptPort port(delay, nullptr);
        port.setPortName(sim.ptyPath());
        QVERIFY(port.open());
        port.initPrinter();
        QCOMPARE(delay.requested(), QVector<int> { 100 });
        // The port is still usable afterwards.
        port.write(cmd(SimCommand::PinTest));
        QCOMPARE(port.read(1), QByteArray(1, '\0'));
    }

    // Everything since the last write is kept, so a reply in several segments comes back whole.
    void tcpReadAccumulatesUntilTheNextWrite()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
                     QStringLiteral("--chunk"), QStringLiteral("200"),
                     QStringLiteral("--chunk-gap-ms"), QStringLiteral("30") }),
            qPrintable(sim.errorText()));
        TcpClient client;
        QSignalSpy open(&client, &TcpClient::portOpenChanged);
        client.setServer(QStringLiteral("127.0.0.1"), sim.tcpPort());
        QCOMPARE(client.connectToServer(), 0);
        QCOMPARE(open.count(), 1);
        QVERIFY(client.write(cmd(SimCommand::ReadSettings)));
        QByteArray got;
        for (int i = 0; i < 20 && got.size() < 1029; ++i) {
            const QByteArray now = client.read();
            QVERIFY(now.startsWith(got));
            got = now;
        }
        QCOMPARE(got.size(), 1029);
        QVERIFY(got.startsWith(cmd(SimCommand::ReadSettings)));
        QVERIFY(client.write(cmd(SimCommand::PinTest)));
        QCOMPARE(client.read(), QByteArray(1, '\0'));
    }

    void tcpSecondConnectKeepsTheConnection()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0") }),
            qPrintable(sim.errorText()));
        TcpClient client;
        QSignalSpy open(&client, &TcpClient::portOpenChanged);
        client.setServer(QStringLiteral("127.0.0.1"), sim.tcpPort());
        QCOMPARE(client.connectToServer(), 0);
        QCOMPARE(client.connectToServer(), 0);
        QVERIFY(client.isConnected());
        QCOMPARE(open.count(), 2);
        QVERIFY(client.write(cmd(SimCommand::PinTest)));
        QCOMPARE(client.read(), QByteArray(1, '\0'));
        QCOMPARE(sim.count(QStringLiteral("CONNECT")), 1);
        // Clearing the flag forces a fresh connection.
        client.setConnected(false);
        QCOMPARE(client.connectToServer(), 0);
        QVERIFY(sim.waitForLog(QStringLiteral("DISCONNECT")));
        // The printer may log the new connection a moment after the old one's end.
        QTRY_COMPARE_WITH_TIMEOUT(sim.count(QStringLiteral("CONNECT")), 2, 5000);
    }

    void tcpConnectNoticesAPrinterThatWentAway()
    {
        auto first = std::make_unique<SimProcess>();
        QVERIFY2(first->start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0") }),
            qPrintable(first->errorText()));
        const quint16 port = first->tcpPort();
        TcpClient client;
        client.setServer(QStringLiteral("127.0.0.1"), port);
        QCOMPARE(client.connectToServer(), 0);
        first.reset();
        SimProcess second;
        QVERIFY2(
            second.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(port) }),
            qPrintable(second.errorText()));
        QVERIFY(client.isConnected()); // nothing has told the client yet
        QCOMPARE(client.connectToServer(), 0);
        QVERIFY(client.write(cmd(SimCommand::PinTest)));
        QCOMPARE(client.read(), QByteArray(1, '\0'));
        QCOMPARE(second.count(QStringLiteral("CONNECT")), 1);
    }

    void tcpConnectFailures()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
                     QStringLiteral("--refuse") }),
            qPrintable(sim.errorText()));
        TcpClient client;
        client.setServer(QStringLiteral("127.0.0.1"), sim.tcpPort());
        // The printer accepts and hangs up at once: the connect itself succeeded.
        QCOMPARE(client.connectToServer(), 0);
        QVERIFY(sim.waitForLog(QStringLiteral("REFUSE")));
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        const quint16 closed = probe.serverPort();
        probe.close();
        client.setConnected(false);
        client.setServer(QStringLiteral("127.0.0.1"), closed);
        QCOMPARE(client.connectToServer(), -1);
        QVERIFY(!client.isConnected());
    }

    void tcpRejectedAddressKeepsThePreviousOne()
    {
        TcpClient client;
        client.setServer(QStringLiteral("192.168.0.1"), 9100);
        client.setServer(QStringLiteral("300.1.2.3"), 9200);
        QCOMPARE(client.serverAddress(), QHostAddress(QStringLiteral("192.168.0.1")));
        QCOMPARE(client.serverPort(), quint16(9200));
    }
};

QTEST_GUILESS_MAIN(tst_Transports)
#include "tst_transports.moc"
