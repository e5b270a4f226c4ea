#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QtTest>

#include "rkctlrun.h"
#include "firmwarefile.h"
#include "simprocess.h"

namespace {
QString describe(const RkctlRun &run)
{
    return QStringLiteral("exit %1\nstdout: %2\nstderr: %3").arg(run.code).arg(run.out, run.err);
}
} // namespace

// rkctl firmware as a script runs it, against simulated network printers.
class tst_RkctlFirmware : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        // The 12 s the printer needs for its download mode, shortened for the simulator.
        qputenv("RKMENU_PRINTER_DELAY_SCALE", "0.01");
    }

    void firmware_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("printers"); // more than one: through --hosts
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("stderrHas");
        QTest::addColumn<bool>("sent");
        const QStringList yes { QStringLiteral("--yes") };
        QTest::newRow("300 KiB")
            << 300 * 1024 << yes << QString() << 1 << 0
            << QStringList { QStringLiteral("firmware 10 % ("), QStringLiteral("firmware 100 % (307200 of 307200 bytes)") }
            << true;
        QTest::newRow("1023 bytes") << 1023 << yes << QString() << 1 << 0
                                    << QStringList { QStringLiteral("(0 kb)") } << true;
        QTest::newRow("no one to answer the question")
            << 4096 << QStringList() << QString() << 1 << 2
            << QStringList { QStringLiteral("give --yes") } << false;
        QTest::newRow("empty file") << 0 << yes << QString() << 1 << 1
                                    << QStringList { QStringLiteral("Firmware cannot be read!") }
                                    << false;
        QTest::newRow("line dropped") << 300 * 1024 << yes << QStringLiteral("close@firmwareData#2")
                                      << 1 << 3
                                      << QStringList { QStringLiteral("communicate Error: Write Port Error\nFirmware Update Error!") }
                                      << false;
        QTest::newRow("two printers at once")
            << 200 * 1024 << yes << QString() << 2 << 0
            << QStringList { QStringLiteral(": firmware 100 % (204800 of 204800 bytes)") } << true;
    }

    void firmware()
    {
        QFETCH(int, size);
        QFETCH(QStringList, options);
        QFETCH(QString, fault);
        QFETCH(int, printers);
        QFETCH(int, exitCode);
        QFETCH(QStringList, stderrHas);
        QFETCH(bool, sent);
        QStringList simArgs { QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
            QStringLiteral("--count"), QString::number(printers), QStringLiteral("--idle-ms"),
            QStringLiteral("150"), QStringLiteral("--flash-ms"), QStringLiteral("1500") };
        if (!fault.isEmpty())
            simArgs << QStringLiteral("--hostile") << fault;
        SimProcess sim;
        QVERIFY2(sim.start(simArgs, printers), qPrintable(sim.errorText()));
        const QByteArray data = firmwareBytes(size);
        const QString file = m_dir.filePath(QStringLiteral("fw%1.ds").arg(QTest::currentDataTag()));
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(data);
        }
        QStringList args = options;
        if (printers == 1) {
            args << QStringLiteral("--host") << QStringLiteral("127.0.0.1") << QStringLiteral("--tcp-port")
                 << QString::number(sim.tcpPort());
        } else {
            const QString hosts = m_dir.filePath(QStringLiteral("printers.txt"));
            QFile f(hosts);
            QVERIFY(f.open(QIODevice::WriteOnly));
            for (int i = 0; i < printers; ++i)
                f.write(QStringLiteral("127.0.0.1:%1\n").arg(sim.tcpPort(i)).toUtf8());
            args << QStringLiteral("--hosts") << hosts;
        }
        args << QStringLiteral("firmware") << file;

        const RkctlRun run = rkctl(args);
        QVERIFY2(run.code == exitCode, qPrintable(describe(run)));
        for (const QString &part : stderrHas)
            QVERIFY2(run.err.contains(part), qPrintable(describe(run)));
        const QString sha = QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
        const QString arrived = QStringLiteral("FIRMWARE %1 raw sha256=%2").arg(size).arg(sha);
        if (sent) {
            for (int i = 0; i < printers; ++i) {
                const QString prefix = printers > 1 ? QStringLiteral("#%1 ").arg(i) : QString();
                QVERIFY2(sim.waitForLog(prefix + arrived), qPrintable(sim.log().join(QLatin1Char('\n'))));
            }
        } else {
            QTest::qWait(300);
            QCOMPARE(sim.log().filter(arrived), QStringList());
        }
        if (exitCode == 0 && printers == 1)
            QCOMPARE(run.out, QStringLiteral("Complete!\nPrinter will be restarted\n"));
        if (printers > 1) {
            QVERIFY2(run.out.contains(QStringLiteral("%1 of %1 printers succeeded").arg(printers)),
                qPrintable(describe(run)));
            for (int i = 0; i < printers; ++i)
                QVERIFY(run.out.contains(QRegularExpression(
                    QStringLiteral("127.0.0.1:%1 +ok ").arg(sim.tcpPort(i)))));
        }
        if (options.isEmpty() || size == 0)
            QCOMPARE(sim.count(QStringLiteral("CMD")), 0);
    }
};

QTEST_GUILESS_MAIN(tst_RkctlFirmware)
#include "tst_rkctlfirmware.moc"
