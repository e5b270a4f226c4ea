#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QXmlStreamReader>
#include <QtTest>

#include "components/helpaboutpage.h"
#include "components/helpviewer.h"

namespace {
constexpr int kChinese = 0;
constexpr int kEnglish = 1;

QString readText(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QSet<QString> matches(const QString &text, const QString &pattern)
{
    QSet<QString> found;
    const QRegularExpression expression(pattern);
    for (auto it = expression.globalMatch(text); it.hasNext();)
        found << it.next().captured(1);
    return found;
}

// Source text -> translation of every message of the program's translation.
QHash<QString, QString> translations()
{
    QHash<QString, QString> result;
    QFile file(QStringLiteral(RK_SOURCE_DIR "/translations/Setwright_zh_CN.ts"));
    if (!file.open(QIODevice::ReadOnly))
        return result;
    QXmlStreamReader xml(&file);
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("source"))
            source = xml.readElementText();
        else if (xml.isStartElement() && xml.name() == QLatin1String("translation"))
            result.insert(source, xml.readElementText());
    }
    return result;
}

// The text of an HTML fragment as a reader sees it: tags dropped, entities and spaces resolved.
QString plain(QString html)
{
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    html.replace(QLatin1String("&quot;"), QLatin1String("\"")).replace(QLatin1String("&lt;"), QLatin1String("<"));
    html.replace(QLatin1String("&gt;"), QLatin1String(">")).replace(QLatin1String("&amp;"), QLatin1String("&"));
    return html.simplified();
}
} // namespace

class tst_HelpAboutPage : public QObject
{
    Q_OBJECT

private slots:
    void chosenDocument_data();
    void chosenDocument();
    void opening_data();
    void opening();
    void deliveredDocuments_data();
    void deliveredDocuments();
};

void tst_HelpAboutPage::chosenDocument_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("chosen");
    const QStringList both = { QStringLiteral("help.html"), QStringLiteral("help_zh_CN.html") };
    QTest::newRow("Chinese") << both << kChinese << "help_zh_CN.html";
    QTest::newRow("English") << both << kEnglish << "help.html";
    QTest::newRow("Chinese missing: English") << QStringList { "help.html" } << kChinese << "help.html";
    QTest::newRow("English missing: not the Chinese one") << QStringList { "help_zh_CN.html" } << kEnglish
                                                          << "help.html";
    QTest::newRow("Chinese name is a folder") << QStringList { "help.html", "help_zh_CN.html/" } << kChinese
                                              << "help.html";
}

void tst_HelpAboutPage::chosenDocument()
{
    QFETCH(QStringList, files);
    QFETCH(int, language);
    QFETCH(QString, chosen);
    QTemporaryDir folder;
    for (const QString &name : files) {
        if (name.endsWith(QLatin1Char('/'))) {
            QVERIFY(QDir(folder.path()).mkdir(name));
            continue;
        }
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QCOMPARE(HelpAboutPage::helpDocument(folder.path(), language), folder.filePath(chosen));
    QCOMPARE(HelpAboutPage(language, folder.path()).helpFilePath(), folder.filePath(chosen));
}

void tst_HelpAboutPage::opening_data()
{
    QTest::addColumn<QString>("opener");
    QTest::addColumn<bool>("delivered");
    QTest::addColumn<bool>("inProgram");
    QTest::addColumn<QString>("failure");
    QTest::newRow("no desktop viewer") << "none" << true << true << "";
    QTest::newRow("opener not installed") << "/nonexistent/xdg-open" << true << true << "";
    QTest::newRow("opener cannot show the file") << "false" << true << true << "";
    QTest::newRow("opener shows it") << "true" << true << false << "";
    QTest::newRow("document missing") << "none" << false << false << "The help file is missing:";
}

// The desktop's viewer first; the in-program viewer when there is none or it gives up.
void tst_HelpAboutPage::opening()
{
    QFETCH(QString, opener);
    QFETCH(bool, delivered);
    QFETCH(bool, inProgram);
    QFETCH(QString, failure);
    qputenv("RKMENU_HELP_OPENER", opener.toUtf8());
    QTemporaryDir folder;
    if (delivered)
        QVERIFY(QFile::copy(QStringLiteral(RK_BIN_DIR "/help.html"), folder.filePath(QStringLiteral("help.html"))));

    HelpAboutPage page(kEnglish, folder.path());
    QSignalSpy failed(&page, &HelpAboutPage::helpFailed);
    page.show();
    page.findChild<QPushButton *>()->click();
    if (inProgram) {
        QTRY_VERIFY(page.helpViewer() && page.helpViewer()->isVisible());
        QCOMPARE(page.helpViewer()->documentPath(), folder.filePath(QStringLiteral("help.html")));
        QVERIFY(page.helpViewer()->browser()->toPlainText().contains(QLatin1String("rkctl")));
        // A second press shows the same viewer again rather than another window.
        HelpViewer *viewer = page.helpViewer();
        viewer->close();
        page.findChild<QPushButton *>()->click();
        QTRY_VERIFY(viewer->isVisible());
        QCOMPARE(page.helpViewer(), viewer);
    } else {
        QTest::qWait(500);
        QVERIFY(!page.helpViewer());
    }
    QCOMPARE(failed.size(), failure.isEmpty() ? 0 : 1);
    if (!failure.isEmpty())
        QVERIFY(failed.first().first().toString().startsWith(failure));
    qunsetenv("RKMENU_HELP_OPENER");
}

void tst_HelpAboutPage::deliveredDocuments_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("chinese");
    QTest::newRow("English") << "help.html" << false;
    QTest::newRow("Chinese") << "help_zh_CN.html" << true;
}

// The delivered documents: every link inside a document leads somewhere, both documents have
// the same sections, and a message the troubleshooting part quotes is the program's own text
// in that document's language.
void tst_HelpAboutPage::deliveredDocuments()
{
    QFETCH(QString, name);
    QFETCH(bool, chinese);
    const QString text = readText(QStringLiteral(RK_BIN_DIR "/") + name);
    QVERIFY(!text.isEmpty());
    const QSet<QString> ids = matches(text, QStringLiteral("\\bid=\"([^\"]+)\""));
    const QSet<QString> links = matches(text, QStringLiteral("href=\"#([^\"]+)\""));
    QVERIFY2((links - ids).isEmpty(), qPrintable(QStringList((links - ids).values()).join(QLatin1Char(' '))));
    const QSet<QString> englishIds = matches(readText(QStringLiteral(RK_BIN_DIR "/help.html")),
                                             QStringLiteral("\\bid=\"([^\"]+)\""));
    QCOMPARE(ids, englishIds);

    const QHash<QString, QString> texts = translations();
    QSet<QString> known;
    for (auto it = texts.cbegin(); it != texts.cend(); ++it)
        known << plain((chinese ? it.value() : it.key()).toHtmlEscaped());
    const QSet<QString> quoted = matches(text, QStringLiteral("<dt class=\"msg\">(.*?)</dt>"));
    QVERIFY(quoted.size() >= 20);
    // The main window puts "communicate Error: " before the port's own message.
    const QString errorPrefix = plain(chinese ? texts.value(QStringLiteral("communicate Error: "))
                                              : QStringLiteral("communicate Error: "));
    QVERIFY(!errorPrefix.isEmpty());
    QStringList unknown;
    for (const QString &quote : quoted) {
        const QString message = plain(quote);
        if (known.contains(message))
            continue;
        if (message.startsWith(errorPrefix) && known.contains(message.mid(errorPrefix.size()).trimmed()))
            continue;
        unknown << message;
    }
    QVERIFY2(unknown.isEmpty(), qPrintable(unknown.join(QLatin1Char('\n'))));

    HelpViewer viewer;
    QVERIFY(viewer.showDocument(QStringLiteral(RK_BIN_DIR "/") + name));
    QVERIFY(!viewer.windowTitle().isEmpty());
    QVERIFY(viewer.browser()->toPlainText().contains(chinese ? QStringLiteral("打印机") : QStringLiteral("printer")));
}

QTEST_MAIN(tst_HelpAboutPage)
#include "tst_helpaboutpage.moc"
