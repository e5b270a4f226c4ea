#include <memory>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include "comm/bluezbluetoothclient.h"

namespace {

const QString kAdapter = QStringLiteral("/org/bluez/hci0");
const QString kOtherAdapter = QStringLiteral("/org/bluez/hci1");
constexpr int kListenMs = 400;
constexpr int kArrivalDelayMs = 50;
constexpr int kSearchWaitMs = 10000;

QVariantMap deviceProperties(
    const QString &adapter, const QString &address, const QString &name, const QString &alias)
{
    QVariantMap p;
    p.insert(QStringLiteral("Adapter"), QVariant::fromValue(QDBusObjectPath(adapter)));
    if (!address.isEmpty())
        p.insert(QStringLiteral("Address"), address);
    if (!name.isEmpty())
        p.insert(QStringLiteral("Name"), name);
    if (!alias.isEmpty())
        p.insert(QStringLiteral("Alias"), alias);
    return p;
}

BluezInterfaces device(const QVariantMap &properties)
{
    return { { QStringLiteral("org.bluez.Device1"), properties } };
}

BluezInterfaces adapter(bool powered)
{
    return { { QStringLiteral("org.bluez.Adapter1"),
        QVariantMap { { QStringLiteral("Powered"), powered } } } };
}

// The part of the BlueZ service the client talks to, answered from a table.
class FakeBluez : public QDBusVirtualObject
{
public:
    BluezObjects objects;
    // Shows up once a discovery has started, as a found device does.
    QPair<QDBusObjectPath, BluezInterfaces> arriving;
    QString startError; // error name StartDiscovery answers with; empty: success
    QStringList calls;
    QDBusConnection bus { QString() };

    QString introspect(const QString &) const override { return QString(); }
    bool handleMessage(const QDBusMessage &message, const QDBusConnection &connection) override
    {
        calls << message.member();
        QDBusMessage reply = message.createReply();
        if (message.member() == QLatin1String("GetManagedObjects"))
            reply = message.createReply(QVariant::fromValue(objects));
        if (message.member() == QLatin1String("StartDiscovery")) {
            // A discovery that was running already finds devices all the same.
            if (!startError.isEmpty())
                reply = message.createErrorReply(startError, QStringLiteral("refused"));
            if (!arriving.first.path().isEmpty())
                QTimer::singleShot(kArrivalDelayMs, this, [this] { announceArrival(); });
        }
        connection.send(reply);
        return true;
    }

private:
    void announceArrival()
    {
        objects.insert(arriving.first, arriving.second);
        QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/"),
            QStringLiteral("org.freedesktop.DBus.ObjectManager"),
            QStringLiteral("InterfacesAdded"));
        signal << QVariant::fromValue(arriving.first) << QVariant::fromValue(arriving.second);
        bus.send(signal);
    }
};

// A private message bus for one test.
class PrivateBus
{
public:
    bool start(QString *error)
    {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (daemon.isEmpty()) {
            *error = QStringLiteral("dbus-daemon not installed");
            return false;
        }
        QFile config(m_dir.filePath(QStringLiteral("bus.conf")));
        config.open(QIODevice::WriteOnly);
        config.write(QStringLiteral(
            "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
            "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">"
            "<busconfig><type>session</type><listen>unix:dir=%1</listen>"
            "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
            "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>")
                         .arg(m_dir.path())
                         .toUtf8());
        config.close();
        m_process.start(daemon,
            { QStringLiteral("--config-file=") + config.fileName(), QStringLiteral("--nofork"),
                QStringLiteral("--print-address=1") });
        if (!m_process.waitForStarted() || !m_process.waitForReadyRead()) {
            *error = QStringLiteral("dbus-daemon did not start: ")
                + QString::fromUtf8(m_process.readAllStandardError());
            return false;
        }
        m_address = QString::fromUtf8(m_process.readLine()).trimmed();
        return !m_address.isEmpty();
    }
    ~PrivateBus()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    QString address() const { return m_address; }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_address;
};

// Runs one discovery on a thread of its own, as the engine does.
struct SearchRun
{
    int lists = 0;
    int finished = 0;
    QStringList names;
    QList<int> failures;
};

// The thread must outlive the client, which stays with it (the engine's calls do not need the
// client's thread).
SearchRun runSearch(BluezBluetoothClient *client, QThread &thread)
{
    SearchRun run;
    client->moveToThread(&thread);
    QObject::connect(&thread, &QThread::started, client, &BluetoothClient::search);
    QObject::connect(
        client, &BluetoothClient::searchFinished, &thread, &QThread::quit, Qt::DirectConnection);
    QSignalSpy lists(client, &BluetoothClient::searchListFinished);
    QSignalSpy finished(client, &BluetoothClient::searchFinished);
    QSignalSpy failed(client, &BluetoothClient::searchFailed);
    thread.start();
    QElapsedTimer clock;
    clock.start();
    while (!thread.isFinished() && clock.elapsed() < kSearchWaitMs)
        QTest::qWait(20);
    thread.wait();
    run.lists = lists.count();
    run.finished = finished.count();
    for (const QList<QVariant> &arguments : failed)
        run.failures.append(arguments.at(0).toInt());
    run.names = client->deviceNames();
    return run;
}

} // namespace

class tst_BluezBluetoothClient : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { BluezBluetoothClient::registerTypes(); }

    // What BlueZ holds and answers decides the list, or leaves it alone.
    void discovery_data()
    {
        QTest::addColumn<bool>("service");
        QTest::addColumn<bool>("withAdapter");
        QTest::addColumn<bool>("powered");
        QTest::addColumn<QString>("startError");
        QTest::addColumn<QStringList>("names"); // empty with lists 0: the search failed
        QTest::addColumn<QStringList>("calls");
        QTest::addColumn<int>("failure"); // -1: none
        const QStringList found { QStringLiteral("RP-58S"), QStringLiteral("QP-80"),
            QStringLiteral("Printer C") };
        const QStringList fullRun { QStringLiteral("GetManagedObjects"),
            QStringLiteral("StartDiscovery"), QStringLiteral("StopDiscovery"),
            QStringLiteral("GetManagedObjects") };
        QTest::newRow("known devices first, then arrivals")
            << true << true << true << QString() << found << fullRun << -1;
        QTest::newRow("already discovering")
            << true << true << true << QStringLiteral("org.bluez.Error.InProgress") << found
            << fullRun << -1;
        QTest::newRow("discovery refused")
            << true << true << true << QStringLiteral("org.bluez.Error.NotReady") << QStringList()
            << QStringList { QStringLiteral("GetManagedObjects"),
                   QStringLiteral("StartDiscovery") }
            << int(BluetoothClient::SearchRefused);
        QTest::newRow("adapter switched off")
            << true << true << false << QString() << QStringList()
            << QStringList { QStringLiteral("GetManagedObjects") }
            << int(BluetoothClient::AdapterOff);
        QTest::newRow("no adapter") << true << false << true << QString() << QStringList()
                                    << QStringList { QStringLiteral("GetManagedObjects") }
                                    << int(BluetoothClient::NoAdapter);
        QTest::newRow("no Bluetooth service")
            << false << true << true << QString() << QStringList() << QStringList()
            << int(BluetoothClient::NoBluetoothService);
    }
    void discovery()
    {
        QFETCH(bool, service);
        QFETCH(bool, withAdapter);
        QFETCH(bool, powered);
        QFETCH(QString, startError);
        QFETCH(QStringList, names);
        QFETCH(QStringList, calls);
        QFETCH(int, failure);
        PrivateBus privateBus;
        QString error;
        if (!privateBus.start(&error))
            QSKIP(qPrintable(error));

        FakeBluez fake;
        fake.startError = startError;
        if (withAdapter)
            fake.objects.insert(QDBusObjectPath(kAdapter), adapter(powered));
        // The devices' paths sort against their order of discovery.
        fake.objects.insert(QDBusObjectPath(kAdapter + QStringLiteral("/dev_52_4B_53_49_4D_05")),
            device(deviceProperties(kAdapter, QStringLiteral("52:4B:53:49:4D:05"),
                QStringLiteral("RP-58S"), QStringLiteral("old alias"))));
        fake.objects.insert(QDBusObjectPath(kAdapter + QStringLiteral("/dev_52_4B_53_49_4D_06")),
            device(deviceProperties(kAdapter, QStringLiteral("52:4B:53:49:4D:06"), QString(),
                QStringLiteral("QP-80"))));
        fake.objects.insert(QDBusObjectPath(kAdapter + QStringLiteral("/dev_no_address")),
            device(deviceProperties(kAdapter, QString(), QStringLiteral("Nameless"), QString())));
        fake.objects.insert(
            QDBusObjectPath(kOtherAdapter + QStringLiteral("/dev_52_4B_53_49_4D_07")),
            device(deviceProperties(kOtherAdapter, QStringLiteral("52:4B:53:49:4D:07"),
                QStringLiteral("Elsewhere"), QString())));
        fake.arriving = { QDBusObjectPath(kAdapter + QStringLiteral("/dev_52_4B_53_49_4D_01")),
            device(deviceProperties(kAdapter, QStringLiteral("52:4B:53:49:4D:01"), QString(),
                QStringLiteral("Printer C"))) };

        static int runs = 0;
        const QString connectionName = QStringLiteral("fake-bluez-%1").arg(++runs);
        {
            fake.bus = QDBusConnection::connectToBus(privateBus.address(), connectionName);
            QVERIFY(fake.bus.isConnected());
            if (service) {
                QVERIFY(fake.bus.registerService(QStringLiteral("org.bluez")));
                QVERIFY(fake.bus.registerVirtualObject(
                    QStringLiteral("/"), &fake, QDBusConnection::SubPath));
            }

            QThread thread;
            BluezBluetoothClient client(privateBus.address(), kListenMs);
            const SearchRun run = runSearch(&client, thread);
            QCOMPARE(run.finished, 1);
            QCOMPARE(run.lists, names.isEmpty() ? 0 : 1);
            QCOMPARE(run.names, names);
            QCOMPARE(fake.calls, calls);
            QCOMPARE(run.failures, failure < 0 ? QList<int>() : QList<int> { failure });

            if (!names.isEmpty()) {
                // Without a reachable printer (or adapter) the connect fails cleanly.
                client.select(2);
                QCOMPARE(client.target().toString(), QStringLiteral("52:4B:53:49:4D:01"));
                QCOMPARE(client.connectDevice(), -1);
                QVERIFY(!client.isConnected());
                QCOMPARE(client.send(QByteArray("x")), -1);
            }
            fake.bus.unregisterObject(QStringLiteral("/"));
            fake.bus = QDBusConnection(QString());
        }
        QDBusConnection::disconnectFromBus(connectionName);
    }

    void unreachableBusEndsTheSearch()
    {
        QThread thread;
        BluezBluetoothClient client(QStringLiteral("unix:path=/nonexistent/bus"), kListenMs);
        const SearchRun run = runSearch(&client, thread);
        QCOMPARE(run.finished, 1);
        QCOMPARE(run.lists, 0);
        QCOMPARE(run.failures, QList<int> { BluetoothClient::NoBluetoothService });
    }

    // Against a real adapter and printer, when one is at hand.
    void realPrinter()
    {
        const QString wanted = qEnvironmentVariable("RK_BLUETOOTH_PRINTER");
        if (wanted.isEmpty())
            QSKIP("set RK_BLUETOOTH_PRINTER to the address of a printer in reach to run this");
        const BluetoothAddress address = BluetoothAddress::fromString(wanted);
        QThread thread;
        BluezBluetoothClient client;
        const SearchRun run = runSearch(&client, thread);
        QCOMPARE(run.lists, 1);
        int position = -1;
        for (int i = 0; i < run.names.size() && position < 0; ++i) {
            client.select(i);
            if (client.target() == address)
                position = i;
        }
        QVERIFY2(position >= 0, "the printer was not found");
        QCOMPARE(client.connectDevice(), 0);
        const QByteArray readModel = QByteArray::fromHex("1d030700");
        QCOMPARE(client.send(readModel), readModel.size());
        QByteArray reply;
        QElapsedTimer clock;
        clock.start();
        while (reply.size() < readModel.size() + 2 && clock.elapsed() < kSearchWaitMs)
            reply += client.receive();
        QVERIFY(reply.startsWith(readModel));
    }
};

QTEST_GUILESS_MAIN(tst_BluezBluetoothClient)
#include "tst_bluezbluetoothclient.moc"
