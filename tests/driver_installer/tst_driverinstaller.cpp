#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <QComboBox>
#include <QPushButton>

#include "driver_installer/driverinstaller.h"
#include "driver_installer/installerpage.h"
#include "driver_installer/installerwindow.h"
#include "recordingmessages.h"
#include "setup_common/instancelock.h"
#include "setuppackage.h"

// RKSETUP's start and OK flows against a package on disk, with a fake CUPS driver lister and
// a driver folder of the test's own (RKSETUP_LPINFO, RKSETUP_PPD_DIR).
class tst_DriverInstaller : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void start_data();
    void start();
    void install_data();
    void install();
    void window_data();
    void window();

private:
    QString makeFolder(const QString &name, int length = 0);

    QTemporaryDir m_temp;
    int m_folders = 0;
};

namespace {

const char *const kValidIni = "[MODEL]\nMODEL=RK5200\n[LANGUAGEMENU]\nLANGUAGEMENU=TRUE\n";
const QString kFailed = QStringLiteral("Failed to setup infomation file.\n\nExit the program.");
const QString kReady = QStringLiteral("Printer driver is ready for installation.\nConnect the printer to "
                                      "your PC and turn on the printer power.\n\nClick the OK button.");
const QString kAborted = QStringLiteral("The printer driver installation was aborted. ");
const QString kNetwork = QStringLiteral(
    "\"Use a network port\" is selected.\nUse the Add Printer Wizard to set up the printer driver.\nSelect "
    "the port in the \"Printer selection\" of the installation wizard.\nWhen the port is not ready, select "
    "the temporary port like \"LPT1:\".\n");

QByteArray ppd(const char *nick)
{
    return QByteArray("*PPD-Adobe: \"4.3\"\n*NickName: \"") + nick + "\"\n";
}

} // namespace

void tst_DriverInstaller::initTestCase()
{
    QVERIFY(m_temp.isValid());
    QVERIFY(QDir().mkpath(m_temp.filePath(QStringLiteral("locks"))));
    qputenv("TMPDIR", QFile::encodeName(m_temp.filePath(QStringLiteral("locks"))));
    // Lists what the driver folder holds, as `lpinfo -m` names drivers: folder/file.
    QVERIFY(setuppackage::write(m_temp.filePath(QStringLiteral("lpinfo")),
        "#!/bin/sh\n[ \"$1\" = -m ] || exit 1\n[ -n \"$FAKE_LPINFO_FAIL\" ] && exit 1\n"
        "echo 'lsb/usr/other/other.ppd Some Other Printer'\n"
        "[ -n \"$FAKE_LPINFO_EMPTY\" ] && exit 0\n"
        "for f in \"$RKSETUP_PPD_DIR\"/*; do [ -f \"$f\" ] && echo \"lsb/usr/$(basename \"$RKSETUP_PPD_DIR\")/$(basename \"$f\") Fake\"; done\n"
        "exit 0\n",
        true));
    qputenv("RKSETUP_LPINFO", QFile::encodeName(m_temp.filePath(QStringLiteral("lpinfo"))));
    // No scheduler at all: a printer count cannot succeed.
    qputenv("CUPS_SERVER", QFile::encodeName(m_temp.filePath(QStringLiteral("no-cupsd.sock"))));
}

QString tst_DriverInstaller::makeFolder(const QString &name, int length)
{
    QString folder = m_temp.filePath(QStringLiteral("%1-%2").arg(name).arg(++m_folders));
    if (length > 0)
        folder += QLatin1Char('/') + QString(length - folder.size() - 1, QLatin1Char('p'));
    QDir().mkpath(folder);
    return folder;
}

void tst_DriverInstaller::start_data()
{
    QTest::addColumn<int>("folderLength");
    QTest::addColumn<QByteArray>("ini"); // empty: no file
    QTest::addColumn<bool>("otherCopyRuns");
    QTest::addColumn<QString>("message"); // empty: starts
    QTest::addColumn<int>("modelKind");
    QTest::addColumn<bool>("languageMenu");

    const QString tooLong = QStringLiteral("Folder path to Software setup is too long.\nMove this Software setup "
                                           "to another folder whose path within 100 characters.\n\nExit the program.");
    QTest::newRow("101-character folder refused") << 101 << QByteArray(kValidIni) << false << tooLong << 0 << false;
    QTest::newRow("100-character folder accepted") << 100 << QByteArray(kValidIni) << false << "" << 1 << true;
    QTest::newRow("second start refused") << 0 << QByteArray(kValidIni) << true
                                          << "\"NORVALE RK Series Printer Driver Package\" is already started." << 0 << false;
    QTest::newRow("no setup file") << 0 << QByteArray() << false
                                   << "Missing to setup infomation file.\n\nExit the program." << 0 << false;
    QTest::newRow("MODEL unknown is missing")
        << 0 << QByteArray("[MODEL]\nMODEL=unknown\n[LANGUAGEMENU]\nLANGUAGEMENU=TRUE\n") << false << kFailed << 0 << false;
    QTest::newRow("MODEL empty is missing")
        << 0 << QByteArray("[MODEL]\nMODEL=\n[LANGUAGEMENU]\nLANGUAGEMENU=TRUE\n") << false << kFailed << 0 << false;
    QTest::newRow("LANGUAGEMENU absent") << 0 << QByteArray("[MODEL]\nMODEL=RK5200\n") << false << kFailed << 0 << false;
    QTest::newRow("No Name model, no language menu")
        << 0 << QByteArray("[model]\nmodel=No Name\n[LanguageMenu]\nLanguageMenu=FALSE\n") << false << "" << 2 << false;
    QTest::newRow("other model starts without a page")
        << 0 << QByteArray("[MODEL]\nMODEL=RK9999\n[LANGUAGEMENU]\nLANGUAGEMENU=TRUE\n") << false << "" << 0 << true;
}

void tst_DriverInstaller::start()
{
    QFETCH(int, folderLength);
    QFETCH(QByteArray, ini);
    QFETCH(bool, otherCopyRuns);
    QFETCH(QString, message);
    QFETCH(int, modelKind);
    QFETCH(bool, languageMenu);

    const QString folder = makeFolder(QStringLiteral("start"), folderLength);
    if (folderLength > 0)
        QCOMPARE(folder.size(), folderLength);
    const QString setupFile = folder + QStringLiteral("/RKSETUP.INI");
    if (!ini.isEmpty())
        QVERIFY(setuppackage::write(setupFile, ini));
    InstanceLock other(QStringLiteral("Global\\NORVALE_RK_PrinterDriver_Mutex"));
    if (otherCopyRuns)
        QVERIFY(other.tryLock());

    RecordingMessages messages;
    DriverInstaller installer(folder, setupFile, messages);
    QCOMPARE(installer.start(), message.isEmpty());
    QCOMPARE(messages.texts, message.isEmpty() ? QStringList() : QStringList { message });
    if (message.isEmpty()) {
        QCOMPARE(installer.information().modelKind, modelKind);
        QCOMPARE(installer.information().languageMenu, languageMenu);
    }
}

void tst_DriverInstaller::install_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<int>("language");
    QTest::addColumn<bool>("networkPort");
    QTest::addColumn<QByteArray>("environment"); // NAME=VALUE for this row
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("staged"); // files in the driver folder afterwards
    QTest::addColumn<QByteArray>("stagedContent");

    const QByteArray head = "[MODEL]\nMODEL=RK5200\n[LANGUAGEMENU]\nLANGUAGEMENU=TRUE\n";
    const QByteArray oneInf = "[INFNUM]\nINFITEM=1\n[INFNAME]\nINF0=RK5200.PPD\n";
    const QByteArray files = "[FILENUM]\nFILEITEM=2\n[FILELIST]\nFL0=RK5200.PPD\nFL1=DRIVER.DLL\n";
    const QStringList rk5200 { QStringLiteral("RK5200.PPD") };

    QTest::newRow("French looked up under FR/") << head + oneInf + files << 1 << false << QByteArray()
                                                << QStringList { kReady } << rk5200 << ppd("FR");
    QTest::newRow("English first in the list") << head + oneInf + files << 0 << false << QByteArray()
                                               << QStringList { kReady } << rk5200 << ppd("EN");
    QTest::newRow("position outside the list is English") << head + oneInf + files << 9 << false << QByteArray()
                                                          << QStringList { kReady } << rk5200 << ppd("EN");
    QTest::newRow("LANGUAGEMENU FALSE uses no language folder")
        << QByteArray("[MODEL]\nMODEL=RK5200\n[LANGUAGEMENU]\nLANGUAGEMENU=FALSE\n") + oneInf + files << 1 << false
        << QByteArray() << QStringList { kReady } << rk5200 << ppd("ROOT");
    QTest::newRow("only the first INF is staged")
        << head + "[INFNUM]\nINFITEM=2\n[INFNAME]\nINF0=RK5200.PPD\nINF1=OTHER.PPD\n" + files << 1 << false
        << QByteArray() << QStringList { kReady } << rk5200 << ppd("FR");
    QTest::newRow("every INF entry must be present")
        << head + "[INFNUM]\nINFITEM=2\n[INFNAME]\nINF0=RK5200.PPD\n" + files << 1 << false << QByteArray()
        << QStringList { kFailed } << QStringList() << QByteArray();
    QTest::newRow("INFITEM 0") << head + "[INFNUM]\nINFITEM=0\n[INFNAME]\nINF0=RK5200.PPD\n" + files << 1 << false
                               << QByteArray() << QStringList { kFailed } << QStringList() << QByteArray();
    QTest::newRow("INFITEM negative") << head + "[INFNUM]\nINFITEM=-1\n" + files << 1 << false << QByteArray()
                                      << QStringList { kFailed } << QStringList() << QByteArray();
    QTest::newRow("FILEITEM 0") << head + oneInf + "[FILENUM]\nFILEITEM=0\n" << 1 << false << QByteArray()
                                << QStringList { kFailed } << QStringList() << QByteArray();
    QTest::newRow("FL entry absent") << head + oneInf + "[FILENUM]\nFILEITEM=3\n[FILELIST]\nFL0=RK5200.PPD\nFL1=DRIVER.DLL\n"
                                     << 1 << false << QByteArray() << QStringList { kFailed } << QStringList() << QByteArray();
    QTest::newRow("driver file missing in the language folder")
        << head + oneInf + "[FILENUM]\nFILEITEM=2\n[FILELIST]\nFL0=RK5200.PPD\nFL1=MISSING.DLL\n" << 1 << false << QByteArray()
        << QStringList { "FR/MISSING.DLL\nMissing printer driver files.\nExit the program." } << QStringList() << QByteArray();
    QTest::newRow("German folder absent") << head + oneInf + files << 2 << false << QByteArray()
                                          << QStringList { "DE/RK5200.PPD\nMissing printer driver files.\nExit the program." }
                                          << QStringList() << QByteArray();
    QTest::newRow("names in another case, backslashes")
        << head + "[INFNUM]\nINFITEM=1\n[INFNAME]\nINF0=rk5200.ppd\n[FILENUM]\nFILEITEM=1\n[FILELIST]\nFL0=sub\\driver.dll\n"
        << 1 << false << QByteArray() << QStringList { kReady } << rk5200 << ppd("FR");
    QTest::newRow("INF that is no driver description")
        << head + "[INFNUM]\nINFITEM=1\n[INFNAME]\nINF0=DRIVER.DLL\n" + files << 1 << false << QByteArray()
        << QStringList { kAborted } << QStringList() << QByteArray();
    QTest::newRow("INF file absent") << head + "[INFNUM]\nINFITEM=1\n[INFNAME]\nINF0=NONE.PPD\n" + files << 1 << false
                                     << QByteArray() << QStringList { kAborted } << QStringList() << QByteArray();
    QTest::newRow("CUPS does not offer the staged driver") << head + oneInf + files << 1 << false
                                                           << QByteArray("FAKE_LPINFO_EMPTY=1") << QStringList { kAborted }
                                                           << rk5200 << ppd("FR");
    QTest::newRow("CUPS driver lister fails") << head + oneInf + files << 1 << false << QByteArray("FAKE_LPINFO_FAIL=1")
                                              << QStringList { kAborted } << rk5200 << ppd("FR");
    QTest::newRow("CUPS driver lister absent") << head + oneInf + files << 1 << false
                                               << QByteArray("RKSETUP_LPINFO=/nonexistent/lpinfo")
                                               << QStringList { "/nonexistent/lpinfo: No such file or directory" }
                                               << rk5200 << ppd("FR");
    QTest::newRow("driver folder cannot be made") << head + oneInf + files << 1 << false << QByteArray("STORE=file")
                                                  << QStringList { "STORE: Not a directory" } << QStringList() << QByteArray();
    QTest::newRow("network port without a scheduler")
        << head + oneInf + files << 1 << true << QByteArray()
        << QStringList { kNetwork, "A system error occurred.\nExit the program." } << rk5200 << ppd("FR");
    QTest::newRow("network port: no message before a failed check")
        << head + oneInf + "[FILENUM]\nFILEITEM=0\n" << 1 << true << QByteArray() << QStringList { kFailed }
        << QStringList() << QByteArray();
}

void tst_DriverInstaller::install()
{
    QFETCH(QByteArray, ini);
    QFETCH(int, language);
    QFETCH(bool, networkPort);
    QFETCH(QByteArray, environment);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, staged);
    QFETCH(QByteArray, stagedContent);

    const QString folder = makeFolder(QStringLiteral("package"));
    const QString setupFile = folder + QStringLiteral("/RKSETUP.INI");
    QVERIFY(setuppackage::write(setupFile, ini));
    for (const char *language : { "EN", "FR" }) {
        QVERIFY(setuppackage::write(folder + QStringLiteral("/%1/RK5200.PPD").arg(QLatin1String(language)), ppd(language)));
        QVERIFY(setuppackage::write(folder + QStringLiteral("/%1/OTHER.PPD").arg(QLatin1String(language)), ppd("OTHER")));
        QVERIFY(setuppackage::write(folder + QStringLiteral("/%1/DRIVER.DLL").arg(QLatin1String(language)), "MZ"));
        QVERIFY(setuppackage::write(folder + QStringLiteral("/%1/SUB/DRIVER.DLL").arg(QLatin1String(language)), "MZ"));
    }
    QVERIFY(setuppackage::write(folder + QStringLiteral("/RK5200.PPD"), ppd("ROOT")));
    QVERIFY(setuppackage::write(folder + QStringLiteral("/DRIVER.DLL"), "MZ"));
    QString store = makeFolder(QStringLiteral("store")) + QStringLiteral("/norvale");
    const QByteArray lister = qgetenv("RKSETUP_LPINFO");
    if (environment == "STORE=file") {
        QVERIFY(setuppackage::write(folder + QStringLiteral("/plainfile"), "x"));
        store = folder + QStringLiteral("/plainfile/norvale");
        for (QString &message : messages)
            message.replace(QStringLiteral("STORE"), store);
    } else if (!environment.isEmpty()) {
        qputenv(environment.left(environment.indexOf('=')).constData(), environment.mid(environment.indexOf('=') + 1));
    }
    qputenv("RKSETUP_PPD_DIR", QFile::encodeName(store));

    RecordingMessages recorded;
    DriverInstaller installer(folder, setupFile, recorded);
    QVERIFY(installer.start());
    const bool installed = installer.install(language, networkPort);

    qunsetenv("FAKE_LPINFO_EMPTY");
    qunsetenv("FAKE_LPINFO_FAIL");
    qputenv("RKSETUP_LPINFO", lister);
    QCOMPARE(recorded.texts, messages);
    QCOMPARE(installed, messages.last() == kReady);
    QCOMPARE(QDir(store).entryList(QDir::Files), staged);
    if (!staged.isEmpty())
        QCOMPARE(setuppackage::readAll(store + QLatin1Char('/') + staged.first()), stagedContent);
}

void tst_DriverInstaller::window_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("page");
    QTest::addColumn<QStringList>("languages"); // empty: no language list

    const QStringList all { "English", "French", "German", "Italian", "Spanish" };
    QTest::newRow("language menu") << QByteArray(kValidIni) << true << all;
    QTest::newRow("LANGUAGEMENU FALSE: no language list")
        << QByteArray("[MODEL]\nMODEL=RK5200\n[LANGUAGEMENU]\nLANGUAGEMENU=FALSE\n") << true << QStringList();
    QTest::newRow("No Name model has the page")
        << QByteArray("[MODEL]\nMODEL=No Name\n[LANGUAGEMENU]\nLANGUAGEMENU=TRUE\n") << true << all;
    QTest::newRow("other model: no page")
        << QByteArray("[MODEL]\nMODEL=RK9999\n[LANGUAGEMENU]\nLANGUAGEMENU=TRUE\n") << false << QStringList();
}

void tst_DriverInstaller::window()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, page);
    QFETCH(QStringList, languages);

    const QString folder = makeFolder(QStringLiteral("window"));
    QVERIFY(setuppackage::write(folder + QStringLiteral("/RKSETUP.INI"), ini));
    RecordingMessages messages;
    DriverInstaller installer(folder, folder + QStringLiteral("/RKSETUP.INI"), messages);
    QVERIFY(installer.start());
    InstallerWindow window(installer);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("NORVALE RK Series Printer Driver Package"));
    QCOMPARE(window.page() != nullptr, page);
    if (!page)
        return;
    auto *list = window.page()->findChild<QComboBox *>(QStringLiteral("languages"));
    QCOMPARE(list != nullptr, !languages.isEmpty());
    if (list) {
        QStringList shown;
        for (int i = 0; i < list->count(); ++i)
            shown << list->itemText(i);
        QCOMPARE(shown, languages);
        QCOMPARE(list->currentIndex(), 0);
    }

    // CANCEL asks; No keeps the window, Yes ends it.
    const QString question = QStringLiteral("Quit NORVALE RK Series Printer Driver Package\n\nIS it OK?");
    auto *cancel = window.page()->findChild<QPushButton *>(QStringLiteral("cancel"));
    messages.answer = false;
    QTest::mouseClick(cancel, Qt::LeftButton);
    QVERIFY(window.isVisible());
    messages.answer = true;
    QTest::mouseClick(cancel, Qt::LeftButton);
    QVERIFY(!window.isVisible());
    QCOMPARE(messages.texts, (QStringList { question, question }));
    QCOMPARE(window.result(), 0);
}

QTEST_MAIN(tst_DriverInstaller)
#include "tst_driverinstaller.moc"
