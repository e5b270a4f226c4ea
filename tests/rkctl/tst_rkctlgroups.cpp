#include <QTextCodec>
#include <QtTest>

#include "printerprofile.h"
#include "rkctlrun.h"
#include "blockruns.h"
#include "simprocess.h"

namespace {
QString describe(const RkctlRun &run)
{
    return QStringLiteral("exit %1\nstdout: %2\nstderr: %3").arg(run.code).arg(run.out, run.err);
}

QByteArray initialBlock(const QString &profile)
{
    PrinterProfile p;
    QString error;
    if (!PrinterProfile::load(profile, &p, &error))
        qFatal("%s", qPrintable(error));
    return p.settingBlock;
}

struct Sim
{
    SimProcess process;
    bool start(const QString &profile)
    {
        return process.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
            QStringLiteral("--profile"), profile, QStringLiteral("--state"), process.stateFile() });
    }
    QStringList at() const
    {
        return { QStringLiteral("--host"), QStringLiteral("127.0.0.1"), QStringLiteral("--tcp-port"),
            QString::number(process.tcpPort()) };
    }
    QByteArray block() const { return SimProcess::settingBlockIn(process.stateFile()); }
};
} // namespace

// rkctl on the settings that their group's own Write button writes, against the simulator.
class tst_RkctlGroups : public QObject
{
    Q_OBJECT

private slots:
    void groupSet_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QStringList>("assignments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text"); // in stdout (exit 0) or stderr
        QTest::addColumn<QString>("changed"); // the block's positions that change

        QTest::newRow("SSID") << "zn470kw" << QStringList { "Wifi Setup/Network Name (SSID)=Store" }
                              << 0 << "Save Successful" << "320-328";
        QTest::newRow("SSID in Chinese")
            << "zn470kw" << QStringList { "Wifi Setup/Network Name (SSID)=仓库" } << 4
            << "SSID can't be chinese." << "";
        QTest::newRow("WEP without its key")
            << "zn470kw" << QStringList { "Wifi Setup/Security=WEP 64-bit" } << 4
            << "Follow the prompts to input the correct password." << "";
        QTest::newRow("WEP with its key")
            << "zn470kw" << QStringList { "Wifi Setup/Security=WEP 64-bit", "Wifi Setup/WEP Key=k3y5!" }
            << 0 << "Save Successful" << "318 344-348";
        QTest::newRow("Wi-Fi gateway ending in a point")
            << "zn470kw" << QStringList { "Wifi Setup/Default Gateway=192.168.1." } << 4
            << "Please input the correct default gateway." << "";
        QTest::newRow("Ethernet address and the save flag")
            << "zn470kw" << QStringList { "Ethernet Setup/IP Address=192.168.0.50" } << 0
            << "Save Successful" << "443 571";
        QTest::newRow("Ethernet gateway ending in a point")
            << "zn470kw" << QStringList { "Ethernet Setup/Default Gateway=192.168.0." } << 4
            << "Please input the correct default getway." << "";
        QTest::newRow("Ethernet mask of three parts")
            << "zn470kw" << QStringList { "Ethernet Setup/Subnet Mask=255.255.255" } << 4
            << "Please input the correct subnet mask." << "";
        QTest::newRow("Ethernet name of 17 bytes")
            << "zn470kw" << QStringList { "Ethernet Setup/Printer Name=Warehouse-Printer" } << 4
            << "Name string length is too long." << "";
        QTest::newRow("Bluetooth name, 0701 layout")
            << "zn470kw" << QStringList { "Bluetooth Setup/Bluetooth Name=Zz9Bt" } << 0
            << "Save Successful" << "659-669 689";
        QTest::newRow("Bluetooth name of 17 bytes")
            << "zn470kw" << QStringList { "Bluetooth Setup/Bluetooth Name=RKPrinterBT123456" } << 4
            << "Follow the prompts to input the correct bluetooth name." << "";
        QTest::newRow("Bluetooth pass code, area at 596")
            << "rp0501" << QStringList { "Bluetooth Setup/Pass Code=4321" } << 0
            << "Save Successful" << "613-616 618";
        QTest::newRow("Bluetooth pass code with a letter")
            << "rp0501" << QStringList { "Bluetooth Setup/Pass Code=a321" } << 4
            << "Follow the prompts to input the correct password." << "";
        QTest::newRow("a page setting with a group setting")
            << "zn470kw"
            << QStringList { "Print Setup/Print Speed=Quiet", "Wifi Setup/Network Name (SSID)=Store" }
            << 0 << "Save Successful" << "224 320-328";
        QTest::newRow("refused group stops the page setting too")
            << "zn470kw"
            << QStringList { "Print Setup/Print Speed=Quiet", "Wifi Setup/Network Name (SSID)=仓库" }
            << 4 << "Nothing was written." << "";
    }

    // A group setting changes exactly its group's bytes; a refused check writes nothing.
    void groupSet()
    {
        QFETCH(QString, profile);
        QFETCH(QStringList, assignments);
        QFETCH(int, code);
        QFETCH(QString, text);
        QFETCH(QString, changed);
        Sim sim;
        QVERIFY2(sim.start(profile), qPrintable(sim.process.errorText()));
        const RkctlRun run = rkctl(sim.at() + QStringList { QStringLiteral("set") } + assignments);
        QVERIFY2(run.code == code, qPrintable(describe(run)));
        QVERIFY2((code == 0 ? run.out : run.err).contains(text), qPrintable(describe(run)));
        QCOMPARE(sim.process.count(QStringLiteral("DATA writeBlock")), code == 0 ? 1 : 0);
        if (code == 0)
            QCOMPARE(changedRuns(initialBlock(profile), sim.block()), changed);
    }

    // The MAC address is read and written with its own commands; rkctl ip shows the address.
    void macAndAddress()
    {
        Sim sim;
        QVERIFY2(sim.start(QStringLiteral("zn470kw")), qPrintable(sim.process.errorText()));
        RkctlRun run = rkctl(sim.at() << QStringLiteral("mac"));
        QVERIFY2(run.code == 0 && run.out.trimmed() == QLatin1String("00:15:8C:2A:3B:4F"),
            qPrintable(describe(run)));

        run = rkctl(sim.at() << QStringLiteral("mac") << QStringLiteral("--set")
                             << QStringLiteral("02-15-8c-00-00-2a"));
        QVERIFY2(run.code == 0, qPrintable(describe(run)));
        // 1D 02 34 00 06 and exactly the six bytes, after the printer check.
        QCOMPARE(sim.process.count(QStringLiteral("CMD writeMac 1d02340006")), 1);
        QCOMPARE(sim.process.count(QStringLiteral("DATA writeMac 02158c00002a")), 1);
        QCOMPARE(sim.process.count(QStringLiteral("UNKNOWN")), 0);
        run = rkctl(sim.at() << QStringLiteral("mac"));
        QCOMPARE(run.out.trimmed(), QStringLiteral("02:15:8C:00:00:2A"));

        run = rkctl(sim.at() << QStringLiteral("ip"));
        QVERIFY2(run.code == 0 && run.out.trimmed() == QLatin1String("192.168.0.89"),
            qPrintable(describe(run)));
    }

    void macRefused_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("group address") << QStringList { "mac", "--set", "01:00:5E:00:00:01" };
        QTest::newRow("five bytes") << QStringList { "mac", "--set", "00:15:8C:2A:3B" };
        QTest::newRow("--set elsewhere") << QStringList { "ip", "--set", "00:15:8C:2A:3B:4F" };
        QTest::newRow("arguments") << QStringList { "ip", "now" };
    }

    // A wrong address is a usage error: the printer is not even asked.
    void macRefused()
    {
        QFETCH(QStringList, args);
        Sim sim;
        QVERIFY2(sim.start(QStringLiteral("zn470kw")), qPrintable(sim.process.errorText()));
        const RkctlRun run = rkctl(sim.at() + args);
        QVERIFY2(run.code == 2, qPrintable(describe(run)));
        QCOMPARE(sim.process.count(QStringLiteral("CMD")), 0);
    }
};

QTEST_GUILESS_MAIN(tst_RkctlGroups)
#include "tst_rkctlgroups.moc"
