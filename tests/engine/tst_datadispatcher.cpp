#include <QtTest>

#include "core/configfile.h"
#include "comm/communication.h"
#include "comm/delayservice.h"
#include "comm/tcpclient.h"
#include "engine/datadispatcher.h"
#include "simprocess.h"

// The dispatcher against the real simulator, the way a user's printer meets it.
class tst_DataDispatcher : public QObject
{
    Q_OBJECT

    RecordingDelayService m_delay;
    ConfigFile m_config;

    static QByteArray hex(const char *text) { return QByteArray::fromHex(text); }

    // A dispatcher talking to the simulator over TCP (Wifi port type).
    std::unique_ptr<DataDispatcher> tcpDispatcher(const SimProcess &sim)
    {
        auto d = std::make_unique<DataDispatcher>(m_delay, &m_config);
        d->setPortType(Communication::PortWifi);
        d->setWifiConfig(QStringLiteral("127.0.0.1"), sim.tcpPort());
        return d;
    }

    static void run(DataDispatcher &d, int op, const QByteArray &data = QByteArray())
    {
        QSignalSpy done(&d, &DataDispatcher::dispatchCompleted);
        d.setOperation(op, data);
        d.run();
        QCOMPARE(done.count(), 1);
    }


private slots:
    void commandTable()
    {
        const auto table = DataDispatcher::commandTable();
        QCOMPARE(table.size(), 25);
        QCOMPARE(table.value(0), hex("1D1A1B1C1D4D4F444500"));
        QCOMPARE(table.value(26), hex("47"));
        QCOMPARE(table.value(29), hex("1D02340006"));
        for (auto it = table.begin(); it != table.end(); ++it) {
            if (it.key() != 26)
                QCOMPARE(it.value().at(0), '\x1D');
        }
    }

    void identify_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("model");
        QTest::addColumn<bool>("marker");
        QTest::addColumn<QString>("eds");
        QTest::newRow("plain model reply") << "zn470kw" << "ZN-470 KW" << false << "EDS;ZN47;07;01";
        QTest::newRow("marker stripped") << "qp80" << "QP-80" << true << "";
    }

    void identify()
    {
        QFETCH(QString, profile);
        QFETCH(QString, model);
        QFETCH(bool, marker);
        QFETCH(QString, eds);
        SimProcess sim;
        QVERIFY2(sim.start({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
                            QStringLiteral("--profile"), profile}),
                 qPrintable(sim.errorText()));
        auto d = tcpDispatcher(sim);
        run(*d, DataDispatcher::OpIdentify);
        QCOMPARE(d->communication()->lastError(), 0);
        QCOMPARE(d->modelName().section(QLatin1Char(';'), 0, 0), model);
        QCOMPARE(d->markerSeen(), marker);
        QCOMPARE(d->modeByte(), 67);
        if (!eds.isEmpty())
            QCOMPARE(d->secondIdentity(), eds);
    }

    void identifyForgetsThePreviousPrinter_data()
    {
        QTest::addColumn<QStringList>("faults"); // played at the second identification
        QTest::newRow("model unanswered")
            << QStringList{QStringLiteral("silent@readModel#2"), QStringLiteral("silent@readModel#3"),
                           QStringLiteral("silent@readModel#4")};
        QTest::newRow("garbage handshake") << QStringList{QStringLiteral("garbage@handshake#2")};
    }

    // A failed identification leaves nothing of the printer identified before.
    void identifyForgetsThePreviousPrinter()
    {
        QFETCH(QStringList, faults);
        QStringList args{QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--profile"),
                         QStringLiteral("qp80")};
        for (const QString &f : faults)
            args << QStringLiteral("--hostile") << f;
        SimProcess sim;
        QVERIFY2(sim.start(args), qPrintable(sim.errorText()));
        auto d = tcpDispatcher(sim);
        d->communication()->tcpClient()->setReadWait(50);
        run(*d, DataDispatcher::OpIdentify);
        QVERIFY(!d->modelName().isEmpty());
        QVERIFY(d->markerSeen());
        QVERIFY(!d->secondIdentity().isEmpty());

        run(*d, DataDispatcher::OpIdentify);
        QVERIFY(d->communication()->lastError() != 0);
        QCOMPARE(d->modelName(), QString());
        QVERIFY(!d->markerSeen());
        QCOMPARE(d->secondIdentity(), QString());
    }

    void onlyAWholeBlockIsWritten_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("a block") << 1024;
        QTest::newRow("a byte short") << 1023;
        QTest::newRow("stray bytes behind") << 1027;
        QTest::newRow("two blocks") << 2048;
    }

    // Bytes past the block would reach the printer as commands, missing ones eat the next command.
    void onlyAWholeBlockIsWritten()
    {
        QFETCH(int, size);
        SimProcess sim;
        QVERIFY2(sim.start({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--profile"),
                            QStringLiteral("zn470kw")}),
                 qPrintable(sim.errorText()));
        auto d = tcpDispatcher(sim);
        QByteArray block(size, '\x01');
        if (size > 1024)
            block.replace(1024, 3, hex("1D0240"));
        QSignalSpy errors(d->communication(), &Communication::communicateError);
        run(*d, DataDispatcher::OpWriteSettings, block);
        const bool whole = size == 1024;
        QCOMPARE(d->saved(), whole);
        QCOMPARE(errors.count(), whole ? 0 : 1);
        QCOMPARE(sim.count(QStringLiteral("CMD announceBlock")), whole ? 1 : 0);
        QCOMPARE(sim.count(QStringLiteral("DATA writeBlock")), whole ? 1 : 0);
        QCOMPARE(sim.count(QStringLiteral("CMD restoreDefaults")), 0);
    }

    void onlySixBytesGoAfterTheMacWrite_data()
    {
        QTest::addColumn<QByteArray>("mac");
        QTest::newRow("six bytes") << hex("02158C00002A");
        QTest::newRow("five bytes") << hex("02158C0000");
        QTest::newRow("a command behind") << hex("02158C00002A1D0240");
    }

    // The printer takes exactly six bytes after 1D 02 34 00 06; more would be commands to it.
    void onlySixBytesGoAfterTheMacWrite()
    {
        QFETCH(QByteArray, mac);
        SimProcess sim;
        QVERIFY2(sim.start({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--profile"),
                            QStringLiteral("zn470kw")}),
                 qPrintable(sim.errorText()));
        auto d = tcpDispatcher(sim);
        run(*d, DataDispatcher::OpMacWrite, mac);
        const bool six = mac.size() == 6;
        QCOMPARE(d->saved(), six);
        QCOMPARE(sim.count(QStringLiteral("DATA writeMac")), six ? 1 : 0);
        QCOMPARE(sim.count(QStringLiteral("CMD restoreDefaults")), 0);
        run(*d, DataDispatcher::OpMacRead);
        QCOMPARE(d->macReply(), six ? mac : hex("00158C2A3B4F"));
    }

    void readWriteRoundTrip()
    {
        SimProcess sim;
        QVERIFY2(sim.start({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
                            QStringLiteral("--profile"), QStringLiteral("zn470kw")}),
                 qPrintable(sim.errorText()));
        auto d = tcpDispatcher(sim);
        d->setPrinterTypeCode(QStringLiteral("0701"));
        run(*d, DataDispatcher::OpReadSettings);
        QByteArray block = d->settingBlock();
        QCOMPARE(block.size(), 1024);
        QCOMPARE(d->defaultBlock().size(), 1024);
        QCOMPARE(d->communication()->pollInterval(), 1000); // slow USB polling for 0701

        block[300] = '\x2A';
        block[301] = '\x07';
        run(*d, DataDispatcher::OpWriteSettings, block);
        QVERIFY(d->saved());
        QVERIFY(sim.waitForLog(QStringLiteral("CMD")));
        run(*d, DataDispatcher::OpReadSettings);
        QCOMPARE(d->settingBlock(), block);
    }

    void restoreCommandByTypeCode_data()
    {
        QTest::addColumn<QString>("typeCode");
        QTest::addColumn<QString>("command");
        QTest::newRow("type code") << "0701" << "1d0240";
        QTest::newRow("empty type code") << "" << "1d0241";
    }

    void restoreCommandByTypeCode()
    {
        QFETCH(QString, typeCode);
        QFETCH(QString, command);
        SimProcess sim;
        QVERIFY2(sim.start({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
                            QStringLiteral("--profile"), QStringLiteral("zn470kw")}),
                 qPrintable(sim.errorText()));
        auto d = tcpDispatcher(sim);
        d->setPrinterTypeCode(typeCode);
        run(*d, DataDispatcher::OpRestoreDefaults);
        QVERIFY(d->handshakeResult());
        QCOMPARE(d->settingBlock().size(), 1024); // read again after the reset
        const QStringList log = sim.log();
        bool sent = false;
        for (const QString &line : log)
            sent |= line.startsWith(QLatin1String("CMD")) && line.toLower().remove(QLatin1Char(' ')).contains(command);
        QVERIFY2(sent, qPrintable(log.join(QLatin1Char('\n'))));
    }

    void printerChanged()
    {
        SimProcess first;
        QVERIFY(first.start({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
                             QStringLiteral("--profile"), QStringLiteral("zn470kw")}));
        const quint16 port = first.tcpPort();
        auto d = tcpDispatcher(first);
        run(*d, DataDispatcher::OpIdentify);
        run(*d, DataDispatcher::OpPrinterCheck);
        QVERIFY(!d->printerChanged());
        // Another printer answers at the same address.
        first.stop();
        SimProcess second;
        QVERIFY(second.start({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(port),
                              QStringLiteral("--profile"), QStringLiteral("mv4410c")}));
        run(*d, DataDispatcher::OpPrinterCheck);
        QVERIFY(d->printerChanged());
    }

    void parameterListPrinter()
    {
        SimProcess sim;
        QVERIFY2(sim.start({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
                            QStringLiteral("--profile"), QStringLiteral("pl100")}),
                 qPrintable(sim.errorText()));
        auto d = tcpDispatcher(sim);
        run(*d, DataDispatcher::OpReadSettings);
        QCOMPARE(d->modeByte(), 68);
        QVERIFY(d->settingBlock().startsWith('{') || d->settingBlock().startsWith('['));
        const QByteArray json = d->settingBlock();
        run(*d, DataDispatcher::OpWriteSettings, json);
        QVERIFY(d->saved());
        QVERIFY(sim.waitForLog(QStringLiteral("DATA writeParameterList")));
        // The printer took the 4-byte length header (00 00 hi lo) as the size of the list.
        QVERIFY2(sim.log().contains(QStringLiteral("CMD writeParameterList 1d0601")),
                 qPrintable(sim.log().join(QLatin1Char('\n'))));
        QVERIFY(sim.count(QStringLiteral("DATA writeParameterList %1 ").arg(json.size())) == 1);
    }

    void silentPortFailsAndCompletes()
    {
        auto d = std::make_unique<DataDispatcher>(m_delay, &m_config);
        d->setPortType(Communication::PortWifi);
        d->setWifiConfig(QStringLiteral("127.0.0.1"), 1); // nothing listens there
        QSignalSpy errors(d->communication(), &Communication::communicateError);
        run(*d, DataDispatcher::OpIdentify);
        QVERIFY(d->communication()->lastError() != 0);
        QVERIFY(!errors.isEmpty());
        QVERIFY(d->modelName().isEmpty());
    }

    void serialOverPty()
    {
        SimProcess sim;
        QVERIFY2(sim.start({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--pty"),
                            QStringLiteral("--profile"), QStringLiteral("mv4410c")}, 2),
                 qPrintable(sim.errorText()));
        m_config.writeValue(QStringLiteral("Devices"), QStringLiteral("COM3"), sim.ptyPath());
        auto d = std::make_unique<DataDispatcher>(m_delay, &m_config);
        d->setPortType(Communication::PortSerial);
        d->setSerialConfig(QStringLiteral("COM3"), 115200, 0, 8, 1, 0);
        run(*d, DataDispatcher::OpIdentify);
        QCOMPARE(d->communication()->lastError(), 0);
        QCOMPARE(d->modelName().section(QLatin1Char(';'), 0, 0), QStringLiteral("MV-4410C"));
        d->setPrinterTypeCode(QStringLiteral("0302"));
        run(*d, DataDispatcher::OpReadSettings);
        QCOMPARE(d->settingBlock().size(), 1024);
    }
};

QTEST_GUILESS_MAIN(tst_DataDispatcher)
#include "tst_datadispatcher.moc"
