#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "brokenprofile.h"

#include "engine/settingsfile.h"
#include "rkctlrun.h"
#include "simprocess.h"

namespace {
QString describe(const RkctlRun &run)
{
    return QStringLiteral("exit %1\nstdout: %2\nstderr: %3").arg(run.code).arg(run.out, run.err);
}

QStringList at(quint16 port)
{
    return { QStringLiteral("--host"), QStringLiteral("127.0.0.1"), QStringLiteral("--tcp-port"),
        QString::number(port) };
}

bool startSim(SimProcess &sim, const QString &profile, int count = 1, const QStringList &more = {})
{
    QStringList args { QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
        QStringLiteral("--profile"), profile, QStringLiteral("--state"),
        sim.dir() + QStringLiteral("/state.json") };
    if (count > 1)
        args << QStringLiteral("--count") << QString::number(count);
    return sim.start(args + more, count);
}

// A "val" of the parameter list the simulated printer holds now.
QString printerValue(const SimProcess &sim, int printer, const QString &page, const QString &key)
{
    QString path = sim.dir() + QStringLiteral("/state.json");
    if (printer > 0)
        path += QStringLiteral(".%1").arg(printer);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("(no state)");
    const QJsonObject state = QJsonDocument::fromJson(file.readAll()).object();
    const QJsonObject list
        = QJsonDocument::fromJson(state.value(QStringLiteral("parameterList")).toString().toUtf8())
              .object();
    return list.value(page).toObject().value(key).toObject().value(QStringLiteral("val")).toString();
}

// name -> value of a `read --json`.
QMap<QString, QString> values(const RkctlRun &read)
{
    QMap<QString, QString> out;
    const QJsonArray settings = QJsonDocument::fromJson(read.out.toUtf8())
                                    .object()
                                    .value(QStringLiteral("settings"))
                                    .toArray();
    for (const QJsonValue &v : settings)
        out.insert(v.toObject().value(QStringLiteral("name")).toString(),
            v.toObject().value(QStringLiteral("value")).toString());
    return out;
}
} // namespace

// rkctl on printers that describe their settings as a parameter list, against the simulator.
class tst_RkctlParameters : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("RKMENU"),
            QStringLiteral("config"))
            .clear();
    }

    void readShowsShownPagesOnly()
    {
        SimProcess sim;
        QVERIFY2(startSim(sim, QStringLiteral("pl300")), qPrintable(sim.errorText()));
        const RkctlRun read = rkctl(at(sim.tcpPort()) + QStringList { QStringLiteral("read") });
        QVERIFY2(read.code == 0, qPrintable(describe(read)));
        QVERIFY2(read.out.contains(QStringLiteral("System Setup/Print speed")), qPrintable(read.out));
        QVERIFY(read.out.contains(QStringLiteral("纸张设置/页长 (mm)")));
        QVERIFY(read.out.contains(QStringLiteral("Customized Form/Form length (lines)")));
        QVERIFY(read.out.contains(QStringLiteral("Other Setup/Auto cut#2")));
        QVERIFY(!read.out.contains(QStringLiteral("Factory")));
        QCOMPARE(sim.count(QStringLiteral("DATA writeParameterList")), 0);
    }

    void setThenReadBack_data()
    {
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("val");
        QTest::newRow("enumeration")
            << QStringList { "System Setup/Print speed=High" } << "System Setup" << "speed"
            << "High+2";
        QTest::newRow("Chinese page, counted down range")
            << QStringList { "Paper Setup/上边距 (mm)=15" } << "纸张设置" << "topMargin"
            << "15+15";
        QTest::newRow("repeated caption, by key")
            << QStringList { "Other Setup/Auto cut#2=Partial", "Wifi Setup/channel=11" }
            << "Other Setup" << "tearOff" << "Partial+2";
    }

    // A changed value goes to the printer as JSON and is read back.
    void setThenReadBack()
    {
        QFETCH(QStringList, assignments);
        QFETCH(QString, page);
        QFETCH(QString, key);
        QFETCH(QString, val);
        SimProcess sim;
        QVERIFY2(startSim(sim, QStringLiteral("pl300")), qPrintable(sim.errorText()));
        const RkctlRun set
            = rkctl(at(sim.tcpPort()) + QStringList { QStringLiteral("set") } + assignments);
        QVERIFY2(set.code == 0, qPrintable(describe(set)));
        QVERIFY(set.out.contains(QStringLiteral("Save Successful")));
        QCOMPARE(sim.count(QStringLiteral("DATA writeParameterList")), 1);
        QTRY_COMPARE(printerValue(sim, 0, page, key), val);
        const RkctlRun get = rkctl(at(sim.tcpPort())
            + QStringList { QStringLiteral("get"), assignments.first().section(QLatin1Char('='), 0, 0) });
        QVERIFY2(get.code == 0, qPrintable(describe(get)));
        QCOMPARE(get.out.trimmed(), assignments.first().section(QLatin1Char('='), 1));
    }

    void setRefused_data()
    {
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("not an option")
            << QStringList { "System Setup/Print speed=Turbo" } << 2
            << "choices: Low, Normal, High";
        QTest::newRow("off the range's step")
            << QStringList { "System Setup/Buzzer=On", "Paper Setup/页长 (mm)=55" } << 2
            << "choices: 50, 60";
        QTest::newRow("hidden page") << QStringList { "Factory/Serial number=PL300-0001" } << 2
                                     << "no setting";
    }

    // Nothing goes to the printer when one value is refused.
    void setRefused()
    {
        QFETCH(QStringList, assignments);
        QFETCH(int, code);
        QFETCH(QString, message);
        SimProcess sim;
        QVERIFY2(startSim(sim, QStringLiteral("pl300")), qPrintable(sim.errorText()));
        const RkctlRun set
            = rkctl(at(sim.tcpPort()) + QStringList { QStringLiteral("set") } + assignments);
        QVERIFY2(set.code == code, qPrintable(describe(set)));
        QVERIFY2(set.err.contains(message), qPrintable(set.err));
        QVERIFY(set.err.contains(QStringLiteral("Nothing was written.")));
        QCOMPARE(sim.count(QStringLiteral("CMD writeParameterList")), 0);
    }

    // Export from one printer, import onto a second of the same model: the same values.
    void exportThenImportOntoAnotherPrinter()
    {
        SimProcess sim;
        QVERIFY2(startSim(sim, QStringLiteral("pl300"), 2), qPrintable(sim.errorText()));
        const QStringList first = at(sim.tcpPort(0));
        const QStringList second = at(sim.tcpPort(1));
        const RkctlRun set = rkctl(first
            + QStringList { QStringLiteral("set"), QStringLiteral("System Setup/Print density=7"),
                QStringLiteral("字符设置/字体=黑体"), QStringLiteral("Wifi Setup/DHCP=Off") });
        QVERIFY2(set.code == 0, qPrintable(describe(set)));
        QTemporaryDir dir;
        const RkctlRun exported = rkctl(
            first + QStringList { QStringLiteral("export"), dir.filePath(QStringLiteral("pl")) });
        QVERIFY2(exported.code == 0, qPrintable(describe(exported)));
        const QString file = dir.filePath(QStringLiteral("pl.cfg"));
        SettingsFile::Content content;
        QCOMPARE(SettingsFile::load(file, &content), SettingsFile::Status::Ok);
        QCOMPARE(content.modelName, QStringLiteral("PL-300"));
        // The write text, UTF-8: only "val" members.
        const QString text = QString::fromUtf8(content.data);
        QVERIFY2(text.contains(QStringLiteral("\"黑体+1\"")), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("\"tip\"")) && !text.contains(QStringLiteral("\"list\"")));

        const RkctlRun imported = rkctl(second + QStringList { QStringLiteral("import"), file });
        QVERIFY2(imported.code == 0, qPrintable(describe(imported)));
        const RkctlRun readFirst
            = rkctl(first + QStringList { QStringLiteral("--json"), QStringLiteral("read") });
        const RkctlRun readSecond
            = rkctl(second + QStringList { QStringLiteral("--json"), QStringLiteral("read") });
        QVERIFY2(readSecond.code == 0, qPrintable(describe(readSecond)));
        QVERIFY(!values(readFirst).isEmpty());
        QCOMPARE(values(readSecond), values(readFirst));
        QCOMPARE(values(readSecond).value(QStringLiteral("Wifi Setup/DHCP")), QStringLiteral("Off"));
    }

    void importRefused_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("message");
        QTest::newRow("another model")
            << "PL-100" << QByteArray("{\"System Setup\":{\"speed\":{\"val\":\"Low+0\"}}}")
            << "Printer type different!";
        QTest::newRow("truncated text")
            << "PL-300" << QByteArray("{\"System Setup\":{\"speed\":{\"val\":\"Lo")
            << "not a parameter list";
        QTest::newRow("garbage") << "PL-300" << QByteArray("\x00\xff\x13garbage", 10)
                                 << "not a parameter list";
        QTest::newRow("no value of this printer")
            << "PL-300" << QByteArray("{\"Paper Setup\":{\"x\":{\"val\":\"1+1\"}}}") << "no value";
        QTest::newRow("truncated file") << "PL-300" << QByteArray() << "not a settings file";
    }

    // A refused import sends nothing to the printer.
    void importRefused()
    {
        QFETCH(QString, model);
        QFETCH(QByteArray, data);
        QFETCH(QString, message);
        SimProcess sim;
        QVERIFY2(startSim(sim, QStringLiteral("pl300")), qPrintable(sim.errorText()));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("x.cfg"));
        QCOMPARE(SettingsFile::save(file, { model, data }), SettingsFile::Status::Ok);
        if (data.isEmpty()) {
            // Cut inside the settings data's byte count.
            QFile cut(file);
            QVERIFY(cut.open(QIODevice::ReadWrite));
            QVERIFY(cut.resize(cut.size() - 2));
        }
        const RkctlRun run = rkctl(at(sim.tcpPort()) + QStringList { QStringLiteral("import"), file });
        QVERIFY2(run.code == 4, qPrintable(describe(run)));
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(sim.count(QStringLiteral("CMD writeParameterList")), 0);
    }

    void hostilePrinter_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        // A list cut short or lost once is asked for again, never taken as it came.
        QTest::newRow("list cut short") << "truncate@readParameterList" << 0 << "Save Successful";
        QTest::newRow("list lost") << "drop@readParameterList" << 0 << "Save Successful";
        QTest::newRow("read-back cut short")
            << "truncate@readParameterList#2" << 0 << "Save Successful";
        QTest::newRow("write taken but not applied")
            << "silent@writeParameterList" << 3 << "did not confirm";
    }

    // A set is reported as saved only when the printer holds the value.
    void hostilePrinter()
    {
        QFETCH(QString, fault);
        QFETCH(int, code);
        QFETCH(QString, message);
        SimProcess sim;
        QVERIFY2(startSim(sim, QStringLiteral("pl300"), 1, { QStringLiteral("--hostile"), fault }),
            qPrintable(sim.errorText()));
        const RkctlRun run = rkctl(at(sim.tcpPort())
            + QStringList { QStringLiteral("set"), QStringLiteral("System Setup/Print speed=Low") });
        QVERIFY2(run.code == code, qPrintable(describe(run)));
        QVERIFY2((code == 0 ? run.out : run.err).contains(message), qPrintable(describe(run)));
        if (code == 0) {
            QTRY_COMPARE(printerValue(sim, 0, QStringLiteral("System Setup"),
                             QStringLiteral("speed")),
                QStringLiteral("Low+0"));
        } else {
            QVERIFY(!run.out.contains(QStringLiteral("Save Successful")));
            QCOMPARE(sim.count(QStringLiteral("DATA writeParameterList")), 0);
            // The text was taken whole, not left to be read as commands.
            QCOMPARE(sim.count(QStringLiteral("IGNORED writeParameterList")), 1);
        }
    }

    // A reply that is not JSON builds no pages, says so, and nothing is written.
    void replyNotJson()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("broken.json"));
        QVERIFY(writeProfileWithBrokenList(path));
        SimProcess sim;
        QVERIFY2(startSim(sim, path), qPrintable(sim.errorText()));
        const RkctlRun run = rkctl(at(sim.tcpPort())
            + QStringList { QStringLiteral("set"), QStringLiteral("System Setup/Print speed=Low") });
        QVERIFY2(run.code == 3, qPrintable(describe(run)));
        QVERIFY2(run.err.contains(QStringLiteral("not a JSON object")), qPrintable(run.err));
        QCOMPARE(sim.count(QStringLiteral("CMD writeParameterList")), 0);
    }
};

QTEST_GUILESS_MAIN(tst_RkctlParameters)
#include "tst_rkctlparameters.moc"
