#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QtTest>

#include "printerprofile.h"
#include "rkctlrun.h"
#include "simprocess.h"

namespace {
const QString kProfile = QStringLiteral("zn470kw");

QJsonObject stateOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

QByteArray blockIn(const QJsonObject &state, const char *key = "settingBlock")
{
    return QByteArray::fromHex(state.value(QLatin1String(key)).toString().toLatin1());
}

int differences(const QByteArray &a, const QByteArray &b)
{
    int n = qAbs(a.size() - b.size());
    for (int i = 0; i < qMin(a.size(), b.size()); ++i)
        n += a.at(i) != b.at(i) ? 1 : 0;
    return n;
}
} // namespace

// rkctl against hostile printers: each fault played at one exchange, over both network port
// types and a serial line. What the printer holds afterwards must match what rkctl said.
class tst_WireSafety : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("RKMENU"),
            QStringLiteral("config"))
            .clear();
    }

    void hostilePrinter_data()
    {
        QTest::addColumn<QString>("port"); // wifi, network or serial
        QTest::addColumn<QStringList>("hostile");
        QTest::addColumn<QStringList>("command");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text"); // in stdout for exit 0, else in stderr
        QTest::addColumn<QString>("printer"); // kept, written, restored or acted (on its own)
        const QStringList set { "set", "Print Setup/Print Speed=Quiet" };
        const QStringList reset { "reset", "--yes" };
        const QStringList read { "read" };
        const QStringList identify { "identify" };
        const QString readError = QStringLiteral("Read Port Error");
        const QString linkError = QStringLiteral("WIFI connect fail");
        const QString saved = QStringLiteral("Save Successful");
        const QString changed = QStringLiteral("Printer has changed!");

        // A write counts only when the printer confirmed it.
        QTest::newRow("wifi, acknowledgement lost")
            << "wifi" << QStringList { "drop@writeBlock" } << set << 3 << readError << "acted";
        QTest::newRow("wifi, block ignored")
            << "wifi" << QStringList { "silent@writeBlock" } << set << 3 << readError << "kept";
        QTest::newRow("wifi, closed before the acknowledgement")
            << "wifi" << QStringList { "close@writeBlock" } << set << 3 << linkError << "acted";
        QTest::newRow("serial, block ignored")
            << "serial" << QStringList { "silent@writeBlock" } << set << 3 << readError << "kept";
        QTest::newRow("wifi, reset unanswered")
            << "wifi" << QStringList { "silent@restoreDefaults" } << reset << 3 << readError
            << "kept";
        QTest::newRow("wifi, closed at the reset")
            << "wifi" << QStringList { "close@restoreDefaults" } << reset << 3 << linkError
            << "acted";
        // The Network port sends again on a new connection, announcement first.
        QTest::newRow("network, closed before the acknowledgement")
            << "network" << QStringList { "close@writeBlock" } << set << 0 << saved << "written";
        QTest::newRow("network, acknowledgement lost")
            << "network" << QStringList { "drop@writeBlock" } << set << 0 << saved << "written";
        QTest::newRow("network, block ignored once")
            << "network" << QStringList { "silent@writeBlock" } << set << 0 << saved << "written";
        QTest::newRow("network, closed after the announcement")
            << "network" << QStringList { "close@announceBlock" } << set << 0 << saved << "written";
        QTest::newRow("network, reset ignored once")
            << "network" << QStringList { "silent@restoreDefaults" } << reset << 0
            << "Factory defaults restored."
            << "restored";
        QTest::newRow("network, acknowledgement never comes")
            << "network" << QStringList { "silent@writeBlock", "silent@writeBlock#2" } << set << 3
            << linkError << "kept";
        // Block replies carry their echo and a 1024-byte length; nothing past them is data.
        QTest::newRow("wifi, stray bytes after the block")
            << "wifi" << QStringList { "pad@readSettings" } << set << 0 << saved << "written";
        QTest::newRow("serial, stray bytes after the block")
            << "serial" << QStringList { "pad@readSettings" } << set << 0 << saved << "written";
        QTest::newRow("wifi, zeros for the block")
            << "wifi" << QStringList { "zeros@readSettings" } << read << 3 << readError << "kept";
        QTest::newRow("wifi, a block twice as long")
            << "wifi" << QStringList { "wrong-length@readSettings" } << set << 3 << readError
            << "kept";
        QTest::newRow("serial, a block twice as long")
            << "serial" << QStringList { "wrong-length@readSettings" } << set << 3 << readError
            << "kept";
        QTest::newRow("network, block with a wrong echo")
            << "network" << QStringList { "wrong-echo@readSettings" } << set << 3 << readError
            << "kept";
        QTest::newRow("wifi, block cut short is asked for again")
            << "wifi" << QStringList { "truncate@readSettings" } << set << 0 << saved << "written";
        // The handshake: its echo is checked, a reply in pieces is awaited, the mode byte stays.
        QTest::newRow("wifi, handshake in two pieces")
            << "wifi" << QStringList { "split@handshake" } << identify << 0 << "Mode byte: 67"
            << "kept";
        QTest::newRow("network, handshake in two pieces")
            << "network" << QStringList { "split@handshake" } << identify << 0 << "Mode byte: 67"
            << "kept";
        QTest::newRow("serial, handshake in two pieces")
            << "serial" << QStringList { "split@handshake" } << identify << 0 << "Mode byte: 67"
            << "kept";
        QTest::newRow("wifi, garbage handshake") << "wifi" << QStringList { "garbage@handshake" }
                                                 << identify << 3 << readError << "kept";
        QTest::newRow("wifi, parameter-list mode before the write")
            << "wifi" << QStringList { "list-mode@handshake#4" } << set << 4 << changed << "kept";
        QTest::newRow("network, parameter-list mode at the printer check")
            << "network" << QStringList { "list-mode@handshake#3" } << set << 4 << changed
            << "kept";
        // Nothing is written after a printer check that did not see the printer (its model
        // read is the second, tried three times in all).
        QTest::newRow("wifi, model unanswered at the printer check")
            << "wifi"
            << QStringList { "silent@readModel#2", "silent@readModel#3", "silent@readModel#4" }
            << set << 3 << linkError << "kept";
        QTest::newRow("network, closed at the printer check")
            << "network"
            << QStringList { "close@readModel#2", "close@readModel#3", "close@readModel#4" }
            << reset << 3 << linkError << "kept";
        // A missing default block is an error, not a block of invented defaults.
        QTest::newRow("wifi, empty default block")
            << "wifi" << QStringList { "empty@readDefaults" } << read << 3 << readError << "kept";
        QTest::newRow("serial, empty default block")
            << "serial" << QStringList { "empty@readDefaults" } << read << 3 << readError << "kept";
    }

    void hostilePrinter()
    {
        QFETCH(QString, port);
        QFETCH(QStringList, hostile);
        QFETCH(QStringList, command);
        QFETCH(int, code);
        QFETCH(QString, text);
        QFETCH(QString, printer);
        SimProcess sim;
        const QString state = sim.dir() + QStringLiteral("/state.json");
        QStringList simArgs { QStringLiteral("--profile"), kProfile, QStringLiteral("--state"),
            state };
        simArgs << (port == QLatin1String("serial")
                ? QStringList { QStringLiteral("--pty") }
                : QStringList { QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0") });
        for (const QString &fault : hostile)
            simArgs << QStringLiteral("--hostile") << fault;
        QVERIFY2(sim.start(simArgs), qPrintable(sim.errorText()));
        const QJsonObject before = stateOf(state);

        QStringList args { QStringLiteral("--port"), port };
        if (port == QLatin1String("serial"))
            args << QStringLiteral("--device") << sim.ptyPath() << QStringLiteral("--baud")
                 << QStringLiteral("115200");
        else
            args << QStringLiteral("--host") << QStringLiteral("127.0.0.1")
                 << QStringLiteral("--tcp-port") << QString::number(sim.tcpPort());
        const RkctlRun run = rkctl(args + command);
        const QString report = QStringLiteral("exit %1\nstdout: %2\nstderr: %3\nprinter log:\n%4")
                                   .arg(run.code)
                                   .arg(run.out, run.err, sim.log().join(QLatin1Char('\n')));
        QVERIFY2(sim.count(QStringLiteral("FAULT ")) == hostile.size(), qPrintable(report));
        QVERIFY2(run.code == code, qPrintable(report));
        QVERIFY2((code == 0 ? run.out : run.err).contains(text), qPrintable(report));
        if (code != 0) {
            QVERIFY2(!run.out.contains(QLatin1String("Save Successful"))
                    && !run.out.contains(QLatin1String("Factory defaults restored.")),
                qPrintable(report));
        }

        // Nothing reached the printer outside a command: a setting byte without its announcement
        // shows as unknown bytes or as commands nobody sent.
        QVERIFY2(sim.count(QStringLiteral("UNKNOWN")) == 0, qPrintable(report));
        for (const char *foreign : { "CMD pollTest", "CMD cancelTest", "CMD writeMac",
                 "CMD firmwareMode", "CMD writeParameterList", "CMD leave" })
            QVERIFY2(sim.count(QLatin1String(foreign)) == 0, qPrintable(report));
        if (command.first() != QLatin1String("reset"))
            QVERIFY2(sim.count(QStringLiteral("STATE defaults restored")) == 0, qPrintable(report));
        // Every block that arrived came with its announcement.
        QVERIFY2(sim.count(QStringLiteral("DATA writeBlock")) + sim.count(QStringLiteral("IGNORED"))
                <= sim.count(QStringLiteral("CMD announceBlock")),
            qPrintable(report));

        const QJsonObject after = stateOf(state);
        const int changedBytes = differences(blockIn(before), blockIn(after));
        QCOMPARE(blockIn(after).size(), 1024);
        if (printer == QLatin1String("kept")) {
            QVERIFY2(changedBytes == 0, qPrintable(report));
            QVERIFY2(sim.count(QStringLiteral("CMD announceBlock")) == 0
                    || hostile.first().startsWith(QLatin1String("silent@writeBlock")),
                qPrintable(report));
        } else if (printer == QLatin1String("written")) {
            // The one setting, nothing else.
            QVERIFY2(changedBytes > 0 && changedBytes <= 2, qPrintable(report));
        } else if (printer == QLatin1String("restored")) {
            QCOMPARE(blockIn(after), blockIn(before, "defaultBlock"));
        }
    }
};

QTEST_GUILESS_MAIN(tst_WireSafety)
#include "tst_wiresafety.moc"
