#include <QtTest>

#include "setup_common/setuplanguage.h"

// The setup programs take the language as RKMENU does and pass everything else on untouched.
class tst_SetupLanguage : public QObject
{
    Q_OBJECT

private slots:
    void arguments_data();
    void arguments();
};

void tst_SetupLanguage::arguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<QStringList>("rest");
    const QString program = QStringLiteral("RKSELECT");
    QTest::newRow("nothing: Chinese") << QStringList { program } << true << QStringList { program };
    QTest::newRow("--lang en") << QStringList { program, "--lang", "en" } << false << QStringList { program };
    QTest::newRow("--lang=en before a folder")
        << QStringList { program, "--lang=en", "/media/pkg" } << false << QStringList { program, "/media/pkg" };
    QTest::newRow("--lang zh after a folder")
        << QStringList { program, "/media/pkg", "--lang", "zh" } << true << QStringList { program, "/media/pkg" };
    QTest::newRow("--lang without a value") << QStringList { program, "--lang" } << true << QStringList { program };
    QTest::newRow("a folder named like a language")
        << QStringList { program, "en" } << true << QStringList { program, "en" };
}

void tst_SetupLanguage::arguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, chinese);
    QFETCH(QStringList, rest);
    QCOMPARE(setuplanguage::chineseRequested(arguments), chinese);
    QCOMPARE(setuplanguage::withoutLanguage(arguments), rest);
}

QTEST_GUILESS_MAIN(tst_SetupLanguage)
#include "tst_setuplanguage.moc"
