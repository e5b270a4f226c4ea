#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "connect_ui/connectpanel.h"

// The seven-second lock-out after a disconnect, driven tick by tick.
class tst_ConnectPanel : public QObject
{
    Q_OBJECT

    static void tick(ConnectPanel &panel) { QVERIFY(QMetaObject::invokeMethod(&panel, "onLockoutTick")); }

private slots:
    void lockoutCountsDownAndReleases()
    {
        ConnectPanel panel;
        panel.setConnected(true);
        QSignalSpy disconnected(&panel, &ConnectPanel::disconnectPrinter);
        QTest::mouseClick(panel.disconnectButton(), Qt::LeftButton);
        QCOMPARE(disconnected.count(), 1);
        panel.setConnected(false);
        QVERIFY(panel.lockoutTimer()->isActive());
        QCOMPARE(panel.lockoutTimer()->interval(), 1000);
        QCOMPARE(panel.connectButton()->text(), QStringLiteral("Connect [6]"));
        QVERIFY(!panel.connectButton()->isEnabled());
        for (int n = 5; n >= 0; --n) {
            tick(panel);
            QCOMPARE(panel.connectButton()->text(), QStringLiteral("Connect [%1]").arg(n));
            QVERIFY(!panel.connectButton()->isEnabled());
        }
        // The seventh second releases the button.
        tick(panel);
        QCOMPARE(panel.connectButton()->text(), QStringLiteral("Connect"));
        QVERIFY(panel.connectButton()->isEnabled());
        QVERIFY(!panel.lockoutTimer()->isActive());

        // A second disconnect starts again from 6.
        panel.setConnected(true);
        QTest::mouseClick(panel.disconnectButton(), Qt::LeftButton);
        QCOMPARE(panel.connectButton()->text(), QStringLiteral("Connect [6]"));
    }

    void buttonsFollowTheConnection()
    {
        ConnectPanel panel;
        QSignalSpy connect(&panel, &ConnectPanel::connectPrinter);
        QSignalSpy restart(&panel, &ConnectPanel::restarting);
        QVERIFY(panel.connectButton()->isEnabled());
        QVERIFY(!panel.disconnectButton()->isEnabled());
        QTest::mouseClick(panel.connectButton(), Qt::LeftButton);
        QTest::mouseClick(panel.restartButton(), Qt::LeftButton);
        QCOMPARE(connect.count(), 1);
        QCOMPARE(restart.count(), 1);
        panel.setConnected(true);
        QVERIFY(!panel.connectButton()->isEnabled());
        QVERIFY(panel.disconnectButton()->isEnabled());
    }
};

QTEST_MAIN(tst_ConnectPanel)
#include "tst_connectpanel.moc"
