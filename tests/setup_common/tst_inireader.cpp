#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "setup_common/inireader.h"
#include "setup_common/packagepath.h"

// The package files were written for the Windows profile functions; these are the rules of those
// functions the programs rely on.
class tst_IniReader : public QObject
{
    Q_OBJECT

private slots:
    void value_data();
    void value();
    void missingFile();
    void resolve_data();
    void resolve();

private:
    QTemporaryDir m_dir;
};

void tst_IniReader::value_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number");

    QTest::newRow("plain") << QByteArray("[MODEL]\nMODEL=RK5200\n") << "MODEL" << "MODEL" << "RK5200" << 0;
    QTest::newRow("names without case") << QByteArray("[Model]\nmodel=RK5200\n") << "MODEL" << "MODEL" << "RK5200" << 0;
    QTest::newRow("value keeps its case") << QByteArray("[A]\nK=MiXeD\n") << "a" << "k" << "MiXeD" << 0;
    QTest::newRow("absent key gives unknown") << QByteArray("[A]\nK=1\n") << "A" << "X" << "unknown" << 0;
    QTest::newRow("absent section gives unknown") << QByteArray("[A]\nK=1\n") << "B" << "K" << "unknown" << 0;
    QTest::newRow("key of another section") << QByteArray("[A]\nK=1\n[B]\nJ=2\n") << "B" << "K" << "unknown" << 0;
    QTest::newRow("blanks around") << QByteArray("  [ A ]  \n  K   =   two words  \n") << "A" << "K" << "two words" << 0;
    QTest::newRow("quotes removed") << QByteArray("[A]\nK=\"  quoted \"\n") << "A" << "K" << "  quoted " << 0;
    QTest::newRow("single quotes removed") << QByteArray("[A]\nK='x'\n") << "A" << "K" << "x" << 0;
    QTest::newRow("unmatched quote kept") << QByteArray("[A]\nK=\"x\n") << "A" << "K" << "\"x" << 0;
    QTest::newRow("first occurrence wins") << QByteArray("[A]\nK=1\nK=2\n[a]\nK=3\n") << "A" << "K" << "1" << 1;
    QTest::newRow("comment line") << QByteArray("[A]\n;K=1\nK=2\n") << "A" << "K" << "2" << 2;
    QTest::newRow("semicolon inside a value") << QByteArray("[A]\nK=3 ; not a comment\n") << "A" << "K" << "3 ; not a comment" << 3;
    QTest::newRow("windows line ends") << QByteArray("[A]\r\nK=7\r\n") << "A" << "K" << "7" << 7;
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[A]\nK=7\n") << "A" << "K" << "7" << 7;
    QTest::newRow("UTF-8 value") << QByteArray("[A]\nK=caf\xC3\xA9\n") << "A" << "K" << QString::fromUtf8("caf\xC3\xA9") << 0;
    QTest::newRow("Windows code page value") << QByteArray("[A]\nK=caf\xE9\n") << "A" << "K" << QString::fromUtf8("caf\xC3\xA9") << 0;
    QTest::newRow("empty value") << QByteArray("[A]\nK=\n") << "A" << "K" << "" << 0;
    QTest::newRow("value cut to 255") << QByteArray("[A]\nK=" + QByteArray(300, 'v') + "\n") << "A" << "K"
                                      << QString(255, QLatin1Char('v')) << 0;
    QTest::newRow("number with text after it") << QByteArray("[A]\nK=12abc\n") << "A" << "K" << "12abc" << 12;
    QTest::newRow("number not a number") << QByteArray("[A]\nK=unknown\n") << "A" << "K" << "unknown" << 0;
    QTest::newRow("negative number") << QByteArray("[A]\nK=-2\n") << "A" << "K" << "-2" << -2;
    QTest::newRow("number too large") << QByteArray("[A]\nK=99999999999\n") << "A" << "K" << "99999999999" << 0;
    QTest::newRow("key just inside the file size limit found")
        << QByteArray("[A]\n;" + QByteArray(IniReader::kMaxFileSize - 16, 'c') + "\nK=2\n") << "A" << "K" << "2" << 2;
    QTest::newRow("key past the file size limit ignored")
        << QByteArray("[A]\n;" + QByteArray(IniReader::kMaxFileSize, 'c') + "\nK=2\n") << "A" << "K" << "unknown" << 0;
    QTest::newRow("key before any section ignored") << QByteArray("K=1\n[A]\n") << "A" << "K" << "unknown" << 0;
}

void tst_IniReader::value()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, text);
    QFETCH(int, number);
    const QString path = m_dir.filePath(QStringLiteral("t.ini"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
    out.write(file);
    out.close();
    const IniReader ini(path);
    QVERIFY(ini.fileExists());
    QCOMPARE(ini.value(section, key), text);
    QCOMPARE(ini.intValue(section, key), number);
    QCOMPARE(IniReader::isMissing(ini.value(section, key)), text.isEmpty() || text == QLatin1String("unknown"));
}

void tst_IniReader::missingFile()
{
    const IniReader ini(m_dir.filePath(QStringLiteral("absent.ini")));
    QVERIFY(!ini.fileExists());
    QCOMPARE(ini.value(QStringLiteral("A"), QStringLiteral("K")), QStringLiteral("unknown"));
    QCOMPARE(ini.intValue(QStringLiteral("A"), QStringLiteral("K")), 0);

    // A device that never ends is read as far as the size limit, not forever.
    const IniReader endless(QStringLiteral("/dev/zero"));
    QVERIFY(endless.fileExists());
    QCOMPARE(endless.value(QStringLiteral("A"), QStringLiteral("K")), QStringLiteral("unknown"));
}

void tst_IniReader::resolve_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("expected");

    QTest::newRow("as written") << "FR/RK5200.PPD" << "FR/RK5200.PPD";
    QTest::newRow("backslashes") << "FR\\RK5200.PPD" << "FR/RK5200.PPD";
    QTest::newRow("other case") << "fr\\rk5200.ppd" << "FR/RK5200.PPD";
    QTest::newRow("absent stays as written") << "fr\\none.ppd" << "FR/none.ppd";
    QTest::newRow("current folder") << "." << ".";
}

void tst_IniReader::resolve()
{
    QFETCH(QString, relative);
    QFETCH(QString, expected);
    QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("FR")));
    QFile file(m_dir.filePath(QStringLiteral("FR/RK5200.PPD")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(packagepath::resolve(m_dir.path(), relative), m_dir.path() + QLatin1Char('/') + expected);
}

QTEST_GUILESS_MAIN(tst_IniReader)
#include "tst_inireader.moc"
