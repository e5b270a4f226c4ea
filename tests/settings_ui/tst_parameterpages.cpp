#include <QGridLayout>
#include <QLabel>
#include <QtTest>

#include "engine/parameterlist.h"
#include "settings_ui/adoptioncombobox.h"
#include "settings_ui/parameterpages.h"

namespace {
const QByteArray kList = R"J({
 "System Setup": {
  "speed": {"tip": "Print speed", "list": "[Low+0,Normal+1,High+2]", "val": "Normal+1", "def": "Low+0"},
  "odd": {"tip": "Odd value", "list": "[A+0,B+1]", "val": "C+7"},
  "none": {"tip": "No options", "list": "[Auto]", "val": "Auto+3"}
 },
 "纸张设置": {
  "margin": {"tip": "A caption far too long to fit into the usual caption width of a row", "list": "(start:20,end:0,step:5)", "val": "5+5"}
 }
})J";

QString cellText(QWidget *page, int row, int column)
{
    auto *grid = page->findChild<QGridLayout *>(QStringLiteral("Layout0"));
    QLayoutItem *item = grid ? grid->itemAtPosition(row, column) : nullptr;
    auto *label = item ? qobject_cast<QLabel *>(item->widget()) : nullptr;
    return label ? label->text() : QStringLiteral("(none)");
}
} // namespace

class tst_ParameterPages : public QObject
{
    Q_OBJECT

private slots:
    void buildsRowsFromTheList()
    {
        ParameterList list;
        QCOMPARE(list.build(kList), ParameterList::Status::Ok);
        ParameterPages pages;
        pages.build(list);
        QCOMPARE(pages.pages().size(), 2);
        QCOMPARE(pages.titles(), QStringList({ "System Setup", "Paper Setup" }));
        QWidget *system = pages.pages().at(0);
        QCOMPARE(cellText(system, 0, 2), QStringLiteral("Defaults"));
        QCOMPARE(cellText(system, 1, 0), QStringLiteral("Print speed"));
        QCOMPARE(cellText(system, 1, 2), QStringLiteral("Low"));
        QCOMPARE(cellText(pages.pages().at(1), 0, 2), QStringLiteral("(none)"));
        // A caption too long for the usual width makes the page's caption column wider.
        QCOMPARE(cellText(pages.pages().at(1), 1, 0).left(9), QStringLiteral("A caption"));
        auto *grid = pages.pages().at(1)->findChild<QGridLayout *>(QStringLiteral("Layout0"));
        QCOMPARE(grid->itemAtPosition(0, 0)->widget()->width(), ParameterPages::kLargeLabelWidth);
        QCOMPARE(grid->itemAtPosition(0, 0)->widget()->width(), grid->itemAtPosition(1, 0)->widget()->width());

        QCOMPARE(pages.comboAt(0, 0)->currentText(), QStringLiteral("Normal"));
        // A value that is no option selects none and shows as the printer gave it.
        QCOMPARE(pages.comboAt(0, 1)->currentIndex(), -1);
        QCOMPARE(pages.comboAt(0, 1)->placeholderText(), QStringLiteral("C"));
        QVERIFY(!pages.comboAt(0, 2)->isEnabled());
        QCOMPARE(pages.comboAt(1, 0)->count(), 5); // 20 down to 0
        QVERIFY(!pages.hasUnsavedChanges());
    }

    void changesAreMarkedAndCollected_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("parameter");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("enumeration") << 0 << 0 << "High" << QByteArray("\"speed\":{\"val\":\"High+2\"}");
        QTest::newRow("counted-down range") << 1 << 0 << "15" << QByteArray("\"margin\":{\"val\":\"15+15\"}");
        QTest::newRow("value that was no option") << 0 << 1 << "B" << QByteArray("\"odd\":{\"val\":\"B+1\"}");
    }

    // What the pages show is what a save writes; untouched values keep what the printer gave.
    void changesAreMarkedAndCollected()
    {
        QFETCH(int, page);
        QFETCH(int, parameter);
        QFETCH(QString, choice);
        QFETCH(QByteArray, written);
        ParameterList list;
        QCOMPARE(list.build(kList), ParameterList::Status::Ok);
        ParameterPages pages;
        pages.build(list);
        AdOptionCombobox *box = pages.comboAt(page, parameter);
        box->setCurrentIndex(box->findText(choice));
        QVERIFY(box->state().isChanged());
        QVERIFY(pages.hasUnsavedChanges());

        pages.collect(list);
        const QByteArray text = list.writeText();
        QVERIFY2(text.contains(written), text.constData());
        if (parameter != 1)
            QVERIFY2(text.contains("\"odd\":{\"val\":\"C+7\"}"), text.constData());
        QVERIFY2(text.contains("\"none\":{\"val\":\"Auto+3\"}"), text.constData());

        if (parameter != 1) {
            // Back to the value read: no change any more.
            box->setCurrentIndex(list.pages().at(page).parameters.at(parameter).lastRead);
            QVERIFY(!pages.hasUnsavedChanges());
        }
    }

    // Values of a file show against the values read: those that differ are changes.
    void importedValuesShowAsChanges()
    {
        ParameterList list;
        QCOMPARE(list.build(kList), ParameterList::Status::Ok);
        ParameterPages pages;
        pages.build(list);
        ParameterList file = list;
        QCOMPARE(file.load(R"({"System Setup":{"speed":{"val":"Normal+1"},"odd":{"val":"A+0"}}})", true),
            ParameterList::Status::Ok);
        pages.showValues(file, false);
        QVERIFY(!pages.comboAt(0, 0)->state().isChanged());
        QCOMPARE(pages.comboAt(0, 1)->currentText(), QStringLiteral("A"));
        QVERIFY(pages.comboAt(0, 1)->state().isChanged());
        pages.showValues(file, true);
        QVERIFY(!pages.hasUnsavedChanges());
    }
};

QTEST_MAIN(tst_ParameterPages)
#include "tst_parameterpages.moc"
