#include <QtTest>

#include "database/contenttypetable.h"
#include "database/designstore.h"
#include "database/formulatypetable.h"
#include "database/printertypetable.h"
#include "dbfixture.h"

namespace {
DesignControl makeControl(
    int page, int row, int col, int kind, const QString &english, const QString &chinese)
{
    DesignControl c;
    c.page = page;
    c.row = row;
    c.col = col;
    c.kind = kind;
    c.labelEnglish = english;
    c.labelChinese = chinese;
    return c;
}

// Two pages (the first with two sections), controls of all six kinds, options, commands,
// formulas, visibility rules and annotations.
PrinterDesign sampleDesign()
{
    PrinterDesign d;
    d.sections << DesignSection { 0, 0, QStringLiteral("常规"), QStringLiteral("General"),
        QString(), QString() }
               << DesignSection { 0, 1, QStringLiteral("常规"), QStringLiteral("General"),
                      QStringLiteral("110"), QStringLiteral("1") }
               << DesignSection { 1, 0, QStringLiteral("网络测试"), QStringLiteral("Net Test"),
                      QString(), QString() };
    d.controls << makeControl(0, 0, 0, 0, QStringLiteral("Density"), QStringLiteral("浓度"));
    DesignControl combo
        = makeControl(0, 0, 1, 3, QStringLiteral("Density"), QStringLiteral("浓度"));
    combo.bytePosition = 200;
    combo.byteLength = 1;
    combo.annotationEnglish = QStringLiteral("◆Darker◆Lighter");
    combo.annotationChinese = QStringLiteral("◆深◆浅");
    combo.options << DesignOption { QStringLiteral("浅"), QStringLiteral("Light"), 0 }
                  << DesignOption { QStringLiteral("深"), QStringLiteral("Dark"), 3 };
    combo.relatePosition = QStringLiteral("119+110");
    combo.relateValid = QStringLiteral("1+-1");
    d.controls << combo;
    DesignControl spin = makeControl(0, 1, 1, 5, QStringLiteral("Offset"), QStringLiteral("偏移"));
    spin.bytePosition = 116;
    spin.byteLength = 2;
    spin.readFormula = QStringLiteral("(H*256+L)/10;(H*256+L-65536)/10");
    spin.writeFormula = QStringLiteral("H=Math.floor(value*10/256);L=value*10%256");
    spin.minLength = -5.5;
    spin.maxLength = 5.5;
    d.controls << spin;
    DesignControl edit = makeControl(1, 0, 1, 1, QStringLiteral("SSID"), QStringLiteral("SSID"));
    edit.bytePosition = 320;
    edit.byteLength = 24;
    edit.command = QStringLiteral("Wifi");
    edit.paramPosition = 6;
    edit.actionType = 2;
    d.controls << edit;
    DesignControl check
        = makeControl(1, 1, 2, 4, QStringLiteral("Hex key"), QStringLiteral("十六进制密钥"));
    check.command = QStringLiteral("Wifi");
    check.paramPosition = 15;
    check.parentRelated = 4;
    d.controls << check;
    DesignControl button = makeControl(1, 2, 0, 2, QStringLiteral("Write"), QStringLiteral("写入"));
    button.command = QStringLiteral("Wifi Write");
    button.actionType = 1;
    button.timeout = 500;
    button.relationControlId = 3;
    d.controls << button;
    return d;
}

int newPrinterType(DbFixture &db, const QString &name)
{
    PrinterTypeRecord record;
    record.setPritName(name);
    PrinterTypeTable types(db.location());
    if (types.insertPrinterType(record) != DbOk)
        return 0;
    return types.findPrinterType(name).pritId();
}

int rowsOf(DbFixture &db, int pritId)
{
    return db.count(QStringLiteral("select (select count(*) from Re_Prit_Page_Layout where "
                                   "rppl_pritid=%1) + (select count(*) from Re_Prit_Ctrt_Act "
                                   "where rpca_pritid=%1) + (select count(*) from "
                                   "Re_Prit_Ctrt_Ctnt where rpcc_pritid=%1) + (select count(*) "
                                   "from Re_Prit_Ctrt_Cmd where rpcm_pritid=%1)")
                        .arg(pritId));
}
} // namespace

class tst_DesignStore : public QObject
{
    Q_OBJECT

private slots:
    void replaceDesignRoundTrip()
    {
        DbFixture db;
        const int prit = newPrinterType(db, QStringLiteral("Round Trip"));
        QVERIFY(prit > 0);
        DesignStore store(db.location());
        const PrinterDesign design = sampleDesign();
        QCOMPARE(store.replaceDesign(prit, design), DbOk);
        const PrinterDesign back = store.readDesign(prit);
        QCOMPARE(back.sections.size(), design.sections.size());
        QCOMPARE(back.controls.size(), design.controls.size());
        for (int i = 0; i < design.controls.size(); ++i)
            QVERIFY2(back.controls.at(i) == design.controls.at(i), qPrintable(QString::number(i)));
        QVERIFY(back == design);

        // Saving again replaces: nothing of the first design remains.
        PrinterDesign smaller;
        smaller.sections << design.sections.first();
        smaller.controls << design.controls.at(1);
        QCOMPARE(store.replaceDesign(prit, smaller), DbOk);
        QVERIFY(store.readDesign(prit) == smaller);
        QCOMPARE(rowsOf(db, prit), 1 + 1 + 2);
    }

    void copyingADesignKeepsTheOriginal()
    {
        DbFixture db;
        DesignStore store(db.location());
        const int original
            = PrinterTypeTable(db.location()).findPrinterType(QStringLiteral("RK-5200")).pritId();
        const PrinterDesign design = store.readDesign(original);
        QVERIFY(design.controls.size() > 20);
        const int copy = newPrinterType(db, QStringLiteral("RK-5200 copy"));
        const int contents = db.count(QStringLiteral("select count(*) from ContentType"));
        QCOMPARE(store.replaceDesign(copy, design), DbOk);
        QVERIFY(store.readDesign(copy) == design);
        QVERIFY(store.readDesign(original) == design);
        // Every text was known already: the copy adds none.
        QCOMPARE(db.count(QStringLiteral("select count(*) from ContentType")), contents);
    }

    void failedReplaceKeepsTheEarlierDesign_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("poison");
        QTest::newRow("layouts") << "Re_Prit_Page_Layout"
                                 << "1";
        QTest::newRow("controls") << "Re_Prit_Ctrt_Act"
                                  << "NEW.rpca_pagerow = 2";
        QTest::newRow("options") << "Re_Prit_Ctrt_Ctnt"
                                 << "1";
        QTest::newRow("commands") << "Re_Prit_Ctrt_Cmd"
                                  << "1";
        QTest::newRow("new text") << "ContentType"
                                  << "NEW.ctnt_english = 'Net Test'";
    }

    void failedReplaceKeepsTheEarlierDesign()
    {
        QFETCH(QString, table);
        QFETCH(QString, poison);
        DbFixture db;
        const int prit = newPrinterType(db, QStringLiteral("Atomic"));
        DesignStore store(db.location());
        PrinterDesign earlier;
        earlier.sections << sampleDesign().sections.first();
        earlier.controls << sampleDesign().controls.at(1);
        QCOMPARE(store.replaceDesign(prit, earlier), DbOk);
        const QString contents = db.dump(QStringLiteral("ContentType"));

        db.probe(QStringLiteral("create trigger poison before insert on %1 when %2 "
                                "begin select raise(abort, 'refused'); end")
                     .arg(table, poison));
        QCOMPARE(store.replaceDesign(prit, sampleDesign()), DbInsertFailed);
        QVERIFY(store.readDesign(prit) == earlier);
        QCOMPARE(db.dump(QStringLiteral("ContentType")), contents);
        // And the connection is free for the next save.
        db.probe(QStringLiteral("drop trigger poison"));
        QCOMPARE(store.replaceDesign(prit, sampleDesign()), DbOk);
        QVERIFY(store.readDesign(prit) == sampleDesign());
    }

    void contentIdFor_data()
    {
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("english");
        QTest::addColumn<bool>("isNew");
        QTest::addColumn<int>("renamedRows"); // rows whose Chinese text became the given one
        QTest::newRow("empty English") << "仅中文"
                                       << "" << false << 0;
        QTest::newRow("new text") << "新文本"
                                  << "Brand new text" << true << 0;
        QTest::newRow("known, same Chinese") << "打印浓度"
                                             << "Print Density" << false << 0;
        QTest::newRow("known, other Chinese") << "打印深度"
                                              << "Print Density" << false << 1;
        QTest::newRow("renames every sharer") << "关"
                                              << "Off" << false << 2;
    }

    void contentIdFor()
    {
        QFETCH(QString, chinese);
        QFETCH(QString, english);
        QFETCH(bool, isNew);
        QFETCH(int, renamedRows);
        DbFixture db;
        // A second content shares the Chinese text of "Off".
        QCOMPARE(ContentTypeTable(db.location())
                     .insertContent(QStringLiteral("关闭"), QStringLiteral("Closed")),
            DbOk);
        const int before = db.count(QStringLiteral("select count(*) from ContentType"));
        const int known = db.count(
            QStringLiteral("select ctnt_id from ContentType where ctnt_english='%1'").arg(english));
        const int id = DesignStore(db.location()).contentIdFor(chinese, english);
        QCOMPARE(db.count(QStringLiteral("select count(*) from ContentType")), before + int(isNew));
        if (english.isEmpty()) {
            QCOMPARE(id, 0);
            return;
        }
        if (!isNew)
            QCOMPARE(id, known);
        QCOMPARE(
            db.probe(
                  QStringLiteral("select ctnt_chinese from ContentType where ctnt_id=%1").arg(id))
                .value(0)
                .toString(),
            chinese);
        if (renamedRows > 0)
            QCOMPARE(db.count(QStringLiteral("select count(*) from ContentType where "
                                             "ctnt_chinese='%1'")
                                  .arg(chinese)),
                renamedRows);
    }

    void formulaIdFor()
    {
        DbFixture db;
        DesignStore store(db.location());
        QCOMPARE(store.formulaIdFor(QString()), 0);
        const int known
            = FormulaTypeTable(db.location()).findFormula(QStringLiteral("H*256+L")).fmltId();
        QVERIFY(known > 0);
        QCOMPARE(store.formulaIdFor(QStringLiteral("H*256+L")), known);
        const int before = db.count(QStringLiteral("select count(*) from FormulaType"));
        const int added = store.formulaIdFor(QStringLiteral("H/2"));
        QVERIFY(added > 0);
        QCOMPARE(db.count(QStringLiteral("select count(*) from FormulaType")), before + 1);
        QCOMPARE(store.formulaIdFor(QStringLiteral("H/2")), added);
    }

    void deletePrinterTypesRemovesEverything()
    {
        DbFixture db;
        PrinterTypeTable types(db.location());
        const int doomed = types.findPrinterType(QStringLiteral("RK-5200")).pritId();
        const int kept = types.findPrinterType(QStringLiteral("RK-5200_NEW")).pritId();
        QVERIFY(rowsOf(db, doomed) > 0);
        const int keptRows = rowsOf(db, kept);
        QCOMPARE(
            DesignStore(db.location())
                .deletePrinterTypes({ QStringLiteral("RK-5200"), QStringLiteral("No such type") }),
            DbOk);
        QCOMPARE(rowsOf(db, doomed), 0);
        QCOMPARE(types.findPrinterType(QStringLiteral("RK-5200")).pritId(), 0);
        QCOMPARE(rowsOf(db, kept), keptRows);
        QVERIFY(types.findPrinterType(QStringLiteral("RK-5200_NEW")).pritId() == kept);
    }

    void failedDeleteKeepsThePrinterType()
    {
        DbFixture db;
        const int prit
            = PrinterTypeTable(db.location()).findPrinterType(QStringLiteral("RK-5200")).pritId();
        const int rows = rowsOf(db, prit);
        db.probe(QStringLiteral("create trigger poison before delete on Re_Prit_Ctrt_Cmd "
                                "begin select raise(abort, 'refused'); end"));
        QCOMPARE(DesignStore(db.location()).deletePrinterTypes({ QStringLiteral("RK-5200") }),
            DbDeleteFailed);
        QCOMPARE(rowsOf(db, prit), rows);
        QCOMPARE(
            PrinterTypeTable(db.location()).findPrinterType(QStringLiteral("RK-5200")).pritId(),
            prit);
    }
};

QTEST_GUILESS_MAIN(tst_DesignStore)
#include "tst_designstore.moc"
