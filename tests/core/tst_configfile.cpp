#include <QFile>
#include <QSettings>
#include <QtTest>

#include "core/configfile.h"

class tst_ConfigFile : public QObject
{
    Q_OBJECT

private:
    QString m_path;

    QStringList keysOnDisk() const
    {
        QSettings raw(m_path, QSettings::IniFormat);
        return raw.allKeys();
    }

private slots:
    void init()
    {
        ConfigFile probe;
        m_path = probe.fileName();
        QFile::remove(m_path);
    }

    void freshFileGetsExactlyTheDefaults()
    {
        {
            ConfigFile config;
            config.checkVersion();
            QCOMPARE(config.readInt(QStringLiteral("Mode/mode")), 3);
            QCOMPARE(config.readText(QStringLiteral("Port/type")), QStringLiteral("USB"));
            QCOMPARE(config.readText(QStringLiteral("Wifi/serverip")), QStringLiteral("192.168.0.1"));
        }
        QStringList keys = keysOnDisk();
        keys.sort();
        QStringList expected{"Version/ver",        "Port/type",           "SerialPort/port",
                             "SerialPort/baudrate", "SerialPort/parity",  "SerialPort/databit",
                             "SerialPort/stopbit",  "SerialPort/flowcontrol", "Option/barhide",
                             "PortSelect/porttype", "Wifi/serverip",      "Wifi/port",
                             "Mode/mode",           "TearCheck/ischeck",  "LPT/LPT"};
        expected.sort();
        QCOMPARE(keys, expected);
    }

    void versionRule_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("rewritten");
        QTest::newRow("current") << "1.0.30" << false;
        QTest::newRow("minus one") << "-1" << true;
        QTest::newRow("older") << "1.0.29" << true;
        QTest::newRow("text") << "abc" << true;
        QTest::newRow("empty") << "" << true;
    }

    void versionRule()
    {
        QFETCH(QString, stored);
        QFETCH(bool, rewritten);
        {
            ConfigFile config;
            config.writeValue(QStringLiteral("Version"), QStringLiteral("ver"), stored);
            config.writeValue(QStringLiteral("Mode"), QStringLiteral("mode"), QStringLiteral("0"));
            config.writeValue(QStringLiteral("EXPort"), QStringLiteral("EX1"), QStringLiteral("600"));
            config.writeValue(QStringLiteral("Network"), QStringLiteral("serverip"), QStringLiteral("10.0.0.7"));
        }
        ConfigFile config;
        config.checkVersion();
        QCOMPARE(config.readInt(QStringLiteral("Mode/mode")), rewritten ? 3 : 0);
        QCOMPARE(config.readText(QStringLiteral("Version/ver")), rewritten ? QStringLiteral("1.0.30") : stored);
        // Hand-made keys survive the rewrite.
        QCOMPARE(config.readInt(QStringLiteral("EXPort/EX1")), 600);
        QCOMPARE(config.readText(QStringLiteral("Network/serverip")), QStringLiteral("10.0.0.7"));
    }

    void absentAndNonNumericKeys()
    {
        ConfigFile config;
        QCOMPARE(config.readText(QStringLiteral("Network/serverip")), QStringLiteral(" "));
        QCOMPARE(config.readInt(QStringLiteral("EXPort/EX1")), 0);
        QVERIFY(!config.contains(QStringLiteral("EXPort/EX1")));
        config.writeValue(QStringLiteral("Mode"), QStringLiteral("mode"), QStringLiteral("three"));
        QCOMPARE(config.readInt(QStringLiteral("Mode/mode")), 0);
        config.writeValue(QStringLiteral("Mode"), QStringLiteral("mode"), QStringLiteral("-1"));
        QCOMPARE(config.readInt(QStringLiteral("Mode/mode")), -1);
    }

    void instancesShareWritesAndUtf8()
    {
        ConfigFile a;
        ConfigFile b;
        const QString name = QStringLiteral("打印机 ü");
        a.writeValue(QStringLiteral("Network"), QStringLiteral("serverip"), name);
        QCOMPARE(b.readText(QStringLiteral("Network/serverip")), name);
    }
};

QTEST_GUILESS_MAIN(tst_ConfigFile)
#include "tst_configfile.moc"
