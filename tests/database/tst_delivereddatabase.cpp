#include <QScriptEngine>
#include <QtTest>

#include "database/contenttypetable.h"
#include "database/controltable.h"
#include "database/controltypetable.h"
#include "database/controlcommandtable.h"
#include "database/controlcontenttable.h"
#include "database/formulatypetable.h"
#include "database/loginhash.h"
#include "database/pagelayouttable.h"
#include "database/printertypetable.h"
#include "database/usertable.h"
#include "engine/settingrules.h"
#include "dbfixture.h"

namespace {
// The designer account that the README names.
const QString kDesigner = QStringLiteral("designer");
const QString kDesignerPassword = QStringLiteral("Setwright@2016");

double evaluate(const QString &expression)
{
    QScriptEngine engine;
    return engine.evaluate(expression, QString(), 1).toNumber();
}

// Block bytes -> shown value, and shown value -> block bytes, the way the settings engine
// applies the stored formulas.
double readValue(const QString &formula, int h, int l)
{
    const QStringList parts = formula.split(QLatin1Char(';'));
    QString chosen = parts.size() == 1 ? parts.first() : parts.at(h <= 126 ? 0 : 1);
    chosen.replace(QLatin1Char('H'), QString::number(h))
        .replace(QLatin1Char('L'), QString::number(l));
    return evaluate(chosen);
}

QPair<int, int> writeValue(const QString &formula, double v)
{
    const QString text = QString::number(v, 'f', 2);
    const QStringList parts = formula.split(QLatin1Char(';'));
    QString high = parts.value(0);
    QString low = parts.value(1);
    low.remove(QStringLiteral("L="));
    if (v <= 0)
        high.remove(QStringLiteral("H="));
    high.replace(QStringLiteral("value"), text);
    low.replace(QStringLiteral("value"), text);
    if (v <= 0) {
        high.replace(QStringLiteral("--"), QStringLiteral("-"));
        low.replace(QStringLiteral("--"), QStringLiteral("-"));
    }
    return { int(qint64(evaluate(high))) & 0xFF, int(qint64(evaluate(low))) & 0xFF };
}

struct Printer
{
    QString name;
    QString typeCode;
};

const QList<Printer> kPrinters = {
    { QStringLiteral("RK-5200"), QStringLiteral("0000") },
    { QStringLiteral("RK-5200_NEW"), QStringLiteral("0000") },
    { QStringLiteral("MV-4410C"), QStringLiteral("0302") },
    { QStringLiteral("ZN-470 KW"), QStringLiteral("0701") },
    { QStringLiteral("RP-58S"), QStringLiteral("0501") },
    { QStringLiteral("QuenbyQP-80"), QStringLiteral("0904") },
    { QStringLiteral("main_0901"), QStringLiteral("0901") },
    { QStringLiteral("BX-580"), QStringLiteral("0C01") },
    { QStringLiteral("MV-4310"), QStringLiteral("0301") },
    { QStringLiteral("ZN-480 W"), QStringLiteral("0B01") },
    { QStringLiteral("ZN-350 BT"), QStringLiteral("0703") },
    { QStringLiteral("RK-3000"), QString() },
};

// Positions the ordinary save leaves out for the type code: the network fields live there.
bool skippedOnSave(const QString &typeCode, int p)
{
    return SettingRules::skippedByCollect(typeCode, p);
}
} // namespace

class tst_DeliveredDatabase : public QObject
{
    Q_OBJECT

private slots:
    void schemaColumns_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QStringList>("columns");
        QTest::newRow("user") << "user"
                              << QStringList { "user_name", "user_password", "user_authority",
                                     "user_id" };
        QTest::newRow("PrinterType")
            << "PrinterType" << QStringList { "prit_id", "prit_name", "prit_test" };
        QTest::newRow("ControlType")
            << "ControlType" << QStringList { "ctrt_id", "ctrt_name", "ctrt_returntype" };
        QTest::newRow("ActionType") << "ActionType" << QStringList { "actt_id", "actt_type" };
        QTest::newRow("ContentType")
            << "ContentType" << QStringList { "ctnt_id", "ctnt_chinese", "ctnt_english" };
        QTest::newRow("FormulaType")
            << "FormulaType" << QStringList { "fmlt_id", "fmlt_expression" };
        QTest::newRow("Re_Prit_Page_Layout")
            << "Re_Prit_Page_Layout"
            << QStringList { "rppl_id", "rppl_pritid", "rppl_pageid", "rppl_layout",
                   "rppl_contentid", "rppl_byteposition", "rppl_valid" };
        QTest::newRow("Re_Prit_Ctrt_Act")
            << "Re_Prit_Ctrt_Act"
            << QStringList { "rpca_id", "rpca_pritid", "rpca_rpplid", "rpca_controlid",
                   "rpca_parentrelated", "rpca_actionid", "rpca_pagerow", "rpca_pagecol",
                   "rpca_byteposition", "rpca_bytelength", "rpca_timeout", "rpca_comment",
                   "rpca_contentid", "rpca_readformulaid", "rpca_writeformulaid",
                   "rpca_relateposition", "rpca_relatevalid", "rpca_minlength", "rpca_maxlength" };
        QTest::newRow("Re_Prit_Ctrt_Ctnt") << "Re_Prit_Ctrt_Ctnt"
                                           << QStringList { "rpcc_id", "rpcc_pritid", "rpcc_rpcaid",
                                                  "rpcc_contentid", "rpcc_contentorder" };
        QTest::newRow("Re_Prit_Ctrt_Cmd")
            << "Re_Prit_Ctrt_Cmd"
            << QStringList { "rpcm_id", "rpcm_pritid", "rpcm_rpcaid", "rpcm_cmd",
                   "rpcm_relationcontrolid", "rpcm_paramposition" };
    }

    void schemaColumns()
    {
        QFETCH(QString, table);
        QFETCH(QStringList, columns);
        DbFixture db;
        QStringList found;
        for (const QVariant &name :
            db.probe(QStringLiteral("select name from pragma_table_info('%1')").arg(table)))
            found << name.toString();
        QCOMPARE(found, columns);
        // The key is an integer primary key (the row id), auto-numbered except for texts.
        QCOMPARE(
            db.count(QStringLiteral("select count(*) from pragma_table_info('%1') where pk=1 "
                                    "and type='INTEGER' and name='%2'")
                         .arg(table,
                             columns.first().endsWith(QLatin1String("_name")) ? columns.last()
                                                                              : columns.first())),
            1);
        QCOMPARE(
            db.count(
                QStringLiteral("select count(*) from sqlite_sequence where name='%1'").arg(table)),
            table == QLatin1String("ContentType") ? 0 : 1);
    }

    void designerAccount()
    {
        DbFixture db;
        const UserRecord user
            = UserTable(db.location()).findUser(kDesigner, loginHashSum(kDesignerPassword));
        QCOMPARE(user.userName(), kDesigner);
        QCOMPARE(user.userPassword(), loginHashSum(kDesignerPassword));
        QCOMPARE(user.userAuthority(), 1);
    }

    void printerTypes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typeCode");
        for (const Printer &p : kPrinters)
            QTest::newRow(qPrintable(p.name)) << p.name << p.typeCode;
    }

    void printerTypes()
    {
        QFETCH(QString, name);
        QFETCH(QString, typeCode);
        DbFixture db;
        const DatabaseLocation location = db.location();
        const int prit = PrinterTypeTable(location).findPrinterType(name).pritId();
        QVERIFY(prit > 0);
        PageLayoutTable layouts(location);
        const int pages = layouts.pageCount(prit);
        QVERIFY(pages >= 3);
        for (int language : { 0, 1 })
            QCOMPARE(layouts.pageTitles(language, prit).size(), pages);
        for (int page = 0; page < pages; ++page)
            QVERIFY(layouts.layoutCount(prit, page) > 0);

        const QMap<int, ControlTypeRecord> kinds = ControlTypeTable(location).allControlTypes();
        const QMap<int, QList<OptionItem>> options
            = ControlContentTable(location).optionsOfPrinter(prit);
        const QMap<int, CommandBinding> commands
            = ControlCommandTable(location).commandsOfPrinter(prit);
        const QMap<int, PageLayoutRecord> sections = layouts.layoutsById(prit);
        const QMap<int, ControlRow> rows = ControlTable(location).controlsOfPrinter(prit);
        QVERIFY(rows.size() > 20);
        QCOMPARE(ControlTable(location).byteControlsOfPrinter(prit).size(),
            int(std::count_if(rows.cbegin(), rows.cend(),
                [](const ControlRow &r) { return r.bytePosition() != 0; })));
        for (const ControlRow &row : rows) {
            const QString where
                = QStringLiteral("%1 at %2").arg(row.rpcaId()).arg(row.bytePosition());
            QVERIFY2(sections.contains(row.rpplId()), qPrintable(where));
            QVERIFY2(kinds.contains(row.controlId()), qPrintable(where));
            const int kind = kinds.value(row.controlId()).ctrtName();
            QVERIFY2(row.bytePosition() + row.byteLength() <= 1024, qPrintable(where));
            if (kind == 3) {
                QVERIFY2(options.value(row.rpcaId()).size() >= 2, qPrintable(where));
                QVERIFY2(row.byteLength() == 1, qPrintable(where));
            }
            for (const OptionItem &item : options.value(row.rpcaId()))
                QVERIFY(item.contentOrder() >= 0 && item.contentOrder() <= 255);
            if (kind == 5 && row.bytePosition() > 0)
                QVERIFY2(row.byteLength() == 2 && row.readFormulaId() && row.writeFormulaId()
                        && row.minLength() < row.maxLength(),
                    qPrintable(where));
            // Network fields must lie where the ordinary save does not overwrite them, and
            // every ordinary setting where it does save it.
            const QString group = commands.value(row.rpcaId()).cmd();
            const bool network = group == QLatin1String("Wifi")
                || group == QLatin1String("Ethernet") || group == QLatin1String("Bluetooth");
            if (row.bytePosition() > 0 && kind != 4)
                QVERIFY2(skippedOnSave(typeCode, row.bytePosition()) == network
                        && skippedOnSave(typeCode, row.bytePosition() + row.byteLength() - 1)
                            == network,
                    qPrintable(where));
        }
    }

    // The delivered types between them carry every model-specific form the value encoding and
    // the special groups know, so that each is seen working against a simulated printer.
    void catalogueExercisesEveryRule_data()
    {
        QTest::addColumn<QString>("sql");
        const QString control = QStringLiteral(
            "select count(*) from Re_Prit_Ctrt_Act a join PrinterType t on t.prit_id = "
            "a.rpca_pritid join ContentType c on c.ctnt_id = a.rpca_contentid join ControlType k "
            "on k.ctrt_id = a.rpca_controlid where ");
        const QString options = QStringLiteral(
            "select count(*) from Re_Prit_Ctrt_Ctnt o join Re_Prit_Ctrt_Act a on a.rpca_id = "
            "o.rpcc_rpcaid join PrinterType t on t.prit_id = a.rpca_pritid where ");
        QTest::newRow("0302: edit boxes behind a check box")
            << control + QStringLiteral("t.prit_name = 'MV-4410C' and k.ctrt_name = 1 and "
                                        "a.rpca_byteposition between 280 and 286 and exists "
                                        "(select 1 from Re_Prit_Ctrt_Act b join ControlType bk on "
                                        "bk.ctrt_id = b.rpca_controlid where bk.ctrt_name = 4 and "
                                        "b.rpca_rpplid = a.rpca_rpplid and b.rpca_pagerow = "
                                        "a.rpca_pagerow and b.rpca_pagecol = a.rpca_pagecol + 1)");
        QTest::newRow("0501: offset positions")
            << control + QStringLiteral("t.prit_name = 'RP-58S' and k.ctrt_name = 5 and "
                                        "a.rpca_byteposition in (282, 284)");
        QTest::newRow("0701: Bluetooth name at 659, pass code at 679")
            << control + QStringLiteral("t.prit_name = 'ZN-470 KW' and ((a.rpca_byteposition = 659 "
                                        "and c.ctnt_english = 'BlueToothModel') or "
                                        "(a.rpca_byteposition = 679 and c.ctnt_english = "
                                        "'BlueToothPassword' and a.rpca_bytelength = 10))");
        QTest::newRow("0B01: whole millimetres, WEP and PSK fields")
            << control + QStringLiteral("t.prit_name = 'ZN-480 W' and c.ctnt_english in ('WEP', "
                                        "'PSK', 'SSID')");
        QTest::newRow("0703: the setting kept at 635")
            << control + QStringLiteral("t.prit_name = 'ZN-350 BT' and a.rpca_byteposition = 635");
        QTest::newRow("0C01: interfaces by module")
            << options + QStringLiteral("t.prit_name = 'BX-580' and a.rpca_byteposition = 232 and "
                                        "o.rpcc_contentorder between 1 and 3");
        QTest::newRow("BX-580: a speed list of three")
            << QStringLiteral("select count(*) = 3 from Re_Prit_Ctrt_Ctnt o join Re_Prit_Ctrt_Act "
                              "a on a.rpca_id = o.rpcc_rpcaid join PrinterType t on t.prit_id = "
                              "a.rpca_pritid where t.prit_name = 'BX-580' and "
                              "a.rpca_byteposition = 224");
        QTest::newRow("0301: a speed list of four")
            << QStringLiteral("select count(*) = 4 from Re_Prit_Ctrt_Ctnt o join Re_Prit_Ctrt_Act "
                              "a on a.rpca_id = o.rpcc_rpcaid join PrinterType t on t.prit_id = "
                              "a.rpca_pritid where t.prit_name = 'MV-4310' and "
                              "a.rpca_byteposition = 224");
        QTest::newRow("no type code: Ethernet in 24-79")
            << control + QStringLiteral("t.prit_name = 'RK-3000' and a.rpca_byteposition between "
                                        "24 and 79");
        QTest::newRow("visibility: all of several bytes")
            << QStringLiteral("select count(*) from Re_Prit_Ctrt_Act where rpca_relateposition "
                              "like '%+%' and rpca_relateposition not like '-%'");
        QTest::newRow("visibility: any of several bytes")
            << QStringLiteral("select count(*) from Re_Prit_Ctrt_Act where rpca_relateposition "
                              "like '-%+%'");
        QTest::newRow("write formula that yields \"--\" for negative values")
            << QStringLiteral("select count(*) from Re_Prit_Ctrt_Act a join FormulaType f on "
                              "f.fmlt_id = a.rpca_writeformulaid where f.fmlt_expression like "
                              "'%-value%' and a.rpca_minlength < 0");
        QTest::newRow("captions with annotations")
            << QStringLiteral("select count(*) > 400 from Re_Prit_Ctrt_Act where rpca_comment <> 0");
    }

    void catalogueExercisesEveryRule()
    {
        QFETCH(QString, sql);
        DbFixture db;
        QVERIFY2(db.count(sql) > 0, qPrintable(sql));
    }

    void everyTextInBothLanguages()
    {
        DbFixture db;
        const QMap<int, ContentRecord> contents = ContentTypeTable(db.location()).allContents(0);
        QVERIFY(contents.size() > 100);
        for (const ContentRecord &c : contents) {
            QVERIFY2(!c.ctntChinese().isEmpty() && !c.ctntEnglish().isEmpty(),
                qPrintable(QString::number(c.ctntId())));
            QVERIFY(!c.ctntChinese().contains(QLatin1String("-!!-")));
        }
        // English texts are the key by which designs find their texts.
        QCOMPARE(db.count(QStringLiteral("select count(distinct ctnt_english) from ContentType")),
            contents.size());
        // Every id a design refers to exists.
        QCOMPARE(db.count(QStringLiteral(
                     "select count(*) from Re_Prit_Ctrt_Act where rpca_contentid not in "
                     "(select ctnt_id from ContentType) or (rpca_comment <> 0 and rpca_comment "
                     "not in (select ctnt_id from ContentType)) or (rpca_readformulaid <> 0 and "
                     "rpca_readformulaid not in (select fmlt_id from FormulaType))")),
            0);
        QVERIFY(db.count(QStringLiteral("select count(*) from ContentType where ctnt_english like "
                                        "'◆%◆%'"))
            > 5);
    }

    void everyKindAndFormulaShape()
    {
        DbFixture db;
        QCOMPARE(db.count(QStringLiteral("select count(distinct k.ctrt_name) from Re_Prit_Ctrt_Act "
                                         "a join ControlType k on k.ctrt_id = a.rpca_controlid")),
            6);
        const QMap<QString, int> formulas = FormulaTypeTable(db.location()).allFormulas();
        int twoAlternatives = 0, oneAlternative = 0, writes = 0;
        for (auto it = formulas.cbegin(); it != formulas.cend(); ++it) {
            if (it.key().startsWith(QLatin1String("H=")))
                writes += it.key().contains(QLatin1String(";L=")) ? 1 : 0;
            else if (it.key().contains(QLatin1Char(';')))
                ++twoAlternatives;
            else
                ++oneAlternative;
        }
        QVERIFY(twoAlternatives > 0 && oneAlternative > 0 && writes > 0);
        QCOMPARE(writes + twoAlternatives + oneAlternative, formulas.size());
    }

    // Writing a value and reading it back gives the value, across each control's range.
    void formulasRoundTrip()
    {
        DbFixture db;
        const QVariantList rows = db.probe(QStringLiteral(
            "select r.fmlt_expression || '|' || w.fmlt_expression || '|' || a.rpca_minlength "
            "|| '|' || a.rpca_maxlength || '|' || a.rpca_byteposition from Re_Prit_Ctrt_Act a "
            "join FormulaType r on r.fmlt_id = a.rpca_readformulaid join FormulaType w on "
            "w.fmlt_id = a.rpca_writeformulaid"));
        QVERIFY(rows.size() > 10);
        for (const QVariant &v : rows) {
            const QStringList f = v.toString().split(QLatin1Char('|'));
            const double low = f.at(2).toDouble();
            const double high = f.at(3).toDouble();
            // Whole-number settings are entered as whole numbers.
            const double step = f.at(0).contains(QLatin1Char('/')) ? 10 : 1;
            for (double value : { low, high, (low + high) / 2, low + 0.1, 0.0, 1.0 }) {
                value = std::round(value * step) / step;
                if (value < low || value > high)
                    continue;
                const QPair<int, int> bytes = writeValue(f.at(1), value);
                const double back = readValue(f.at(0), bytes.first, bytes.second);
                QVERIFY2(qAbs(back - value) < 1e-9,
                    qPrintable(QStringLiteral("%1 at %2: %3 -> %4")
                                   .arg(f.at(0), f.at(4))
                                   .arg(value)
                                   .arg(back)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(tst_DeliveredDatabase)
#include "tst_delivereddatabase.moc"
