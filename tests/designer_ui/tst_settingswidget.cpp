#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTimer>
#include <QtTest>

#include "app/tipwidget.h"
#include "database/designstore.h"
#include "database/printertypetable.h"
#include "dbfixture.h"
#include "designerharness.h"
#include "designer_ui/comboboxdialogs.h"
#include "designer_ui/dbmanagewidget.h"
#include "designer_ui/designerdialogs.h"
#include "designer_ui/designerflow.h"
#include "designer_ui/menudialogs.h"
#include "designer_ui/optiontablelabel.h"
#include "designer_ui/settingswidget.h"
#include "maintenance_ui/testpagesetting.h"
#include "designer_ui/aboutwidget.h"
#include "settings_ui/widgetengine.h"

namespace {
// The harness under its short name.
struct Designer : DesignerHarness
{
    explicit Designer(DbFixture &db, bool loggedIn = true)
        : DesignerHarness(db.location(), loggedIn)
    {
    }
};

PrinterDesign storedDesign(DbFixture &db, const QString &name)
{
    return ::storedDesign(db.location(), name);
}
} // namespace

class tst_SettingsWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("RKMENU_DISMISS_MESSAGES_MS", "0"); }

    void startsWithoutAPrinterType()
    {
        DbFixture db;
        Designer d(db);
        QCOMPARE(d.page->titleLabel()->text(), QStringLiteral("welcome"));
        QVERIFY(d.page->changeButton()->isEnabled());
        QVERIFY(d.page->deleteButton()->isEnabled());
        for (QPushButton *b : { d.page->testPageButton(), d.page->saveButton(),
                 d.page->addPageButton(), d.page->addRowButton(), d.page->refreshButton() })
            QVERIFY2(!b->isEnabled(), qPrintable(b->text()));
        d.flow.enterDesigner(QStringLiteral("MV-4410C"));
        QCOMPARE(d.page->titleLabel()->text(), QStringLiteral("MV-4410C"));
        QVERIFY(d.page->saveButton()->isEnabled());
        QCOMPARE(d.page->pageList()->count(), 5);
        QCOMPARE(d.page->pageList()->item(1)->text(), QStringLiteral("Paper Setup"));
        QVERIFY(!d.page->rowLabels().isEmpty());
    }

    void printerSelect_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("title");
        QTest::newRow("cancel keeps the design") << false << "MV-4410C";
        QTest::newRow("confirm loads the first type") << true << "RK-5200";
    }

    void printerSelect()
    {
        QFETCH(bool, confirm);
        QFETCH(QString, title);
        DbFixture db;
        Designer d(db);
        d.flow.enterDesigner(QStringLiteral("MV-4410C"));
        d.page->addPageButton()->click();
        const PrinterDesign edited = d.page->design();
        QSignalSpy selected(d.page, &SettingsWidget::printerSelected);
        onModal([confirm](QWidget *modal) {
            auto *dialog = qobject_cast<PrinterSelect *>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->table()->currentRow(), 0);
            QTest::mouseClick(confirm ? dialog->confirmButton() : dialog->cancelButton(), Qt::LeftButton);
        });
        QTest::mouseClick(d.page->changeButton(), Qt::LeftButton);
        QCOMPARE(selected.count(), int(confirm));
        QCOMPARE(d.page->titleLabel()->text(), title);
        if (confirm)
            QVERIFY(d.page->design() == storedDesign(db, title));
        else
            QVERIFY(d.page->design() == edited);
    }

    void deleteDialog_data()
    {
        QTest::addColumn<QStringList>("steps"); // "all", "row N", "delete", "chinese"
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("hint");
        QTest::addColumn<int>("emitted");
        QTest::newRow("SelectAll") << QStringList { "all" } << QStringList { "A", "B", "C" }
                                   << "NotSelectAll" << false << 0;
        QTest::newRow("SelectAll, NotSelectAll") << QStringList { "all", "all" } << QStringList()
                                                 << "SelectAll" << false << 0;
        QTest::newRow("Chinese SelectAll") << QStringList { "chinese", "all" }
                                           << QStringList { "A", "B", "C" } << "NotSelectAll"
                                           << false << 0;
        QTest::newRow("Delete with nothing checked") << QStringList { "delete" } << QStringList()
                                                     << "SelectAll" << true << 0;
        QTest::newRow("Delete after NotSelectAll") << QStringList { "all", "all", "delete" }
                                                   << QStringList() << "SelectAll" << true << 0;
        QTest::newRow("Delete two") << QStringList { "row 0", "row 2", "delete" }
                                    << QStringList { "A", "C" } << "SelectAll" << false << 1;
        QTest::newRow("hint goes") << QStringList { "delete", "row 1", "delete" }
                                   << QStringList { "B" } << "SelectAll" << false << 1;
    }

    void deleteDialog()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, checked);
        QFETCH(QString, button);
        QFETCH(bool, hint);
        QFETCH(int, emitted);
        DeleteMulDialogs dialog;
        dialog.setNames({ QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C") });
        dialog.show();
        QSignalSpy deleted(&dialog, &DeleteMulDialogs::deletePrinter);
        for (const QString &step : steps) {
            if (step == QLatin1String("all"))
                QTest::mouseClick(dialog.selectAllButton(), Qt::LeftButton);
            else if (step == QLatin1String("delete"))
                QTest::mouseClick(dialog.deleteButton(), Qt::LeftButton);
            else if (step == QLatin1String("chinese"))
                dialog.selectAllButton()->setText(QStringLiteral("全选"));
            else
                dialog.setChecked(step.mid(4).toInt(), true);
        }
        QCOMPARE(dialog.checkedNames(), checked);
        QCOMPARE(dialog.selectAllButton()->text(), button);
        QCOMPARE(dialog.hint()->isVisible(), hint);
        QCOMPARE(deleted.count(), emitted);
        if (emitted)
            QCOMPARE(deleted.first().first().toStringList(), checked);
    }

    // The property editor as the user fills it.
    void propertyEditor_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("bounds");
        QTest::addColumn<int>("options");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<double>("min");
        QTest::newRow("spin box with empty bounds") << 5 << "" << 0 << true << 0.0;
        QTest::newRow("spin box with bounds") << 5 << "1.5" << 0 << true << 1.5;
        QTest::newRow("combo box without options") << 3 << "" << 0 << false << 9.0;
        QTest::newRow("combo box with an option") << 3 << "" << 1 << true << 9.0;
        QTest::newRow("edit box keeps its bounds") << 1 << "" << 0 << true << 9.0;
    }

    void propertyEditor()
    {
        QFETCH(int, kind);
        QFETCH(QString, bounds);
        QFETCH(int, options);
        QFETCH(bool, saved);
        QFETCH(double, min);
        ComboBoxDialogs editor;
        OptionProperty p;
        p.kind = KindEdit;
        p.minLength = 9.0;
        p.maxLength = 9.0;
        editor.setProperty(p);
        editor.show();
        editor.kindBox()->setCurrentIndex(kind);
        QCOMPARE(editor.minEdit()->isEnabled(), kind == KindSpinBox);
        QCOMPARE(editor.contentList()->isEnabled(), kind == KindComboBox);
        if (kind == KindSpinBox) {
            editor.minEdit()->setText(bounds);
            editor.maxEdit()->setText(bounds);
        }
        for (int i = 0; i < options; ++i)
            editor.on_btn_AddEvent_clicked();
        QSignalSpy savedSpy(&editor, &ComboBoxDialogs::saveClicked);
        QString shown;
        QObject::connect(editor.tip(), &QDialog::finished,
            [&editor, &shown] { shown = editor.tip()->message(); });
        QTest::mouseClick(editor.saveButton(), Qt::LeftButton);
        QCOMPARE(savedSpy.count(), int(saved));
        QCOMPARE(editor.isVisible(), !saved);
        QCOMPARE(shown, saved ? QString() : QStringLiteral("Sub-option is null!"));
        QCOMPARE(editor.property().kind, saved ? kind : int(KindEdit));
        QCOMPARE(editor.property().minLength, min);
        QCOMPARE(editor.property().maxLength, min);
        QCOMPARE(editor.property().options.size(), saved ? options : 0);
    }

    void pageDialog_data()
    {
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("english");
        QTest::addColumn<bool>("saved");
        QTest::newRow("English only") << "打印设置"
                                      << "Printing" << false;
        QTest::newRow("both") << "打印"
                              << "Printing" << true;
        QTest::newRow("Chinese empty") << ""
                                       << "Printing" << false;
    }

    // Renaming a page through the list's menu and the page dialog.
    void pageDialog()
    {
        QFETCH(QString, chinese);
        QFETCH(QString, english);
        QFETCH(bool, saved);
        DbFixture db;
        Designer d(db);
        d.flow.enterDesigner(QStringLiteral("MV-4410C"));
        d.page->pageList()->setCurrentRow(0);
        QString shown;
        QObject::connect(d.page->menuDialog()->tip(), &QDialog::finished,
            [&d, &shown] { shown = d.page->menuDialog()->tip()->message(); });
        onModal([&](QWidget *modal) {
            auto *dialog = qobject_cast<MenuDialogs *>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->size(), QSize(330, 200));
            dialog->chineseName()->setText(chinese);
            dialog->englishName()->setText(english);
            QTest::mouseClick(dialog->saveButton(), Qt::LeftButton);
            if (dialog->isVisible())
                dialog->reject();
        });
        d.page->modifySeed();
        const PrinterDesign design = d.page->design();
        QCOMPARE(design.sections.first().titleEnglish,
            saved ? english : QStringLiteral("Print Setup"));
        QCOMPARE(d.page->pageList()->item(0)->text(), saved ? english : QStringLiteral("Print Setup"));
        QCOMPARE(shown.isEmpty(), saved);
    }

    // Rows move, come and go through the row menu; the designer's grid follows.
    void rowMenu()
    {
        DbFixture db;
        Designer d(db);
        d.flow.enterDesigner(QStringLiteral("MV-4410C"));
        d.page->pageList()->setCurrentRow(0);
        const int rows = d.page->model().pages().at(0).rowCount();
        auto labelAt = [&d](int row, int col) -> OptionTableLabel * {
            for (OptionTableLabel *l : d.page->rowLabels())
                if (l->property()->row == row && l->property()->col == col)
                    return l;
            return nullptr;
        };
        const QString second = labelAt(1, 0)->property()->labelEnglish;
        const QList<QAction *> actions = labelAt(1, 0)->contextMenu()->actions();
        QCOMPARE(actions.size(), 5);
        actions.at(2)->trigger(); // Move up a line
        QTRY_COMPARE(labelAt(0, 0) ? labelAt(0, 0)->property()->labelEnglish : QString(), second);
        labelAt(0, 0)->contextMenu()->actions().at(1)->trigger(); // Insert
        QTRY_COMPARE(d.page->model().pages().at(0).rowCount(), rows + 1);
        QTRY_VERIFY(labelAt(0, 0) && labelAt(0, 0)->property()->labelEnglish == QLatin1String("New Control"));
        labelAt(0, 0)->contextMenu()->actions().at(4)->trigger(); // Delete a line
        QTRY_COMPARE(d.page->model().pages().at(0).rowCount(), rows);
        QTRY_VERIFY(labelAt(0, 0) && labelAt(0, 0)->property()->labelEnglish == second);
        QCOMPARE(d.page->pageList()->item(0)->foreground().color(), QColor(QStringLiteral("#ff6600")));
    }

    // A click on a control opens the property editor on it; what the editor saves shows.
    void clickOpensTheEditor()
    {
        DbFixture db;
        Designer d(db);
        d.window.show();
        d.flow.enterDesigner(QStringLiteral("MV-4410C"));
        d.stack.setCurrentWidget(d.page);
        OptionTableLabel *label = d.page->rowLabels().first();
        const OptionProperty before = *label->property();
        onModal([](QWidget *modal) {
            auto *editor = qobject_cast<ComboBoxDialogs *>(modal);
            QVERIFY(editor);
            editor->englishEdit()->setText(QStringLiteral("Renamed"));
            QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
        });
        QTest::mouseClick(label, Qt::LeftButton);
        QTRY_VERIFY(!d.page->rowLabels().isEmpty()
            && d.page->rowLabels().first()->property()->labelEnglish == QLatin1String("Renamed"));
        const OptionProperty after = d.page->model().pages().at(0).controls.first();
        QCOMPARE(after.labelEnglish, QStringLiteral("Renamed"));
        QCOMPARE(after.bytePosition, before.bytePosition);
        QCOMPARE(after.options, before.options);
    }

    void testPage_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("button");
        QTest::newRow("QR70 confirmed") << true << 5 << "QR70";
        QTest::newRow("cancelled") << false << 1 << "QT52";
    }

    // The test page choice shows on the button and is stored with the design.
    void testPage()
    {
        QFETCH(bool, confirm);
        QFETCH(int, stored);
        QFETCH(QString, button);
        DbFixture db;
        Designer d(db);
        d.flow.enterDesigner(QStringLiteral("MV-4410C"));
        QCOMPARE(d.page->testPageButton()->text(), QStringLiteral("QT52"));
        onModal([confirm](QWidget *modal) {
            auto *dialog = qobject_cast<TestPageSetting *>(modal);
            QVERIFY(dialog);
            QCOMPARE(dialog->currentType(), 1);
            dialog->typeList()->setCurrentIndex(5);
            QTest::mouseClick(confirm ? dialog->confirmButton() : dialog->cancelButton(), Qt::LeftButton);
        });
        QTest::mouseClick(d.page->testPageButton(), Qt::LeftButton);
        QCOMPARE(d.page->testValue(), stored);
        QCOMPARE(d.page->testPageButton()->text(), button);
        d.saveAs(QStringLiteral("MV-4410C"));
        QCOMPARE(PrinterTypeTable(db.location()).findPrinterType(QStringLiteral("MV-4410C")).pritTest(), stored);
    }

    // Save: a new name copies, an existing name overwrites, and the test page value is only
    // written when it changed.
    void save_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("sameTest");
        QTest::newRow("new name copies") << "MV-4410C two" << true;
        QTest::newRow("existing name, same test value") << "RK-5200" << true;
        QTest::newRow("existing name, other test value") << "RK-5200" << false;
    }

    void save()
    {
        QFETCH(QString, name);
        QFETCH(bool, sameTest);
        DbFixture db;
        Designer d(db);
        const PrinterDesign original = storedDesign(db, QStringLiteral("MV-4410C"));
        const int test = PrinterTypeTable(db.location()).findPrinterType(name).pritTest();
        if (sameTest)
            db.probe(QStringLiteral("create trigger noupdate before update on PrinterType "
                                    "begin select raise(abort, 'not asked'); end"));
        d.flow.enterDesigner(QStringLiteral("MV-4410C"));
        d.page->setTestValue(sameTest ? test : test + 3);
        d.saveAs(name);
        QCOMPARE(d.messages, QStringList { QStringLiteral("1:Save Successful") });
        QVERIFY(storedDesign(db, name) == original);
        QVERIFY(storedDesign(db, QStringLiteral("MV-4410C")) == original);
        QCOMPARE(PrinterTypeTable(db.location()).findPrinterType(name).pritTest(),
            sameTest ? test : test + 3);
        QCOMPARE(d.page->titleLabel()->text(), name);
        QVERIFY(d.page->savedPritId() > 0);
    }

    void failedSaveKeepsTheDesign()
    {
        DbFixture db;
        Designer d(db);
        d.flow.enterDesigner(QStringLiteral("RK-5200"));
        const PrinterDesign before = storedDesign(db, QStringLiteral("RK-5200"));
        d.page->addPageButton()->click();
        db.probe(QStringLiteral("create trigger poison before insert on Re_Prit_Ctrt_Ctnt "
                                "begin select raise(abort, 'refused'); end"));
        d.saveAs(QStringLiteral("RK-5200"));
        // The database's own words reach the error box.
        QCOMPARE(d.messages.size(), 1);
        QVERIFY2(d.messages.first().startsWith(QLatin1String("failure box: "))
                && d.messages.first().contains(QLatin1String("refused")),
            qPrintable(d.messages.first()));
        QVERIFY(storedDesign(db, QStringLiteral("RK-5200")) == before);
        // The designer still holds the unsaved design.
        QCOMPARE(d.page->pageList()->count(), before.sections.last().page + 2);
    }

    void deleteTypes_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("gone");
        QTest::newRow("confirmed")
            << int(QDialog::Accepted)
            << QStringList { "3:Are you sure you want to delete 2printer mode?",
                   "1:Delete successfully" }
            << true;
        QTest::newRow("cancelled") << int(QDialog::Rejected)
                                   << QStringList { "3:Are you sure you want to delete 2printer mode?" }
                                   << false;
    }

    void deleteTypes()
    {
        QFETCH(int, answer);
        QFETCH(QStringList, messages);
        QFETCH(bool, gone);
        DbFixture db;
        Designer d(db);
        d.answer = answer;
        d.flow.enterDesigner(QStringLiteral("RK-5200"));
        onModal([](QWidget *modal) {
            auto *dialog = qobject_cast<DeleteMulDialogs *>(modal);
            QVERIFY(dialog);
            const QStringList names = { QStringLiteral("RK-5200"), QStringLiteral("MV-4410C") };
            for (int row = 0; row < dialog->table()->rowCount(); ++row)
                dialog->setChecked(row, names.contains(dialog->table()->item(row, 0)->text()));
            QTest::mouseClick(dialog->deleteButton(), Qt::LeftButton);
            dialog->reject();
        });
        QTest::mouseClick(d.page->deleteButton(), Qt::LeftButton);
        QCOMPARE(d.messages, messages);
        PrinterTypeTable types(db.location());
        QCOMPARE(types.findPrinterType(QStringLiteral("RK-5200")).pritId() == 0, gone);
        QCOMPARE(types.findPrinterType(QStringLiteral("MV-4410C")).pritId() == 0, gone);
        QCOMPARE(d.page->titleLabel()->text(), gone ? QStringLiteral("Welcome") : QStringLiteral("RK-5200"));
        QCOMPARE(d.page->saveButton()->isEnabled(), !gone);
        // The dialog lists what is left.
        QCOMPARE(d.page->deleteDialog()->table()->rowCount(), types.allPrinterTypes().size());
    }

    void changesNeedTheLogin()
    {
        DbFixture db;
        Designer d(db, false);
        d.flow.enterDesigner(QStringLiteral("RK-5200"));
        QTest::mouseClick(d.page->saveButton(), Qt::LeftButton);
        QTest::mouseClick(d.page->deleteButton(), Qt::LeftButton);
        d.flow.deletePrinterTypes({ QStringLiteral("RK-5200") });
        QCOMPARE(d.messages.size(), 3);
        for (const QString &m : d.messages)
            QVERIFY2(m.startsWith(QLatin1String("2:")), qPrintable(m));
        QVERIFY(PrinterTypeTable(db.location()).findPrinterType(QStringLiteral("RK-5200")).pritId() > 0);
    }
};

QTEST_MAIN(tst_SettingsWidget)
#include "tst_settingswidget.moc"
