#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "setup_common/instancelock.h"

// Both programs as a user starts them: refusals come before any window, in message boxes that
// answer themselves here (<PROGRAM>_DISMISS_MESSAGES_MS) and whose texts go to stderr.
class tst_SetupStart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void refused_data();
    void refused();

private:
    QTemporaryDir m_temp;
    QString m_locks;
};

void tst_SetupStart::initTestCase()
{
    QVERIFY(m_temp.isValid());
    // The lock files live in the temporary folder; a private one keeps parallel runs apart.
    m_locks = m_temp.filePath(QStringLiteral("locks"));
    QVERIFY(QDir().mkpath(m_locks));
    qputenv("TMPDIR", QFile::encodeName(m_locks));
}

void tst_SetupStart::refused_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("language");

    const QString tooLong = QStringLiteral("Folder path to Software setup is too long.\\nMove this Software "
                                           "setup to another folder whose path within 100 characters.\\n\\n"
                                           "Exit the program.");
    const QString missing = QStringLiteral("Missing to setup infomation file.\\n\\nExit the program.");
    const QString en = QStringLiteral("en");
    QTest::newRow("RKSETUP 101-character folder") << "RKSETUP" << "long" << tooLong << en;
    QTest::newRow("RKSELECT 101-character folder") << "RKSELECT" << "long" << tooLong << en;
    QTest::newRow("RKSETUP second start")
        << "RKSETUP" << "second" << "\"NORVALE RK Series Printer Driver Package\" is already started." << en;
    QTest::newRow("RKSELECT second start")
        << "RKSELECT" << "second" << "\"Norvale RK Series Software Setup\" is already started." << en;
    QTest::newRow("RKSETUP without its INI") << "RKSETUP" << "noini" << missing << en;
    QTest::newRow("RKSELECT without its INI") << "RKSELECT" << "noini" << missing << en;
    // Chinese, as RKMENU starts by default: the translation beside the programs is found.
    QTest::newRow("RKSETUP second start, Chinese")
        << "RKSETUP" << "second" << QStringLiteral("“NORVALE RK 系列打印机驱动程序包”已经启动。") << "zh";
    QTest::newRow("RKSELECT without its INI, Chinese")
        << "RKSELECT" << "noini" << QStringLiteral("缺少安装信息文件。\\n\\n程序将退出。") << "";
}

void tst_SetupStart::refused()
{
    QFETCH(QString, program);
    QFETCH(QString, situation);
    QFETCH(QString, message);
    QFETCH(QString, language);

    QString folder = m_temp.filePath(program + situation);
    if (situation == QLatin1String("long"))
        folder += QLatin1Char('/') + QString(101 - folder.size() - 1, QLatin1Char('x'));
    QVERIFY(QDir().mkpath(folder));
    if (situation == QLatin1String("long"))
        QCOMPARE(folder.size(), 101);
    if (situation != QLatin1String("noini")) {
        QFile ini(folder + QLatin1Char('/') + program + QStringLiteral(".INI"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[MODEL]\nMODEL=RK5200\n[LANGUAGEMENU]\nLANGUAGEMENU=TRUE\n"
                  "[LANCHAPPNUM]\nNUM=1\n[ITEM1]\nAPPNAME=A\nCOMMENT=B\nAPPPATH=.\nEXENAME=x\n");
    }
    InstanceLock first(program == QLatin1String("RKSETUP") ? QStringLiteral("Global\\NORVALE_RK_PrinterDriver_Mutex")
                                                           : QStringLiteral("Global\\NORVALE_RK_Start_Mutex"));
    if (situation == QLatin1String("second"))
        QVERIFY(first.tryLock());

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(program + QStringLiteral("_DISMISS_MESSAGES_MS"), QStringLiteral("0"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(RK_BIN_DIR "/") + program,
                  language.isEmpty() ? QStringList() : QStringList { QStringLiteral("--lang"), language });
    QVERIFY(process.waitForFinished(30000));
    const QString log = QString::fromUtf8(process.readAllStandardError());
    QVERIFY2(log.contains(QStringLiteral("message: ") + message), qPrintable(log));
    QCOMPARE(log.count(QStringLiteral("message: ")), 1);
    QCOMPARE(process.exitCode(), 1);
    // The refused copy leaves the first holder's lock alone.
    if (situation == QLatin1String("second")) {
        InstanceLock probe(first.filePath().section(QLatin1Char('/'), -1));
        QVERIFY(!probe.tryLock());
    }
}

QTEST_GUILESS_MAIN(tst_SetupStart)
#include "tst_setupstart.moc"
