#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <sys/file.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QFile>
#include <QtTest>

#include "core/configfile.h"
#include "comm/classdriverusbport.h"
#include "comm/commerror.h"
#include "comm/communication.h"
#include "comm/delayservice.h"
#include "comm/usbprinterdevices.h"
#include "database/printertypetable.h"
#include "database/settingsdatabase.h"
#include "engine/datadispatcher.h"
#include "simprocess.h"

namespace {

const QString kDatabase = QStringLiteral(RK_BIN_DIR "/SWTDatabase.db");
const QByteArray kModelCommand = QByteArrayLiteral("\x1D\x03\x07\x00");
constexpr int kShortTimeoutMs = 400;

// A simulated USB tree with one printer per profile; devices give each its USB details.
std::unique_ptr<SimProcess> startTree(
    const QStringList &profiles, const QStringList &devices = {}, const QStringList &extra = {})
{
    auto sim = std::make_unique<SimProcess>();
    QStringList args { QStringLiteral("--usb-root"), sim->dir() + QStringLiteral("/usb"),
        QStringLiteral("--count"), QString::number(profiles.size()) };
    for (const QString &p : profiles)
        args << QStringLiteral("--profile") << p;
    for (const QString &s : devices)
        args << QStringLiteral("--usb-device") << s;
    if (!sim->start(args + extra, profiles.size()))
        qWarning() << "simulator:" << sim->errorText();
    return sim;
}

UsbPrinterDevices devicesOf(const SimProcess &sim)
{
    return UsbPrinterDevices(
        sim.dir() + QStringLiteral("/usb/sys"), sim.dir() + QStringLiteral("/usb/dev"));
}

// Whether another program could take the device now.
bool deviceFree(const QString &node)
{
    const int fd = ::open(QFile::encodeName(node).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

bool knownModel(const QString &model)
{
    PrinterTypeTable types { DatabaseLocation(kDatabase) };
    return !types.findPrinterType(model).pritName().isEmpty();
}

QStringList repeated(const QString &text, int times)
{
    QStringList list;
    for (int i = 0; i < times; ++i)
        list << text;
    return list;
}

} // namespace

// The USB port against simulated system trees: discovery, names, selection and the transfers.
class tst_UsbPort : public QObject
{
    Q_OBJECT

private slots:
    void instanceId_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("productId");
        QTest::addColumn<QString>("serial");
        QTest::newRow("twelve digits") << "USB\\VID_0483&PID_0470\\470000000042"
                                       << "0470"
                                       << "470000000042";
        QTest::newRow("longer serial keeps twelve") << "USB\\VID_0483&PID_0470\\12345678901234"
                                                    << "0470"
                                                    << "123456789012";
        QTest::newRow("16 characters after PID_: none") << "USB\\VID_0483&PID_0470\\12345678901"
                                                        << "0470"
                                                        << "";
        QTest::newRow("letters: none") << "USB\\VID_0483&PID_0470\\4700000000AB"
                                       << "0470"
                                       << "";
        QTest::newRow("generated instance: none") << "USB\\VID_0483&PID_0470\\5&2E3A9F1&0&1"
                                                  << "0470"
                                                  << "";
        QTest::newRow("no serial") << "USB\\VID_0483&PID_0470\\"
                                   << "0470"
                                   << "";
        QTest::newRow("no product key") << "USB\\VID_0483\\470000000042"
                                        << ""
                                        << "";
    }

    void instanceId()
    {
        QFETCH(QString, id);
        QFETCH(QString, productId);
        QFETCH(QString, serial);
        QString p, s;
        ClassDriverUsbPort::parseInstanceId(id, &p, &s);
        QCOMPARE(p, productId);
        QCOMPARE(s, serial);
    }

    void modelFromDeviceId_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("length"); // -1: the text's own length + 2
        QTest::addColumn<bool>("answered");
        QTest::addColumn<QString>("model");
        QTest::newRow("MDL") << QByteArray("MFG:RK;MDL:ZN-470 KW;CLS:PRINTER;") << -1 << true
                             << "ZN-470 KW";
        QTest::newRow("MODEL when no MDL")
            << QByteArray("MANUFACTURER:RK;MODEL:RK5200;") << -1 << true << "RK5200";
        QTest::newRow("MDL before MODEL")
            << QByteArray("MODEL:Long;MDL:Short;") << -1 << true << "Short";
        QTest::newRow("last key without ;")
            << QByteArray("MFG:RK;MDL:MV-4410C") << -1 << true << "MV-4410C";
        QTest::newRow("no model key") << QByteArray("MFG:RK;CLS:PRINTER;") << -1 << true << "";
        QTest::newRow("length ends the text")
            << QByteArray("MDL:AB;MDL:XY;junk") << 2 + 7 << true << "AB";
        QTest::newRow("zero byte ends the text")
            << QByteArray("MDL:RP-58S\0;rest", 17) << -1 << true << "RP-58S";
        QTest::newRow("UTF-8") << QByteArray("MDL:打印机;") << -1 << true
                               << QString::fromUtf8("打印机");
        QTest::newRow("no id") << QByteArray() << 2 << false << "";
    }

    void modelFromDeviceId()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, length);
        QFETCH(bool, answered);
        QFETCH(QString, model);
        if (length < 0)
            length = text.size() + 2;
        QByteArray id;
        if (!text.isEmpty())
            id.append(char(length >> 8)).append(char(length & 0xFF)).append(text);
        QString found;
        QCOMPARE(ClassDriverUsbPort::modelOf(id, &found), answered);
        QCOMPARE(found, model);
    }

    void discovery_data()
    {
        QTest::addColumn<QStringList>("profiles");
        QTest::addColumn<QStringList>("devices");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("supported");

        // lp10 sorts after lp9: the eleventh in number order is the one left out.
        QStringList eleven = repeated(QStringLiteral("serial="), 11);
        eleven[9] = QStringLiteral("serial=,model=NINTH");
        eleven[10] = QStringLiteral("serial=,model=ELEVENTH");
        QTest::newRow("eleventh ignored")
            << repeated(QStringLiteral("zn470kw"), 11) << eleven
            << repeated(QStringLiteral("ZN-470 KW"), 9) + QStringList { "NINTH" }
            << repeated(QStringLiteral("ZN-470 KW"), 9);
        QTest::newRow("not on USB: neither opened nor listed")
            << QStringList { "zn470kw", "rk5200-new", "mv4410c" }
            << QStringList { "bus=platform", "serial=", "serial=" }
            << QStringList { "RK5200", "MV-4410C" } << QStringList { "RK-5200", "MV-4410C" };
        QTest::newRow("one model, two serials")
            << QStringList { "zn470kw", "zn470kw" }
            << QStringList { "serial=111111111111", "serial=222222222222" }
            << QStringList { "ZN-470 KW-111111111111", "ZN-470 KW-222222222222" }
            << QStringList { "ZN-470 KW-111111111111", "ZN-470 KW-222222222222" };
        QTest::newRow("one model, no serials")
            << QStringList { "zn470kw", "zn470kw" } << QStringList { "serial=", "serial=" }
            << QStringList { "ZN-470 KW", "ZN-470 KW" } << QStringList { "ZN-470 KW", "ZN-470 KW" };
        QTest::newRow("one model, serial too short")
            << QStringList { "zn470kw", "zn470kw" }
            << QStringList { "serial=11111111111", "serial=222222222222" }
            << QStringList { "ZN-470 KW", "ZN-470 KW-222222222222" }
            << QStringList { "ZN-470 KW", "ZN-470 KW-222222222222" };
        QTest::newRow("unique names keep no serial")
            << QStringList { "zn470kw", "mv4410c" } << QStringList {}
            << QStringList { "ZN-470 KW", "MV-4410C" } << QStringList { "ZN-470 KW", "MV-4410C" };
        QTest::newRow("silent printer")
            << QStringList { "rk5200-legacy", "zn470kw" } << QStringList { "id=" }
            << QStringList { "UnknowPrinter", "ZN-470 KW" } << QStringList { "ZN-470 KW" };
        QTest::newRow("RK5200 is known as RK-5200")
            << QStringList { "rk5200-legacy", "rk5200-new" } << QStringList {}
            << QStringList { "RK5200-520012345678", "RK5200-520087654321" }
            << QStringList { "RK-5200-520012345678", "RK-5200-520087654321" };
        QTest::newRow("models the database lacks")
            << QStringList { "rk7300", "pl100", "rp0501" } << QStringList {}
            << QStringList { "RK-7300", "PL-100", "RP-58S" } << QStringList { "RP-58S" };
        QTest::newRow("MODEL key")
            << QStringList { "mv4410c" }
            << QStringList { "id=MANUFACTURER:RK;COMMAND SET:ESC,PCL;MODEL:MV-4410C;" }
            << QStringList { "MV-4410C" } << QStringList { "MV-4410C" };
    }

    void discovery()
    {
        QFETCH(QStringList, profiles);
        QFETCH(QStringList, devices);
        QFETCH(QStringList, names);
        QFETCH(QStringList, supported);
        std::unique_ptr<SimProcess> sim = startTree(profiles, devices);
        ClassDriverUsbPort port(devicesOf(*sim), kShortTimeoutMs);
        const int count = port.open();
        QCOMPARE(count, names.size());
        QCOMPARE(port.listDeviceNames(count), names);
        QCOMPARE(port.listSupportedDevices(count, knownModel), supported);
        // Only what was listed is held; a device of another bus stays free for others.
        for (int i = 0; i < profiles.size(); ++i) {
            const QString node = sim->dir() + QStringLiteral("/usb/dev/usb/lp%1").arg(i);
            const bool listed = i < ClassDriverUsbPort::kMaxDevices
                && !devices.value(i).contains(QLatin1String("bus="));
            QCOMPARE(deviceFree(node), !listed);
        }
        port.close();
        QVERIFY(deviceFree(sim->dir() + QStringLiteral("/usb/dev/usb/lp0")));
    }

    void supportedEntrySelectsItsPrinter_data()
    {
        QTest::addColumn<QStringList>("profiles");
        QTest::addColumn<int>("entry");
        QTest::addColumn<int>("printer");
        QTest::addColumn<QString>("model");
        QTest::newRow("after an unknown model")
            << QStringList { "rk7300", "zn470kw" } << 0 << 1 << "ZN-470 KW";
        QTest::newRow("second of two known")
            << QStringList { "zn470kw", "pl100", "rk5200-new" } << 1 << 2 << "RK5200";
    }

    // Identification over USB: the printer picked in the supported list is the one asked.
    void supportedEntrySelectsItsPrinter()
    {
        QFETCH(QStringList, profiles);
        QFETCH(int, entry);
        QFETCH(int, printer);
        QFETCH(QString, model);
        std::unique_ptr<SimProcess> sim = startTree(profiles);
        RecordingDelayService delay;
        auto *port = new ClassDriverUsbPort(devicesOf(*sim), kShortTimeoutMs * 5);
        DataDispatcher dispatcher(delay, nullptr, port);
        dispatcher.setPortType(0);
        const int count = port->open();
        port->listSupportedDevices(count, knownModel);
        port->selectByPosition(entry);
        QCOMPARE(port->selected(), printer);
        dispatcher.setOperation(DataDispatcher::OpIdentify);
        dispatcher.run();
        QCOMPARE(dispatcher.communication()->lastError(), 0);
        QCOMPARE(dispatcher.modelName().section(QLatin1Char(';'), 0, 0), model);
        for (int i = 0; i < profiles.size(); ++i)
            QCOMPARE(sim->count(QStringLiteral("#%1 CMD readModel").arg(i)) > 0, i == printer);
        // Every run closes the port again.
        QVERIFY(!port->isOpen());
    }

    void productIdFindsThePrinterAgain()
    {
        std::unique_ptr<SimProcess> sim = startTree(
            { "zn470kw", "mv4410c", "rk5200-new" }, { "bus=platform", "pid=4410", "pid=5201" });
        ClassDriverUsbPort port(devicesOf(*sim), kShortTimeoutMs);
        QCOMPARE(port.open(), 2);
        QCOMPARE(port.productIds(), (QStringList { "4410", "5201" }));
        port.selectByPosition(1);
        port.rememberSelected();
        port.selectByPosition(0);
        // Already open: no new discovery, and the same printer is found.
        QCOMPARE(port.open(), 2);
        port.reselect();
        QCOMPARE(port.selected(), 1);
        QCOMPARE(port.modelName(), QStringLiteral("RK5200"));
        const QByteArray id = port.deviceId();
        QCOMPARE((quint8(id.at(0)) << 8) | quint8(id.at(1)), id.size());
    }

    void readRule_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("complete");
        // The engine's "what is there" read returns after the first piece.
        QTest::newRow("100 bytes: first transfer only") << 100 << false;
        QTest::newRow("exact length: polled until complete") << -1 << true;
        QTest::newRow("shorter than the reply") << 30 << true;
    }

    void readRule()
    {
        QFETCH(int, length);
        QFETCH(bool, complete);
        std::unique_ptr<SimProcess> sim = startTree({ "zn470kw" }, {},
            { QStringLiteral("--chunk"), QStringLiteral("8"), QStringLiteral("--chunk-gap-ms"),
                QStringLiteral("150") });
        ClassDriverUsbPort port(devicesOf(*sim), 5000);
        port.setPollInterval(50);
        QCOMPARE(port.open(), 1);
        QVERIFY(port.write(kModelCommand));
        QVERIFY(sim->waitForLog(QStringLiteral("CMD readModel")));
        // Echo, 2-byte length, the record.
        const int replySize = kModelCommand.size() + 2 + 80;
        if (length < 0)
            length = replySize;
        QElapsedTimer clock;
        clock.start();
        QByteArray got;
        try {
            got = port.read(length);
        } catch (COMM_ERROR_CODE code) {
            QFAIL(qPrintable(QStringLiteral("read failed with code %1").arg(code)));
        }
        QVERIFY(!got.isEmpty());
        QVERIFY(got.startsWith(kModelCommand));
        if (complete) {
            QVERIFY2(got.size() >= length, qPrintable(QString::number(got.size())));
        } else {
            QVERIFY2(got.size() < replySize, qPrintable(QString::number(got.size())));
            QVERIFY(clock.elapsed() < 1000);
        }
    }

    void readFailures_data()
    {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<bool>("ask");
        QTest::addColumn<int>("length");
        QTest::newRow("nothing comes") << QStringList {} << false << 10;
        QTest::newRow("nothing comes, any size") << QStringList {} << false << 100;
        QTest::newRow("reply stays short")
            << QStringList { QStringLiteral("--truncate"), QStringLiteral("5") } << true << 40;
    }

    void readFailures()
    {
        QFETCH(QStringList, extra);
        QFETCH(bool, ask);
        QFETCH(int, length);
        std::unique_ptr<SimProcess> sim = startTree({ "zn470kw" }, {}, extra);
        ClassDriverUsbPort port(devicesOf(*sim), kShortTimeoutMs);
        port.setPollInterval(50);
        QCOMPARE(port.open(), 1);
        if (ask)
            port.write(kModelCommand);
        QElapsedTimer clock;
        clock.start();
        int code = 0;
        try {
            port.read(length);
        } catch (COMM_ERROR_CODE c) {
            code = c;
        }
        QCOMPARE(code, int(READ_PORT_ERROR));
        QVERIFY(clock.elapsed() >= kShortTimeoutMs - 50);
        QVERIFY(clock.elapsed() < kShortTimeoutMs * 4);
    }

    void printersInUseAreNotOpened()
    {
        std::unique_ptr<SimProcess> sim = startTree({ "zn470kw", "mv4410c" });
        ClassDriverUsbPort first(devicesOf(*sim), kShortTimeoutMs);
        ClassDriverUsbPort second(devicesOf(*sim), kShortTimeoutMs);
        QCOMPARE(first.open(), 2);
        // The first printer is held: discovery stops there.
        QCOMPARE(second.open(), 0);
        int code = 0;
        try {
            second.write(kModelCommand);
        } catch (COMM_ERROR_CODE c) {
            code = c;
        }
        QCOMPARE(code, int(WRITE_PORT_ERROR));
        first.resetEnumeration();
        QCOMPARE(first.deviceCount(), 0);
        QVERIFY(first.deviceNames().isEmpty());
        QCOMPARE(second.open(), 2);
    }

    void busyPrinterIsNotOpened()
    {
        std::unique_ptr<SimProcess> sim
            = startTree({ "zn470kw" }, {}, { QStringLiteral("--refuse") });
        ClassDriverUsbPort port(devicesOf(*sim), kShortTimeoutMs);
        QCOMPARE(port.open(), 0);
        QVERIFY(!port.isOpen());
    }

    void noSystemDescription()
    {
        QTemporaryDir empty;
        ClassDriverUsbPort none(UsbPrinterDevices(empty.path(), empty.path()), kShortTimeoutMs);
        QCOMPARE(none.open(), 0);
        ClassDriverUsbPort missing(
            UsbPrinterDevices(empty.filePath(QStringLiteral("gone")), empty.path()),
            kShortTimeoutMs);
        int code = 0;
        try {
            missing.open();
        } catch (COMM_ERROR_CODE c) {
            code = c;
        }
        QCOMPARE(code, int(OPEN_PORT_ERROR));
    }

    void rootsFromConfiguration()
    {
        ConfigFile config;
        config.writeValue(QStringLiteral("Devices"), QStringLiteral("UsbSysfsRoot"),
            QStringLiteral("/tmp/a/sys"));
        config.writeValue(
            QStringLiteral("Devices"), QStringLiteral("UsbDevRoot"), QStringLiteral("/tmp/a/dev"));
        const UsbPrinterDevices configured = UsbPrinterDevices::fromConfig(&config);
        QCOMPARE(configured.sysfsRoot(), QStringLiteral("/tmp/a/sys"));
        QCOMPARE(configured.devRoot(), QStringLiteral("/tmp/a/dev"));
        const UsbPrinterDevices system = UsbPrinterDevices::fromConfig(nullptr);
        QCOMPARE(system.sysfsRoot(), QStringLiteral("/sys"));
        QCOMPARE(system.devRoot(), QStringLiteral("/dev"));
    }

    void realPrinter()
    {
        if (qEnvironmentVariableIsEmpty("RK_TEST_USB_PRINTER"))
            QSKIP("needs a USB printer attached; set RK_TEST_USB_PRINTER=1 to run");
        ClassDriverUsbPort port(UsbPrinterDevices(), 10000);
        const int count = port.open();
        QVERIFY2(count > 0, "no USB printer found (is usblp loaded, /dev/usb/lp* readable?)");
        const QStringList names = port.listDeviceNames(count);
        qInfo() << "USB printers:" << names;
        QVERIFY(!names.contains(QStringLiteral("UnknowPrinter")));
        port.close();
    }
};

QTEST_GUILESS_MAIN(tst_UsbPort)
#include "tst_usbport.moc"
