#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "maintenance_core/testpagetypes.h"
#include "maintenance_ui/testpagesetting.h"

// The test page setup dialog: what each way out leaves in the number it was pointed at.
class tst_TestPageSetting : public QObject
{
    Q_OBJECT

private slots:
    void leavingTheDialog_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("button"); // "confirm", "cancel" or "close"
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("confirmSignals");

        // The number before is 2 ("MV900") in every row.
        QTest::newRow("QR70 confirmed") << "QR70" << "confirm" << 5 << 1;
        QTest::newRow("NONE confirmed") << "NONE" << "confirm" << 0 << 1;
        QTest::newRow("last name confirmed") << "VERTANA_12" << "confirm" << 14 << 1;
        QTest::newRow("QR70 cancelled") << "QR70" << "cancel" << 2 << 0;
        QTest::newRow("QR70 closed") << "QR70" << "close" << 2 << 0;
    }

    void leavingTheDialog()
    {
        QFETCH(QString, choice);
        QFETCH(QString, button);
        QFETCH(int, stored);
        QFETCH(int, confirmSignals);

        int number = 2;
        TestPageSetting dialog;
        dialog.setCurrentType(number);
        dialog.setTarget(&number);
        QCOMPARE(dialog.typeList()->currentText(), QStringLiteral("MV900"));
        QSignalSpy confirmed(&dialog, &TestPageSetting::comfirmSettings);

        QPushButton *press = button == QLatin1String("confirm") ? dialog.confirmButton()
            : button == QLatin1String("cancel")                 ? dialog.cancelButton()
                                                                : dialog.closeButton();
        QTimer::singleShot(0, &dialog, [&] {
            dialog.typeList()->setCurrentText(choice);
            QTest::mouseClick(press, Qt::LeftButton);
        });
        const int result = dialog.exec();

        QCOMPARE(number, stored);
        QCOMPARE(confirmed.count(), confirmSignals);
        QCOMPARE(result, confirmSignals ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
    }

    void namesByNumber_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("name");
        QTest::newRow("0") << 0 << "NONE";
        QTest::newRow("5") << 5 << "QR70";
        QTest::newRow("13") << 13 << "QR70_0301";
        QTest::newRow("14") << 14 << "VERTANA_12";
        QTest::newRow("past the list") << 15 << "";
        QTest::newRow("negative") << -1 << "";
    }

    void namesByNumber()
    {
        QFETCH(int, number);
        QFETCH(QString, name);
        TestPageSetting dialog;
        QCOMPARE(dialog.typeList()->count(), 15);
        QCOMPARE(dialog.nameAt(number), name);
        QCOMPARE(testpagetypes::nameOf(number), name);
        if (!name.isEmpty())
            QCOMPARE(testpagetypes::numberOf(name), number);
    }

    void withoutTargetConfirmWritesNowhere()
    {
        TestPageSetting dialog;
        dialog.setCurrentType(99);
        QCOMPARE(dialog.currentType(), 0);
        QSignalSpy confirmed(&dialog, &TestPageSetting::comfirmSettings);
        QTimer::singleShot(0, &dialog, [&] { dialog.confirmButton()->click(); });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QCOMPARE(confirmed.count(), 1);
    }
};

QTEST_MAIN(tst_TestPageSetting)
#include "tst_testpagesetting.moc"
