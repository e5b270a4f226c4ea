#include <functional>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "app/tipwidget.h"
#include "dbfixture.h"
#include "designer_ui/adminoptionssetting.h"
#include "designer_ui/dbmanagewidget.h"
#include "messagewatch.h"

// What the user does on the editor before the confirm or delete that the database refuses.
using PageStep = std::function<void(AdminOptionsSetting *)>;
Q_DECLARE_METATYPE(PageStep)

namespace {
template<typename W> W *child(QObject *parent, const char *name)
{
    W *w = parent->findChild<W *>(QLatin1String(name));
    if (!w)
        qFatal("no child %s", name);
    return w;
}

void click(QObject *parent, const char *name)
{
    QAbstractButton *button = child<QAbstractButton>(parent, name);
    QVERIFY2(button->isEnabled(), name);
    // Near the left edge, where a radio button's mark and text are.
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

void login(DBManageWidget &page, const QString &user, const QString &password)
{
    child<QLineEdit>(&page, "loginUser")->setText(user);
    child<QLineEdit>(&page, "loginPassword")->setText(password);
    QTest::mouseClick(child<QPushButton>(&page, "loginButton"), Qt::LeftButton);
}

void type(QObject *parent, const char *name, const QString &text)
{
    QLineEdit *edit = child<QLineEdit>(parent, name);
    // As typed (insert edits like a keyboard does), also for texts no key sequence gives.
    edit->clear();
    edit->insert(text);
}
} // namespace

class TestDBManageWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("RKMENU_DISMISS_MESSAGES_MS", "0"); }

    // The README's account opens the editors; nothing else does, and a later failure locks them.
    void loginGuardsTheEditors_data()
    {
        QTest::addColumn<QStringList>("attempts"); // user, password pairs in order
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("failures");
        QTest::newRow("the designer account")
            << QStringList { "designer", "Setwright@2016" } << true << 0;
        QTest::newRow("wrong password")
            << QStringList { "designer", "setwright@2016" } << false << 1;
        QTest::newRow("unknown user") << QStringList { "Designer", "Setwright@2016" } << false << 1;
        QTest::newRow("nothing typed") << QStringList { "", "" } << false << 1;
        QTest::newRow("a failed login after a good one")
            << QStringList { "designer", "Setwright@2016", "designer", "x" } << false << 1;
        QTest::newRow("a good login after a failed one")
            << QStringList { "designer", "x", "designer", "Setwright@2016" } << true << 1;
    }

    void loginGuardsTheEditors()
    {
        QFETCH(QStringList, attempts);
        QFETCH(bool, enabled);
        QFETCH(int, failures);
        DbFixture db;
        const QString before = db.dump(QStringLiteral("ContentType"));
        DBManageWidget page(db.location());
        MessageWatch messages(page.tip());
        page.show();
        AdminOptionsSetting *editor = page.optionsSetting();
        QVERIFY(!editor->isEnabled());
        for (int i = 0; i + 1 < attempts.size(); i += 2)
            login(page, attempts.at(i), attempts.at(i + 1));

        QCOMPARE(page.isLoggedIn(), enabled);
        QCOMPARE(editor->isEnabled(), enabled);
        QCOMPARE(messages.texts.size(), failures);
        for (const QString &text : qAsConst(messages.texts))
            QCOMPARE(text, QStringLiteral("Login failed: wrong user name or password."));
        // The password never stays in its box.
        QVERIFY(child<QLineEdit>(&page, "loginPassword")->text().isEmpty());
        // A locked editor takes no click: Delete stays out of reach.
        QRadioButton *edit = child<QRadioButton>(editor, "contentEditMode");
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(8, edit->height() / 2));
        QCOMPARE(child<QPushButton>(editor, "contentDelete")->isEnabled(), enabled);
        QCOMPARE(db.dump(QStringLiteral("ContentType")), before);
    }

    // The user types the Chinese text, switches to English, types that, and each language's
    // text comes back when the language does.
    void pendingTextsFollowTheLanguage()
    {
        DbFixture db;
        DBManageWidget page(db.location());
        MessageWatch messages(page.optionsSetting()->tip());
        page.show();
        login(page, QStringLiteral("designer"), QStringLiteral("Setwright@2016"));
        AdminOptionsSetting *editor = page.optionsSetting();
        QComboBox *language = child<QComboBox>(editor, "contentLanguage");
        QLineEdit *box = child<QLineEdit>(editor, "newContent");
        click(editor, "contentNewMode");
        QVERIFY(box->isEnabled());
        QVERIFY(!child<QComboBox>(editor, "oldContent")->isEnabled());

        type(editor, "newContent", QStringLiteral("测试文字"));
        language->setCurrentIndex(1);
        QVERIFY(box->text().isEmpty());
        QCOMPARE(child<QLabel>(editor, "languageLabel")->text(), QStringLiteral("English"));
        type(editor, "newContent", QStringLiteral("Test text"));
        language->setCurrentIndex(0);
        QCOMPARE(box->text(), QStringLiteral("测试文字"));
        language->setCurrentIndex(1);
        QCOMPARE(box->text(), QStringLiteral("Test text"));

        click(editor, "contentConfirm");
        QCOMPARE(messages.texts, QStringList { QStringLiteral("Create content success.") });
        QCOMPARE(
            db.count(QStringLiteral("select count(*) from ContentType where "
                                    "ctnt_chinese = '测试文字' and ctnt_english = 'Test text'")),
            1);
        QVERIFY(box->text().isEmpty());
        QVERIFY(child<QComboBox>(editor, "oldContent")->findText(QStringLiteral("Test text")) >= 0);
        language->setCurrentIndex(0);
        QVERIFY(box->text().isEmpty());
    }

    // A read-only database refuses each change with the database error box and keeps every row.
    void readOnlyDatabaseRefuses_data()
    {
        QTest::addColumn<PageStep>("step");
        QTest::newRow("rename content") << PageStep([](AdminOptionsSetting *e) {
            click(e, "contentEditMode");
            type(e, "contentEdit", QStringLiteral("Renamed"));
            click(e, "contentConfirm");
        });
        QTest::newRow("delete content") << PageStep([](AdminOptionsSetting *e) {
            click(e, "contentEditMode");
            click(e, "contentDelete");
        });
        QTest::newRow("new content") << PageStep([](AdminOptionsSetting *e) {
            click(e, "contentNewMode");
            type(e, "newContent", QStringLiteral("测试文字"));
            child<QComboBox>(e, "contentLanguage")->setCurrentIndex(1);
            type(e, "newContent", QStringLiteral("Test text"));
            click(e, "contentConfirm");
        });
        QTest::newRow("rename formula") << PageStep([](AdminOptionsSetting *e) {
            click(e, "formulaEditMode");
            type(e, "formulaEdit", QStringLiteral("x*7+1"));
            click(e, "formulaConfirm");
        });
        QTest::newRow("delete formula") << PageStep([](AdminOptionsSetting *e) {
            click(e, "formulaEditMode");
            click(e, "formulaDelete");
        });
        QTest::newRow("new formula") << PageStep([](AdminOptionsSetting *e) {
            click(e, "formulaNewMode");
            type(e, "newFormula", QStringLiteral("x*7+1"));
            click(e, "formulaConfirm");
        });
    }

    void readOnlyDatabaseRefuses()
    {
        QFETCH(PageStep, step);
        DbFixture db;
        const QString contents = db.dump(QStringLiteral("ContentType"));
        const QString formulas = db.dump(QStringLiteral("FormulaType"));
        DBManageWidget page(db.location());
        page.show();
        login(page, QStringLiteral("designer"), QStringLiteral("Setwright@2016"));
        AdminOptionsSetting *editor = page.optionsSetting();
        MessageWatch messages(editor->tip());
        QStringList boxes;
        editor->setFailureBox([&boxes](const QString &error) { boxes << error; });
        const QStringList shownContents = [editor] {
            QStringList items;
            QComboBox *combo = child<QComboBox>(editor, "oldContent");
            for (int i = 0; i < combo->count(); ++i)
                items << combo->itemText(i);
            return items;
        }();
        db.makeReadOnly();

        step(editor);
        QCOMPARE(boxes.size(), 1);
        QVERIFY2(boxes.first().contains(QLatin1String("readonly")), qPrintable(boxes.first()));
        QVERIFY2(messages.texts.isEmpty(), qPrintable(messages.texts.join(QLatin1Char('|'))));
        QCOMPARE(db.dump(QStringLiteral("ContentType")), contents);
        QCOMPARE(db.dump(QStringLiteral("FormulaType")), formulas);
        QComboBox *combo = child<QComboBox>(editor, "oldContent");
        QCOMPARE(combo->count(), shownContents.size());
    }
};

QTEST_MAIN(TestDBManageWidget)
#include "tst_dbmanagewidget.moc"
