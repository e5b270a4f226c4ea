#include <QElapsedTimer>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTcpSocket>
#include <QtTest>

#include "printercommands.h"
#include "printerprofile.h"
#include "simprocess.h"

namespace {

const QString kSim = QStringLiteral(RK_BIN_DIR "/rkprinter-sim");

QByteArray cmd(SimCommand c)
{
    return simCommand(c).bytes;
}

// A plain client: send, then collect until `size` bytes came or the time is up.
QByteArray exchange(QTcpSocket &socket, const QByteArray &command, int size, int timeoutMs = 3000)
{
    socket.write(command);
    socket.waitForBytesWritten(timeoutMs);
    QByteArray reply;
    QElapsedTimer clock;
    clock.start();
    while (reply.size() < size && clock.elapsed() < timeoutMs) {
        if (socket.bytesAvailable() == 0)
            socket.waitForReadyRead(int(timeoutMs - clock.elapsed()));
        reply.append(socket.readAll());
    }
    return reply;
}

QString modelOf(const QByteArray &framedReply)
{
    QByteArray text = framedReply.mid(6);
    if (text.startsWith(modelReplyMarker()))
        text.remove(0, modelReplyMarker().size());
    return QString::fromUtf8(text).section(QLatin1Char(';'), 0, 0);
}

} // namespace

class tst_Simulator : public QObject
{
    Q_OBJECT

private slots:
    void helpDocumentsTheOptions()
    {
        QProcess p;
        p.start(kSim, { QStringLiteral("--help") });
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 0);
        const QString help = QString::fromUtf8(p.readAllStandardOutput());
        for (const char *option :
            { "--tcp", "--count", "--pty", "--pty-kind", "--profile", "--state", "--log",
                "--delay-ms", "--chunk", "--drop-after", "--truncate", "--garbage", "--refuse",
                "--fault-replies", "--idle-ms", "--watch-stdin", "READY tcp" })
            QVERIFY2(help.contains(QLatin1String(option)), option);
    }

    void listsTheBuiltInProfiles()
    {
        QProcess p;
        p.start(kSim, { QStringLiteral("--list-profiles") });
        QVERIFY(p.waitForFinished(5000));
        const QStringList ids = QString::fromUtf8(p.readAllStandardOutput())
                                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(ids,
            (QStringList { "bx580", "mv4310", "mv4410c", "pl100", "pl300", "qp80", "rk3000",
                "rk5200-legacy", "rk5200-new", "rk7300", "rp0501", "zn350bt", "zn470kw",
                "zn480w" }));
    }

    void badArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown profile")
            << QStringList { "--profile", "nope" } << "no profile \"nope\"";
        QTest::newRow("endpoint without port")
            << QStringList { "--tcp", "127.0.0.1" } << "HOST:PORT";
        QTest::newRow("negative delay") << QStringList { "--delay-ms", "-5" } << "--delay-ms";
        QTest::newRow("pty kind") << QStringList { "--pty", "--pty-kind", "usb" }
                                  << "serial or lpt";
    }

    void badArguments()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        QProcess p;
        p.start(kSim, args);
        QVERIFY(p.waitForFinished(5000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains(message));
    }

    // The simulator answers a client written by hand, with the framing the program expects.
    void handWrittenClient()
    {
        const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
        if (python.isEmpty())
            QSKIP("python3 is not installed");
        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0") }),
            qPrintable(sim.errorText()));
        QProcess client;
        client.start(python,
            { QStringLiteral(RK_SOURCE_DIR "/tools/printer-sim/simclient.py"),
                QStringLiteral("127.0.0.1:%1").arg(sim.tcpPort()),
                QStringLiteral("1D1A1B1C1D4D4F444500"), QStringLiteral("1D030701"),
                QStringLiteral("1D0302"), QStringLiteral("1D012047") });
        QVERIFY(client.waitForFinished(20000));
        QCOMPARE(client.exitCode(), 0);
        const QStringList lines = QString::fromUtf8(client.readAllStandardOutput())
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines.at(0), QStringLiteral("1d1a1b1c1d4d4f444543"));
        QCOMPARE(QByteArray::fromHex(lines.at(1).toLatin1()),
            QByteArray::fromHex("1d030701000e") + "EDS;ZN47;07;01");
        QVERIFY(lines.at(2).startsWith(QLatin1String("1d03020400")));
        QCOMPARE(lines.at(2).size(), 2 * 1029);
        // "Print Menu" answers "running"; the poll sent with it answers "running" too.
        QCOMPARE(lines.at(3), QStringLiteral("0202"));
    }

    void severalPrintersInOneProcess()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
                               QStringLiteral("--count"), QStringLiteral("3"),
                               QStringLiteral("--profile"), QStringLiteral("zn470kw"),
                               QStringLiteral("--profile"), QStringLiteral("qp80") },
                     3),
            qPrintable(sim.errorText()));
        QSet<quint16> ports;
        QStringList models;
        for (int i = 0; i < 3; ++i) {
            ports.insert(sim.tcpPort(i));
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, sim.tcpPort(i));
            QVERIFY(socket.waitForConnected(3000));
            const QByteArray reply = exchange(socket, cmd(SimCommand::ReadModel), 6);
            const int length = (quint8(reply.at(4)) << 8) | quint8(reply.at(5));
            models.append(
                modelOf(reply + exchange(socket, QByteArray(), 6 + length - reply.size(), 1000)));
        }
        QCOMPARE(ports.size(), 3);
        QCOMPARE(models, (QStringList { "ZN-470 KW", "QP-80", "QP-80" }));
        QVERIFY(sim.waitForLog(QStringLiteral("#2 CMD readModel")));
        QCOMPARE(sim.count(QStringLiteral("#1 CMD readModel")), 1);
    }

    void stateSurvivesARestart()
    {
        QTemporaryDir dir;
        const QString state = dir.filePath(QStringLiteral("printer.json"));
        QByteArray block(kBlockSize, '\0');
        for (int i = 0; i < block.size(); ++i)
            block[i] = char(i % 13);
        {
            SimProcess sim;
            QVERIFY2(sim.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
                         QStringLiteral("--state"), state }),
                qPrintable(sim.errorText()));
            QTcpSocket socket;
            socket.connectToHost(QHostAddress::LocalHost, sim.tcpPort());
            QVERIFY(socket.waitForConnected(3000));
            QCOMPARE(
                exchange(socket, cmd(SimCommand::AnnounceBlock) + block, 1), QByteArray(1, '\x01'));
            QCOMPARE(exchange(socket,
                         cmd(SimCommand::WriteMac) + QByteArray::fromHex("0A0B0C0D0E0F"), 1),
                QByteArray(1, '\x01'));
        }
        SimProcess again;
        QVERIFY2(again.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
                     QStringLiteral("--state"), state }),
            qPrintable(again.errorText()));
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, again.tcpPort());
        QVERIFY(socket.waitForConnected(3000));
        QCOMPARE(exchange(socket, cmd(SimCommand::ReadSettings), 1029).mid(5), block);
        QCOMPARE(exchange(socket, cmd(SimCommand::ReadMac), 11).mid(5),
            QByteArray::fromHex("0A0B0C0D0E0F"));
    }

    void faults_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("genuine");
        QTest::addColumn<int>("minimumMs");
        QTest::addColumn<bool>("closed");
        QTest::newRow("delay") << QStringList { "--delay-ms", "300" } << 10 << true << 300 << false;
        QTest::newRow("garbage") << QStringList { "--garbage" } << 10 << false << 0 << false;
        QTest::newRow("truncate") << QStringList { "--truncate", "4" } << 4 << true << 0 << false;
        QTest::newRow("drop") << QStringList { "--drop-after", "6" } << 6 << true << 0 << true;
        QTest::newRow("refuse") << QStringList { "--refuse" } << 0 << true << 0 << true;
        QTest::newRow("pieces") << QStringList { "--chunk", "3", "--chunk-gap-ms", "100" } << 10
                                << true << 300 << false;
    }

    void faults()
    {
        QFETCH(QStringList, args);
        QFETCH(int, size);
        QFETCH(bool, genuine);
        QFETCH(int, minimumMs);
        QFETCH(bool, closed);
        SimProcess sim;
        QVERIFY2(sim.start(
                     QStringList { QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0") } + args),
            qPrintable(sim.errorText()));
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, sim.tcpPort());
        QVERIFY(socket.waitForConnected(3000));
        QElapsedTimer clock;
        clock.start();
        const QByteArray reply = exchange(socket, cmd(SimCommand::Handshake), 10, 1500);
        QCOMPARE(reply.size(), size);
        QCOMPARE(reply == QByteArray::fromHex("1D1A1B1C1D4D4F444543").left(size), genuine);
        if (minimumMs > 0)
            QVERIFY(clock.elapsed() >= minimumMs - 20);
        if (closed && socket.state() == QAbstractSocket::ConnectedState)
            socket.waitForDisconnected(2000);
        QCOMPARE(socket.state() == QAbstractSocket::UnconnectedState, closed);
    }

    // The profiles and the delivered database describe the same printers: every option a
    // printer type's controls read from either block is one of that control's options.
    void blocksFitTheDatabase_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("typeName");
        QTest::newRow("rk5200-legacy") << "rk5200-legacy"
                                       << "RK-5200";
        QTest::newRow("rk5200-new") << "rk5200-new"
                                    << "RK-5200_NEW";
        QTest::newRow("mv4410c") << "mv4410c"
                                 << "MV-4410C";
        QTest::newRow("zn470kw") << "zn470kw"
                                 << "ZN-470 KW";
        QTest::newRow("rp0501") << "rp0501"
                                << "RP-58S";
        QTest::newRow("qp80") << "qp80"
                              << "QuenbyQP-80";
        QTest::newRow("rk7300") << "rk7300"
                                << "main_0901";
    }

    void blocksFitTheDatabase()
    {
        QFETCH(QString, profile);
        QFETCH(QString, typeName);
        PrinterProfile p;
        QString error;
        QVERIFY2(PrinterProfile::load(profile, &p, &error), qPrintable(error));
        const QString path = QStringLiteral(RK_BIN_DIR "/SWTDatabase.db");
        if (!QFile::exists(path))
            QSKIP("the settings database has not been built");
        int checked = 0;
        int differing = 0;
        {
            QSqlDatabase db
                = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("profiles"));
            db.setDatabaseName(path);
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            QVERIFY(db.open());
            QSqlQuery q(db);
            q.prepare(QStringLiteral(
                "SELECT a.rpca_byteposition, group_concat(c.rpcc_contentorder) FROM "
                "Re_Prit_Ctrt_Act a "
                "JOIN PrinterType t ON t.prit_id = a.rpca_pritid "
                "JOIN Re_Prit_Ctrt_Ctnt c ON c.rpcc_rpcaid = a.rpca_id "
                "WHERE t.prit_name = ? AND a.rpca_byteposition <> 0 GROUP BY a.rpca_id"));
            q.addBindValue(typeName);
            QVERIFY(q.exec());
            while (q.next()) {
                const int position = q.value(0).toInt();
                QList<int> options;
                for (const QString &v : q.value(1).toString().split(QLatin1Char(',')))
                    options.append(v.toInt());
                const int current = quint8(p.settingBlock.at(position));
                const int factory = quint8(p.defaultBlock.at(position));
                QVERIFY2(options.contains(current),
                    qPrintable(QStringLiteral("setting byte %1").arg(position)));
                QVERIFY2(options.contains(factory),
                    qPrintable(QStringLiteral("default byte %1").arg(position)));
                differing += current != factory ? 1 : 0;
                ++checked;
            }
        }
        QSqlDatabase::removeDatabase(QStringLiteral("profiles"));
        QVERIFY(checked > 5);
        // Some settings are away from their factory value, so a reset shows.
        QVERIFY(differing > 0);
    }

    void ptyReadyLine()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--pty") }), qPrintable(sim.errorText()));
        QCOMPARE(sim.readyLines().size(), 1);
        QVERIFY(sim.ptyPath().startsWith(QLatin1String("/dev/pts/")));
        QVERIFY(QFile::exists(sim.ptyPath()));
    }
};

QTEST_GUILESS_MAIN(tst_Simulator)
#include "tst_simulator.moc"
