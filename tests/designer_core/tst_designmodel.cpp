#include <QtTest>

#include "database/designstore.h"
#include "database/printertypetable.h"
#include "dbfixture.h"
#include "designer_core/designmodel.h"
#include "designer_core/optionproperty.h"

namespace {
// The page's grid as "row,col:kind:English" cells, in row and column order.
QString gridOf(const DesignerPage &page)
{
    QStringList cells;
    for (const OptionProperty &c : page.controls)
        cells << QStringLiteral("%1,%2:%3:%4").arg(c.row).arg(c.col).arg(c.kind).arg(c.labelEnglish);
    return cells.join(QLatin1Char(' '));
}

// A page of three rows: A (two cells), B, C.
DesignModel threeRows()
{
    DesignModel model;
    model.addPage();
    QList<OptionProperty> &controls = model.pages()[0].controls;
    for (const auto &cell : { std::make_tuple(0, 0, "A"), std::make_tuple(0, 1, "A2"),
             std::make_tuple(1, 0, "B"), std::make_tuple(2, 0, "C") }) {
        OptionProperty p;
        p.row = std::get<0>(cell);
        p.col = std::get<1>(cell);
        p.labelEnglish = QLatin1String(std::get<2>(cell));
        controls << p;
    }
    return model;
}

int typeId(DbFixture &db, const QString &name)
{
    return PrinterTypeTable(db.location()).findPrinterType(name).pritId();
}
} // namespace

class tst_DesignModel : public QObject
{
    Q_OBJECT

private slots:
    // What the property editor's confirm stores, kind by kind.
    void saveTakesTheFields_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("instruction");
        QTest::addColumn<int>("rule");
        QTest::addColumn<QString>("minText");
        QTest::addColumn<QString>("paramText");
        QTest::addColumn<QString>("connect"); // stored relate position
        QTest::addColumn<int>("param");
        QTest::addColumn<double>("min");

        QTest::newRow("spin box, empty bounds") << 5 << 0 << 0 << "" << "" << "" << 0 << 0.0;
        QTest::newRow("spin box, bounds") << 5 << 0 << 0 << "-2.5" << "" << "" << 0 << -2.5;
        QTest::newRow("spin box, words in bounds") << 5 << 0 << 0 << "low" << "" << "" << 0 << 0.0;
        QTest::newRow("label keeps no connect byte") << 0 << 0 << 1 << "" << "" << "" << 0 << 7.0;
        QTest::newRow("button keeps no connect byte") << 2 << 0 << 1 << "" << "" << "" << 0 << 7.0;
        QTest::newRow("check box keeps no connect byte") << 4 << 0 << 1 << "" << "" << "" << 0 << 7.0;
        QTest::newRow("edit box, connect byte") << 1 << 0 << 1 << "" << "" << "110" << 0 << 7.0;
        QTest::newRow("combo box, connect byte") << 3 << 0 << 1 << "" << "" << "110" << 0 << 7.0;
        QTest::newRow("spin box, rule NONE") << 5 << 0 << 0 << "1" << "" << "" << 0 << 1.0;
        QTest::newRow("export has no parameter") << 2 << 1 << 0 << "" << "9" << "" << 0 << 7.0;
        QTest::newRow("parameter position") << 1 << 2 << 0 << "" << "6" << "" << 6 << 7.0;
        QTest::newRow("parameter position not a number") << 1 << 2 << 0 << "" << "six" << "" << 0
                                                         << 7.0;
        QTest::newRow("group role without a type") << 3 << 0 << 0 << "" << "1" << "" << 1 << 7.0;
    }

    void saveTakesTheFields()
    {
        QFETCH(int, kind);
        QFETCH(int, instruction);
        QFETCH(int, rule);
        QFETCH(QString, minText);
        QFETCH(QString, paramText);
        QFETCH(QString, connect);
        QFETCH(int, param);
        QFETCH(double, min);

        OptionProperty p;
        p.minLength = 7.0; // bounds of other kinds are not the editor's to change
        p.maxLength = 7.0;
        p.relatePosition = QStringLiteral("99");
        p.timeout = 300;
        OptionEditorFields f;
        f.kind = kind;
        f.labelEnglish = QStringLiteral("Speed");
        f.bytePosition = QStringLiteral("224");
        f.byteSize = QStringLiteral("x");
        f.options << QStringLiteral("Fast++快++2");
        f.instructionType = instruction;
        f.instructionName = QStringLiteral("Wifi");
        f.paramPosition = paramText;
        f.showHideRule = rule;
        f.connectByte = QStringLiteral("110");
        f.validValue = QStringLiteral("1");
        f.minLength = minText;
        f.maxLength = minText;
        QCOMPARE(OptionRules::save(f, &p), QString());
        QCOMPARE(p.kind, kind);
        QCOMPARE(p.bytePosition, 224);
        QCOMPARE(p.byteLength, 0);
        QCOMPARE(p.relatePosition, connect);
        QCOMPARE(p.relateValid, connect.isEmpty() ? QString() : QStringLiteral("1"));
        QCOMPARE(p.paramPosition, param);
        QCOMPARE(p.command, QStringLiteral("Wifi"));
        QCOMPARE(p.minLength, min);
        QCOMPARE(p.maxLength, min);
        QCOMPARE(p.timeout, 300);
    }

    void optionList_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("stored"); // English:Chinese:value, in stored order
        QTest::addColumn<bool>("refused");
        QTest::newRow("sorted by value") << QStringList { "Fast++快++2", "Slow++慢++0" }
                                         << "Slow:慢:0 Fast:快:2" << false;
        QTest::newRow("value not a number") << QStringList { "On++开++one" } << "On:开:0" << false;
        QTest::newRow("missing parts") << QStringList { "Off" } << "Off::0" << false;
        QTest::newRow("new entry") << QStringList { OptionRules::newOptionEntry(3) }
                                   << "engitem:chnitem:3" << false;
        QTest::newRow("combo box without options") << QStringList() << "" << true;
    }

    void optionList()
    {
        QFETCH(QStringList, entries);
        QFETCH(QString, stored);
        QFETCH(bool, refused);
        OptionProperty p;
        p.labelEnglish = QStringLiteral("Before");
        OptionEditorFields f;
        f.kind = KindComboBox;
        f.labelEnglish = QStringLiteral("After");
        f.options = entries;
        QCOMPARE(OptionRules::save(f, &p).isEmpty(), !refused);
        QCOMPARE(p.labelEnglish, refused ? QStringLiteral("Before") : QStringLiteral("After"));
        QStringList got;
        for (const DesignOption &o : p.options)
            got << QStringLiteral("%1:%2:%3").arg(o.english, o.chinese).arg(o.value);
        QCOMPARE(got.join(QLatin1Char(' ')), stored);
        // What the editor lists is what it stores.
        if (!refused)
            QCOMPARE(OptionEditorFields::of(p).options.size(), entries.size());
    }

    void pageNames_data()
    {
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("message");
        const QString both = QStringLiteral(
            "Both English and Chinese must change simultaneously. If one is to be modified, you "
            "can modify it in the setwright tool page");
        QTest::newRow("unchanged") << "打印设置"
                                   << "Print Setup" << "";
        QTest::newRow("both changed") << "打印"
                                      << "Print" << "";
        QTest::newRow("only Chinese") << "打印"
                                      << "Print Setup" << both;
        QTest::newRow("only English") << "打印设置"
                                      << "Print" << both;
        QTest::newRow("no Chinese") << ""
                                    << "Print" << "Chinese Name is null!";
        QTest::newRow("no English") << "打印"
                                    << "" << "English Name is null!";
    }

    void pageNames()
    {
        QFETCH(QString, chinese);
        QFETCH(QString, english);
        QFETCH(QString, message);
        OptionWidgetProperty stored;
        stored.chinese = QStringLiteral("打印设置");
        stored.english = QStringLiteral("Print Setup");
        QCOMPARE(DesignModel::checkPageNames(stored, chinese, english), message);
    }

    void showTypes_data()
    {
        QTest::addColumn<int>("showType");
        QTest::addColumn<QString>("position");
        QTest::addColumn<QString>("valid");
        QTest::newRow("Common") << 0 << "" << "";
        QTest::newRow("OnePosiType") << 1 << "142" << "1";
        QTest::newRow("TwoPosiType") << 2 << "142+110" << "1";
        QTest::newRow("MulPosiType") << 3 << "142+110+119" << "1";
    }

    // A condition entered in the page dialog is stored and shown again as entered.
    void showTypes()
    {
        QFETCH(int, showType);
        QFETCH(QString, position);
        QFETCH(QString, valid);
        OptionWidgetProperty p;
        p.showType = showType;
        p.positionOne = QStringLiteral("142");
        p.positionTwo = QStringLiteral("110");
        p.positionMul = QStringLiteral("142+110+119");
        p.value = QStringLiteral("1");
        QCOMPARE(p.bytePosition(), position);
        QCOMPARE(p.valid(), valid);
        DesignSection section;
        section.bytePosition = p.bytePosition();
        section.valid = p.valid();
        const OptionWidgetProperty back = OptionWidgetProperty::fromStored(section);
        QCOMPARE(back.showType, showType);
        QCOMPARE(back.bytePosition(), position);
    }

    void rowEdits_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("done");
        QTest::addColumn<QString>("grid");
        const QString newRow1 = QStringLiteral("1,0:0:New Control 1,1:1:");
        QTest::newRow("move up") << "up" << 1 << true << "0,0:0:B 1,0:0:A 1,1:0:A2 2,0:0:C";
        QTest::newRow("move up the first") << "up" << 0 << false
                                           << "0,0:0:A 0,1:0:A2 1,0:0:B 2,0:0:C";
        QTest::newRow("move down") << "down" << 0 << true << "0,0:0:B 1,0:0:A 1,1:0:A2 2,0:0:C";
        QTest::newRow("move down the last") << "down" << 2 << false
                                            << "0,0:0:A 0,1:0:A2 1,0:0:B 2,0:0:C";
        QTest::newRow("insert") << "insert" << 1 << true
                                << "0,0:0:A 0,1:0:A2 " + newRow1 + " 2,0:0:B 3,0:0:C";
        QTest::newRow("add") << "add" << -1 << true
                             << "0,0:0:A 0,1:0:A2 1,0:0:B 2,0:0:C 3,0:0:New Control 3,1:1:";
        QTest::newRow("delete a line") << "delete" << 0 << true << "0,0:0:B 1,0:0:C";
        QTest::newRow("delete the last line") << "delete" << 2 << true
                                              << "0,0:0:A 0,1:0:A2 1,0:0:B";
        QTest::newRow("delete a missing line") << "delete" << 3 << false
                                               << "0,0:0:A 0,1:0:A2 1,0:0:B 2,0:0:C";
        QTest::newRow("remove one control") << "remove" << 0 << true << "0,0:0:A 1,0:0:B 2,0:0:C";
    }

    void rowEdits()
    {
        QFETCH(QString, edit);
        QFETCH(int, row);
        QFETCH(bool, done);
        QFETCH(QString, grid);
        DesignModel model = threeRows();
        bool result = false;
        if (edit == QLatin1String("up"))
            result = model.moveRow(0, row, -1);
        else if (edit == QLatin1String("down"))
            result = model.moveRow(0, row, 1);
        else if (edit == QLatin1String("insert"))
            result = model.insertRow(0, row);
        else if (edit == QLatin1String("add"))
            result = model.addRow(0) == 3;
        else if (edit == QLatin1String("delete"))
            result = model.deleteRow(0, row);
        else if (edit == QLatin1String("remove"))
            result = model.removeControl(0, row, 1);
        QCOMPARE(result, done);
        QCOMPARE(gridOf(model.pages().at(0)), grid);
        // Every cell stays unique, or the stored rows could not be told apart.
        const PrinterDesign design = model.toDesign();
        for (int i = 1; i < design.controls.size(); ++i)
            QVERIFY(std::tie(design.controls.at(i - 1).row, design.controls.at(i - 1).col)
                < std::tie(design.controls.at(i).row, design.controls.at(i).col));
    }

    void pagesAreNumberedInListOrder()
    {
        DesignModel model = DesignModel::fromDesign(PrinterDesign());
        QCOMPARE(model.addPage(), 0);
        QCOMPARE(model.addPage(), 1);
        QCOMPARE(model.insertPage(1), 1);
        model.pages()[1].setProperty({ QStringLiteral("中"), QStringLiteral("Middle") });
        QCOMPARE(model.addRow(2), 0);
        QVERIFY(model.deletePage(0));
        const PrinterDesign design = model.toDesign();
        QCOMPARE(design.sections.size(), 2);
        QCOMPARE(design.sections.at(0).page, 0);
        QCOMPARE(design.sections.at(0).titleEnglish, QStringLiteral("Middle"));
        QCOMPARE(design.sections.at(1).page, 1);
        QCOMPARE(design.sections.at(1).titleChinese, QStringLiteral("新建页面"));
        QCOMPARE(design.sections.at(1).titleEnglish, QStringLiteral("New Page"));
        QCOMPARE(design.controls.size(), 2);
        QCOMPARE(design.controls.at(0).page, 1);
        QVERIFY(!model.deletePage(2));
    }

    // Every delivered printer type passes through the designer unchanged: what it loads is what
    // it stores.
    void deliveredDesignsPassThrough()
    {
        DbFixture db;
        DesignStore store(db.location());
        const QList<PrinterTypeRecord> types = PrinterTypeTable(db.location()).allPrinterTypes();
        QVERIFY(types.size() >= 5);
        for (const PrinterTypeRecord &type : types) {
            const PrinterDesign stored = store.readDesign(type.pritId());
            QVERIFY2(DesignModel::fromDesign(stored).toDesign() == stored,
                qPrintable(type.pritName()));
        }
    }

    // Save: a new name copies, an existing name overwrites; the printer type row is only
    // updated when its test page value changed.
    void saveUnderAName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("test");
        QTest::addColumn<bool>("isNew");
        QTest::newRow("new name") << "RK-5200 copy" << 5 << true;
        QTest::newRow("existing name, same test value") << "MV-4410C" << -1 << false;
        QTest::newRow("existing name, other test value") << "MV-4410C" << 9 << false;
    }

    void saveUnderAName()
    {
        QFETCH(QString, name);
        QFETCH(int, test);
        QFETCH(bool, isNew);
        DbFixture db;
        DesignStore store(db.location());
        const int source = typeId(db, QStringLiteral("RK-5200"));
        const int target = typeId(db, name);
        const PrinterTypeRecord before = PrinterTypeTable(db.location()).findPrinterType(name);
        if (test < 0)
            test = before.pritTest();
        else
            QVERIFY(test != before.pritTest());
        const int types = db.count(QStringLiteral("select count(*) from PrinterType"));
        // Any update of a printer type row is refused, so an unasked one fails the save.
        if (test == before.pritTest() && !isNew)
            db.probe(QStringLiteral("create trigger noupdate before update on PrinterType "
                                    "begin select raise(abort, 'not asked'); end"));
        const PrinterDesign design = store.readDesign(source);
        int saved = 0;
        QCOMPARE(store.saveDesign(name, test, design, &saved), DbOk);
        QCOMPARE(saved != target, isNew);
        QCOMPARE(db.count(QStringLiteral("select count(*) from PrinterType")), types + int(isNew));
        QCOMPARE(PrinterTypeTable(db.location()).findPrinterType(name).pritTest(), test);
        QVERIFY(store.readDesign(saved) == design);
        QVERIFY(store.readDesign(source) == design);
    }

    // A save that fails part-way leaves the old design and the printer types as they were.
    void failedSaveKeepsTheOldDesign_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("trigger");
        QTest::newRow("overwrite, controls refused")
            << "MV-4410C" << "before insert on Re_Prit_Ctrt_Act";
        QTest::newRow("overwrite, options refused")
            << "MV-4410C" << "before insert on Re_Prit_Ctrt_Ctnt";
        QTest::newRow("overwrite, test value refused") << "MV-4410C" << "before update on PrinterType";
        QTest::newRow("new name, commands refused")
            << "Brand new" << "before insert on Re_Prit_Ctrt_Cmd";
    }

    void failedSaveKeepsTheOldDesign()
    {
        QFETCH(QString, name);
        QFETCH(QString, trigger);
        DbFixture db;
        DesignStore store(db.location());
        const QStringList tables { "PrinterType", "ContentType", "Re_Prit_Page_Layout",
            "Re_Prit_Ctrt_Act", "Re_Prit_Ctrt_Ctnt", "Re_Prit_Ctrt_Cmd" };
        QStringList before;
        for (const QString &t : tables)
            before << db.dump(t);
        db.probe(QStringLiteral("create trigger poison %1 begin select raise(abort, 'refused'); end")
                     .arg(trigger));
        PrinterDesign design = store.readDesign(typeId(db, QStringLiteral("RK-5200")));
        design.controls.first().labelEnglish = QStringLiteral("A text never seen");
        int saved = -1;
        QVERIFY(store.saveDesign(name, 99, design, &saved) != DbOk);
        QCOMPARE(saved, -1);
        QVERIFY2(store.lastError().contains(QLatin1String("refused")), qPrintable(store.lastError()));
        for (int i = 0; i < tables.size(); ++i)
            QVERIFY2(db.dump(tables.at(i)) == before.at(i), qPrintable(tables.at(i)));
    }
};

QTEST_GUILESS_MAIN(tst_DesignModel)
#include "tst_designmodel.moc"
