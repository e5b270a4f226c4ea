#include <QtTest>

#include <cjson/cJSON.h>

#include "engine/parameterlist.h"

namespace {
const QByteArray kReply(
    R"J({"System Setup":{"speed":{"tip":"Print speed","list":"[Low+0,Normal+1,High+2]",)J"
    R"J("val":"Normal+1","def":"High+2"},"density":{"tip":"Print density",)J"
    R"J("list":"(start:1,end:4,step:1)","val":"3+3"}},)J"
    R"J("Factory":{"serial":{"tip":"Serial","list":"[A+0]","val":"A+0"}},)J"
    R"J("纸张设置":{"margin":{"tip":"Margin","list":"(start:20,end:0,step:5)","val":"5+5"},)J"
    R"J("cut":{"tip":"Cut","list":"[Off+0,Full,Partial+x,C++ mode+7]","val":"C++ mode+7"},)J"
    R"J("cut2":{"tip":"Cut","list":"[Off+0,On+1]","val":"Maybe+9"}}})J");

QStringList texts(const QVector<ParameterList::Option> &options)
{
    QStringList out;
    for (const ParameterList::Option &o : options)
        out << QStringLiteral("%1=%2").arg(o.text).arg(o.value);
    return out;
}
} // namespace

class TestParameterList : public QObject
{
    Q_OBJECT

private slots:
    void optionLists_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("options");
        QTest::newRow("range") << "(start:1,end:7,step:3)" << QStringList { "1=1", "4=4", "7=7" };
        QTest::newRow("range with spaces")
            << "( start: 0 , end: 10, step: 5 )" << QStringList { "0=0", "5=5", "10=10" };
        QTest::newRow("start above end counts down")
            << "(start:20,end:0,step:10)" << QStringList { "20=20", "10=10", "0=0" };
        QTest::newRow("zero step gives none") << "(start:1,end:5,step:0)" << QStringList {};
        QTest::newRow("negative step gives none") << "(start:1,end:5,step:-1)" << QStringList {};
        QTest::newRow("missing end gives none") << "(start:1,step:1)" << QStringList {};
        QTest::newRow("unclosed range gives none") << "(start:1,end:5,step:1" << QStringList {};
        QTest::newRow("enumeration")
            << "[Low+0,High+2]" << QStringList { "Low=0", "High=2" };
        QTest::newRow("item without + gives no option")
            << "[Off+0,Full,On+1]" << QStringList { "Off=0", "On=1" };
        QTest::newRow("item without a number gives no option")
            << "[Off+0,Half+x]" << QStringList { "Off=0" };
        QTest::newRow("text holding +") << "[C++ mode+7]" << QStringList { "C++ mode=7" };
        QTest::newRow("neither") << "Low,High" << QStringList {};
    }

    void optionLists()
    {
        QFETCH(QString, list);
        QFETCH(QStringList, options);
        QCOMPARE(texts(ParameterList::parseOptions(list)), options);
    }

    void hugeRangeIsCut()
    {
        QCOMPARE(ParameterList::parseOptions(QStringLiteral("(start:-2147483648,end:2147483647,"
                                                            "step:1)"))
                     .size(),
            ParameterList::kMaxOptions);
    }

    void buildsShownPagesInOrder()
    {
        ParameterList list;
        QCOMPARE(list.build(kReply), ParameterList::Status::Ok);
        QCOMPARE(list.pages().size(), 2); // "Factory" is no page this program shows
        QCOMPARE(list.pages().at(0).title, QStringLiteral("System Setup"));
        QCOMPARE(list.pages().at(1).englishTitle, QStringLiteral("Paper Setup"));
        QCOMPARE(list.pages().at(1).chineseTitle, QStringLiteral("纸张设置"));
        QVERIFY(list.pages().at(0).showsDefaults);
        QVERIFY(!list.pages().at(1).showsDefaults);
        const ParameterList::Parameter *speed = list.find(QStringLiteral("system setup/PRINT SPEED"));
        QVERIFY(speed);
        QCOMPARE(speed->currentText(), QStringLiteral("Normal"));
        QCOMPARE(speed->defaultText(), QStringLiteral("High"));
        // The page part in the other language, the parameter's key, a repeated caption.
        QVERIFY(list.find(QStringLiteral("Paper Setup/Margin")));
        QCOMPARE(list.find(QStringLiteral("纸张设置/cut"))->key, QStringLiteral("cut"));
        QCOMPARE(list.find(QStringLiteral("纸张设置/Cut#2"))->key, QStringLiteral("cut2"));
        QVERIFY(!list.find(QStringLiteral("Factory/Serial")));
    }

    void replyThatBuildsNothing_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<int>("status");
        const int notJson = int(ParameterList::Status::NotJson);
        QTest::newRow("empty") << QByteArray() << notJson;
        QTest::newRow("garbage") << QByteArray("\x01\x02\xff garbage", 12) << notJson;
        QTest::newRow("truncated") << kReply.left(kReply.size() / 2) << notJson;
        QTest::newRow("array root") << QByteArray("[1,2]") << notJson;
        QTest::newRow("trailing bytes") << kReply + "xyz" << notJson;
        QTest::newRow("no shown page")
            << QByteArray(R"({"Factory":{"a":{"tip":"A","list":"[X+0]","val":"X+0"}}})")
            << int(ParameterList::Status::NoPages);
    }

    void replyThatBuildsNothing()
    {
        QFETCH(QByteArray, reply);
        QFETCH(int, status);
        ParameterList list;
        QVERIFY(list.build(kReply) == ParameterList::Status::Ok);
        QString why;
        QCOMPARE(int(list.build(reply, &why)), status);
        QVERIFY(list.isEmpty());
        QVERIFY(!why.isEmpty());
    }

    void writeTextHoldsOnlyVal()
    {
        ParameterList list;
        QVERIFY(list.build(kReply) == ParameterList::Status::Ok);
        QCOMPARE(list.applyAssignment(QStringLiteral("System Setup/Print speed=high")),
            ParameterList::Apply::Changed);
        QVERIFY(list.hasChanges());
        const QByteArray text = list.writeText();
        cJSON *root = cJSON_Parse(text.constData());
        QVERIFY(root);
        QStringList seen;
        const cJSON *page = nullptr;
        cJSON_ArrayForEach(page, root)
        {
            const cJSON *item = nullptr;
            cJSON_ArrayForEach(item, page)
            {
                QCOMPARE(cJSON_GetArraySize(item), 1);
                const cJSON *val = cJSON_GetObjectItemCaseSensitive(item, "val");
                QVERIFY(cJSON_IsString(val));
                seen << QStringLiteral("%1/%2=%3").arg(QString::fromUtf8(page->string),
                    QString::fromUtf8(item->string), QString::fromUtf8(val->valuestring));
            }
        }
        cJSON_Delete(root);
        // Page and parameter order kept; a value that matched no option goes back as read.
        QCOMPARE(seen,
            (QStringList { "System Setup/speed=High+2", "System Setup/density=3+3",
                "纸张设置/margin=5+5", "纸张设置/cut=C++ mode+7", "纸张设置/cut2=Maybe+9" }));
    }

    void setRefusesOthersThanOptions_data()
    {
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("message");
        QTest::newRow("option") << "Paper Setup/Margin=10" << int(ParameterList::Apply::Changed)
                                << "5 -> 10";
        QTest::newRow("same") << "Paper Setup/Margin=5" << int(ParameterList::Apply::Unchanged)
                              << "unchanged";
        QTest::newRow("not an option") << "Paper Setup/Margin=7"
                                       << int(ParameterList::Apply::InvalidValue)
                                       << "choices: 20, 15, 10, 5, 0";
        QTest::newRow("the value, not the text") << "System Setup/Print speed=2"
                                                 << int(ParameterList::Apply::InvalidValue)
                                                 << "choices: Low, Normal, High";
        QTest::newRow("unknown name") << "System Setup/Colour=1"
                                      << int(ParameterList::Apply::UnknownName) << "no setting";
        QTest::newRow("no =") << "System Setup/Print speed"
                              << int(ParameterList::Apply::UnknownName) << "Page/Caption=value";
    }

    // Found by fuzz_parameterlist: a caption or option the printer pads with blanks could not
    // be set by the name and text the list shows.
    void paddedCaptionsAndOptionsAreSet_data()
    {
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("caption with a trailing blank") << "System Setup/Print speed=High"
                                                       << "High";
        QTest::newRow("option with blanks") << "System Setup/Print speed= Low " << " Low";
        QTest::newRow("key with a leading blank") << "System Setup/speed=Normal" << "Normal";
        QTest::newRow("blank caption: the key names it") << "System Setup/mode=On" << "On";
    }

    void paddedCaptionsAndOptionsAreSet()
    {
        QFETCH(QString, assignment);
        QFETCH(QString, chosen);
        ParameterList list;
        QVERIFY(list.build(R"J({"System Setup":{" speed":{"tip":"Print speed ",)J"
                           R"J("list":"[ Low+0,Normal+1,High+2]","val":"Normal+1"},)J"
                           R"J("mode":{"tip":"  ","list":"[Off+0,On+1]","val":"Off+0"}}})J")
            == ParameterList::Status::Ok);
        for (const ParameterList::Parameter &parameter : list.pages().at(0).parameters)
            QVERIFY2(list.find(parameter.name), qPrintable(parameter.name));
        QString said;
        const ParameterList::Apply applied = list.applyAssignment(assignment, &said);
        QVERIFY2(applied == ParameterList::Apply::Changed || applied == ParameterList::Apply::Unchanged,
            qPrintable(said));
        const QString name = assignment.left(assignment.indexOf(QLatin1Char('=')));
        QCOMPARE(list.find(name)->currentText(), chosen);
    }

    void setRefusesOthersThanOptions()
    {
        QFETCH(QString, assignment);
        QFETCH(int, result);
        QFETCH(QString, message);
        ParameterList list;
        QVERIFY(list.build(kReply) == ParameterList::Status::Ok);
        const QByteArray before = list.writeText();
        QString said;
        QCOMPARE(int(list.applyAssignment(assignment, &said)), result);
        QVERIFY2(said.contains(message), qPrintable(said));
        if (result != int(ParameterList::Apply::Changed))
            QCOMPARE(list.writeText(), before);
    }

    void loadsFromFile_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("speed");
        QTest::newRow("own write text")
            << QByteArray(R"({"System Setup":{"speed":{"val":"Low+0"}}})")
            << int(ParameterList::Status::Ok) << "Low";
        QTest::newRow("unknown value leaves it")
            << QByteArray(R"({"System Setup":{"speed":{"val":"Turbo+9"},"density":{"val":"1+1"}}})")
            << int(ParameterList::Status::Ok) << "Normal";
        QTest::newRow("truncated") << QByteArray(R"({"System Setup":{"speed":{"val":"Lo)")
                                   << int(ParameterList::Status::NotJson) << "Normal";
        QTest::newRow("garbage") << QByteArray("\x00\x00\x04\x00garbage", 11)
                                 << int(ParameterList::Status::NotJson) << "Normal";
        QTest::newRow("another printer's pages")
            << QByteArray(R"({"Other Setup":{"x":{"val":"A+0"}}})")
            << int(ParameterList::Status::NoPages) << "Normal";
    }

    void loadsFromFile()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, status);
        QFETCH(QString, speed);
        ParameterList list;
        QVERIFY(list.build(kReply) == ParameterList::Status::Ok);
        QCOMPARE(int(list.load(data, true)), status);
        const ParameterList::Parameter *p = list.find(QStringLiteral("System Setup/Print speed"));
        QCOMPARE(p->currentText(), speed);
        // A file's values are changes against what the printer holds.
        QCOMPARE(p->changed(), speed != QLatin1String("Normal"));
    }

    void sameShape_data()
    {
        QTest::addColumn<QByteArray>("other");
        QTest::addColumn<bool>("same");
        QByteArray values = kReply;
        values.replace("\"val\":\"Normal+1\"", "\"val\":\"Low+0\"");
        QTest::newRow("other values") << values << true;
        QByteArray list = kReply;
        list.replace("[Low+0,Normal+1,High+2]", "[Low+0,Normal+1]");
        QTest::newRow("other option list") << list << false;
        QByteArray parameter = kReply;
        parameter.replace("\"cut2\":", "\"cut3\":");
        QTest::newRow("other parameter") << parameter << false;
        QTest::newRow("page missing")
            << QByteArray(R"({"System Setup":{"speed":{"tip":"Print speed","list":"[Low+0]","val":"Low+0"}}})")
            << false;
    }

    // Pages built from one list show the values of the other only when both have one shape.
    void sameShape()
    {
        QFETCH(QByteArray, other);
        QFETCH(bool, same);
        ParameterList mine;
        ParameterList theirs;
        QVERIFY(mine.build(kReply) == ParameterList::Status::Ok);
        QVERIFY(theirs.build(other) == ParameterList::Status::Ok);
        QCOMPARE(mine.sameShape(theirs), same);
    }

    void writeHeader_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("header");
        QTest::newRow("small") << 0x1234 << QByteArray::fromHex("00001234");
        QTest::newRow("largest") << 0xFFFF << QByteArray::fromHex("0000ffff");
        QTest::newRow("too long") << 0x10000 << QByteArray();
    }

    void writeHeader()
    {
        QFETCH(int, length);
        QFETCH(QByteArray, header);
        QCOMPARE(ParameterList::writeHeader(length), header);
    }
};

QTEST_GUILESS_MAIN(TestParameterList)
#include "tst_parameterlist.moc"
