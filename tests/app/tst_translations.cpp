#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

// The Chinese translation against the sources as they are now: lupdate runs over src/ into a
// copy of the .ts, so a text added in code without a translation shows up here as unfinished.
class tst_Translations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void finished_data();
    void finished();

private:
    struct Message {
        QString source;
        QStringList translations;
        QString type;
    };
    QMap<QString, QList<Message>> m_contexts;
};

void tst_Translations::initTestCase()
{
    QTemporaryDir temp;
    QVERIFY(temp.isValid());
    const QString ts = temp.filePath(QStringLiteral("check.ts"));
    QVERIFY(QFile::copy(QStringLiteral(RK_SOURCE_DIR "/translations/Setwright_zh_CN.ts"), ts));
    QFile::setPermissions(ts, QFile::ReadOwner | QFile::WriteOwner);
    QProcess lupdate;
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(RK_LUPDATE), { QStringLiteral("-no-obsolete"), QStringLiteral("-locations"),
                  QStringLiteral("none"), QStringLiteral(RK_SOURCE_DIR "/src"), QStringLiteral("-ts"), ts });
    QVERIFY(lupdate.waitForFinished(120000));
    QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());

    QFile file(ts);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            message = Message();
        } else if (xml.name() == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            if (xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes")) {
                while (xml.readNextStartElement())
                    message.translations << xml.readElementText();
            } else {
                message.translations << xml.readElementText();
            }
            m_contexts[context] << message;
        }
    }
    QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
    QVERIFY(m_contexts.size() > 10);
}

void tst_Translations::finished_data()
{
    QTest::addColumn<QString>("context");
    for (auto it = m_contexts.cbegin(); it != m_contexts.cend(); ++it)
        QTest::newRow(qPrintable(it.key())) << it.key();
}

// Every text of the context is translated, and the translation keeps the text's placeholders:
// a lost "%1" shows the user a message without its file name or value.
void tst_Translations::finished()
{
    QFETCH(QString, context);
    static const QRegularExpression placeholder(QStringLiteral("%\\d"));
    QStringList faults;
    for (const Message &message : m_contexts.value(context)) {
        QStringList wanted;
        for (auto match = placeholder.globalMatch(message.source); match.hasNext();)
            wanted << match.next().captured();
        wanted.sort();
        if (!message.type.isEmpty())
            faults << message.type + QStringLiteral(": ") + message.source;
        for (const QString &translation : message.translations) {
            if (translation.trimmed().isEmpty()) {
                faults << QStringLiteral("empty: ") + message.source;
                continue;
            }
            QStringList found;
            for (auto match = placeholder.globalMatch(translation); match.hasNext();)
                found << match.next().captured();
            found.sort();
            if (found != wanted)
                faults << QStringLiteral("placeholders %1 instead of %2: %3")
                              .arg(found.join(QLatin1Char(' ')), wanted.join(QLatin1Char(' ')), message.source);
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
}

QTEST_GUILESS_MAIN(tst_Translations)
#include "tst_translations.moc"
