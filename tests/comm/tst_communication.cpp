#include <memory>

#include <sys/file.h>
#include <fcntl.h>
#include <unistd.h>

#include <QSignalSpy>
#include <QTcpServer>
#include <QThread>
#include <QtTest>

#include "core/configfile.h"
#include "comm/commerror.h"
#include "comm/communication.h"
#include "comm/delayservice.h"
#include "comm/serialport.h"
#include "comm/tcpclient.h"
#include "fakeports.h"
#include "printercommands.h"
#include "simprocess.h"
#include "simulatedprinter.h"

namespace {

enum Line { Network, Wifi, Serial, Lpt, Usb, Bluetooth };

using C = Communication;
using IntList = QList<int>;

// A short network read wait keeps the tests that wait for missing bytes fast.
constexpr int kShortReadWaitMs = 25;
constexpr int kSimIdleMs = 200;

QByteArray cmd(SimCommand c)
{
    return simCommand(c).bytes;
}

QStringList simArgs(int line, const QString &profile, const QStringList &extra = {})
{
    QStringList args { QStringLiteral("--profile"), profile };
    if (line == Network || line == Wifi)
        args << QStringLiteral("--tcp") << QStringLiteral("127.0.0.1:0");
    else if (line == Serial)
        args << QStringLiteral("--pty");
    else if (line == Lpt)
        args << QStringLiteral("--pty") << QStringLiteral("--pty-kind") << QStringLiteral("lpt");
    return args + extra;
}

// What the engine should hand out: the payload of a framed reply, or the whole answer.
QByteArray expectedReply(const QString &profileId, int mode, const QByteArray &command)
{
    PrinterProfile profile;
    QString error;
    PrinterProfile::load(profileId, &profile, &error);
    SimulatedPrinter printer(profile);
    const QByteArray reply = printer.feed(command);
    if (mode == C::ModeSendReceive)
        return reply;
    return reply.mid(command.size() + (mode == C::ModeFramedList ? 4 : 2));
}

struct Rig
{
    explicit Rig(double scale = 0.0, UsbPort *usb = nullptr, BluetoothClient *bluetooth = nullptr)
        : delay(scale)
        , comm(delay, &config, usb, bluetooth)
        , errors(&comm, &Communication::communicateError)
        , results(&comm, &Communication::communicateResult)
        , data(&comm, &Communication::receivedData)
        , counts(&comm, &Communication::transferDataCount)
    {
    }

    void use(int line, const SimProcess &sim)
    {
        switch (line) {
        case Network:
        case Wifi:
            comm.setPortType(line == Network ? C::PortNetwork : C::PortWifi);
            comm.setServer(QStringLiteral("127.0.0.1"), sim.tcpPort());
            break;
        case Serial:
            config.writeValue(QStringLiteral("Devices"), QStringLiteral("COM3"), sim.ptyPath());
            comm.setPortType(C::PortSerial);
            comm.setSerialParameters(QStringLiteral("COM3"), 115200, 0, 8, 1, 0);
            break;
        case Lpt:
            config.writeValue(QStringLiteral("Devices"), QStringLiteral("LPT2"), sim.ptyPath());
            comm.setPortType(C::PortLpt);
            comm.setLptPortName(QStringLiteral("LPT2"));
            break;
        case Usb:
            comm.setPortType(C::PortUsb);
            break;
        case Bluetooth:
            comm.setPortType(C::PortBluetooth);
            break;
        }
    }

    bool run(int mode, const QByteArray &bytes, int expected = 0)
    {
        const int before = results.count();
        comm.setMode(mode);
        comm.setSendBuffer(bytes);
        comm.setExpectedLength(expected);
        comm.communicate();
        if (results.count() != before + 1)
            qFatal("a run must end with exactly one result");
        return results.last().at(0).toBool();
    }

    IntList errorCodes() const
    {
        IntList out;
        for (const QList<QVariant> &args : errors)
            out.append(args.at(0).toInt());
        return out;
    }

    IntList transferCounts() const
    {
        IntList out;
        for (const QList<QVariant> &args : counts)
            out.append(args.at(0).toInt());
        return out;
    }

    RecordingDelayService delay;
    ConfigFile config;
    Communication comm;
    QSignalSpy errors;
    QSignalSpy results;
    QSignalSpy data;
    QSignalSpy counts;
};

quint16 closedPort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return port;
}

} // namespace

class tst_Communication : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_config;

private slots:
    void initTestCase()
    {
        // Never touch the user's configuration, also when run outside CTest.
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
    }

    // Every exchange of the settings layer, over the network, a serial and a parallel line,
    // with the reply in one piece and in many.
    void exchangesOverEveryLine_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("pieces");
        QTest::addColumn<QString>("profile");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("expected");
        const struct
        {
            const char *name;
            const char *profile;
            int mode;
            QByteArray command;
            int expected;
        } exchanges[] = {
            { "handshake", "pl100", C::ModeSendReceive, cmd(SimCommand::Handshake), 10 },
            { "setting block", "zn470kw", C::ModeFramed, cmd(SimCommand::ReadSettings), 5 },
            { "model with marker", "qp80", C::ModeFramed, cmd(SimCommand::ReadModel), 6 },
            { "parameter list", "pl100", C::ModeFramedList, cmd(SimCommand::ReadParameterList), 5 },
            { "slow start", "mv4410c", C::ModeFramedSlow, cmd(SimCommand::ReadDefaults), 5 },
        };
        const struct
        {
            const char *name;
            int line;
        } lines[] = { { "network", Network }, { "serial", Serial }, { "lpt", Lpt } };
        for (const auto &l : lines) {
            for (bool pieces : { false, true }) {
                for (const auto &e : exchanges) {
                    QTest::addRow("%s %s%s", l.name, e.name, pieces ? " in pieces" : "")
                        << l.line << pieces << e.profile << e.mode << e.command << e.expected;
                }
            }
        }
    }

    void exchangesOverEveryLine()
    {
        QFETCH(int, line);
        QFETCH(bool, pieces);
        QFETCH(QString, profile);
        QFETCH(int, mode);
        QFETCH(QByteArray, command);
        QFETCH(int, expected);
        SimProcess sim;
        const QStringList chunks { QStringLiteral("--chunk"), QStringLiteral("128"),
            QStringLiteral("--chunk-gap-ms"), QStringLiteral("10") };
        QVERIFY2(sim.start(simArgs(line, profile, pieces ? chunks : QStringList())),
            qPrintable(sim.errorText()));
        // A tenth of the printer delays is really waited, so pieces have time to arrive.
        Rig rig(0.1);
        rig.use(line, sim);

        QVERIFY(rig.run(mode, command, expected));
        const QByteArray reply = expectedReply(profile, mode, command);
        QCOMPARE(rig.comm.lastError(), 0);
        QCOMPARE(rig.errorCodes(), IntList());
        QCOMPARE(rig.comm.received().toHex(), reply.toHex());
        QCOMPARE(rig.data.count(), 1);
        QCOMPARE(rig.data.first().at(0).toByteArray(), reply);
        QCOMPARE(sim.count(QStringLiteral("CMD ")), 1);
    }

    // Progress counts what the port has taken so far and ends with the whole size; writes keep
    // the block sizes a printer sees (USB and Bluetooth 1 KiB, LPT 10 KiB).
    void bulkTransferCounts_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("size");
        QTest::addColumn<IntList>("counts");
        QTest::addColumn<IntList>("blocks"); // as written, for the fake ports
        QTest::newRow("usb 2048") << int(Usb) << int(C::ModeBulk) << 2048 << IntList { 2048 }
                                  << IntList { 1024, 1024 };
        QTest::newRow("usb 2049") << int(Usb) << int(C::ModeBulk) << 2049 << IntList { 2049 }
                                  << IntList { 1024, 1024, 1 };
        QTest::newRow("usb 2049 without re-scan")
            << int(Usb) << int(C::ModeBulkNoRescan) << 2049 << IntList { 2049 }
            << IntList { 1024, 1024, 1 };
        QTest::newRow("usb 1024 is one write")
            << int(Usb) << int(C::ModeBulk) << 1024 << IntList { 1024 } << IntList { 1024 };
        QTest::newRow("usb 40000 reports every 16 blocks")
            << int(Usb) << int(C::ModeBulk) << 40000 << IntList { 16384, 32768, 40000 }
            << (IntList() << QVector<int>(39, 1024).toList() << 64);
        QTest::newRow("bluetooth 2049") << int(Bluetooth) << int(C::ModeBulk) << 2049
                                        << IntList { 2049 } << IntList { 1024, 1024, 1 };
        QTest::newRow("network 2048")
            << int(Network) << int(C::ModeBulk) << 2048 << IntList { 2048 } << IntList {};
        QTest::newRow("network 200000") << int(Network) << int(C::ModeBulk) << 200000
                                        << IntList { 65536, 131072, 196608, 200000 } << IntList {};
        QTest::newRow("wifi 2049") << int(Wifi) << int(C::ModeBulkNoRescan) << 2049
                                   << IntList { 2049 } << IntList {};
        QTest::newRow("lpt 2049 is one block")
            << int(Lpt) << int(C::ModeBulk) << 2049 << IntList { 2049 } << IntList {};
        QTest::newRow("lpt 30721")
            << int(Lpt) << int(C::ModeBulk) << 30721 << IntList { 20480, 30721 } << IntList {};
        QTest::newRow("serial 9000")
            << int(Serial) << int(C::ModeBulk) << 9000 << IntList { 9000 } << IntList {};
        QTest::newRow("serial 40000") << int(Serial) << int(C::ModeBulk) << 40000
                                      << IntList { 16384, 32768, 40000 } << IntList {};
    }

    void bulkTransferCounts()
    {
        QFETCH(int, line);
        QFETCH(int, mode);
        QFETCH(int, size);
        QFETCH(IntList, counts);
        QFETCH(IntList, blocks);
        QByteArray firmware(size, '\0');
        for (int i = 0; i < size; ++i)
            firmware[i] = char(0x80 + i % 97);
        auto *usb = new FakeUsbPort;
        auto *bluetooth = new FakeBluetoothClient;
        Rig rig(0.0, usb, bluetooth);
        SimProcess sim;
        const bool real = line != Usb && line != Bluetooth;
        if (real) {
            QVERIFY2(sim.start(simArgs(line, QStringLiteral("zn470kw"),
                         { QStringLiteral("--idle-ms"), QString::number(kSimIdleMs) })),
                qPrintable(sim.errorText()));
            rig.use(line, sim);
            QVERIFY(rig.run(C::ModeSendReceive, cmd(SimCommand::FirmwareMode), 3));
        } else {
            rig.use(line, sim);
        }

        QVERIFY(rig.run(mode, firmware));
        QCOMPARE(rig.transferCounts(), counts);
        QCOMPARE(rig.comm.lastError(), 0);
        QCOMPARE(rig.comm.bytesAccepted(), qint64(size));
        if (real)
            QVERIFY(sim.waitForLog(QStringLiteral("FIRMWARE %1 raw").arg(size)));
        const QByteArrayList written = line == Usb ? usb->written : bluetooth->written;
        if (!real) {
            IntList sizes;
            for (const QByteArray &b : written)
                sizes.append(b.size());
            QCOMPARE(sizes, blocks);
            QCOMPARE(written.join(), firmware);
        }
        if (line == Usb && size > 1024) {
            const QString writer
                = mode == C::ModeBulk ? QStringLiteral("write") : QStringLiteral("writeWait");
            QCOMPARE(usb->calls.count(writer), blocks.size());
            QCOMPARE(usb->calls.contains(QStringLiteral("reselect")), mode == C::ModeBulk);
        }
    }

    void openFailures_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("quiet");
        QTest::addColumn<IntList>("errors");
        QTest::addColumn<int>("lastError");
        QTest::newRow("serial") << int(Serial) << false << IntList { 1, 1 } << 1;
        QTest::newRow("serial quiet") << int(Serial) << true << IntList { 1 } << 1;
        QTest::newRow("lpt") << int(Lpt) << false << IntList { 1, 1 } << 1;
        QTest::newRow("lpt quiet") << int(Lpt) << true << IntList { 1 } << 1;
        QTest::newRow("network") << int(Network) << false << IntList { 5, 1 } << 1;
        QTest::newRow("network quiet") << int(Network) << true << IntList { 5 } << 5;
        QTest::newRow("usb without printers") << int(Usb) << false << IntList { 1 } << 1;
        QTest::newRow("usb without printers quiet") << int(Usb) << true << IntList {} << 0;
        QTest::newRow("bluetooth unavailable") << int(Bluetooth) << false << IntList { 1 } << 1;
        QTest::newRow("bluetooth unavailable quiet") << int(Bluetooth) << true << IntList {} << 0;
    }

    void openFailures()
    {
        QFETCH(int, line);
        QFETCH(bool, quiet);
        QFETCH(IntList, errors);
        QFETCH(int, lastError);
        Rig rig;
        rig.config.writeValue(
            QStringLiteral("Devices"), QStringLiteral("COM9"), QStringLiteral("/nonexistent/tty"));
        rig.config.writeValue(
            QStringLiteral("Devices"), QStringLiteral("LPT3"), QStringLiteral("/nonexistent/lp"));
        SimProcess none;
        rig.use(line, none);
        rig.comm.setSerialParameters(QStringLiteral("COM9"), 9600, 0, 8, 1, 0);
        rig.comm.setLptPortName(QStringLiteral("LPT3"));
        rig.comm.setServer(QStringLiteral("127.0.0.1"), closedPort());
        rig.comm.setQuietOpenFailure(quiet);

        QVERIFY(!rig.run(C::ModeSendReceive, cmd(SimCommand::Handshake), 10));
        QCOMPARE(rig.errorCodes(), errors);
        QCOMPARE(rig.comm.lastError(), lastError);
        QCOMPARE(rig.data.count(), 0);
        QVERIFY(!rig.comm.isBusy());
    }

    // A network printer that closed the connection answers nothing; the Network port then
    // reconnects and asks once more, the Wifi port does not and has failed.
    void emptyNetworkReply_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("connections");
        QTest::addColumn<int>("error");
        QTest::newRow("network reconnects once") << int(Network) << true << 2 << 0;
        QTest::newRow("wifi does not") << int(Wifi) << false << 1 << int(WIFI_CONNECT_FAIL);
    }

    void emptyNetworkReply()
    {
        QFETCH(int, line);
        QFETCH(bool, result);
        QFETCH(int, connections);
        QFETCH(int, error);
        SimProcess sim;
        QVERIFY2(sim.start(simArgs(line, QStringLiteral("zn470kw"),
                     { QStringLiteral("--drop-after"), QStringLiteral("0"),
                         QStringLiteral("--fault-replies"), QStringLiteral("1") })),
            qPrintable(sim.errorText()));
        Rig rig;
        rig.use(line, sim);
        rig.comm.tcpClient()->setReadWait(kShortReadWaitMs * 4);

        QCOMPARE(rig.run(C::ModeSendReceive, cmd(SimCommand::Handshake), 10), result);
        QCOMPARE(rig.comm.lastError(), error);
        QCOMPARE(sim.count(QStringLiteral("CONNECT")), connections);
        QCOMPARE(sim.count(QStringLiteral("CMD handshake")), connections);
        QCOMPARE(rig.data.count(), result ? 1 : 0);
        if (result)
            QCOMPARE(rig.comm.received(),
                expectedReply(
                    QStringLiteral("zn470kw"), C::ModeSendReceive, cmd(SimCommand::Handshake)));
    }

    // A network printer that restarted (after a firmware download, say) is reached again on
    // the next exchange instead of through the dead connection.
    void reconnectsAfterThePrinterRestarted_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("command");
        QTest::newRow("wifi handshake")
            << int(Wifi) << int(C::ModeSendReceive) << cmd(SimCommand::Handshake);
        QTest::newRow("network handshake")
            << int(Network) << int(C::ModeSendReceive) << cmd(SimCommand::Handshake);
        QTest::newRow("wifi block read")
            << int(Wifi) << int(C::ModeFramed) << cmd(SimCommand::ReadSettings);
    }

    void reconnectsAfterThePrinterRestarted()
    {
        QFETCH(int, line);
        QFETCH(int, mode);
        QFETCH(QByteArray, command);
        auto first = std::make_unique<SimProcess>();
        QVERIFY2(
            first->start(simArgs(line, QStringLiteral("zn470kw"))), qPrintable(first->errorText()));
        const quint16 port = first->tcpPort();
        Rig rig;
        rig.use(line, *first);
        const int expected = mode == C::ModeSendReceive ? 10 : command.size() + 2;
        QVERIFY(rig.run(mode, command, expected));
        first.reset();
        SimProcess second;
        QVERIFY2(second.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(port),
                     QStringLiteral("--profile"), QStringLiteral("mv4410c") }),
            qPrintable(second.errorText()));

        QVERIFY(rig.run(mode, command, expected));
        QCOMPARE(rig.errorCodes(), IntList());
        QCOMPARE(rig.comm.received(), expectedReply(QStringLiteral("mv4410c"), mode, command));
        QCOMPARE(second.count(QStringLiteral("CONNECT")), 1);
        QCOMPARE(second.count(QStringLiteral("CMD ")), 1);
    }

    void incompleteNetworkReplyGivesCode5_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("truncate");
        QTest::newRow("block") << "zn470kw" << int(C::ModeFramed) << cmd(SimCommand::ReadSettings)
                               << 500;
        QTest::newRow("only the echo")
            << "zn470kw" << int(C::ModeFramed) << cmd(SimCommand::ReadSettings) << 3;
        QTest::newRow("parameter list")
            << "pl100" << int(C::ModeFramedList) << cmd(SimCommand::ReadParameterList) << 100;
        QTest::newRow("slow start")
            << "mv4410c" << int(C::ModeFramedSlow) << cmd(SimCommand::ReadDefaults) << 500;
    }

    void incompleteNetworkReplyGivesCode5()
    {
        QFETCH(QString, profile);
        QFETCH(int, mode);
        QFETCH(QByteArray, command);
        QFETCH(int, truncate);
        SimProcess sim;
        // The read and its one repetition are cut short; the printer is whole again afterwards.
        QVERIFY2(sim.start(simArgs(Network, profile,
                     { QStringLiteral("--truncate"), QString::number(truncate),
                         QStringLiteral("--fault-replies"), QStringLiteral("2") })),
            qPrintable(sim.errorText()));
        Rig rig;
        rig.use(Network, sim);
        rig.comm.tcpClient()->setReadWait(kShortReadWaitMs);

        QVERIFY(!rig.run(mode, command, command.size() + 2));
        QCOMPARE(rig.errorCodes(), IntList { 5 });
        QCOMPARE(rig.comm.lastError(), 5);
        QCOMPARE(rig.data.count(), 0);
        // Asked once, then once more on a fresh connection, and no more.
        QCOMPARE(sim.count(QStringLiteral("CMD ")), 2);
        QCOMPARE(sim.count(QStringLiteral("CONNECT")), 2);
        QCOMPARE(rig.delay.count(Communication::kFrameRetryMs), 30);
        QCOMPARE(rig.delay.count(Communication::kSlowStartMs), mode == C::ModeFramedSlow ? 1 : 0);
        // The next exchange reconnects instead of trusting the broken connection.
        QVERIFY(rig.run(C::ModeSendReceive, cmd(SimCommand::Handshake), 10));
        QCOMPARE(sim.count(QStringLiteral("CONNECT")), 3);
    }

    void portErrorEndsAFramedRead_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("truncate");
        QTest::newRow("serial, payload missing") << int(Serial) << 500;
        QTest::newRow("lpt, payload missing") << int(Lpt) << 500;
        QTest::newRow("lpt, length missing") << int(Lpt) << 4;
    }

    void portErrorEndsAFramedRead()
    {
        QFETCH(int, line);
        QFETCH(int, truncate);
        SimProcess sim;
        QVERIFY2(sim.start(simArgs(line, QStringLiteral("zn470kw"),
                     { QStringLiteral("--truncate"), QString::number(truncate) })),
            qPrintable(sim.errorText()));
        Rig rig;
        rig.use(line, sim);
        rig.comm.setTimeout(300);
        rig.comm.setLptReadDelay(100);

        QVERIFY(!rig.run(C::ModeFramed, cmd(SimCommand::ReadSettings), 5));
        QCOMPARE(rig.errorCodes(), IntList { READ_PORT_ERROR });
        QCOMPARE(rig.comm.lastError(), int(READ_PORT_ERROR));
        QCOMPARE(rig.data.count(), 0);
        QCOMPARE(sim.count(QStringLiteral("CMD ")), 1);
    }

    void usbFraming_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArrayList>("reads");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("error");
        QTest::addColumn<QStringList>("readCalls");
        const QByteArray echo = cmd(SimCommand::ReadSettings);
        const QByteArray payload(300, '\x33');
        QTest::newRow("header, then payload")
            << int(C::ModeFramed) << QByteArrayList { echo + QByteArray::fromHex("012C"), payload }
            << payload << 0 << QStringList { "read 100", "read 300" };
        QTest::newRow("all in one transfer")
            << int(C::ModeFramed) << QByteArrayList { echo + QByteArray::fromHex("012C") + payload }
            << payload << 0 << QStringList { "read 100" };
        QTest::newRow("part of the payload with the header")
            << int(C::ModeFramed)
            << QByteArrayList { echo + QByteArray::fromHex("012C") + payload.left(40),
                   payload.mid(40) }
            << payload << 0 << QStringList { "read 100", "read 260" };
        QTest::newRow("3-byte length")
            << int(C::ModeFramedList)
            << QByteArrayList { echo + QByteArray::fromHex("0000012C"), payload } << payload << 0
            << QStringList { "read 100", "read 300" };
        QTest::newRow("echo only") << int(C::ModeFramed) << QByteArrayList { echo } << QByteArray()
                                   << int(READ_PORT_ERROR) << QStringList { "read 100" };
    }

    void usbFraming()
    {
        QFETCH(int, mode);
        QFETCH(QByteArrayList, reads);
        QFETCH(QByteArray, payload);
        QFETCH(int, error);
        QFETCH(QStringList, readCalls);
        auto *usb = new FakeUsbPort;
        usb->reads = reads;
        Rig rig(0.0, usb);
        rig.use(Usb, SimProcess());
        rig.comm.setReplyDelay(100);

        QCOMPARE(rig.run(mode, cmd(SimCommand::ReadSettings), 5), error == 0);
        QCOMPARE(rig.comm.lastError(), error);
        if (error == 0)
            QCOMPARE(rig.comm.received(), payload);
        QStringList calls;
        for (const QString &c : usb->calls)
            if (c.startsWith(QLatin1String("read")))
                calls.append(c);
        QCOMPARE(calls, readCalls);
        QCOMPARE(usb->calls.last(), QStringLiteral("close"));
        // The parameter list is read without the reply delays.
        QCOMPARE(rig.delay.count(100), mode == C::ModeFramedList ? 0 : readCalls.size());
    }

    void oneByteSerialCommand_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("emitted");
        QTest::newRow("test poll") << cmd(SimCommand::PollTest) << 0;
        QTest::newRow("pin test") << cmd(SimCommand::PinTest) << 1;
    }

    void oneByteSerialCommand()
    {
        QFETCH(QByteArray, command);
        QFETCH(int, emitted);
        SimProcess sim;
        QVERIFY2(
            sim.start(simArgs(Serial, QStringLiteral("zn470kw"))), qPrintable(sim.errorText()));
        // The one-byte answer is only glanced for, so the reply delay is really waited (in part).
        Rig rig(0.2);
        rig.use(Serial, sim);

        QVERIFY(rig.run(C::ModeSendReceive, command, 1));
        QCOMPARE(rig.data.count(), emitted);
        QCOMPARE(rig.comm.lastError(), 0);
        // The answer is kept for the requester either way.
        QCOMPARE(rig.comm.received(), QByteArray(1, '\0'));
    }

    void serialFlowControl_data()
    {
        QTest::addColumn<int>("requested");
        QTest::addColumn<int>("used");
        QTest::newRow("xon/xoff is replaced")
            << int(QSerialPort::SoftwareControl) << int(QSerialPort::NoFlowControl);
        QTest::newRow("hardware stays")
            << int(QSerialPort::HardwareControl) << int(QSerialPort::HardwareControl);
        QTest::newRow("none stays")
            << int(QSerialPort::NoFlowControl) << int(QSerialPort::NoFlowControl);
    }

    void serialFlowControl()
    {
        QFETCH(int, requested);
        QFETCH(int, used);
        SimProcess sim;
        QVERIFY2(
            sim.start(simArgs(Serial, QStringLiteral("zn470kw"))), qPrintable(sim.errorText()));
        Rig rig;
        rig.use(Serial, sim);
        rig.comm.setSerialParameters(QStringLiteral("COM3"), 38400, QSerialPort::EvenParity, 8,
            QSerialPort::OneStop, requested);

        QVERIFY(rig.run(C::ModeSendReceive, cmd(SimCommand::Handshake), 10));
        QCOMPARE(int(rig.comm.serialPort()->port().flowControl()), used);
        QCOMPARE(rig.comm.flowControl(), used);
        QCOMPARE(rig.comm.serialPort()->port().baudRate(), 38400);
        QCOMPARE(rig.comm.serialPort()->port().parity(), QSerialPort::EvenParity);
    }

    void heldParallelPort_data()
    {
        QTest::addColumn<bool>("heldByTest");
        QTest::newRow("held by another program") << true;
        QTest::newRow("held by the printer's side") << false;
    }

    void heldParallelPort()
    {
        QFETCH(bool, heldByTest);
        SimProcess sim;
        QStringList extra;
        if (!heldByTest)
            extra << QStringLiteral("--refuse");
        QVERIFY2(
            sim.start(simArgs(Lpt, QStringLiteral("zn470kw"), extra)), qPrintable(sim.errorText()));
        int holder = -1;
        if (heldByTest) {
            holder = ::open(QFile::encodeName(sim.ptyPath()).constData(), O_RDWR | O_NOCTTY);
            QVERIFY(holder >= 0);
            QCOMPARE(::flock(holder, LOCK_EX | LOCK_NB), 0);
        }
        Rig rig;
        rig.use(Lpt, sim);
        const bool ok = rig.run(C::ModeSendReceive, cmd(SimCommand::Handshake), 10);
        if (holder >= 0)
            ::close(holder);
        QVERIFY(!ok);
        QCOMPARE(rig.errorCodes(), (IntList { 1, 1 }));
        QCOMPARE(rig.comm.lastError(), 1);
        QCOMPARE(sim.count(QStringLiteral("CMD ")), 0);
    }

    void printerDelays_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<IntList>("delays");
        IntList dtr;
        for (int i = 0; i < 10; ++i)
            dtr.append(100);
        QTest::newRow("serial restart")
            << int(Serial) << int(C::ModeWaitRestart) << QByteArray() << (IntList { 7000 } + dtr);
        QTest::newRow("lpt restart")
            << int(Lpt) << int(C::ModeWaitRestart) << QByteArray() << IntList { 5000, 100 };
        QTest::newRow("usb restart")
            << int(Usb) << int(C::ModeWaitRestart) << QByteArray() << IntList {};
        QTest::newRow("serial handshake") << int(Serial) << int(C::ModeSendReceive)
                                          << cmd(SimCommand::Handshake) << IntList { 500 };
        QTest::newRow("network handshake waits for bytes, not for time")
            << int(Network) << int(C::ModeSendReceive) << cmd(SimCommand::Handshake) << IntList {};
        QTest::newRow("lpt block read")
            << int(Lpt) << int(C::ModeFramed) << cmd(SimCommand::ReadSettings)
            << IntList { 500, 1500, 500, 1500 };
        QTest::newRow("network slow start") << int(Network) << int(C::ModeFramedSlow)
                                            << cmd(SimCommand::ReadDefaults) << IntList { 2000 };
        QTest::newRow("serial slow start") << int(Serial) << int(C::ModeFramedSlow)
                                           << cmd(SimCommand::ReadDefaults) << IntList { 2000 };
    }

    void printerDelays()
    {
        QFETCH(int, line);
        QFETCH(int, mode);
        QFETCH(QByteArray, command);
        QFETCH(IntList, delays);
        auto *usb = new FakeUsbPort;
        Rig rig(0.0, usb);
        SimProcess sim;
        if (line != Usb)
            QVERIFY2(
                sim.start(simArgs(line, QStringLiteral("mv4410c"))), qPrintable(sim.errorText()));
        rig.use(line, sim);

        QVERIFY(rig.run(mode, command, command.size() == 10 ? 10 : command.size() + 2));
        QCOMPARE(rig.delay.requested().toList(), delays);
        if (line == Usb)
            QVERIFY(usb->calls.contains(QStringLiteral("status")));
    }

    void abortWaitEndsSlowStart()
    {
        SimProcess sim;
        QVERIFY2(sim.start(simArgs(Network, QStringLiteral("mv4410c"),
                     { QStringLiteral("--truncate"), QStringLiteral("500") })),
            qPrintable(sim.errorText()));
        Rig rig;
        rig.use(Network, sim);
        rig.comm.tcpClient()->setReadWait(kShortReadWaitMs);
        rig.delay.setHook([&rig](int ms) {
            if (ms == Communication::kFrameRetryMs)
                rig.comm.setAbortWait(true);
        });

        QVERIFY(!rig.run(C::ModeFramedSlow, cmd(SimCommand::ReadDefaults), 5));
        QCOMPARE(rig.delay.count(Communication::kFrameRetryMs), 1);
        QCOMPARE(sim.count(QStringLiteral("CMD ")), 1);
        QCOMPARE(rig.errorCodes(), IntList());
        // The flag belongs to one run; the next one waits normally.
        rig.delay.setHook(nullptr);
        QVERIFY(!rig.run(C::ModeFramedSlow, cmd(SimCommand::ReadDefaults), 5));
        QCOMPARE(rig.delay.count(Communication::kFrameRetryMs), 31);
    }

    // The way the settings layer drives the engine: on a thread of its own, one run per start.
    void runsOnItsOwnThread()
    {
        SimProcess sim;
        QVERIFY2(sim.start(simArgs(Network, QStringLiteral("qp80"))), qPrintable(sim.errorText()));
        RecordingDelayService delay;
        ConfigFile config;
        auto *comm = new Communication(delay, &config);
        QThread thread;
        comm->moveToThread(&thread);
        connect(&thread, &QThread::started, comm, &Communication::communicate);
        // Direct: the requester waits in QThread::wait, not in an event loop.
        connect(
            comm, &Communication::communicateResult, &thread, &QThread::quit, Qt::DirectConnection);
        QSignalSpy results(comm, &Communication::communicateResult);
        comm->setPortType(C::PortNetwork);
        comm->setServer(QStringLiteral("127.0.0.1"), sim.tcpPort());

        for (const QByteArray &command : { cmd(SimCommand::ReadModel), cmd(SimCommand::ReadEds) }) {
            comm->setMode(C::ModeFramed);
            comm->setSendBuffer(command);
            comm->setExpectedLength(command.size() + 2);
            thread.start();
            QVERIFY(thread.wait(10000));
            QCOMPARE(comm->lastError(), 0);
            QCOMPARE(
                comm->received(), expectedReply(QStringLiteral("qp80"), C::ModeFramed, command));
        }
        QCOMPARE(results.count(), 2);
        // The connection stays up between exchanges.
        QCOMPARE(sim.count(QStringLiteral("CONNECT")), 1);
        comm->moveToThread(QThread::currentThread());
        delete comm;
    }

    void bluetoothSearchWithoutStackEndsItsThread()
    {
        RecordingDelayService delay;
        Communication comm(delay);
        QSignalSpy lists(comm.bluetooth(), &BluetoothClient::searchListFinished);
        QSignalSpy finished(comm.bluetooth(), &BluetoothClient::searchFinished);
        comm.startBluetoothSearch();
        QVERIFY(finished.wait(5000) || finished.count() == 1);
        QCOMPARE(lists.count(), 0);
    }
};

QTEST_GUILESS_MAIN(tst_Communication)
#include "tst_communication.moc"
