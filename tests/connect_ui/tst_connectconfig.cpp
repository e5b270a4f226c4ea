#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QtTest>

#include "testconfig.h"

#include "core/configfile.h"
#include "connect_ui/connectconfig.h"

class tst_ConnectConfig : public QObject
{
    Q_OBJECT


    static QStringList items(const QComboBox *box)
    {
        QStringList list;
        for (int i = 0; i < box->count(); ++i)
            list << box->itemText(i);
        return list;
    }

private slots:
    void offeredPortTypes_data()
    {
        QTest::addColumn<QString>("porttype");
        QTest::addColumn<QStringList>("offered");
        QTest::newRow("0") << "0" << QStringList { "USB", "Serial Port", "LPT" };
        QTest::newRow("1") << "1" << QStringList { "USB", "Serial Port", "LPT", "Bluetooth" };
        QTest::newRow("3") << "3" << QStringList { "USB", "Serial Port", "LPT", "Network" };
        QTest::newRow("4") << "4" << QStringList { "USB" };
        QTest::newRow("5 default") << "5" << QStringList { "USB", "LPT" };
        QTest::newRow("9") << "9"
                           << QStringList { "USB", "Serial Port", "LPT", "Wifi", "Bluetooth",
                                  "Network" };
    }

    void offeredPortTypes()
    {
        QFETCH(QString, porttype);
        QFETCH(QStringList, offered);
        resetTestConfig({ { QStringLiteral("PortSelect/porttype"), porttype } });
        ConfigFile config;
        ConnectConfig panel(&config);
        panel.loadConfig();
        QCOMPARE(items(panel.portTypeBox()), offered);
        // Numbers stay those of the full list.
        QCOMPARE(panel.portTypeOf(offered.last()),
            QStringList({ "USB", "Serial Port", "LPT", "Wifi", "Bluetooth", "Network" })
                .indexOf(offered.last()));
    }

    void addressCheck_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("three parts") << "192.168.1" << false;
        QTest::newRow("five parts") << "192.168.1.1.5" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("four parts") << "127.0.0.1" << true;
        QTest::newRow("four words pass") << "a.b.c.d" << true;
        QTest::newRow("empty parts count") << "..." << true;
    }

    void addressCheck()
    {
        QFETCH(QString, address);
        QFETCH(bool, accepted);
        for (const bool network : { false, true }) {
            resetTestConfig({ { QStringLiteral("PortSelect/porttype"), QStringLiteral("9") } });
            ConfigFile config;
            ConnectConfig panel(&config);
            panel.loadConfig();
            QSignalSpy message(&panel, &ConnectConfig::sendMessagebox);
            QSignalSpy changed(&panel, &ConnectConfig::wifiConfigChanged);
            QSignalSpy ok(&panel, &ConnectConfig::Portsettingok);
            if (network) {
                panel.networkAddressEdit()->setText(address);
                panel.NetworkConfirmClicked();
            } else {
                panel.wifiAddressEdit()->setText(address);
                panel.wifiPortEdit()->setText(QStringLiteral("9101"));
                panel.WifiConfirmClicked();
            }
            QCOMPARE(ok.count(), accepted ? 1 : 0);
            QCOMPARE(changed.count(), accepted ? 1 : 0);
            if (!accepted) {
                QCOMPARE(message.count(), 1);
                QCOMPARE(message.at(0).at(0).toInt(), 0);
                QCOMPARE(message.at(0).at(1).toString(),
                    QStringLiteral("Please input the correct server IP."));
                QCOMPARE(config.readText(QStringLiteral("Port/type")), QStringLiteral("USB"));
                continue;
            }
            QCOMPARE(changed.at(0).at(0).toString(), address);
            QCOMPARE(changed.at(0).at(1).toInt(), network ? 9100 : 9101);
            QCOMPARE(config.readText(QStringLiteral("Port/type")),
                network ? QStringLiteral("Network") : QStringLiteral("Wifi"));
            if (network) {
                QCOMPARE(config.readText(QStringLiteral("Network/serverip")), address);
                QCOMPARE(config.readText(QStringLiteral("Wifi/port")),
                    QStringLiteral("9100")); // untouched
            } else {
                QCOMPARE(config.readText(QStringLiteral("Wifi/port")), QStringLiteral("9101"));
            }
        }
    }

    void serialConfirmWritesPositionsAndValues()
    {
        resetTestConfig({ { QStringLiteral("PortSelect/porttype"), QStringLiteral("9") } });
        ConfigFile config;
        ConnectConfig panel(&config);
        panel.loadConfig();
        panel.serialPortBox()->setCurrentIndex(2);
        panel.baudBox()->setCurrentText(QStringLiteral("9600"));
        panel.parityBox()->setCurrentIndex(2); // odd
        panel.dataBitsBox()->setCurrentIndex(2); // 7
        panel.stopBitsBox()->setCurrentIndex(1); // one and a half
        panel.flowBox()->setCurrentIndex(2); // software
        QSignalSpy serial(&panel, &ConnectConfig::serialConfigChanged);
        panel.serialConfirmClicked();
        QCOMPARE(serial.count(), 1);
        QCOMPARE(serial.at(0), (QList<QVariant> { QStringLiteral("COM3"), 9600, 3, 7, 3, 2 }));
        QCOMPARE(config.readText(QStringLiteral("Port/type")), QStringLiteral("Serial Port"));
        QCOMPARE(config.readInt(QStringLiteral("SerialPort/port")), 2);
        QCOMPARE(config.readInt(QStringLiteral("SerialPort/baudrate")), 3);
        QCOMPARE(config.readInt(QStringLiteral("SerialPort/flowcontrol")), 2);

        panel.serialResetClicked();
        QCOMPARE(panel.baudBox()->currentText(), QStringLiteral("38400"));
        QCOMPARE(panel.dataBitsBox()->currentText(), QStringLiteral("8"));
        QCOMPARE(panel.parityBox()->currentIndex(), 0);
        QCOMPARE(panel.flowBox()->currentIndex(), 2);
    }

    void loadAnnouncesStoredType_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("announced");
        QTest::newRow("Network at 9100") << "Network" << 5 << "wifi:10.1.2.3:9100";
        QTest::newRow("Wifi with its port") << "Wifi" << 3 << "wifi:192.168.0.1:9100";
        QTest::newRow("LPT") << "LPT" << 2 << "lpt:LPT3";
        QTest::newRow("Serial") << "Serial Port" << 1 << "serial:COM1";
        QTest::newRow("unknown is USB") << "Parallel" << 0 << "";
    }

    void loadAnnouncesStoredType()
    {
        QFETCH(QString, type);
        QFETCH(int, number);
        QFETCH(QString, announced);
        resetTestConfig({ { QStringLiteral("PortSelect/porttype"), QStringLiteral("9") },
            { QStringLiteral("Port/type"), type },
            { QStringLiteral("Network/serverip"), QStringLiteral("10.1.2.3") },
            { QStringLiteral("Wifi/serverip"), QStringLiteral("-1") },
            { QStringLiteral("LPT/LPT"), QStringLiteral("2") },
            { QStringLiteral("SerialPort/port"), QStringLiteral("99") } });
        ConfigFile config;
        ConnectConfig panel(&config);
        QStringList seen;
        connect(&panel, &ConnectConfig::wifiConfigChanged, this, [&](const QString &ip, int port) {
            seen << QStringLiteral("wifi:%1:%2").arg(ip).arg(port);
        });
        connect(&panel, &ConnectConfig::lptPortChanged, this,
            [&](const QString &lpt) { seen << QStringLiteral("lpt:") + lpt; });
        connect(&panel, &ConnectConfig::serialConfigChanged, this,
            [&](const QString &name) { seen << QStringLiteral("serial:") + name; });
        QSignalSpy port(&panel, &ConnectConfig::connectPortChanged);
        panel.loadConfig();
        QCOMPARE(port.count(), 1);
        QCOMPARE(port.at(0).at(0).toInt(), number);
        QCOMPARE(panel.currentPortType(), number);
        if (announced.isEmpty())
            QVERIFY(seen.isEmpty());
        else
            QCOMPARE(seen.last(), announced);
    }

    void bluetoothListReplacedAndChoiceRequired()
    {
        resetTestConfig({ { QStringLiteral("PortSelect/porttype"), QStringLiteral("9") } });
        ConfigFile config;
        ConnectConfig panel(&config);
        QStringList first { QStringLiteral("BT-A"), QStringLiteral("BT-B") };
        QStringList second { QStringLiteral("BT-C") };
        panel.setBluetoothDevices(&first);
        panel.setBluetoothDevices(&second);
        QCOMPARE(panel.bluetoothList()->count(), 1);
        QSignalSpy selected(&panel, &ConnectConfig::bluetoothSelected);
        QSignalSpy message(&panel, &ConnectConfig::sendMessagebox);
        panel.BluetoothConfirmClicked();
        QCOMPARE(selected.count(), 0);
        QCOMPARE(message.count(), 1);
        panel.bluetoothList()->setCurrentRow(0);
        panel.BluetoothConfirmClicked();
        QCOMPARE(selected.count(), 1);
        QCOMPARE(selected.at(0).at(0).toInt(), 0);
        QCOMPARE(config.readText(QStringLiteral("Port/type")), QStringLiteral("Bluetooth"));
    }
};

QTEST_MAIN(tst_ConnectConfig)
#include "tst_connectconfig.moc"
