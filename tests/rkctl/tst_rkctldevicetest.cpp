#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QtTest>

#include "rkctlrun.h"
#include "simcommands.h"

namespace {
QString describe(const RkctlRun &run)
{
    return QStringLiteral("exit %1\nstdout: %2\nstderr: %3").arg(run.code).arg(run.out, run.err);
}

RkctlRun runAgainst(const SimProcess &sim, const QStringList &args)
{
    return rkctl(QStringList { QStringLiteral("--host"), QStringLiteral("127.0.0.1"),
                     QStringLiteral("--tcp-port"), QString::number(sim.tcpPort()) }
        + args);
}
} // namespace

// rkctl test and rkctl sensors as processes against the simulated printer.
class tst_RkctlDeviceTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("RKMENU"),
            QStringLiteral("config"))
            .clear();
    }

    void test_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("script");
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("err"); // contained in standard error
        QTest::addColumn<QStringList>("commands");

        QTest::newRow("running twice, then success")
            << "qp80" << "printMenu=2,2,2,0" << QStringList { "test", "menu" } << 0
            << "Test success.\n" << ""
            << QStringList { "printMenu 1d0120", "pollTest 47", "pollTest 47", "pollTest 47" };
        QTest::newRow("paper: continue")
            << "qp80" << "printMenu=2,3,3,0"
            << QStringList { "test", "menu", "--paper", "continue" } << 0
            << "Paper is Needed. Continued.\nTest success.\n" << ""
            << QStringList { "printMenu 1d0120", "pollTest 47", "pollTest 47", "pollTest 47" };
        QTest::newRow("paper: cancel")
            << "qp80" << "printMenu=2,3" << QStringList { "test", "menu", "--paper", "cancel" }
            << 4 << "Paper is Needed. Cancelled.\n" << "cancelled"
            << QStringList { "printMenu 1d0120", "pollTest 47", "cancelTest 43" };
        QTest::newRow("paper: nobody to ask cancels")
            << "qp80" << "printInformation=2,3" << QStringList { "test", "info" } << 4
            << "Paper is Needed. Cancelled.\n" << "cancelled"
            << QStringList { "printInformation 1d0110", "pollTest 47", "cancelTest 43" };
        QTest::newRow("pin test")
            << "qp80" << "pinTest=0" << QStringList { "test", "pin" } << 0 << "Test success.\n"
            << "" << QStringList { "pinTest 1d0124" };
        QTest::newRow("failed")
            << "qp80" << "hexMode=1" << QStringList { "test", "hex" } << 5 << ""
            << "Device Test Failed." << QStringList { "hexMode 1d0140" };
        QTest::newRow("out of paper")
            << "qp80" << "headTemperature=255" << QStringList { "test", "headtemp" } << 5 << ""
            << "Out Of Paper." << QStringList { "headTemperature 1d0123" };
        QTest::newRow("electrical check")
            << "qp80" << "electricalCheck=0" << QStringList { "test", "electrical" } << 0
            << "Test success.\n" << "" << QStringList { "electricalCheck 1d016102" };
        QTest::newRow("unknown answer")
            << "qp80" << "printFwInfo=9" << QStringList { "test", "fwinfo" } << 3 << ""
            << "no test result" << QStringList { "printFwInfo 1d0101" };
        QTest::newRow("test type 3 has no tests")
            << "rp0501" << "pinTest=0" << QStringList { "test", "pin" } << 4 << ""
            << "This model does not support testing." << QStringList();
        QTest::newRow("test type 0")
            << "rk7300" << "pinTest=0" << QStringList { "test", "pin" } << 4 << ""
            << "This model does not support testing." << QStringList();
        QTest::newRow("sensors of test type 2")
            << "zn470kw" << "pinTest=0" << QStringList { "sensors" } << 4 << ""
            << "This model does not support testing." << QStringList();
    }

    void test()
    {
        QFETCH(QString, profile);
        QFETCH(QString, script);
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, out);
        QFETCH(QString, err);
        QFETCH(QStringList, commands);
        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
                     QStringLiteral("--profile"), profile, QStringLiteral("--test"), script }),
            qPrintable(sim.errorText()));
        const RkctlRun run = runAgainst(sim, args);
        QVERIFY2(run.code == code, qPrintable(describe(run)));
        QCOMPARE(run.out, out);
        QVERIFY2(run.err.contains(err), qPrintable(describe(run)));
        QCOMPARE(commandsAfterIdentification(sim), commands);
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("err");
        QTest::newRow("no name") << QStringList { "test" } << "test needs one of: hex, fwinfo";
        QTest::newRow("unknown name") << QStringList { "test", "sensors" } << "test needs one of";
        QTest::newRow("two names") << QStringList { "test", "pin", "hex" } << "test needs one of";
        QTest::newRow("sensors with a name") << QStringList { "sensors", "x" } << "no arguments";
        QTest::newRow("--paper elsewhere")
            << QStringList { "sensors", "--paper", "continue" } << "--paper is for test";
        QTest::newRow("--paper answer") << QStringList { "test", "menu", "--paper", "yes" }
                                        << "--paper is for test and takes continue or cancel";
    }

    void usage()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, err);
        const RkctlRun run = rkctl(QStringList { QStringLiteral("--host"),
                                       QStringLiteral("127.0.0.1") }
            + args);
        QVERIFY2(run.code == 2, qPrintable(describe(run)));
        QVERIFY2(run.err.contains(err), qPrintable(describe(run)));
    }

    void sensors()
    {
        SimProcess sim;
        // 17 bytes: the head temperature's code and the two mode bytes are missing.
        QVERIFY2(sim.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
                     QStringLiteral("--profile"), QStringLiteral("qp80"),
                     QStringLiteral("--sensors"),
                     QStringLiteral("012C0300000101900100C8040064030023") }),
            qPrintable(sim.errorText()));
        const RkctlRun table = runAgainst(sim, { QStringLiteral("sensors") });
        QVERIFY2(table.code == 0, qPrintable(describe(table)));
        const QStringList lines = table.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 8);
        QVERIFY(lines.at(0).startsWith(QLatin1String("Component")));
        const QStringList expected { "1.Friction Paper Sensor / Fanfold paper sensor Paper Out 300",
            "2.Paper width sensor1 / Black mark sensor Paper In 400",
            "3.Paper width sensor2 Open/Unconnect 200", "4.Paper-pressed lever sensor Press Down 100",
            "5.Head temperature High/Low 35", "6.Paper path sensor Fanfold Paper 0",
            "7.Gap sensor Normal Mode 0" };
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(lines.at(i + 1).simplified(), expected.at(i));

        const RkctlRun json = runAgainst(sim, { QStringLiteral("sensors"), QStringLiteral("--json") });
        QVERIFY2(json.code == 0, qPrintable(describe(json)));
        const QJsonObject o = QJsonDocument::fromJson(json.out.toUtf8()).object();
        const QJsonArray rows = o.value(QStringLiteral("sensors")).toArray();
        QCOMPARE(rows.size(), 7);
        QCOMPARE(rows.at(4).toObject().value(QStringLiteral("status")).toString(),
            QStringLiteral("High/Low"));
        QCOMPARE(rows.at(4).toObject().value(QStringLiteral("colour")).toString(),
            QStringLiteral("#FF0000"));
        QCOMPARE(rows.at(0).toObject().value(QStringLiteral("value")).toInt(), 300);
        QCOMPARE(o.value(QStringLiteral("paperPresent")), QJsonValue(false));
    }
};

QTEST_GUILESS_MAIN(tst_RkctlDeviceTest)
#include "tst_rkctldevicetest.moc"
