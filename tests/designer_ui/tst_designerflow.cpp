#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>

#include "dbfixture.h"
#include "designer_ui/aboutwidget.h"
#include "designer_ui/dbmanagewidget.h"
#include "designer_ui/designerflow.h"

namespace {
// Presses a button of the admin dialog as soon as it runs.
void answerAdminDialog(bool login)
{
    QTimer::singleShot(0, [login] {
        auto *dialog = qobject_cast<AboutWidget *>(QApplication::activeModalWidget());
        if (!dialog)
            qFatal("the admin dialog is not running");
        QTest::mouseClick(login ? dialog->loginButton() : dialog->closeButton(), Qt::LeftButton);
    });
}
} // namespace

class TestDesignerFlow : public QObject
{
    Q_OBJECT

private slots:
    // Only "Login as Admin." leads to the contents page, made once and kept.
    void adminDialogLeadsToTheContents_data()
    {
        QTest::addColumn<QList<bool>>("answers"); // true: Login as Admin., false: close button
        QTest::addColumn<QList<bool>>("shown");
        QTest::newRow("close button") << QList<bool> { false } << QList<bool> { false };
        QTest::newRow("login") << QList<bool> { true } << QList<bool> { true };
        QTest::newRow("closed after a login")
            << QList<bool> { true, false } << QList<bool> { true, false };
        QTest::newRow("login twice") << QList<bool> { true, true } << QList<bool> { true, true };
    }

    void adminDialogLeadsToTheContents()
    {
        QFETCH(QList<bool>, answers);
        QFETCH(QList<bool>, shown);
        DbFixture db;
        QWidget window;
        auto *stack = new QStackedWidget(&window);
        stack->addWidget(new QWidget);
        DesignerFlow flow(db.location(), stack, &window);
        DBManageWidget *first = nullptr;
        for (int i = 0; i < answers.size(); ++i) {
            answerAdminDialog(answers.at(i));
            DBManageWidget *page = flow.enterContents();
            QCOMPARE(page != nullptr, shown.at(i));
            if (!page)
                continue;
            if (!first)
                first = page;
            QCOMPARE(page, first);
            QCOMPARE(stack->indexOf(page), 1);
            QVERIFY(!flow.isLoggedIn());
        }
        QCOMPARE(stack->count(), first ? 2 : 1);
    }
};

QTEST_MAIN(TestDesignerFlow)
#include "tst_designerflow.moc"
