#include <QDir>
#include <QProcess>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

#include "driver_installer/driverinstaller.h"
#include "driver_installer/printercounter.h"
#include "recordingmessages.h"
#include "setuppackage.h"

// RKSETUP against a real CUPS scheduler: a private cupsd (own port, socket and folders) whose
// driver folder is the one RKSETUP stages into; the real lpinfo confirms the staging and the
// printer count comes from the scheduler. The printer tool is a script that plays the user.
class tst_DriverInstallerCups : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();
    void stagedDriverOfferedByCups();
    void addPrinter_data();
    void addPrinter();

private:
    bool startScheduler(QString *why);
    QStringList printers() const;
    QString makePackage();

    QTemporaryDir m_temp;
    QProcess m_cupsd;
    QString m_socket;
    QString m_store;
};

namespace {

const QString kAborted = QStringLiteral("The printer driver installation was aborted. ");
const QString kCompleted = QStringLiteral(
    "Printer driver installation has been completed.\nWhen the temporary port like \"LPT1:\" is selected, "
    "change the port setting of property of Printer later.\n\nClick the OK button.");
const QString kNetwork = QStringLiteral(
    "\"Use a network port\" is selected.\nUse the Add Printer Wizard to set up the printer driver.\nSelect "
    "the port in the \"Printer selection\" of the installation wizard.\nWhen the port is not ready, select "
    "the temporary port like \"LPT1:\".\n");

QByteArray examplePpd()
{
    return setuppackage::readAll(QStringLiteral(RK_SOURCE_DIR "/examples/setup-package/FR/RK5200.PPD"));
}

} // namespace

bool tst_DriverInstallerCups::startScheduler(QString *why)
{
    const QString cupsd = QStringLiteral("/usr/sbin/cupsd");
    if (!QFileInfo(cupsd).isExecutable() || QStandardPaths::findExecutable(QStringLiteral("lpinfo")).isEmpty()) {
        *why = QStringLiteral("cupsd or lpinfo is not installed (Debian packages cups, cups-client)");
        return false;
    }
    // cupsd's helpers run as the lp user: the folders must be reachable for it.
    QFile::setPermissions(m_temp.path(), QFileDevice::Permissions(0x7755));
    const QString root = m_temp.path();
    for (const char *folder : { "conf", "data/model/norvale", "cache", "spool", "log", "state" })
        QDir().mkpath(root + QLatin1Char('/') + QLatin1String(folder));
    QFile::setPermissions(root + QStringLiteral("/cache"), QFileDevice::Permissions(0x7777));
    // The scheduler's data folder: the system's, except for the driver folder it scans.
    const QDir system(QStringLiteral("/usr/share/cups"));
    for (const QString &entry : system.entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        if (entry != QLatin1String("model"))
            QFile::link(system.filePath(entry), root + QStringLiteral("/data/") + entry);
    m_store = root + QStringLiteral("/data/model/norvale");

    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    m_socket = root + QStringLiteral("/cups.sock");
    const QByteArray conf = QStringLiteral(
        "Listen %1\nListen 127.0.0.1:%2\nLogLevel warn\nBrowsing Off\nWebInterface No\nDefaultAuthType None\n"
        "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
        "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
        "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                                .arg(m_socket)
                                .arg(port)
                                .toUtf8();
    const QByteArray files = QStringLiteral("ServerRoot %1/conf\nDataDir %1/data\nCacheDir %1/cache\n"
                                            "RequestRoot %1/spool\nTempDir %1/spool\nStateDir %1/state\n"
                                            "ErrorLog %1/log/error_log\nAccessLog %1/log/access_log\n"
                                            "PageLog %1/log/page_log\nSystemGroup root\nFileDevice Yes\n")
                                 .arg(root)
                                 .toUtf8();
    setuppackage::write(root + QStringLiteral("/conf/cupsd.conf"), conf);
    setuppackage::write(root + QStringLiteral("/conf/cups-files.conf"), files);
    QDir().mkpath(root + QStringLiteral("/conf/ppd"));

    m_cupsd.setProcessChannelMode(QProcess::ForwardedChannels);
    m_cupsd.start(cupsd, { QStringLiteral("-f"), QStringLiteral("-c"), root + QStringLiteral("/conf/cupsd.conf"),
                             QStringLiteral("-s"), root + QStringLiteral("/conf/cups-files.conf") });
    if (!m_cupsd.waitForStarted(5000)) {
        *why = QStringLiteral("cupsd cannot be started: ") + m_cupsd.errorString();
        return false;
    }
    qputenv("CUPS_SERVER", QFile::encodeName(m_socket));
    for (int i = 0; i < 100; ++i) {
        if (PrinterCounter::count() >= 0)
            return true;
        if (m_cupsd.state() == QProcess::NotRunning)
            break;
        QTest::qWait(100);
    }
    *why = QStringLiteral("cupsd did not come up: ")
        + QString::fromLocal8Bit(setuppackage::readAll(root + QStringLiteral("/log/error_log"))).right(600);
    return false;
}

void tst_DriverInstallerCups::initTestCase()
{
    QVERIFY(m_temp.isValid());
    QDir().mkpath(m_temp.filePath(QStringLiteral("locks")));
    qputenv("TMPDIR", QFile::encodeName(m_temp.filePath(QStringLiteral("locks"))));
    if (::geteuid() != 0)
        QSKIP("the private CUPS scheduler needs root (its helpers change to the lp user); run the test as root");
    QString why;
    if (!startScheduler(&why))
        QSKIP(qPrintable(why));
    qputenv("RKSETUP_PPD_DIR", QFile::encodeName(m_store));
    qunsetenv("RKSETUP_LPINFO");
}

void tst_DriverInstallerCups::cleanupTestCase()
{
    if (m_cupsd.state() != QProcess::NotRunning) {
        m_cupsd.terminate();
        if (!m_cupsd.waitForFinished(10000))
            m_cupsd.kill();
    }
}

void tst_DriverInstallerCups::cleanup()
{
    for (const QString &printer : printers())
        QProcess::execute(QStringLiteral("lpadmin"), { QStringLiteral("-x"), printer });
}

QStringList tst_DriverInstallerCups::printers() const
{
    QProcess lpstat;
    lpstat.start(QStringLiteral("lpstat"), { QStringLiteral("-e") });
    lpstat.waitForFinished(10000);
    return QString::fromLocal8Bit(lpstat.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString tst_DriverInstallerCups::makePackage()
{
    static int count = 0;
    const QString folder = m_temp.filePath(QStringLiteral("package%1").arg(++count));
    setuppackage::write(folder + QStringLiteral("/RKSETUP.INI"),
        "[MODEL]\nMODEL=RK5200\n[LANGUAGEMENU]\nLANGUAGEMENU=TRUE\n[INFNUM]\nINFITEM=1\n[INFNAME]\n"
        "INF0=RK5200.PPD\n[FILENUM]\nFILEITEM=1\n[FILELIST]\nFL0=RK5200.PPD\n");
    setuppackage::write(folder + QStringLiteral("/FR/RK5200.PPD"), examplePpd());
    QFile::remove(m_store + QStringLiteral("/RK5200.PPD"));
    return folder;
}

void tst_DriverInstallerCups::stagedDriverOfferedByCups()
{
    const QString folder = makePackage();
    RecordingMessages messages;
    DriverInstaller installer(folder, folder + QStringLiteral("/RKSETUP.INI"), messages);
    QVERIFY(installer.start());
    QVERIFY2(installer.install(1, false), qPrintable(messages.texts.join(QLatin1Char('|'))));
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY(messages.texts.first().startsWith(QStringLiteral("Printer driver is ready for installation.")));

    QProcess lpinfo;
    lpinfo.start(QStringLiteral("lpinfo"), { QStringLiteral("-m") });
    QVERIFY(lpinfo.waitForFinished(60000));
    const QString drivers = QString::fromLocal8Bit(lpinfo.readAllStandardOutput());
    QVERIFY2(drivers.contains(QStringLiteral("norvale/RK5200.PPD Norvale RK5200 (FR)")), qPrintable(drivers));

    // The count is the scheduler's: two queues made behind RKSETUP's back are two printers.
    QCOMPARE(PrinterCounter::count(), 0);
    for (const char *name : { "first", "second" })
        QCOMPARE(QProcess::execute(QStringLiteral("lpadmin"),
                     { QStringLiteral("-p"), QLatin1String(name), QStringLiteral("-E"), QStringLiteral("-v"),
                         QStringLiteral("file:/dev/null"), QStringLiteral("-m"), QStringLiteral("norvale/RK5200.PPD") }),
            0);
    QCOMPARE(PrinterCounter::count(), 2);
    QCOMPARE(printers().size(), 2);
}

void tst_DriverInstallerCups::addPrinter_data()
{
    QTest::addColumn<QByteArray>("tool"); // shell script playing the user in the printer tool
    QTest::addColumn<int>("printersBefore");
    QTest::addColumn<QString>("lastMessage");
    QTest::addColumn<int>("printersAfter");

    const QByteArray add = "lpadmin -p RK5200 -E -v file:/dev/null -m norvale/RK5200.PPD || exit 9\n";
    QTest::newRow("tool adds a printer") << add << 0 << kCompleted << 1;
    QTest::newRow("tool adds one beside another") << add << 1 << kCompleted << 2;
    QTest::newRow("tool adds no printer") << QByteArray("exit 0\n") << 0 << kAborted << 0;
    QTest::newRow("tool cancelled") << QByteArray("exit 1\n") << 0 << kAborted << 0;
    // A tool session that only removed a printer did not install anything.
    QTest::newRow("tool removes a printer") << QByteArray("lpadmin -x existing0\n") << 1 << kAborted << 0;
    QTest::newRow("tool not installed") << QByteArray() << 0
                                        << "The printer driver is ready, but the printer setup tool "
                                           "\"/nonexistent/system-config-printer\" is not installed.\nAdd the "
                                           "printer with the printer settings of your desktop.\n\nExit the program."
                                        << 0;
}

void tst_DriverInstallerCups::addPrinter()
{
    QFETCH(QByteArray, tool);
    QFETCH(int, printersBefore);
    QFETCH(QString, lastMessage);
    QFETCH(int, printersAfter);

    const QString folder = makePackage();
    for (int i = 0; i < printersBefore; ++i)
        QCOMPARE(QProcess::execute(QStringLiteral("lpadmin"),
                     { QStringLiteral("-p"), QStringLiteral("existing%1").arg(i), QStringLiteral("-E"),
                         QStringLiteral("-v"), QStringLiteral("file:/dev/null"), QStringLiteral("-m"), QStringLiteral("raw") }),
            0);
    const QString script = m_temp.filePath(QStringLiteral("printer-tool"));
    QVERIFY(setuppackage::write(script, "#!/bin/sh\n" + tool, true));
    qputenv("RKSETUP_PRINTER_TOOL", tool.isEmpty() ? QByteArray("/nonexistent/system-config-printer") : QFile::encodeName(script));

    RecordingMessages messages;
    DriverInstaller installer(folder, folder + QStringLiteral("/RKSETUP.INI"), messages);
    QVERIFY(installer.start());
    const bool installed = installer.install(1, true);
    QCOMPARE(messages.texts, (QStringList { kNetwork, lastMessage }));
    QCOMPARE(installed, lastMessage == kCompleted);
    QCOMPARE(PrinterCounter::count(), printersAfter);
}

QTEST_MAIN(tst_DriverInstallerCups)
#include "tst_driverinstaller_cups.moc"
