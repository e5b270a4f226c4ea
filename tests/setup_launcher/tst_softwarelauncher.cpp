#include <QDir>
#include <QHeaderView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "recordingmessages.h"
#include "setup_launcher/launcherwindow.h"
#include "setup_launcher/softwarelauncher.h"
#include "setuppackage.h"

// RKSELECT's list and its opening rules against a package on disk. Programs are scripts; the
// desktop's opener is a script too (RKSELECT_OPENER) that leaves marks of what it did.
class tst_SoftwareLauncher : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void entries_data();
    void entries();
    void open_data();
    void open();
    void window();

private:
    QString makePackage(const QByteArray &ini);

    QTemporaryDir m_temp;
    int m_packages = 0;
};

namespace {

const QString kFailed = QStringLiteral("Failed to setup infomation file.\n\nExit the program.");

// A program that notes its folder and then ends after a short while.
const QByteArray kProgram = "#!/bin/sh\npwd > \"$MARKS/program.started\"\nsleep 0.3\ntouch \"$MARKS/program.ended\"\n";

} // namespace

void tst_SoftwareLauncher::initTestCase()
{
    QVERIFY(m_temp.isValid());
    QDir().mkpath(m_temp.filePath(QStringLiteral("locks")));
    qputenv("TMPDIR", QFile::encodeName(m_temp.filePath(QStringLiteral("locks"))));
    const QString opener = m_temp.filePath(QStringLiteral("opener"));
    QVERIFY(setuppackage::write(opener,
        "#!/bin/sh\necho \"$1\" > \"$MARKS/opener.started\"\n[ -n \"$OPENER_FAILS\" ] && exit 3\n"
        "sleep \"${OPENER_SECONDS:-0.3}\"\ntouch \"$MARKS/opener.ended\" 2>/dev/null\n",
        true));
    qputenv("RKSELECT_OPENER", QFile::encodeName(opener));
}

QString tst_SoftwareLauncher::makePackage(const QByteArray &ini)
{
    const QString folder = m_temp.filePath(QStringLiteral("package%1").arg(++m_packages));
    setuppackage::write(folder + QStringLiteral("/RKSELECT.INI"), ini);
    return folder;
}

void tst_SoftwareLauncher::entries_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<QStringList>("names"); // empty: the fault

    const QByteArray item1 = "[ITEM1]\nAPPNAME=Driver\nCOMMENT=Installs it\n";
    const QByteArray item3 = "[ITEM3]\nAPPNAME=Guide\nCOMMENT=PDF\n";
    QTest::newRow("three entries") << "[LANCHAPPNUM]\nNUM=3\n" + item1 + "[ITEM2]\nAPPNAME=Tool\nCOMMENT=x\n" + item3
                                   << QStringList { "Driver", "Tool", "Guide" };
    QTest::newRow("NUM 3, ITEM2 without COMMENT") << "[LANCHAPPNUM]\nNUM=3\n" + item1 + "[ITEM2]\nAPPNAME=Tool\n" + item3
                                                  << QStringList();
    QTest::newRow("ITEM2 without APPNAME") << "[LANCHAPPNUM]\nNUM=2\n" + item1 + "[ITEM2]\nCOMMENT=x\n" << QStringList();
    QTest::newRow("COMMENT unknown") << QByteArray("[LANCHAPPNUM]\nNUM=1\n[ITEM1]\nAPPNAME=a\nCOMMENT=unknown\n") << QStringList();
    QTest::newRow("NUM 0") << "[LANCHAPPNUM]\nNUM=0\n" + item1 << QStringList();
    QTest::newRow("NUM absent") << QByteArray(item1) << QStringList();
    QTest::newRow("entries beyond NUM ignored") << "[LANCHAPPNUM]\nNUM=1\n" + item1 + "[ITEM2]\nAPPNAME=Tool\n"
                                                << QStringList { "Driver" };
}

void tst_SoftwareLauncher::entries()
{
    QFETCH(QByteArray, ini);
    QFETCH(QStringList, names);
    const QString folder = makePackage(ini);
    RecordingMessages messages;
    SoftwareLauncher launcher(folder, folder + QStringLiteral("/RKSELECT.INI"), messages);
    QVERIFY(launcher.start());
    QList<LauncherFile::Entry> entries;
    QCOMPARE(launcher.entries(&entries), !names.isEmpty());
    QStringList shown;
    for (const LauncherFile::Entry &entry : entries)
        shown << entry.appName;
    if (names.isEmpty())
        QCOMPARE(messages.texts, QStringList { kFailed });
    else
        QCOMPARE(shown, names);
}

void tst_SoftwareLauncher::open_data()
{
    QTest::addColumn<QString>("exeName");
    QTest::addColumn<QByteArray>("content"); // empty: the file is not there
    QTest::addColumn<QByteArray>("opener");  // NAME=VALUE for the fake opener
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("exits");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("marksAfter"); // what had happened when open() returned

    const QByteArray pdf = "%PDF-1.4\n";
    QTest::newRow(".PDF keeps the launcher open, not waiting for the viewer")
        << "GUIDE.PDF" << pdf << QByteArray("OPENER_SECONDS=4") << 0 << false << "" << QStringList { "opener.started" };
    QTest::newRow(".pdf waits for the viewer, then stays")
        << "guide.pdf" << pdf << QByteArray() << 0 << false << "" << QStringList { "opener.ended", "opener.started" };
    QTest::newRow("other document waits, then stays")
        << "README.TXT" << QByteArray("read me") << QByteArray() << 0 << false << ""
        << QStringList { "opener.ended", "opener.started" };
    QTest::newRow(".exe program closes the launcher once it ends")
        << "setup.exe" << kProgram << QByteArray() << 0 << true << "" << QStringList { "program.ended", "program.started" };
    QTest::newRow(".EXE program closes the launcher once it ends")
        << "SETUP.EXE" << kProgram << QByteArray() << 0 << true << "" << QStringList { "program.ended", "program.started" };
    QTest::newRow("program without .exe leaves the launcher open")
        << "RKSETUP" << kProgram << QByteArray() << 0 << false << "" << QStringList { "program.ended", "program.started" };
    QTest::newRow("executable bit alone does not make a program")
        << "NOTES.TXT" << QByteArray("text with x bit") << QByteArray() << 0 << false << ""
        << QStringList { "opener.ended", "opener.started" };
    QTest::newRow("file absent") << "NOFILE.PDF" << QByteArray() << QByteArray() << 0 << true
                                 << "PKG/Tools/NOFILE.PDF: No such file or directory" << QStringList();
    QTest::newRow("nothing on the desktop opens it") << "DATA.BIN" << QByteArray("x") << QByteArray("OPENER_FAILS=1") << 0
                                                     << true << "\"DATA.BIN\" cannot be opened on this desktop."
                                                     << QStringList { "opener.started" };
    QTest::newRow("opener not installed") << "guide.pdf" << pdf << QByteArray("RKSELECT_OPENER=/nonexistent/xdg-open") << 0
                                          << true << "/nonexistent/xdg-open: No such file or directory" << QStringList();
    QTest::newRow("EXENAME absent") << "" << QByteArray() << QByteArray() << 0 << true << kFailed << QStringList();
    QTest::newRow("OK with no row") << "guide.pdf" << pdf << QByteArray() << -1 << false
                                    << "Printer driver is not selected." << QStringList();
}

void tst_SoftwareLauncher::open()
{
    QFETCH(QString, exeName);
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, opener);
    QFETCH(int, row);
    QFETCH(bool, exits);
    QFETCH(QString, message);
    QFETCH(QStringList, marksAfter);

    QByteArray ini = "[LANCHAPPNUM]\nNUM=1\n[ITEM1]\nAPPNAME=Entry\nCOMMENT=c\nAPPPATH=tools\n";
    if (!exeName.isEmpty())
        ini += "EXENAME=" + exeName.toUtf8() + "\n";
    const QString folder = makePackage(ini);
    const QString marks = folder + QStringLiteral("/marks");
    QDir().mkpath(marks);
    qputenv("MARKS", QFile::encodeName(marks));
    if (!content.isEmpty())
        QVERIFY(setuppackage::write(folder + QStringLiteral("/Tools/") + exeName, content, content.startsWith("#!")
                || exeName == QLatin1String("NOTES.TXT")));
    else
        QDir().mkpath(folder + QStringLiteral("/Tools"));
    const QByteArray savedOpener = qgetenv("RKSELECT_OPENER");
    if (!opener.isEmpty())
        qputenv(opener.left(opener.indexOf('=')).constData(), opener.mid(opener.indexOf('=') + 1));

    RecordingMessages messages;
    QStringList marksSeen;
    bool exited = false;
    {
        SoftwareLauncher launcher(folder, folder + QStringLiteral("/RKSELECT.INI"), messages);
        QVERIFY(launcher.start());
        exited = launcher.open(row) == SoftwareLauncher::Next::Exit;
        marksSeen = QDir(marks).entryList(QDir::Files, QDir::Name);
    }
    qunsetenv("OPENER_SECONDS");
    qunsetenv("OPENER_FAILS");
    qputenv("RKSELECT_OPENER", savedOpener);

    QCOMPARE(exited, exits);
    message.replace(QStringLiteral("PKG"), folder);
    QCOMPARE(messages.texts, message.isEmpty() ? QStringList() : QStringList { message });
    QCOMPARE(marksSeen, marksAfter);
    // Programs run in the entry's folder (APPPATH, found whatever its case).
    if (marksSeen.contains(QStringLiteral("program.started")))
        QCOMPARE(setuppackage::readAll(marks + QStringLiteral("/program.started")).trimmed(),
            QFile::encodeName(folder + QStringLiteral("/Tools")));
    if (marksSeen.contains(QStringLiteral("opener.started")))
        QCOMPARE(setuppackage::readAll(marks + QStringLiteral("/opener.started")).trimmed(),
            QFile::encodeName(folder + QStringLiteral("/Tools/") + exeName));
}

void tst_SoftwareLauncher::window()
{
    const QString longComment = QStringLiteral("A comment much wider than the header of its column, to widen it");
    const QString folder = makePackage("[LANCHAPPNUM]\nNUM=2\n[ITEM1]\nAPPNAME=A\nCOMMENT=" + longComment.toUtf8()
        + "\nAPPPATH=.\nEXENAME=x.txt\n[ITEM2]\nAPPNAME=B\nCOMMENT=b\nAPPPATH=.\nEXENAME=y.txt\n");
    RecordingMessages messages;
    SoftwareLauncher launcher(folder, folder + QStringLiteral("/RKSELECT.INI"), messages);
    QVERIFY(launcher.start());
    LauncherWindow window(launcher);
    QVERIFY(window.filled());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QTreeWidget *list = window.list();
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("Printer Driver"));
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("Comments"));
    QCOMPARE(list->topLevelItemCount(), 2);
    const QFontMetrics metrics(list->font());
    // A short column keeps its header's width; a long text widens its column to fit.
    QVERIFY(list->columnWidth(0) >= metrics.horizontalAdvance(QStringLiteral("Printer Driver")));
    QVERIFY(list->columnWidth(0) < metrics.horizontalAdvance(QStringLiteral("Printer Driver")) * 2);
    QVERIFY(list->columnWidth(1) >= metrics.horizontalAdvance(longComment));

    // OK with nothing chosen asks for a row and keeps the window.
    QTest::mouseClick(window.okButton(), Qt::LeftButton);
    QCOMPARE(messages.texts, QStringList { "Printer driver is not selected." });
    QVERIFY(window.isVisible());

    // Closing asks; No keeps the window, Yes closes it.
    messages.texts.clear();
    messages.answer = false;
    window.close();
    QVERIFY(window.isVisible());
    messages.answer = true;
    window.close();
    QVERIFY(!window.isVisible());
    QCOMPARE(messages.texts,
        (QStringList { "Quit \"Norvale RK Series Software Setup\"\n\nIs it OK?",
            "Quit \"Norvale RK Series Software Setup\"\n\nIs it OK?" }));
}

QTEST_MAIN(tst_SoftwareLauncher)
#include "tst_softwarelauncher.moc"
