#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "app/tipwidget.h"

class tst_TipWidget : public QObject
{
    Q_OBJECT

private slots:
    void types_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("icon");
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("cancelShown");
        QTest::addColumn<bool>("confirmShown");
        QTest::newRow("0 error") << 0 << "msg_error" << "Tips" << false << true;
        QTest::newRow("1 success") << 1 << "msg_success" << "Tips" << false << true;
        QTest::newRow("2 warning") << 2 << "msg_error" << "Warning" << false << true;
        QTest::newRow("3 question") << 3 << "msg_question" << "Tips" << true << true;
        QTest::newRow("4 question, no confirm") << 4 << "msg_question" << "Tips" << true << false;
        QTest::newRow("5 info") << 5 << "msg_success" << "Tips" << false << true;
    }

    void types()
    {
        QFETCH(int, type);
        QFETCH(QString, icon);
        QFETCH(QString, title);
        QFETCH(bool, cancelShown);
        QFETCH(bool, confirmShown);
        TipWidget tip;
        // A type-4 box before must not leave the next box without its Confirm button.
        tip.setMessage(QStringLiteral("before"), 4);
        tip.setMessage(QStringLiteral("text"), type);
        QCOMPARE(tip.message(), QStringLiteral("text"));
        QCOMPARE(tip.iconStyle(), QStringLiteral("border-image: url(:/images/%1.png);").arg(icon));
        QCOMPARE(tip.title(), title);
        QCOMPARE(tip.cancelButton()->isHidden(), !cancelShown);
        QCOMPARE(tip.confirmButton()->isHidden(), !confirmShown);
    }

    void unknownTypeChangesOnlyTheText()
    {
        TipWidget tip;
        tip.setMessage(QStringLiteral("question"), 3);
        tip.setMessage(QStringLiteral("other"), 9);
        QCOMPARE(tip.message(), QStringLiteral("other"));
        QCOMPARE(tip.title(), QStringLiteral("Tips"));
        QVERIFY(!tip.cancelButton()->isHidden());
        QVERIFY(tip.iconStyle().contains(QLatin1String("msg_question")));
    }

    void results_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("result");
        QTest::newRow("confirm") << "confirm" << 1;
        QTest::newRow("cancel") << "cancel" << 0;
        QTest::newRow("close") << "close" << 0;
    }

    void results()
    {
        QFETCH(QString, button);
        QFETCH(int, result);
        TipWidget tip;
        tip.setMessage(QStringLiteral("Save?"), 3);
        QPushButton *b = button == QLatin1String("confirm") ? tip.confirmButton()
            : button == QLatin1String("cancel")             ? tip.cancelButton()
                                                            : tip.closeButton();
        QTimer::singleShot(0, b, [b] { QTest::mouseClick(b, Qt::LeftButton); });
        QCOMPARE(tip.exec(), result);
        QVERIFY(!tip.isVisible());
    }

    void fixedSizeAndFrameless()
    {
        TipWidget tip;
        QCOMPARE(tip.size(), QSize(300, 150));
        QVERIFY(tip.windowFlags() & Qt::FramelessWindowHint);
    }
};

QTEST_MAIN(tst_TipWidget)
#include "tst_tipwidget.moc"
