#include <memory>
#include <thread>

#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "core/configfile.h"
#include "comm/bluetoothaddress.h"
#include "comm/bluetoothsimclient.h"
#include "comm/bluezbluetoothclient.h"
#include "comm/communication.h"
#include "comm/delayservice.h"
#include "engine/datadispatcher.h"
#include "simprocess.h"

namespace {

const QByteArray kReadModel = QByteArray::fromHex("1d030700");
const QByteArray kReadSettings = QByteArray::fromHex("1d0302");
const QByteArray kReadDefaults = QByteArray::fromHex("1d0309");
constexpr int kFrameHeader = 2;
constexpr int kFrameWaitMs = 5000;
constexpr int kBlockSize = 1024;

QString addressOf(int index)
{
    return QStringLiteral("52:4B:53:49:4D:%1").arg(index + 1, 2, 10, QLatin1Char('0'));
}

// Starts the simulator with these printers on its Bluetooth stack (and each on TCP).
std::unique_ptr<SimProcess> startStack(const QStringList &profiles, const QStringList &extra = {})
{
    auto sim = std::make_unique<SimProcess>();
    QStringList args { QStringLiteral("--bluetooth"), QStringLiteral("127.0.0.1:0"),
        QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--count"),
        QString::number(profiles.size()) };
    for (const QString &p : profiles)
        args << QStringLiteral("--profile") << p;
    if (!sim->start(args + extra, profiles.size() + 1)) {
        qWarning() << sim->errorText();
        return nullptr;
    }
    return sim;
}

QString stackOf(const SimProcess &sim)
{
    for (const QString &line : sim.readyLines())
        if (line.startsWith(QLatin1String("READY bluetooth ")))
            return line.section(QLatin1Char(' '), 2);
    return QString();
}

// Log lines about one printer of a simulator that plays several.
QStringList printerLog(const SimProcess &sim, int index, const QString &prefix)
{
    const QString tag = QStringLiteral("#%1 %2").arg(index).arg(prefix);
    QStringList lines;
    for (const QString &line : sim.log())
        if (line.startsWith(tag))
            lines << line;
    return lines;
}

// A command and the whole framed reply (echo, length, payload), gathered by repeated receives
// as the engine does.
QByteArray exchange(BluetoothClient &client, const QByteArray &command)
{
    if (client.send(command) != command.size())
        return QByteArray();
    QByteArray reply;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < kFrameWaitMs) {
        reply += client.receive();
        const int header = command.size() + kFrameHeader;
        if (reply.size() >= header) {
            const int payload
                = (quint8(reply.at(command.size())) << 8) | quint8(reply.at(command.size() + 1));
            if (reply.size() >= header + payload)
                break;
        }
    }
    return reply;
}

QString closedPortEndpoint()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    const quint16 port = server.serverPort();
    server.close();
    return QStringLiteral("127.0.0.1:%1").arg(port);
}

} // namespace

class tst_BluetoothClient : public QObject
{
    Q_OBJECT

private slots:
    void addressText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("shown");
        QTest::newRow("upper") << "00:1A:7D:DA:71:13" << true << "00:1A:7D:DA:71:13";
        QTest::newRow("lower, blanks around")
            << " 00:1a:7d:da:71:13 " << true << "00:1A:7D:DA:71:13";
        QTest::newRow("five parts") << "00:1A:7D:DA:71" << false << "00:00:00:00:00:00";
        QTest::newRow("seven parts") << "00:1A:7D:DA:71:13:01" << false << "00:00:00:00:00:00";
        QTest::newRow("short part") << "0:1A:7D:DA:71:13" << false << "00:00:00:00:00:00";
        QTest::newRow("long part") << "000:1A:7D:DA:71:13" << false << "00:00:00:00:00:00";
        QTest::newRow("not hex") << "00:1A:7D:DA:71:1G" << false << "00:00:00:00:00:00";
        QTest::newRow("sign") << "00:+1:7D:DA:71:13" << false << "00:00:00:00:00:00";
        QTest::newRow("dashes") << "00-1A-7D-DA-71-13" << false << "00:00:00:00:00:00";
        QTest::newRow("empty") << "" << false << "00:00:00:00:00:00";
    }
    void addressText()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QString, shown);
        bool ok = !valid;
        const BluetoothAddress address = BluetoothAddress::fromString(text, &ok);
        QCOMPARE(ok, valid);
        QCOMPARE(address.toString(), shown);
        QCOMPARE(address.isNull(), !valid);
    }

    void factoryChoosesTheStack_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QString>("endpoint"); // empty: the system's stack
        QTest::newRow("simulated") << "sim:127.0.0.1:9300"
                                   << "127.0.0.1:9300";
        QTest::newRow("simulated, blanks") << "  sim:localhost:1 "
                                           << "localhost:1";
        QTest::newRow("absent") << ""
                                << "";
        QTest::newRow("other text") << "/dev/rfcomm0"
                                    << "";
    }
    void factoryChoosesTheStack()
    {
        QFETCH(QString, setting);
        QFETCH(QString, endpoint);
        ConfigFile config;
        config.writeValue(QStringLiteral("Devices"), QStringLiteral("Bluetooth"), setting);
        std::unique_ptr<BluetoothClient> client(makeBluetoothClient(&config));
        auto *sim = qobject_cast<SimulatedBluetoothClient *>(client.get());
        QCOMPARE(sim != nullptr, !endpoint.isEmpty());
        if (sim)
            QCOMPARE(sim->endpoint(), endpoint);
        else
            QVERIFY(qobject_cast<BluezBluetoothClient *>(client.get()));
    }

    // The second search's outcome decides the list and whether the earlier choice survives.
    void newSearchReplacesTheList_data()
    {
        QTest::addColumn<QString>("second"); // "same", "other" or "gone"
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("lists");
        QTest::addColumn<bool>("stillSelected");
        const QStringList three { QStringLiteral("RP-58S"), QStringLiteral("QP-80"),
            QStringLiteral("ZN-470 KW") };
        QTest::newRow("same stack again") << "same" << three << 2 << false;
        QTest::newRow("another stack")
            << "other" << QStringList { QStringLiteral("RK-7300") } << 2 << false;
        QTest::newRow("stack gone: list and choice stay") << "gone" << three << 1 << true;
    }
    void newSearchReplacesTheList()
    {
        QFETCH(QString, second);
        QFETCH(QStringList, names);
        QFETCH(int, lists);
        QFETCH(bool, stillSelected);
        auto simA = startStack(
            { QStringLiteral("rp0501"), QStringLiteral("qp80"), QStringLiteral("zn470kw") });
        auto simB = startStack({ QStringLiteral("rk7300") });
        QVERIFY(simA && simB);
        SimulatedBluetoothClient client(stackOf(*simA));
        QSignalSpy listSpy(&client, &BluetoothClient::searchListFinished);
        QSignalSpy finished(&client, &BluetoothClient::searchFinished);
        client.search();
        const QStringList first { QStringLiteral("RP-58S"), QStringLiteral("QP-80"),
            QStringLiteral("ZN-470 KW") };
        QCOMPARE(listSpy.count(), 1);
        QCOMPARE(*listSpy.at(0).at(0).value<QStringList *>(), first);
        QCOMPARE(finished.count(), 1);
        client.select(1);
        QVERIFY(client.isSelected());

        if (second == QLatin1String("other"))
            client.setEndpoint(stackOf(*simB));
        else if (second == QLatin1String("gone"))
            client.setEndpoint(closedPortEndpoint());
        client.search();
        QCOMPARE(finished.count(), 2);
        QCOMPARE(listSpy.count(), lists);
        QCOMPARE(client.deviceNames(), names);
        QCOMPARE(*listSpy.last().at(0).value<QStringList *>(), names);
        QCOMPARE(client.isSelected(), stillSelected);
        QCOMPARE(client.target().toString(),
            stillSelected ? addressOf(1) : QStringLiteral("00:00:00:00:00:00"));
    }

    // A stack that answers badly leaves everything as it was, and the thread still ends.
    void brokenStackAnswer_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<bool>("close");
        QTest::newRow("not a device line") << QByteArray("HELLO\n") << true;
        QTest::newRow("bad address") << QByteArray("DEVICE 52:4B:53 RP\nEND\n") << true;
        QTest::newRow("no name") << QByteArray("DEVICE 52:4B:53:49:4D:01\nEND\n") << true;
        QTest::newRow("ends without END") << QByteArray("DEVICE 52:4B:53:49:4D:01 RP\n") << true;
        QTest::newRow("silent") << QByteArray() << false;
    }
    void brokenStackAnswer()
    {
        QFETCH(QByteArray, answer);
        QFETCH(bool, close);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QList<QTcpSocket *> peers;
        connect(&server, &QTcpServer::newConnection, this, [&] {
            QTcpSocket *peer = server.nextPendingConnection();
            peers << peer;
            connect(peer, &QTcpSocket::readyRead, peer, [peer, answer, close] {
                peer->readAll();
                peer->write(answer);
                if (close)
                    peer->disconnectFromHost();
            });
        });
        SimulatedBluetoothClient client(QStringLiteral("127.0.0.1:%1").arg(server.serverPort()));
        QSignalSpy lists(&client, &BluetoothClient::searchListFinished);
        QSignalSpy finished(&client, &BluetoothClient::searchFinished);
        std::atomic<bool> done { false };
        std::thread worker([&] {
            client.search();
            done = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(done, SimulatedBluetoothClient::kControlWaitMs + 5000);
        worker.join();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(lists.count(), 0);
        QVERIFY(client.deviceNames().isEmpty());
    }

    // Positions come from the list the user saw; outside it nothing is chosen.
    void connectsToTheChosenPrinter_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QByteArray>("model"); // empty: no device chosen
        QTest::newRow("first") << 0 << QByteArray("RP-58S;");
        QTest::newRow("second") << 1 << QByteArray("QP-80;");
        QTest::newRow("third") << 2 << QByteArray("ZN-470 KW;");
        QTest::newRow("past the end") << 3 << QByteArray();
        QTest::newRow("none") << -1 << QByteArray();
    }
    void connectsToTheChosenPrinter()
    {
        QFETCH(int, position);
        QFETCH(QByteArray, model);
        auto sim = startStack(
            { QStringLiteral("rp0501"), QStringLiteral("qp80"), QStringLiteral("zn470kw") });
        QVERIFY(sim);
        SimulatedBluetoothClient client(stackOf(*sim));
        client.search();
        client.select(position);
        QCOMPARE(client.isSelected(), !model.isEmpty());
        if (model.isEmpty()) {
            QCOMPARE(client.connectDevice(), -1);
            QCOMPARE(client.send(kReadModel), -1);
            QCOMPARE(sim->count(QStringLiteral("BLUETOOTH NO DEVICE")), 0);
            return;
        }
        QCOMPARE(client.connectDevice(), 0);
        QVERIFY(exchange(client, kReadModel).contains(model));
        for (int i = 0; i < 3; ++i)
            QCOMPARE(printerLog(*sim, i, QStringLiteral("CONNECT bluetooth ")),
                i == position ? QStringList { QStringLiteral("#%1 CONNECT bluetooth %2")
                                                  .arg(i)
                                                  .arg(addressOf(i)) }
                              : QStringList());
    }

    // One receive brings at most 1200 bytes; the rest waits for the next one.
    void receiveTakesAtMostOneBuffer()
    {
        auto sim = startStack({ QStringLiteral("rp0501") });
        QVERIFY(sim);
        SimulatedBluetoothClient client(stackOf(*sim));
        client.search();
        client.select(0);
        QCOMPARE(client.connectDevice(), 0);
        const QByteArray both = kReadSettings + kReadDefaults;
        QCOMPARE(client.send(both), both.size());
        const int total = 2 * (kReadSettings.size() + kFrameHeader + kBlockSize);
        QVERIFY(sim->waitForLog(QStringLiteral("CMD readDefaults")));
        QTest::qWait(300); // both replies are in the socket now
        QByteArray all;
        QList<int> sizes;
        while (all.size() < total) {
            const QByteArray part = client.receive();
            if (part.isEmpty())
                break;
            sizes << part.size();
            all += part;
        }
        QCOMPARE(all.size(), total);
        QCOMPARE(sizes.first(), BluetoothStreamClient::kReceiveBufferSize);
        for (int size : sizes)
            QVERIFY(size <= BluetoothStreamClient::kReceiveBufferSize);
        QCOMPARE(all.left(kReadSettings.size()), kReadSettings);
    }

    // Nothing to read yet is not a lost connection, and a connect while connected keeps it.
    void linkStaysUp()
    {
        auto sim = startStack({ QStringLiteral("rp0501") });
        QVERIFY(sim);
        SimulatedBluetoothClient client(stackOf(*sim));
        client.search();
        client.select(0);
        QCOMPARE(client.connectDevice(), 0);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(client.receive().isEmpty());
        QVERIFY(clock.elapsed() >= BluetoothStreamClient::kReceiveWaitMs - 50);
        QVERIFY(client.isConnected());
        QVERIFY(exchange(client, kReadModel).contains("RP-58S;"));
        QCOMPARE(client.connectDevice(), 0);
        QVERIFY(exchange(client, kReadModel).contains("RP-58S;"));
        QCOMPARE(sim->count(QStringLiteral("CONNECT bluetooth")), 1);
        QCOMPARE(sim->count(QStringLiteral("CMD readModel")), 2);
    }

    // A printer that hangs up ends the link; the next connect goes to the same printer again,
    // whatever the reads brought in between.
    void hangUpEndsTheLink()
    {
        auto sim = startStack({ QStringLiteral("rp0501"), QStringLiteral("qp80") },
            { QStringLiteral("--drop-after"), QStringLiteral("3"),
                QStringLiteral("--fault-replies"), QStringLiteral("1") });
        QVERIFY(sim);
        SimulatedBluetoothClient client(stackOf(*sim));
        client.search();
        client.select(1);
        QCOMPARE(client.connectDevice(), 0);
        QCOMPARE(client.send(kReadModel), kReadModel.size());
        QByteArray got;
        QElapsedTimer clock;
        clock.start();
        while (client.isConnected() && clock.elapsed() < kFrameWaitMs)
            got += client.receive();
        QCOMPARE(got, kReadModel.left(3));
        QVERIFY(!client.isConnected());
        QVERIFY(client.receive().isEmpty());
        QCOMPARE(client.send(kReadModel), -1);
        QCOMPARE(client.target().toString(), addressOf(1));

        QCOMPARE(client.connectDevice(), 0);
        QVERIFY(exchange(client, kReadModel).contains("QP-80;"));
        QCOMPARE(printerLog(*sim, 1, QStringLiteral("CONNECT bluetooth ")).size(), 2);
        QVERIFY(printerLog(*sim, 0, QStringLiteral("CONNECT")).isEmpty());
    }

    // A send to a printer that has gone reports -1 and drops the link, so the engine ends the
    // send and the next run connects afresh.
    void sendToAVanishedPrinterFails()
    {
        auto sim = startStack({ QStringLiteral("rp0501") });
        QVERIFY(sim);
        SimulatedBluetoothClient client(stackOf(*sim));
        client.search();
        client.select(0);
        QCOMPARE(client.connectDevice(), 0);
        sim->stop();
        int result = 0;
        for (int i = 0; i < 10 && result >= 0; ++i) {
            result = client.send(kReadModel);
            QTest::qWait(50);
        }
        QCOMPARE(result, -1);
        QVERIFY(!client.isConnected());
        QCOMPARE(client.connectDevice(), -1);
    }

    void busyPrinterRefusesTheConnect()
    {
        auto sim = startStack({ QStringLiteral("rp0501") }, { QStringLiteral("--refuse") });
        QVERIFY(sim);
        SimulatedBluetoothClient client(stackOf(*sim));
        client.search();
        client.select(0);
        QCOMPARE(client.connectDevice(), -1);
        QVERIFY(!client.isConnected());
        QVERIFY(sim->waitForLog(QStringLiteral("REFUSE bluetooth ") + addressOf(0)));
    }

    // The engine and the dispatcher over the simulated stack: identify, read the settings,
    // write one and see it at the printer over its other transport.
    void dispatcherReadsAndWritesSettings()
    {
        auto sim = startStack({ QStringLiteral("zn470kw"), QStringLiteral("rp0501") });
        QVERIFY(sim);
        RecordingDelayService delay;
        ConfigFile config;
        DataDispatcher bt(delay, &config, nullptr, new SimulatedBluetoothClient(stackOf(*sim)));
        bt.setPortType(Communication::PortBluetooth);
        QSignalSpy lists(bt.communication()->bluetooth(), &BluetoothClient::searchListFinished);
        bt.startBluetoothSearch();
        QVERIFY(lists.wait(5000));
        bt.selectBluetoothDevice(1);

        bt.setOperation(DataDispatcher::OpIdentify);
        bt.run();
        QCOMPARE(bt.communication()->lastError(), 0);
        QVERIFY2(bt.modelName().startsWith(QLatin1String("RP-58S")), qPrintable(bt.modelName()));

        auto readOverTcp = [&] {
            DataDispatcher tcp(delay, &config);
            tcp.setPortType(Communication::PortWifi);
            tcp.setWifiConfig(QStringLiteral("127.0.0.1"), sim->tcpPort(1));
            tcp.setOperation(DataDispatcher::OpReadSettings);
            tcp.run();
            return tcp.settingBlock();
        };
        bt.setOperation(DataDispatcher::OpReadSettings);
        bt.run();
        QCOMPARE(bt.communication()->lastError(), 0);
        QByteArray block = bt.settingBlock();
        QCOMPARE(block.size(), kBlockSize);
        QCOMPARE(block, readOverTcp());

        constexpr int kPosition = 200;
        block[kPosition] = char(block.at(kPosition) ^ 1);
        bt.setOperation(DataDispatcher::OpWriteSettings, block);
        bt.run();
        QVERIFY(bt.saved());
        QCOMPARE(readOverTcp(), block);
        QCOMPARE(printerLog(*sim, 1, QStringLiteral("CONNECT bluetooth")).size(), 1);
        QVERIFY(printerLog(*sim, 0, QStringLiteral("CONNECT bluetooth")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_BluetoothClient)
#include "tst_bluetoothclient.moc"
