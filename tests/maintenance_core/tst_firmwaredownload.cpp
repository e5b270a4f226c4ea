#include <QtTest>

#include <QCryptographicHash>
#include <QJsonDocument>
#include <QJsonObject>

#include "comm/classdriverusbport.h"
#include "comm/communication.h"
#include "comm/delayservice.h"
#include "comm/tcpclient.h"
#include "core/configfile.h"
#include "engine/datadispatcher.h"
#include "maintenance_core/firmwaredownload.h"
#include "firmwarefile.h"
#include "simprocess.h"
#include "testconfig.h"

namespace {

enum Line { Network, Serial, Usb };
using IntList = QList<int>;
using Outcome = FirmwareDownload::Outcome;

// A Motorola S-record firmware of about this many bytes, with its end record.
QByteArray srecordFile(int size)
{
    QByteArray text;
    quint32 address = 0;
    while (text.size() < size) {
        QByteArray record;
        record.append(char(4 + 32 + 1));
        for (int shift = 24; shift >= 0; shift -= 8)
            record.append(char((address >> shift) & 0xFF));
        for (int i = 0; i < 32; ++i)
            record.append(char((address + i * 13) & 0xFF));
        quint8 sum = 0;
        for (char c : qAsConst(record))
            sum = quint8(sum + quint8(c));
        record.append(char(~sum));
        text += "S3" + record.toHex().toUpper() + "\n";
        address += 32;
    }
    return text + "S70500000000FA\n";
}

QString firmwareLine(const QByteArray &data, const char *verdict)
{
    return QStringLiteral("FIRMWARE %1 %2 sha256=%3")
        .arg(data.size())
        .arg(QLatin1String(verdict),
            QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex()));
}

} // namespace

// The firmware download against the simulated printer, over the network, a serial line and
// a simulated USB tree.
class tst_FirmwareDownload : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;

    struct Rig
    {
        RecordingDelayService delay;
        ConfigFile config;
        std::unique_ptr<DataDispatcher> dispatcher;
        QTemporaryDir usbRoot;
        SimProcess sim;
        QList<int> errors;

        bool start(int line, const QStringList &extra = {})
        {
            QStringList args { QStringLiteral("--idle-ms"), QStringLiteral("150"),
                QStringLiteral("--flash-ms"), QStringLiteral("1500"), QStringLiteral("--restart-ms"),
                QStringLiteral("300") };
            if (line == Network)
                args << QStringLiteral("--tcp") << QStringLiteral("127.0.0.1:0");
            else if (line == Serial)
                args << QStringLiteral("--pty");
            else
                args << QStringLiteral("--usb-root") << usbRoot.path();
            if (!sim.start(args + extra))
                return false;
            UsbPort *usb = nullptr;
            if (line == Usb) {
                config.writeValue(QStringLiteral("Devices"), QStringLiteral("UsbSysfsRoot"),
                    usbRoot.path() + QStringLiteral("/sys"));
                config.writeValue(QStringLiteral("Devices"), QStringLiteral("UsbDevRoot"),
                    usbRoot.path() + QStringLiteral("/dev"));
                usb = new ClassDriverUsbPort(&config, Communication::kDefaultTimeoutMs);
            }
            dispatcher = std::make_unique<DataDispatcher>(delay, &config, usb);
            QObject::connect(dispatcher->communication(), &Communication::communicateError,
                dispatcher->communication(), [this](int code) { errors.append(code); },
                Qt::DirectConnection);
            switch (line) {
            case Network:
                dispatcher->setPortType(Communication::PortNetwork);
                dispatcher->setWifiConfig(QStringLiteral("127.0.0.1"), sim.tcpPort());
                break;
            case Serial:
                config.writeValue(QStringLiteral("Devices"), QStringLiteral("COM2"), sim.ptyPath());
                dispatcher->setPortType(Communication::PortSerial);
                dispatcher->setSerialConfig(QStringLiteral("COM2"), 115200, 0, 8, 1, 0);
                break;
            default:
                dispatcher->setPortType(Communication::PortUsb);
                break;
            }
            return true;
        }

        void run(int operation, const QByteArray &data = QByteArray())
        {
            dispatcher->setOperation(operation, data);
            dispatcher->run();
        }
    };

    // A printer whose identification names QT52 once.
    QString qt52Profile()
    {
        QFile builtIn(QStringLiteral(RK_SOURCE_DIR "/tools/printer-sim/profiles/zn470kw.json"));
        builtIn.open(QIODevice::ReadOnly);
        QJsonObject profile = QJsonDocument::fromJson(builtIn.readAll()).object();
        profile.insert(QStringLiteral("id"), QStringLiteral("qt52"));
        profile.insert(QStringLiteral("modelReply"),
            QStringLiteral("QT52-L;RKP0052;V1.00;BL1.00;BT0052;CG1.03;520000000052;RK Printers;0483;0052;"));
        const QString path = m_config.filePath(QStringLiteral("qt52.json"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(QJsonDocument(profile).toJson());
        return path;
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
        resetTestConfig({});
    }

    // The file arrives whole and unchanged, after the mode switch and the pause for it, and the
    // printer is helped through its restart as its line needs.
    void downloadOverEveryLine_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<IntList>("delays"); // every pause, in order
        const IntList dtrPulses = { 100, 100, 100, 100, 100, 100, 100, 100, 100, 100 };
        QTest::newRow("network 300 KiB") << int(Network) << firmwareBytes(300 * 1024) << "raw"
                                         << IntList { 12000 };
        QTest::newRow("network S-records")
            << int(Network) << srecordFile(300 * 1024) << "srec-ok" << IntList { 12000 };
        QTest::newRow("network 1023 bytes")
            << int(Network) << firmwareBytes(1023) << "raw" << IntList { 12000 };
        QTest::newRow("serial 300 KiB") << int(Serial) << firmwareBytes(300 * 1024) << "raw"
                                        << (IntList { 1000, 500, 12000, 5000, 7000 } + dtrPulses);
        QTest::newRow("usb 300 KiB") << int(Usb) << firmwareBytes(300 * 1024) << "raw"
                                     << IntList { 1000, 12000 };
        QTest::newRow("usb QT52, no new device search")
            << int(Usb) << firmwareBytes(100 * 1024) << "raw" << IntList { 1000, 12000 };
    }

    void downloadOverEveryLine()
    {
        QFETCH(int, line);
        QFETCH(QByteArray, file);
        QFETCH(QString, verdict);
        QFETCH(IntList, delays);
        Rig rig;
        QStringList profile;
        if (QString::fromLatin1(QTest::currentDataTag()).contains(QLatin1String("QT52")))
            profile << QStringLiteral("--profile") << qt52Profile();
        QVERIFY2(rig.start(line, profile), qPrintable(rig.sim.errorText()));
        rig.run(DataDispatcher::OpIdentify);
        QCOMPARE(rig.errors, IntList());
        QCOMPARE(FirmwareDownload::bulkModeFor(rig.dispatcher->modelName()),
            profile.isEmpty() ? int(Communication::ModeBulk) : int(Communication::ModeBulkNoRescan));
        rig.delay.clear();
        QStringList atPause;
        rig.delay.setHook([&rig, &atPause](int ms) {
            if (ms == FirmwareDownload::kEnterDownloadModeMs) {
                rig.sim.waitForLog(QStringLiteral("CMD firmwareMode"));
                atPause = rig.sim.log();
            }
        });

        rig.run(DataDispatcher::OpFirmware, file);
        const FirmwareDownload::Result result = rig.dispatcher->firmwareResult();
        QCOMPARE(rig.errors, IntList());
        QCOMPARE(result.sent, qint64(file.size()));
        QCOMPARE(result.outcome(), Outcome::Complete);
        QCOMPARE(rig.delay.requested(), QVector<int>::fromList(delays));
        // The pause comes after the printer was told, and before any of the file.
        QVERIFY(!atPause.filter(QStringLiteral("CMD firmwareMode")).isEmpty());
        QVERIFY(atPause.filter(QStringLiteral("FIRMWARE")).isEmpty());
        QVERIFY2(rig.sim.waitForLog(firmwareLine(file, verdict.toLatin1().constData())),
            qPrintable(rig.sim.log().join(QLatin1Char('\n'))));
        QVERIFY(rig.sim.waitForLog(QStringLiteral("RESTARTED")));
        QCOMPARE(rig.sim.log().filter(QStringLiteral("UNKNOWN")), QStringList());
    }

    // A line lost during the download is a failure, with the communication error first, and
    // the printer is not waited for.
    void lostLineFailsTheDownload_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<IntList>("errors");
        QTest::newRow("closed at the second piece")
            << QStringLiteral("close@firmwareData#2") << IntList { 2 };
        QTest::newRow("closed at the mode switch")
            << QStringLiteral("close@firmwareMode") << IntList { 5 };
        QTest::newRow("garbled handshake") << QStringLiteral("garbage@handshake#2") << IntList { 3 };
    }

    void lostLineFailsTheDownload()
    {
        QFETCH(QString, fault);
        QFETCH(IntList, errors);
        Rig rig;
        QVERIFY2(rig.start(Network, { QStringLiteral("--hostile"), fault }),
            qPrintable(rig.sim.errorText()));
        rig.dispatcher->communication()->tcpClient()->setReadWait(50);
        rig.run(DataDispatcher::OpIdentify);
        QCOMPARE(rig.errors, IntList());
        rig.delay.clear();
        const QByteArray file = firmwareBytes(300 * 1024);
        rig.run(DataDispatcher::OpFirmware, file);
        const FirmwareDownload::Result result = rig.dispatcher->firmwareResult();
        QCOMPARE(result.outcome(), Outcome::Failed);
        QCOMPARE(rig.errors.mid(0, errors.size()), errors);
        QVERIFY(result.sent < file.size() || rig.errors.contains(2));
        // Nothing after the failure: neither the pause of a serial line nor the restart wait.
        QVERIFY(!rig.delay.requested().contains(FirmwareDownload::kSerialSettleMs));
        if (fault.contains(QLatin1String("Data")))
            QVERIFY(rig.sim.log().filter(QStringLiteral("FIRMWARE %1 ").arg(file.size())).isEmpty());
        else
            QVERIFY(!rig.delay.requested().contains(FirmwareDownload::kEnterDownloadModeMs));
    }

    void outcome_data()
    {
        QTest::addColumn<bool>("failed");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<qint64>("sent");
        QTest::addColumn<int>("outcome");
        QTest::newRow("all sent") << false << qint64(307200) << qint64(307200) << int(Outcome::Complete);
        QTest::newRow("a file without a progress report")
            << false << qint64(1000) << qint64(1000) << int(Outcome::Complete);
        QTest::newRow("part sent, no error") << false << qint64(2048) << qint64(1024)
                                              << int(Outcome::NothingSent);
        QTest::newRow("nothing sent") << false << qint64(2048) << qint64(0) << int(Outcome::NothingSent);
        QTest::newRow("error after all was sent")
            << true << qint64(2048) << qint64(2048) << int(Outcome::Failed);
    }

    void outcome()
    {
        QFETCH(bool, failed);
        QFETCH(qint64, size);
        QFETCH(qint64, sent);
        QFETCH(int, outcome);
        FirmwareDownload::Result r;
        r.ran = true;
        r.failed = failed;
        r.size = size;
        r.sent = sent;
        QCOMPARE(int(r.outcome()), outcome);
        QCOMPARE(QString::fromLatin1(FirmwareDownload::outcomeText(r.outcome())).contains(
                     QLatin1String("Complete!")),
            outcome == int(Outcome::Complete));
    }

    void bulkMode_data()
    {
        QTest::addColumn<QString>("identification");
        QTest::addColumn<int>("mode");
        QTest::newRow("QT52 once") << "QT52-L;RKP0052;V1.00" << int(Communication::ModeBulkNoRescan);
        QTest::newRow("QT52 inside") << "XQT52X" << int(Communication::ModeBulkNoRescan);
        QTest::newRow("QT52 twice") << "QT52;QT52" << int(Communication::ModeBulk);
        QTest::newRow("no QT52") << "ZN-470 KW;RKP0470;V3.05" << int(Communication::ModeBulk);
        QTest::newRow("lower case") << "qt52" << int(Communication::ModeBulk);
    }

    void bulkMode()
    {
        QFETCH(QString, identification);
        QFETCH(int, mode);
        QCOMPARE(FirmwareDownload::bulkModeFor(identification), mode);
    }

    void readFile_data()
    {
        QTest::addColumn<int>("size"); // -1: no file, -2: a folder
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("shown");
        QTest::newRow("1023 bytes") << 1023 << true << "0 kb";
        QTest::newRow("1024 bytes") << 1024 << true << "1 kb";
        QTest::newRow("300 KiB and a byte") << 300 * 1024 + 1 << true << "300 kb";
        QTest::newRow("empty") << 0 << false << "";
        QTest::newRow("missing") << -1 << false << "";
        QTest::newRow("a folder") << -2 << false << "";
    }

    void readFile()
    {
        QFETCH(int, size);
        QFETCH(bool, readable);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        QString path = dir.filePath(QStringLiteral("fw.mot"));
        if (size == -2) {
            path = dir.path();
        } else if (size >= 0) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(firmwareBytes(size));
        }
        QByteArray data;
        QString reason;
        QCOMPARE(FirmwareDownload::readFile(path, &data, &reason), readable);
        QCOMPARE(reason.isEmpty(), readable);
        if (readable) {
            QCOMPARE(data, firmwareBytes(size));
            QCOMPARE(FirmwareDownload::sizeText(data.size()), shown);
        }
    }
};

QTEST_GUILESS_MAIN(tst_FirmwareDownload)
#include "tst_firmwaredownload.moc"
