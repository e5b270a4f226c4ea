#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSettings>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include "core/configfile.h"
#include "comm/delayservice.h"
#include "comm/portchoices.h"
#include "engine/datadispatcher.h"
#include "engine/printersession.h"
#include "engine/settingsfile.h"
#include "printerprofile.h"
#include "rkctl/ctloptions.h"
#include "brokendatabase.h"
#include "rkctlrun.h"
#include "simprocess.h"

#include <sys/stat.h>

namespace {
using Run = RkctlRun;

QString describe(const Run &run)
{
    return QStringLiteral("exit %1\nstdout: %2\nstderr: %3").arg(run.code).arg(run.out, run.err);
}

QStringList at(quint16 port)
{
    return { QStringLiteral("--host"), QStringLiteral("127.0.0.1"), QStringLiteral("--tcp-port"),
        QString::number(port) };
}

bool startSim(SimProcess &sim, const QString &profile, const QStringList &more = {}, int count = 1)
{
    QStringList args { QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
        QStringLiteral("--profile"), profile };
    if (count > 1)
        args << QStringLiteral("--count") << QString::number(count);
    return sim.start(args + more, count);
}

QString statePath(const SimProcess &sim, int printer = 0)
{
    return sim.stateFile(printer);
}

QStringList withState(const SimProcess &sim)
{
    return { QStringLiteral("--state"), statePath(sim) };
}

// The printer's setting block as the simulator keeps it.
QByteArray stateBlock(const QString &path)
{
    return SimProcess::settingBlockIn(path);
}

PrinterProfile profileOf(const QString &id)
{
    PrinterProfile profile;
    QString error;
    if (!PrinterProfile::load(id, &profile, &error))
        qFatal("%s", qPrintable(error));
    return profile;
}

QJsonObject settingOf(const Run &read, const QString &name)
{
    const QJsonArray settings = QJsonDocument::fromJson(read.out.toUtf8())
                                    .object()
                                    .value(QStringLiteral("settings"))
                                    .toArray();
    for (const QJsonValue &v : settings) {
        if (v.toObject().value(QStringLiteral("name")).toString() == name)
            return v.toObject();
    }
    return {};
}

// The setting whose bytes hold the position.
QJsonObject settingCovering(const Run &read, int position)
{
    const QJsonArray settings = QJsonDocument::fromJson(read.out.toUtf8())
                                    .object()
                                    .value(QStringLiteral("settings"))
                                    .toArray();
    for (const QJsonValue &v : settings) {
        const int at = v.toObject().value(QStringLiteral("position")).toInt();
        const int length = qMax(1, v.toObject().value(QStringLiteral("length")).toInt());
        if (position >= at && position < at + length)
            return v.toObject();
    }
    return {};
}

quint16 deadPort()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost, 0);
    return server.serverPort(); // closed again when the server goes
}

bool kept(int p)
{
    return SettingsFile::keptOnImport(p);
}
} // namespace

// rkctl as a process against the simulated printers.
class tst_Rkctl : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        // Each case starts from an empty RKMENU configuration.
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("RKMENU"),
            QStringLiteral("config"))
            .clear();
    }

    void hostsFile_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("hosts"); // "host port" each; empty when refused
        QTest::newRow("names, ports, comments")
            << "# floor 2\nprinter-a\n\n  10.0.0.7:9101  # by the door\n"
            << QStringList { "printer-a 9100", "10.0.0.7 9101" };
        QTest::newRow("IPv6 with port") << "[fe80::1]:9200" << QStringList { "fe80::1 9200" };
        QTest::newRow("IPv6 alone") << "[::1]\n::1" << QStringList { "::1 9100", "::1 9100" };
        QTest::newRow("port missing") << "printer:" << QStringList();
        QTest::newRow("port zero") << "printer:0" << QStringList();
        QTest::newRow("port too big") << "printer:65536" << QStringList();
        QTest::newRow("port not a number") << "printer:lp" << QStringList();
        QTest::newRow("two words") << "printer a" << QStringList();
        QTest::newRow("unclosed bracket") << "[::1:9100" << QStringList();
        QTest::newRow("only comments") << "# nothing yet\n" << QStringList();
    }

    void hostsFile()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, hosts);
        QList<QPair<QString, int>> parsed;
        QString error;
        QCOMPARE(parseHostsFile(text, 9100, &parsed, &error), !hosts.isEmpty());
        QStringList got;
        for (const auto &host : parsed)
            got << QStringLiteral("%1 %2").arg(host.first).arg(host.second);
        if (hosts.isEmpty())
            QVERIFY(!error.isEmpty());
        else
            QCOMPARE(got, hosts);
    }

    void readSetRead_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("shown");
        QTest::newRow("choice") << "zn470kw"
                                << "Print Setup/Print Speed"
                                << "Quiet"
                                << "Quiet";
        QTest::newRow("two-byte number") << "zn470kw"
                                         << "Paper Setup/Top Margin"
                                         << "20 mm"
                                         << "20.00 mm";
        QTest::newRow("number with offset") << "rp0501"
                                            << "Paper Setup/Top of Form Position"
                                            << "10"
                                            << "10.00 mm";
        QTest::newRow("edit behind a switch") << "qp80"
                                              << "Paper Setup/Left Margin Columns"
                                              << "12"
                                              << "12";
        QTest::newRow("fallback printer type") << "rk7300"
                                               << "Interface Setup/Parity"
                                               << "Even"
                                               << "Even";
    }

    // read -> set -> read shows the new value, and the printer's block changed exactly there.
    void readSetRead()
    {
        QFETCH(QString, profile);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(QString, shown);
        SimProcess sim;
        QVERIFY2(startSim(sim, profile, withState(sim)), qPrintable(sim.errorText()));
        const QStringList target = at(sim.tcpPort());

        const Run before
            = rkctl(target + QStringList { QStringLiteral("read"), QStringLiteral("--json") });
        QVERIFY2(before.code == 0, qPrintable(describe(before)));
        const QJsonObject old = settingOf(before, name);
        QVERIFY2(!old.isEmpty(), qPrintable(name));
        QVERIFY(old.value(QStringLiteral("value")).toString() != shown);

        const Run set = rkctl(
            target + QStringList { QStringLiteral("set"), name + QLatin1Char('=') + value });
        QVERIFY2(set.code == 0, qPrintable(describe(set)));
        QVERIFY(set.out.contains(QStringLiteral("Save Successful")));

        const Run after
            = rkctl(target + QStringList { QStringLiteral("read"), QStringLiteral("--json") });
        QCOMPARE(settingOf(after, name).value(QStringLiteral("value")).toString(), shown);
        const Run get = rkctl(target + QStringList { QStringLiteral("get"), name });
        QCOMPARE(get.out, shown + QLatin1Char('\n'));

        const QByteArray original = profileOf(profile).settingBlock;
        const QByteArray now = stateBlock(statePath(sim));
        QCOMPARE(now.size(), original.size());
        const int position = old.value(QStringLiteral("position")).toInt();
        const int length = qMax(1, old.value(QStringLiteral("length")).toInt());
        int changed = 0;
        for (int p = 0; p < now.size(); ++p) {
            if (now.at(p) == original.at(p))
                continue;
            if (p >= position && p < position + length) {
                ++changed;
                continue;
            }
            // Elsewhere only where Save writes what the page showed for the printer's bytes
            // (a value outside its range is saved as shown): the shown value stays.
            const QJsonObject other = settingCovering(before, p);
            QVERIFY2(!other.isEmpty(), qPrintable(QStringLiteral("position %1 changed").arg(p)));
            const QString otherName = other.value(QStringLiteral("name")).toString();
            QVERIFY2(settingOf(after, otherName).value(QStringLiteral("value"))
                         == other.value(QStringLiteral("value")),
                qPrintable(QStringLiteral("%1 changed at %2").arg(otherName).arg(p)));
        }
        QVERIFY(changed > 0);
    }

    // An exported file imported onto a second printer of the model gives it the same block,
    // except the ranges the second printer keeps.
    void exportThenImportOntoAnotherPrinter()
    {
        SimProcess sim;
        QVERIFY2(startSim(sim, QStringLiteral("zn470kw"), withState(sim), 2),
            qPrintable(sim.errorText()));
        const QStringList first = at(sim.tcpPort(0));
        const QStringList second = at(sim.tcpPort(1));
        const Run set = rkctl(first
            + QStringList { QStringLiteral("set"), QStringLiteral("Print Setup/Print Speed=Quiet"),
                QStringLiteral("Interface Setup/Interface=Auto"),
                QStringLiteral("Paper Setup/Page Length=300") });
        QVERIFY2(set.code == 0, qPrintable(describe(set)));

        QTemporaryDir dir;
        const Run exported = rkctl(first
            + QStringList { QStringLiteral("export"), dir.filePath(QStringLiteral("office")) });
        QVERIFY2(exported.code == 0, qPrintable(describe(exported)));
        const QString file = dir.filePath(QStringLiteral("office.cfg"));
        SettingsFile::Content content;
        QCOMPARE(SettingsFile::load(file, &content), SettingsFile::Status::Ok);
        QCOMPARE(content.modelName, QStringLiteral("ZN-470 KW"));
        QCOMPARE(content.data, stateBlock(statePath(sim, 0)));
        // The file's network values differ from the second printer's; they must stay out.
        for (int p = 0; p < content.data.size(); ++p) {
            if (kept(p))
                content.data[p] = char(0x5A);
        }
        QCOMPARE(SettingsFile::save(file, content), SettingsFile::Status::Ok);

        const QByteArray secondBefore = profileOf(QStringLiteral("zn470kw")).settingBlock;
        const Run imported = rkctl(second + QStringList { QStringLiteral("import"), file });
        QVERIFY2(imported.code == 0, qPrintable(describe(imported)));
        const QByteArray secondAfter = stateBlock(statePath(sim, 1));
        QCOMPARE(secondAfter.size(), 1024);
        for (int p = 0; p < 1024; ++p) {
            QVERIFY2(secondAfter.at(p) == (kept(p) ? secondBefore.at(p) : content.data.at(p)),
                qPrintable(QStringLiteral("position %1").arg(p)));
        }
    }

    void importRefused_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("another model's file") << "other model" << 4 << "Printer type different!";
        QTest::newRow("data shorter than a block") << "short data" << 4 << "100 bytes";
        QTest::newRow("not a settings file") << "garbage" << 4 << "not a settings file";
        QTest::newRow("missing file") << "missing" << 1 << "cannot read";
        // Files that are no files: read, they would block or never end.
        QTest::newRow("pipe") << "pipe" << 1 << "not a regular file";
        QTest::newRow("link to a device") << "urandom" << 1 << "not a regular file";
        QTest::newRow("folder") << "folder" << 1 << "not a regular file";
        QTest::newRow("larger than a settings file") << "large" << 4 << "at most 65536";
        // A count promising more than the file holds is not allocated.
        QTest::newRow("huge count") << "huge count" << 4 << "not a settings file";
        // Messages quote a short prefix of what the file holds, not all of it.
        QTest::newRow("long model name") << "long name" << 4 << "(30000 characters)";
    }

    // A refused import writes nothing to the printer, and says why in a few lines.
    void importRefused()
    {
        QFETCH(QString, kind);
        QFETCH(int, code);
        QFETCH(QString, message);
        SimProcess sim;
        QVERIFY2(startSim(sim, QStringLiteral("zn470kw")), qPrintable(sim.errorText()));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("x.cfg"));
        auto write = [&file](const QByteArray &bytes) {
            QFile out(file);
            return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size();
        };
        const QByteArray block(1024, '\x01');
        if (kind == QLatin1String("other model"))
            QCOMPARE(SettingsFile::save(file, { QStringLiteral("RP-58S"), block }),
                SettingsFile::Status::Ok);
        else if (kind == QLatin1String("short data"))
            QCOMPARE(SettingsFile::save(file, { QStringLiteral("ZN-470 KW"), block.left(100) }),
                SettingsFile::Status::Ok);
        else if (kind == QLatin1String("garbage"))
            QVERIFY(write(QByteArray("\x00\x00\x00\x09RK", 6)));
        else if (kind == QLatin1String("pipe"))
            QCOMPARE(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        else if (kind == QLatin1String("urandom"))
            QVERIFY(QFile::link(QStringLiteral("/dev/urandom"), file));
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("x.cfg")));
        else if (kind == QLatin1String("large"))
            QVERIFY(write(QByteArray(100 * 1024, '\0')));
        else if (kind == QLatin1String("huge count"))
            QVERIFY(write(QByteArray::fromHex("fffffff0") + QByteArray(64, 'A')));
        else if (kind == QLatin1String("long name"))
            QCOMPARE(SettingsFile::save(file, { QString(30000, QLatin1Char('M')), block }),
                SettingsFile::Status::Ok);
        const Run run = rkctl(at(sim.tcpPort()) + QStringList { QStringLiteral("import"), file });
        QVERIFY2(run.code == code, qPrintable(describe(run)));
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QVERIFY2(run.err.size() < 400, qPrintable(run.err.left(400)));
        QCOMPARE(sim.count(QStringLiteral("DATA writeBlock")), 0);
    }

    void brokenDatabase_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("command");
        for (const QString &kind : brokendatabase::kinds()) {
            QTest::newRow(qPrintable(kind + QStringLiteral(", read"))) << kind << "read";
            QTest::newRow(qPrintable(kind + QStringLiteral(", set")))
                << kind << "Print Setup/Print Speed=Quiet";
        }
    }

    // A broken database is named as such, before any printer is asked anything.
    void brokenDatabase()
    {
        QFETCH(QString, kind);
        QFETCH(QString, command);
        QTemporaryDir dir;
        const QString database = dir.filePath(QStringLiteral("SWTDatabase.db"));
        QVERIFY(brokendatabase::make(kind, database));
        SimProcess sim;
        QVERIFY2(startSim(sim, QStringLiteral("zn470kw")), qPrintable(sim.errorText()));
        QStringList args = at(sim.tcpPort()) + QStringList { QStringLiteral("--database"), database };
        args += command == QLatin1String("read") ? QStringList { command }
                                                 : QStringList { QStringLiteral("set"), command };
        const Run run = rkctl(args);
        QVERIFY2(run.code == 1, qPrintable(describe(run)));
        QVERIFY2(run.err.startsWith(
                     QStringLiteral("The settings database %1 cannot be used.").arg(database)),
            qPrintable(run.err));
        QVERIFY2(!run.out.contains(QLatin1Char('/')), qPrintable(run.out));
        QCOMPARE(sim.count(QStringLiteral("CONNECT")), 0);
    }

    void importFromAnotherModelsPrinter()
    {
        SimProcess source;
        SimProcess target;
        QVERIFY2(startSim(source, QStringLiteral("rp0501")), qPrintable(source.errorText()));
        QVERIFY2(startSim(target, QStringLiteral("zn470kw")), qPrintable(target.errorText()));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("rp.CFG"));
        const Run exported
            = rkctl(at(source.tcpPort()) + QStringList { QStringLiteral("export"), file });
        QVERIFY2(exported.code == 0, qPrintable(describe(exported)));
        QVERIFY(QFile::exists(file)); // no second extension
        const Run run
            = rkctl(at(target.tcpPort()) + QStringList { QStringLiteral("import"), file });
        QCOMPARE(run.code, 4);
        QVERIFY(run.err.startsWith(QStringLiteral("Printer type different!")));
        QCOMPARE(target.count(QStringLiteral("DATA writeBlock")), 0);
    }

    void resetKeepsInterfaceBytes_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<bool>("keeps");
        QTest::newRow("0302 keeps 578 and 579") << "mv4410c" << true;
        QTest::newRow("others restore all") << "zn470kw" << false;
    }

    void resetKeepsInterfaceBytes()
    {
        QFETCH(QString, profile);
        QFETCH(bool, keeps);
        const PrinterProfile p = profileOf(profile);
        QByteArray block = p.settingBlock;
        const char kept1 = char(quint8(p.defaultBlock.at(578)) ^ 0x5A);
        const char kept2 = char(quint8(p.defaultBlock.at(579)) ^ 0x33);
        block[578] = kept1;
        block[579] = kept2;
        block[100] = char(p.defaultBlock.at(100) ^ 0x02);
        SimProcess sim;
        QJsonObject state;
        state.insert(QStringLiteral("profile"), p.id);
        state.insert(QStringLiteral("settingBlock"), QString::fromLatin1(block.toHex()));
        state.insert(QStringLiteral("defaultBlock"), QString::fromLatin1(p.defaultBlock.toHex()));
        state.insert(QStringLiteral("mac"), QString::fromLatin1(p.mac.toHex()));
        QFile file(statePath(sim));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(state).toJson());
        file.close();
        QVERIFY2(startSim(sim, profile, withState(sim)), qPrintable(sim.errorText()));

        const Run run = rkctl(
            at(sim.tcpPort()) + QStringList { QStringLiteral("reset"), QStringLiteral("--yes") });
        QVERIFY2(run.code == 0, qPrintable(describe(run)));
        QByteArray expected = p.defaultBlock;
        if (keeps) {
            expected[578] = kept1;
            expected[579] = kept2;
        }
        QCOMPARE(stateBlock(statePath(sim)), expected);
    }

    // Twenty network printers, one of them unreachable: nineteen successes, one clear failure,
    // in well under the time of one printer after another.
    void manyPrinters()
    {
        constexpr int kPrinters = 19;
        SimProcess sim;
        // A slower answer, as over a real network, so that the time saved shows.
        QVERIFY2(startSim(sim, QStringLiteral("zn470kw"),
                     { QStringLiteral("--delay-ms"), QStringLiteral("40") }, kPrinters),
            qPrintable(sim.errorText()));
        QTemporaryDir dir;
        const QString hostsFile = dir.filePath(QStringLiteral("printers.txt"));
        QFile hosts(hostsFile);
        QVERIFY(hosts.open(QIODevice::WriteOnly));
        hosts.write("# the office floor\n");
        for (int i = 0; i < kPrinters; ++i)
            hosts.write(QStringLiteral("127.0.0.1:%1\n").arg(sim.tcpPort(i)).toUtf8());
        const quint16 dead = deadPort();
        hosts.write(QStringLiteral("127.0.0.1:%1   # switched off\n").arg(dead).toUtf8());
        hosts.close();

        const Run one = rkctl(at(sim.tcpPort(0)) + QStringList { QStringLiteral("read") });
        QVERIFY2(one.code == 0, qPrintable(describe(one)));
        const Run all = rkctl({ QStringLiteral("--hosts"), hostsFile, QStringLiteral("--jobs"),
            QStringLiteral("8"), QStringLiteral("read") });
        QVERIFY2(all.code == 3, qPrintable(describe(all)));

        const QStringList lines = all.out.split(QLatin1Char('\n'));
        const int table = lines.indexOf(QRegularExpression(QStringLiteral("^HOST +RESULT +TIME$")));
        QVERIFY2(table >= 0, qPrintable(all.out));
        int ok = 0;
        for (int i = 0; i < kPrinters; ++i) {
            const QString row = lines.value(table + 1 + i);
            QVERIFY2(row.startsWith(QStringLiteral("127.0.0.1:%1 ").arg(sim.tcpPort(i))),
                qPrintable(row));
            ok += row.contains(QRegularExpression(QStringLiteral(" ok +\\d+\\.\\d\\d s$"))) ? 1 : 0;
        }
        QCOMPARE(ok, kPrinters);
        const QString failed = lines.value(table + 1 + kPrinters);
        QVERIFY2(failed.startsWith(QStringLiteral("127.0.0.1:%1 ").arg(dead)), qPrintable(failed));
        QVERIFY2(failed.contains(QStringLiteral("communicate Error: ")), qPrintable(failed));
        QVERIFY(all.out.contains(QStringLiteral("19 of 20 printers succeeded")));
        QVERIFY(all.err.contains(QStringLiteral("127.0.0.1:%1: communicate Error: ").arg(dead)));
        // Every printer's own listing is there too.
        QCOMPARE(all.out.count(QStringLiteral("Print Setup/Print Speed")), kPrinters);

        const qint64 sequential = one.ms * (kPrinters + 1);
        qInfo("one printer %lld ms; 20 one after another ~%lld ms; 20 with --hosts %lld ms", one.ms,
            sequential, all.ms);
        QVERIFY2(all.ms * 2 < sequential,
            qPrintable(QStringLiteral("%1 ms for 20, %2 ms for one").arg(all.ms).arg(one.ms)));
    }

    void printerSwappedBehindTheAddress_data()
    {
        QTest::addColumn<bool>("reset");
        QTest::newRow("save") << false;
        QTest::newRow("factory defaults") << true;
    }

    // Another printer answering at the identified printer's address is never written.
    void printerSwappedBehindTheAddress()
    {
        QFETCH(bool, reset);
        auto first = std::make_unique<SimProcess>();
        QVERIFY2(startSim(*first, QStringLiteral("zn470kw")), qPrintable(first->errorText()));
        const quint16 port = first->tcpPort();
        ConfigFile config;
        RecordingDelayService delay;
        DataDispatcher dispatcher(delay, &config);
        dispatcher.setPortType(portchoices::Network);
        dispatcher.setWifiConfig(QStringLiteral("127.0.0.1"), port);
        PrinterSession session(
            dispatcher, DatabaseLocation(QStringLiteral(RK_BIN_DIR "/SWTDatabase.db")), &config);
        QCOMPARE(session.identify(), PrinterSession::Result::Ok);
        QCOMPARE(session.readSettings(), PrinterSession::Result::Ok);
        first.reset();
        SimProcess second;
        QVERIFY2(second.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:%1").arg(port),
                     QStringLiteral("--profile"), QStringLiteral("rp0501") }),
            qPrintable(second.errorText()));
        const PrinterSession::Result result
            = reset ? session.restoreDefaults() : session.writeSettings(session.settingBlock());
        QCOMPARE(result, PrinterSession::Result::PrinterChanged);
        QCOMPARE(second.count(QStringLiteral("DATA writeBlock")), 0);
        QCOMPARE(second.count(QStringLiteral("STATE defaults restored")), 0);
        QVERIFY(second.count(QStringLiteral("CMD readModel")) > 0);
    }

    void serialPort()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--pty"), QStringLiteral("--profile"),
                     QStringLiteral("rp0501") }),
            qPrintable(sim.errorText()));
        const Run run = rkctl(
            { QStringLiteral("--port"), QStringLiteral("serial"), QStringLiteral("--device"),
                sim.ptyPath(), QStringLiteral("--baud"), QStringLiteral("115200"),
                QStringLiteral("get"), QStringLiteral("Paper Setup/Top of Form Position") });
        QVERIFY2(run.code == 0, qPrintable(describe(run)));
        QVERIFY(run.out.endsWith(QStringLiteral(" mm\n")));
    }

    void usbAndBluetooth_data()
    {
        QTest::addColumn<QStringList>("profiles");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        const QStringList one { "zn470kw" };
        const QStringList two { "zn470kw", "rp0501" };
        QTest::newRow("usb, the only printer")
            << one << QStringList { "--port", "usb", "identify" } << 0 << "Model: ZN-470 KW";
        QTest::newRow("usb, two without a choice")
            << two << QStringList { "--port", "usb", "identify" } << 2 << "2  RP-58S";
        QTest::newRow("usb, the second")
            << two << QStringList { "--port", "usb", "--device", "2", "identify" } << 0
            << "Model: RP-58S";
        QTest::newRow("usb, no such number")
            << two << QStringList { "--port", "usb", "--device", "3", "identify" } << 2
            << "no USB printer 3";
        QTest::newRow("usb, none attached")
            << QStringList() << QStringList { "--port", "usb", "identify" } << 3
            << "communicate Error:Open Port Error";
        QTest::newRow("bluetooth, the second")
            << two << QStringList { "--port", "bluetooth", "--device", "2", "get", "@282" } << 0
            << " mm";
        QTest::newRow("bluetooth, two without a choice")
            << two << QStringList { "--port", "bluetooth", "read" } << 2 << "2 Bluetooth printers";
    }

    // The USB and Bluetooth printers are found and picked as the main window does.
    void usbAndBluetooth()
    {
        QFETCH(QStringList, profiles);
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, text);
        SimProcess sim;
        const QString usbRoot = sim.dir() + QStringLiteral("/usb");
        if (!profiles.isEmpty()) {
            QStringList simArgs { QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
                QStringLiteral("--count"), QString::number(profiles.size()),
                QStringLiteral("--usb-root"), usbRoot, QStringLiteral("--bluetooth"),
                QStringLiteral("127.0.0.1:0") };
            for (const QString &profile : profiles)
                simArgs << QStringLiteral("--profile") << profile;
            // Each printer on TCP and USB, and the Bluetooth stack.
            QVERIFY2(sim.start(simArgs, 2 * profiles.size() + 1), qPrintable(sim.errorText()));
        }
        {
            ConfigFile config;
            config.writeValue(QStringLiteral("Devices"), QStringLiteral("UsbSysfsRoot"),
                usbRoot + QStringLiteral("/sys"));
            config.writeValue(QStringLiteral("Devices"), QStringLiteral("UsbDevRoot"),
                usbRoot + QStringLiteral("/dev"));
            for (const QString &line : sim.readyLines()) {
                if (line.startsWith(QLatin1String("READY bluetooth ")))
                    config.writeValue(QStringLiteral("Devices"), QStringLiteral("Bluetooth"),
                        QStringLiteral("sim:") + line.section(QLatin1Char(' '), 2));
            }
        }
        const Run run = rkctl(args);
        QVERIFY2(run.code == code, qPrintable(describe(run)));
        QVERIFY2((code == 0 ? run.out : run.err).contains(text), qPrintable(describe(run)));
    }

    void defaultsFromTheConfiguration_data()
    {
        QTest::addColumn<QString>("type");
        QTest::newRow("Network") << "Network";
        QTest::newRow("Wifi") << "Wifi";
    }

    void defaultsFromTheConfiguration()
    {
        QFETCH(QString, type);
        SimProcess sim;
        QVERIFY2(startSim(sim, QStringLiteral("zn470kw")), qPrintable(sim.errorText()));
        {
            ConfigFile config;
            config.writeValue(QStringLiteral("Port"), QStringLiteral("type"), type);
            config.writeValue(type, QStringLiteral("serverip"), QStringLiteral("127.0.0.1"));
            config.writeValue(
                QStringLiteral("Wifi"), QStringLiteral("port"), QString::number(sim.tcpPort()));
        }
        // The network type always uses its standard port; the Wi-Fi type its stored one.
        const QStringList args = type == QLatin1String("Network")
            ? QStringList { QStringLiteral("--tcp-port"), QString::number(sim.tcpPort()),
                  QStringLiteral("identify") }
            : QStringList { QStringLiteral("identify") };
        const Run run = rkctl(args);
        QVERIFY2(run.code == 0, qPrintable(describe(run)));
        QVERIFY(run.out.contains(QStringLiteral("Printer type code: 0701")));
    }

    void exitCodes_data()
    {
        QTest::addColumn<QString>("profile"); // the simulated printer to talk to, if any
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text"); // expected in stdout (exit 0) or stderr
        QTest::newRow("help") << "" << QStringList { "--help" } << 0 << "Exit codes:";
        QTest::newRow("no command") << "" << QStringList() << 2 << "no command given";
        QTest::newRow("unknown command") << "" << QStringList { "print" } << 2 << "unknown command";
        QTest::newRow("unknown option") << "" << QStringList { "--fast", "read" } << 2 << "fast";
        QTest::newRow("unknown port type")
            << "" << QStringList { "--port", "modem", "read" } << 2 << "--port";
        QTest::newRow("port number")
            << "" << QStringList { "--tcp-port", "70000", "read" } << 2 << "--tcp-port";
        QTest::newRow("set without value")
            << "" << QStringList { "set", "Print Setup/Print Speed" } << 2 << "Page/Caption=value";
        QTest::newRow("import of a non-cfg file")
            << "" << QStringList { "import", "office.txt" } << 2 << ".cfg";
        QTest::newRow("--hex outside read")
            << "" << QStringList { "--hex", "get", "@100" } << 2 << "--hex";
        QTest::newRow("--hosts with serial")
            << "" << QStringList { "--hosts", "x", "--port", "serial", "read" } << 2 << "--hosts";
        QTest::newRow("reset unattended") << "zn470kw" << QStringList { "reset" } << 2 << "--yes";
        QTest::newRow("nobody listens")
            << "" << QStringList { "--host", "127.0.0.1", "--tcp-port", "DEAD", "read" } << 3
            << "communicate Error: ";
        QTest::newRow("unknown setting")
            << "zn470kw" << QStringList { "get", "Print Setup/Colour" } << 2 << "no setting";
        QTest::newRow("group setting refused by its group's check")
            << "zn470kw" << QStringList { "set", "Wifi Setup/Network Name (SSID)=仓库" } << 4
            << "SSID can't be chinese.";
        QTest::newRow("parameter-list printer")
            << "pl100" << QStringList { "read" } << 0 << "System Setup/Print speed";
        QTest::newRow("parameter-list printer reset")
            << "pl100" << QStringList { "reset", "--yes" } << 4 << "reset is not available";
        QTest::newRow("parameter-list identified")
            << "pl100" << QStringList { "identify" } << 0 << "Mode byte: 68";
        QTest::newRow("brand word in front")
            << "qp80" << QStringList { "identify" } << 0 << "Model: QuenbyQP-80";
        QTest::newRow("Chinese texts")
            << "zn470kw" << QStringList { "--lang", "zh", "get", "@224" } << 0 << "标准";
        QTest::newRow("no database")
            << "zn470kw" << QStringList { "--database", "/nonexistent/x.db", "identify" } << 1
            << "settings database not found";
    }

    void exitCodes()
    {
        QFETCH(QString, profile);
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, text);
        SimProcess sim;
        if (!profile.isEmpty()) {
            QVERIFY2(startSim(sim, profile), qPrintable(sim.errorText()));
            args = at(sim.tcpPort()) + args;
        }
        args.replaceInStrings(QStringLiteral("DEAD"), QString::number(deadPort()));
        const Run run = rkctl(args);
        QVERIFY2(run.code == code, qPrintable(describe(run)));
        QVERIFY2((code == 0 ? run.out : run.err).contains(text), qPrintable(describe(run)));
        if (code != 0)
            QCOMPARE(sim.count(QStringLiteral("DATA writeBlock")), 0);
    }
};

QTEST_GUILESS_MAIN(tst_Rkctl)
#include "tst_rkctl.moc"
