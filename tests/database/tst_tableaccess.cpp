#include <functional>

#include <QDir>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

#include "database/contentpair.h"
#include "database/contenttypetable.h"
#include "database/controlcommandtable.h"
#include "database/controlcontenttable.h"
#include "database/controltable.h"
#include "database/controltypetable.h"
#include "database/databasehandler.h"
#include "database/formulatypetable.h"
#include "database/loginhash.h"
#include "database/pagelayouttable.h"
#include "database/printertypetable.h"
#include "database/usertable.h"
#include "dbfixture.h"

// One operation of the access layer, run against a location; returns its DbResult (reads: -1).
using Operation = std::function<int(const DatabaseLocation &)>;
Q_DECLARE_METATYPE(Operation)

namespace {
PageLayoutRecord layout(int pritId, int page, int section)
{
    PageLayoutRecord r;
    r.setPritId(pritId);
    r.setPageId(page);
    r.setLayout(section);
    r.setContentId(1);
    return r;
}

ControlRow control(int pritId, int rpplId, int row, int col, int position)
{
    ControlRow r;
    r.setPritId(pritId);
    r.setRpplId(rpplId);
    r.setPageRow(row);
    r.setPageCol(col);
    r.setBytePosition(position);
    r.setByteLength(1);
    r.setRelatePosition(QStringLiteral("110"));
    r.setMinLength(0.5);
    r.setMaxLength(12.25);
    return r;
}

OptionItem option(int pritId, int rpcaId, int value)
{
    OptionItem o;
    o.setPritId(pritId);
    o.setRpcaId(rpcaId);
    o.setContentId(value + 1);
    o.setContentOrder(value);
    return o;
}

CommandBinding command(int pritId, int rpcaId, const QString &cmd)
{
    CommandBinding c;
    c.setPritId(pritId);
    c.setRpcaId(rpcaId);
    c.setCmd(cmd);
    c.setParamPosition(5);
    return c;
}

PrinterTypeRecord printerType(int id, const QString &name)
{
    PrinterTypeRecord r;
    r.setPritId(id);
    r.setPritName(name);
    r.setPritTest(3);
    return r;
}

// A printer type of its own for the table tests, far from the delivered ids.
constexpr int kTestPrit = 900;

const QString kEmptyHash = QStringLiteral(
    "-29-80-6066-104-42820-102-5-12-56-103111-713639-8265-28100-101-10976-92-107-1032712082-"
    "7285");
} // namespace

class tst_TableAccess : public QObject
{
    Q_OBJECT

private:
    void addChangeRows()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("table");
        QTest::newRow("insertPrinterType") << Operation([](const DatabaseLocation &l) {
            return int(PrinterTypeTable(l).insertPrinterType(printerType(0, "X")));
        }) << int(DbInsertFailed) << "PrinterType";
        QTest::newRow("updatePrinterType") << Operation([](const DatabaseLocation &l) {
            return int(PrinterTypeTable(l).updatePrinterType(printerType(1, "Y")));
        }) << int(DbUpdateFailed) << "PrinterType";
        QTest::newRow("deletePrinterType") << Operation([](const DatabaseLocation &l) {
            return int(PrinterTypeTable(l).deletePrinterType(1));
        }) << int(DbDeleteFailed) << "PrinterType";
        QTest::newRow("insertContent") << Operation([](const DatabaseLocation &l) {
            return int(ContentTypeTable(l).insertContent(QStringLiteral("新-!!-New")));
        }) << int(DbInsertFailed) << "ContentType";
        QTest::newRow("updateContentText") << Operation([](const DatabaseLocation &l) {
            return int(ContentTypeTable(l).updateContentText(
                1, QStringLiteral("On"), QStringLiteral("Enabled")));
        }) << int(DbUpdateFailed) << "ContentType";
        QTest::newRow("deleteContentByText") << Operation([](const DatabaseLocation &l) {
            return int(ContentTypeTable(l).deleteContentByText(0, QStringLiteral("开启")));
        }) << int(DbDeleteFailed) << "ContentType";
        QTest::newRow("insertFormula") << Operation([](const DatabaseLocation &l) {
            return int(FormulaTypeTable(l).insertFormula(QStringLiteral("H*2")));
        }) << int(DbInsertFailed) << "FormulaType";
        QTest::newRow("updateFormula") << Operation([](const DatabaseLocation &l) {
            return int(
                FormulaTypeTable(l).updateFormula(QStringLiteral("H*256+L"), QStringLiteral("L")));
        }) << int(DbUpdateFailed) << "FormulaType";
        QTest::newRow("deleteFormula") << Operation([](const DatabaseLocation &l) {
            return int(FormulaTypeTable(l).deleteFormula(QStringLiteral("H*256+L")));
        }) << int(DbDeleteFailed) << "FormulaType";
        QTest::newRow("insertLayouts") << Operation([](const DatabaseLocation &l) {
            return int(PageLayoutTable(l).insertLayouts(
                { layout(kTestPrit, 0, 0), layout(kTestPrit, 0, 1) }));
        }) << int(DbInsertFailed) << "Re_Prit_Page_Layout";
        QTest::newRow("deleteLayoutsOfPrinter") << Operation([](const DatabaseLocation &l) {
            return int(PageLayoutTable(l).deleteLayoutsOfPrinter(1));
        }) << int(DbDeleteFailed) << "Re_Prit_Page_Layout";
        QTest::newRow("insertControls") << Operation([](const DatabaseLocation &l) {
            return int(ControlTable(l).insertControls({ control(kTestPrit, 1, 0, 1, 10) }));
        }) << int(DbInsertFailed) << "Re_Prit_Ctrt_Act";
        QTest::newRow("deleteControlsOfPrinter") << Operation([](const DatabaseLocation &l) {
            return int(ControlTable(l).deleteControlsOfPrinter(1));
        }) << int(DbDeleteFailed) << "Re_Prit_Ctrt_Act";
        QTest::newRow("insertOptions") << Operation([](const DatabaseLocation &l) {
            return int(ControlContentTable(l).insertOptions({ option(kTestPrit, 1, 0) }));
        }) << int(DbInsertFailed) << "Re_Prit_Ctrt_Ctnt";
        QTest::newRow("deleteOptionsOfPrinter") << Operation([](const DatabaseLocation &l) {
            return int(ControlContentTable(l).deleteOptionsOfPrinter(1));
        }) << int(DbDeleteFailed) << "Re_Prit_Ctrt_Ctnt";
        QTest::newRow("insertCommands") << Operation([](const DatabaseLocation &l) {
            return int(ControlCommandTable(l).insertCommands(
                { command(kTestPrit, 1, QStringLiteral("Wifi")) }));
        }) << int(DbInsertFailed) << "Re_Prit_Ctrt_Cmd";
        QTest::newRow("deleteCommandsOfPrinter") << Operation([](const DatabaseLocation &l) {
            return int(ControlCommandTable(l).deleteCommandsOfPrinter(1));
        }) << int(DbDeleteFailed) << "Re_Prit_Ctrt_Cmd";
    }

private slots:
    void missingFileFailsQuietly_data() { addChangeRows(); }

    void missingFileFailsQuietly()
    {
        QFETCH(Operation, operation);
        QFETCH(int, failure);
        QTemporaryDir dir;
        int boxes = 0;
        DatabaseLocation missing(dir.filePath(QStringLiteral("SWTDatabase.db")),
            [&boxes](const QString &, const QString &) { ++boxes; });
        QCOMPARE(operation(missing), failure);
        QCOMPARE(boxes, 0);
    }

    void missingFileReadsNothing()
    {
        QTemporaryDir dir;
        int boxes = 0;
        DatabaseLocation missing(dir.filePath(QStringLiteral("SWTDatabase.db")),
            [&boxes](const QString &, const QString &) { ++boxes; });
        QVERIFY(PrinterTypeTable(missing).allPrinterTypes().isEmpty());
        QCOMPARE(PrinterTypeTable(missing).findPrinterType(QStringLiteral("RK-5200")).pritId(), 0);
        QCOMPARE(ControlTypeTable(missing).controlTypeId(3), 0);
        QVERIFY(ContentTypeTable(missing).allContents(1).isEmpty());
        QCOMPARE(PageLayoutTable(missing).pageCount(1), 0);
        QVERIFY(ControlTable(missing).controlsOfPrinter(1).isEmpty());
        QVERIFY(UserTable(missing)
                    .findUser(QStringLiteral("designer"), kEmptyHash)
                    .userName()
                    .isEmpty());
        QCOMPARE(boxes, 0);
    }

    void directoryShowsTheBoxOncePerOperation_data() { addChangeRows(); }

    void directoryShowsTheBoxOncePerOperation()
    {
        QFETCH(Operation, operation);
        QFETCH(int, failure);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("SWTDatabase.db")));
        QStringList shown;
        DatabaseLocation directory(dir.filePath(QStringLiteral("SWTDatabase.db")),
            [&shown](const QString &title, const QString &text) { shown << title << text; });
        QCOMPARE(operation(directory), failure);
        QCOMPARE(shown,
            QStringList({ QStringLiteral("Cannot open SWTDatabase.db"),
                QStringLiteral("Unable to establish a database connection.") }));
        shown.clear();
        QVERIFY(PrinterTypeTable(directory).allPrinterTypes().isEmpty());
        QCOMPARE(shown.size(), 2);
    }

    void failedCommitLeavesTableUnchanged_data() { addChangeRows(); }

    void failedCommitLeavesTableUnchanged()
    {
        QFETCH(Operation, operation);
        QFETCH(QString, table);
        DbFixture db;
        const QString before = db.dump(table);
        QVERIFY(!before.isEmpty());
        // Another reader keeps the file shared, so the commit cannot take the write lock.
        QSqlDatabase reader = db.probeDatabase();
        QVERIFY(reader.transaction());
        db.probe(QStringLiteral("select count(*) from %1").arg(table));
        DatabaseLocation location = db.location();
        location.setBusyTimeoutMs(50);
        QCOMPARE(operation(location), int(DbCommitFailed));
        QVERIFY(reader.commit());
        const QString after = db.dump(table);
        QCOMPARE(after, before);
        // The connection is usable again afterwards.
        QCOMPARE(operation(db.location()), int(DbOk));
    }

    void failedBatchLeavesNoRow_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("poison"); // the condition on NEW that aborts an insert
        QTest::newRow("layouts") << Operation([](const DatabaseLocation &l) {
            return int(PageLayoutTable(l).insertLayouts(
                { layout(kTestPrit, 0, 0), layout(kTestPrit, 0, 1), layout(kTestPrit, 1, 0) }));
        }) << "Re_Prit_Page_Layout"
                                 << "NEW.rppl_layout = 1";
        QTest::newRow("controls") << Operation([](const DatabaseLocation &l) {
            return int(ControlTable(l).insertControls(
                { control(kTestPrit, 1, 0, 1, 10), control(kTestPrit, 1, 1, 1, 11) }));
        }) << "Re_Prit_Ctrt_Act"
                                  << "NEW.rpca_byteposition = 11";
        QTest::newRow("options") << Operation([](const DatabaseLocation &l) {
            return int(ControlContentTable(l).insertOptions(
                { option(kTestPrit, 1, 0), option(kTestPrit, 1, 1), option(kTestPrit, 1, 2) }));
        }) << "Re_Prit_Ctrt_Ctnt"
                                 << "NEW.rpcc_contentorder = 2";
        QTest::newRow("commands") << Operation([](const DatabaseLocation &l) {
            return int(ControlCommandTable(l).insertCommands(
                { command(kTestPrit, 1, QStringLiteral("Wifi")),
                    command(kTestPrit, 2, QStringLiteral("Ethernet")) }));
        }) << "Re_Prit_Ctrt_Cmd"
                                  << "NEW.rpcm_cmd = 'Ethernet'";
    }

    void failedBatchLeavesNoRow()
    {
        QFETCH(Operation, operation);
        QFETCH(QString, table);
        QFETCH(QString, poison);
        DbFixture db;
        const QString before = db.dump(table);
        db.probe(QStringLiteral("create trigger poison before insert on %1 when %2 "
                                "begin select raise(abort, 'refused'); end")
                     .arg(table, poison));
        QCOMPARE(operation(db.location()), int(DbInsertFailed));
        QCOMPARE(db.dump(table), before);
        db.probe(QStringLiteral("drop trigger poison"));
        QCOMPARE(operation(db.location()), int(DbOk));
        QVERIFY(db.dump(table) != before);
    }

    void findContentTakesHighestId()
    {
        DbFixture db;
        ContentTypeTable contents(db.location());
        QCOMPARE(contents.insertContent(QStringLiteral("第一"), QStringLiteral("Twice")), DbOk);
        QCOMPARE(contents.insertContent(QStringLiteral("第二"), QStringLiteral("Twice")), DbOk);
        const int newest = db.count(QStringLiteral("select max(ctnt_id) from ContentType"));
        const ContentRecord found = contents.findContentByText(1, QStringLiteral("Twice"));
        QCOMPARE(found.ctntId(), newest);
        QCOMPARE(found.text(), QStringLiteral("Twice"));
        QCOMPARE(found.ctntChinese(), QStringLiteral("第二"));
        const ContentRecord byChinese = contents.findContentByText(0, QStringLiteral("第一"));
        QCOMPARE(byChinese.ctntId(), newest - 1);
        QCOMPARE(byChinese.text(), QStringLiteral("第一"));
        QCOMPARE(contents.findContentByText(1, QStringLiteral("Never stored")).ctntId(), 0);
    }

    void changesByTextAffectEveryRow_data()
    {
        QTest::addColumn<bool>("rename");
        QTest::newRow("rename") << true;
        QTest::newRow("delete") << false;
    }

    void changesByTextAffectEveryRow()
    {
        QFETCH(bool, rename);
        DbFixture db;
        ContentTypeTable contents(db.location());
        QCOMPARE(contents.insertContent(QStringLiteral("甲"), QStringLiteral("First")), DbOk);
        QCOMPARE(contents.insertContent(QStringLiteral("甲"), QStringLiteral("Second")), DbOk);
        QCOMPARE(contents.insertContent(QStringLiteral("甲乙"), QStringLiteral("Third")), DbOk);
        const DbResult result = rename
            ? contents.updateContentText(0, QStringLiteral("甲"), QStringLiteral("丙"))
            : contents.deleteContentByText(0, QStringLiteral("甲"));
        QCOMPARE(result, DbOk);
        QCOMPARE(
            db.count(QStringLiteral("select count(*) from ContentType where ctnt_chinese='甲'")),
            0);
        QCOMPARE(
            db.count(QStringLiteral("select count(*) from ContentType where ctnt_chinese='丙'")),
            rename ? 2 : 0);
        QCOMPARE(db.count(QStringLiteral("select count(*) from ContentType where "
                                         "ctnt_chinese='甲乙' and ctnt_english='Third'")),
            1);
    }

    void contentPairSplitsAtFirstSeparator_data()
    {
        QTest::addColumn<QString>("pair");
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("english");
        QTest::newRow("plain") << "打印浓度-!!-Print Density"
                               << "打印浓度"
                               << "Print Density";
        QTest::newRow("two separators") << "甲-!!-A-!!-B"
                                        << "甲"
                                        << "A-!!-B";
        QTest::newRow("empty Chinese") << "-!!-Only English"
                                       << ""
                                       << "Only English";
        QTest::newRow("no separator") << "只有中文"
                                      << "只有中文"
                                      << "";
        QTest::newRow("partial separator") << "甲-!!B"
                                           << "甲-!!B"
                                           << "";
    }

    void contentPairSplitsAtFirstSeparator()
    {
        QFETCH(QString, pair);
        QFETCH(QString, chinese);
        QFETCH(QString, english);
        DbFixture db;
        QCOMPARE(DataBaseHandler(db.location()).insertContent(pair), DbOk);
        const int id = db.count(QStringLiteral("select max(ctnt_id) from ContentType"));
        QCOMPARE(
            db.probe(
                  QStringLiteral("select ctnt_chinese from ContentType where ctnt_id=%1").arg(id))
                .value(0)
                .toString(),
            chinese);
        QCOMPARE(
            db.probe(
                  QStringLiteral("select ctnt_english from ContentType where ctnt_id=%1").arg(id))
                .value(0)
                .toString(),
            english);
        QCOMPARE(
            joinContentPair(chinese, english).startsWith(chinese + QStringLiteral("-!!-")), true);
    }

    void loginHashSum_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("hashSum");
        QTest::newRow("empty") << "" << kEmptyHash;
        QTest::newRow("ascii") << "Setwright@2016"
                               << "-41-385830-35-43-105857133-97-87-22-88-29106-201523-106-27-46-"
                                  "59-2081-5368367427-94127";
        QTest::newRow("chinese is utf-8")
            << "密码"
            << "-9033-8596109-78-953199-19-59118-8941-12459-1261053713-613632104113-39653-"
               "84948328";
    }

    void loginHashSum()
    {
        QFETCH(QString, password);
        QFETCH(QString, hashSum);
        QCOMPARE(::loginHashSum(password), hashSum);
        QVERIFY(hashSum.size() >= 32 && hashSum.size() <= 128);
    }

    void checkLogin_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("delivered account") << "designer"
                                           << "Setwright@2016" << true;
        QTest::newRow("wrong password") << "designer"
                                        << "setwright@2016" << false;
        QTest::newRow("empty password") << "designer"
                                        << "" << false;
        QTest::newRow("unknown user") << "admin"
                                      << "Setwright@2016" << false;
    }

    void checkLogin()
    {
        QFETCH(QString, user);
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        DbFixture db;
        DataBaseHandler handler(db.location());
        QSignalSpy spy(&handler, &DataBaseHandler::checkLoginResult);
        handler.checkLogin(user, ::loginHashSum(password));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toBool(), accepted);
    }

    void byteControlsSkipZeroAndCollapseDuplicates()
    {
        DbFixture db;
        ControlTable controls(db.location());
        QCOMPARE(controls.insertControls(
                     { control(kTestPrit, 7, 0, 0, 0), control(kTestPrit, 7, 0, 1, 300),
                         control(kTestPrit, 7, 1, 1, 300), control(kTestPrit, 7, 2, 1, 301) }),
            DbOk);
        const QMap<int, ControlRow> all = controls.controlsOfPrinter(kTestPrit);
        QCOMPARE(all.size(), 4);
        const QMap<int, ControlRow> valued = controls.byteControlsOfPrinter(kTestPrit);
        QCOMPARE(valued.keys(), QList<int>({ 300, 301 }));
        QCOMPARE(valued.value(300).pageRow(), 1); // the row read last
        QCOMPARE(valued.value(300).rpcaId(), controls.controlId(kTestPrit, 7, 1, 1));
        // Every column comes back in its place.
        const ControlRow row = valued.value(301);
        QCOMPARE(row.pritId(), kTestPrit);
        QCOMPARE(row.rpplId(), 7);
        QCOMPARE(row.relatePosition(), QStringLiteral("110"));
        QCOMPARE(row.minLength(), 0.5);
        QCOMPARE(row.maxLength(), 12.25);
        QCOMPARE(controls.controlId(kTestPrit, 7, 9, 9), 0);
    }

    void layoutsByPageKeepOnePerPage()
    {
        DbFixture db;
        PageLayoutTable layouts(db.location());
        QCOMPARE(layouts.insertLayouts({ layout(kTestPrit, 0, 0), layout(kTestPrit, 0, 1),
                     layout(kTestPrit, 0, 2), layout(kTestPrit, 1, 0) }),
            DbOk);
        const QMap<int, PageLayoutRecord> byPage = layouts.layoutsByPage(kTestPrit);
        QCOMPARE(byPage.keys(), QList<int>({ 0, 1 }));
        QCOMPARE(byPage.value(0).layout(), 2);
        QCOMPARE(layouts.layoutsById(kTestPrit).size(), 4);
        QCOMPARE(layouts.pageCount(kTestPrit), 2);
        QCOMPARE(layouts.layoutCount(kTestPrit, 0), 3);
        QCOMPARE(layouts.layoutCount(kTestPrit, 1), 1);
    }

    void pageTitlesInPageOrder()
    {
        DbFixture db;
        ContentTypeTable contents(db.location());
        QCOMPARE(contents.insertContent(QStringLiteral("乙页"), QStringLiteral("Page B")), DbOk);
        QCOMPARE(contents.insertContent(QStringLiteral("甲页"), QStringLiteral("Page A")), DbOk);
        const int b = contents.findContentByText(1, QStringLiteral("Page B")).ctntId();
        const int a = contents.findContentByText(1, QStringLiteral("Page A")).ctntId();
        PageLayoutRecord first = layout(kTestPrit, 0, 0);
        first.setContentId(a);
        PageLayoutRecord second = layout(kTestPrit, 0, 1);
        second.setContentId(a);
        PageLayoutRecord third = layout(kTestPrit, 1, 0);
        third.setContentId(b);
        PageLayoutTable layouts(db.location());
        QCOMPARE(layouts.insertLayouts({ third, first, second }), DbOk);
        QCOMPARE(layouts.pageTitles(1, kTestPrit),
            QStringList({ QStringLiteral("Page A"), QStringLiteral("Page B") }));
        QCOMPARE(layouts.pageTitles(0, kTestPrit),
            QStringList({ QStringLiteral("甲页"), QStringLiteral("乙页") }));
    }

    void optionsComeInValueOrderPerControl()
    {
        DbFixture db;
        ControlTable controls(db.location());
        QCOMPARE(controls.insertControls(
                     { control(kTestPrit, 1, 0, 1, 10), control(kTestPrit, 1, 1, 1, 11) }),
            DbOk);
        const int first = controls.controlId(kTestPrit, 1, 0, 1);
        const int second = controls.controlId(kTestPrit, 1, 1, 1);
        QCOMPARE(ControlContentTable(db.location())
                     .insertOptions({ option(kTestPrit, second, 4), option(kTestPrit, first, 2),
                         option(kTestPrit, second, 1), option(kTestPrit, first, 0) }),
            DbOk);
        const auto options = ControlContentTable(db.location()).optionsOfPrinter(kTestPrit);
        QCOMPARE(options.size(), 2);
        QList<int> values;
        for (const OptionItem &o : options.value(first))
            values << o.contentOrder();
        QCOMPARE(values, QList<int>({ 0, 2 }));
        values.clear();
        for (const OptionItem &o : options.value(second))
            values << o.contentOrder();
        QCOMPARE(values, QList<int>({ 1, 4 }));
        QCOMPARE(options.value(second).first().contentId(), 2);
    }

    void handlerFindsAndListsTexts()
    {
        DbFixture db;
        DataBaseHandler handler(db.location());
        QCOMPARE(handler.findContent(1, QStringLiteral("Print Density")), DbFound);
        QCOMPARE(handler.findContent(0, QStringLiteral("打印浓度")), DbFound);
        QCOMPARE(handler.findContent(1, QStringLiteral("打印浓度")), DbNotFound);
        QCOMPARE(handler.findContent(1, QString()), DbNotFound);
        QCOMPARE(handler.findFormula(QStringLiteral("H*256+L")), DbFound);
        QCOMPARE(handler.findFormula(QStringLiteral("h*256+l")), DbNotFound);
        QCOMPARE(handler.insertFormula(QStringLiteral("a+H")), DbOk);
        QCOMPARE(handler.insertFormula(QStringLiteral("Z+H")), DbOk);
        const QStringList formulas = handler.formulaExpressions();
        QVERIFY(formulas.indexOf(QStringLiteral("Z+H")) < formulas.indexOf(QStringLiteral("a+H")));
        QStringList sorted = formulas;
        sorted.sort(Qt::CaseSensitive);
        QCOMPARE(formulas, sorted);
        const QStringList english = handler.contentTexts(1);
        QCOMPARE(english.size(), db.count(QStringLiteral("select count(*) from ContentType")));
        QVERIFY(english.contains(QStringLiteral("Print Density")));
        QVERIFY(handler.contentTexts(0).contains(QStringLiteral("打印浓度")));
    }

    void worksFromAWorkerThread()
    {
        DbFixture db;
        // The main thread holds the default connection; the worker must not borrow it.
        QCOMPARE(PrinterTypeTable(db.location()).allPrinterTypes().isEmpty(), false);
        int found = 0;
        DbResult inserted = DbInsertFailed;
        const DatabaseLocation location = db.location();
        QScopedPointer<QThread> worker(QThread::create([&] {
            found = PrinterTypeTable(location).findPrinterType(QStringLiteral("RK-5200")).pritId();
            inserted = PrinterTypeTable(location).insertPrinterType(printerType(0, "FromWorker"));
        }));
        worker->start();
        QVERIFY(worker->wait(10000));
        QVERIFY(found > 0);
        QCOMPARE(inserted, DbOk);
        QVERIFY(
            PrinterTypeTable(db.location()).findPrinterType(QStringLiteral("FromWorker")).pritId()
            > 0);
    }

    void worksFromSuccessiveWorkerThreads()
    {
        // Each new thread object may reuse the memory of the one before; its connection must
        // still be its own.
        DbFixture db;
        const DatabaseLocation location = db.location();
        for (int round = 0; round < 6; ++round) {
            int found = 0;
            QScopedPointer<QThread> worker(QThread::create([&] {
                found = PrinterTypeTable(location).findPrinterType(QStringLiteral("RK-5200")).pritId();
            }));
            worker->start();
            QVERIFY(worker->wait(10000));
            QVERIFY2(found > 0, qPrintable(QStringLiteral("round %1").arg(round)));
        }
    }
};

QTEST_GUILESS_MAIN(tst_TableAccess)
#include "tst_tableaccess.moc"
