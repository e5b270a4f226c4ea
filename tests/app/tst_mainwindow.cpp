#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QStackedWidget>
#include <QToolButton>
#include <QtTest>

#include "testconfig.h"

#include "core/configfile.h"
#include "core/dialogplacement.h"
#include "app/mainwindow.h"
#include "app/optionbar.h"
#include "app/tipwidget.h"
#include "app/windowhandler.h"
#include "connect_ui/connectconfig.h"
#include "connect_ui/connectpanel.h"
#include "engine/datadispatcher.h"

// Every test starts from a configuration holding only what the test writes.
class tst_MainWindow : public QObject
{
    Q_OBJECT


private slots:
    void initTestCase() { qputenv("RKMENU_DISMISS_MESSAGES_MS", "0"); }

    void optionBarByMode_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("locked");
        QTest::newRow("mode 3") << "3" << true;
        QTest::newRow("mode -1 reads as 3") << "-1" << true;
        QTest::newRow("mode 0") << "0" << false;
        QTest::newRow("mode 1") << "1" << false;
    }

    void optionBarByMode()
    {
        QFETCH(QString, mode);
        QFETCH(bool, locked);
        resetTestConfig({{QStringLiteral("Mode/mode"), mode}});
        MainWindow window;
        OptionBar *bar = window.optionBar();
        QCOMPARE(bar->testButton()->isEnabled(), !locked);
        QCOMPARE(bar->upgradeButton()->isEnabled(), !locked);
        QVERIFY(bar->settingsButton()->isEnabled());

        // Near misses of the chord never unlock.
        QTest::keyClick(&window, Qt::Key_J, Qt::ControlModifier);
        QTest::keyClick(&window, Qt::Key_J, Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier);
        QTest::keyClick(&window, Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(bar->testButton()->isEnabled(), !locked);

        QTest::keyClick(&window, Qt::Key_J, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(bar->testButton()->isEnabled());
        QVERIFY(bar->upgradeButton()->isEnabled());
    }

    // After a disconnect the user may pick another port, in the locked mode too.
    void disconnectLeavesThePortTypeChoosable_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("mode 3") << "3";
        QTest::newRow("mode 0") << "0";
    }

    void disconnectLeavesThePortTypeChoosable()
    {
        QFETCH(QString, mode);
        resetTestConfig({{QStringLiteral("Mode/mode"), mode}});
        MainWindow window;
        emit window.connectPanel()->disconnectPrinter();
        QVERIFY(window.connectConfig()->portTypeBox()->isEnabled());
    }

    void missingModeKeyIsModeZero()
    {
        ConfigFile config;
        QFile::remove(config.fileName());
        {
            ConfigFile fresh;
            fresh.writeValue(QStringLiteral("Version"), QStringLiteral("ver"), QStringLiteral("1.0.30"));
        }
        MainWindow window;
        QCOMPARE(window.mode(), 0);
        QVERIFY(window.optionBar()->testButton()->isEnabled());
    }

    void barhide_data()
    {
        QTest::addColumn<QString>("barhide");
        QTest::addColumn<bool>("allShown");
        QTest::newRow("0 hides Edit and Setup") << "0" << false;
        QTest::newRow("1 shows them") << "1" << true;
    }

    void barhide()
    {
        QFETCH(QString, barhide);
        QFETCH(bool, allShown);
        resetTestConfig({{QStringLiteral("Option/barhide"), barhide}});
        OptionBar bar(0);
        QCOMPARE(!bar.editButton()->isHidden(), allShown);
        QCOMPARE(!bar.adminButton()->isHidden(), allShown);
        QCOMPARE(bar.settingsButton()->size(), allShown ? QSize(95, 95) : QSize(100, 100));
    }

    void navigationWhileDisconnected_data()
    {
        QTest::addColumn<QString>("button");
        QTest::newRow("Setting") << "settings";
        QTest::newRow("Test") << "test";
        QTest::newRow("Upgrade") << "upgrade";
    }

    void navigationWhileDisconnected()
    {
        QFETCH(QString, button);
        resetTestConfig({{QStringLiteral("Mode/mode"), QStringLiteral("0")}});
        MainWindow window;
        window.show();
        OptionBar *bar = window.optionBar();
        QToolButton *b = button == QLatin1String("settings") ? bar->settingsButton()
            : button == QLatin1String("test")                ? bar->testButton()
                                                             : bar->upgradeButton();
        QSignalSpy exchanges(window.dispatcher(), &DataDispatcher::dispatchCompleted);
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(window.tip()->message(), QStringLiteral("Please Connect To A Printer."));
        QTest::qWait(50);
        QCOMPARE(exchanges.count(), 0); // no printer operation ran
        QCOMPARE(window.stack()->currentWidget(), window.homePage());
        QVERIFY(window.titleBar()->atHome());
        QVERIFY(!window.settingsShowing());
    }

    void aboutAndBackToHome()
    {
        resetTestConfig({});
        MainWindow window;
        window.show();
        QTest::mouseClick(window.optionBar()->aboutButton(), Qt::LeftButton);
        QVERIFY(window.stack()->currentWidget() != window.homePage());
        QVERIFY(!window.titleBar()->atHome());
        QVERIFY(!window.titleBar()->backButton()->isHidden());
        QTest::mouseClick(window.titleBar()->backButton(), Qt::LeftButton);
        QCOMPARE(window.stack()->currentWidget(), window.homePage());
        QVERIFY(window.titleBar()->atHome());
        QVERIFY(window.titleBar()->backButton()->isHidden());
        QVERIFY(window.titleBar()->maximizeButton()->isHidden());
    }

    void titleBarSignalsInOrderOfUse()
    {
        resetTestConfig({});
        MainWindow window;
        window.show();
        WindowHandler *bar = window.titleBar();
        QSignalSpy max(bar, &WindowHandler::doubleClickMax);
        // Double-click at home does nothing.
        QTest::mouseDClick(bar, Qt::LeftButton, {}, QPoint(200, 10));
        QCOMPARE(max.count(), 0);
        QTest::mouseClick(window.optionBar()->aboutButton(), Qt::LeftButton);
        window.showNormal();
        QTest::mouseDClick(bar, Qt::LeftButton, {}, QPoint(200, 10));
        QCOMPARE(max.count(), 1);
    }

    void placement_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QSize>("dialog");
        QTest::addColumn<QPoint>("offset");
        QTest::addColumn<QPoint>("expected");
        const QRect work(0, 0, 1920, 1040);
        QTest::newRow("filling: message centred") << work << work << QSize(300, 150)
                                                  << placement::kMessageOffset << QPoint(810, 445);
        QTest::newRow("filling: busy centred") << work << work << QSize(75, 75)
                                               << placement::kBusyOffset << QPoint(922, 482);
        const QRect shifted(64, 27, 1856, 1053);
        QTest::newRow("filling a shifted work area") << shifted << shifted << QSize(300, 150)
                                                     << placement::kMessageOffset << QPoint(842, 478);
        const QRect normal(100, 50, 1024, 720);
        QTest::newRow("normal: message") << normal << work << QSize(300, 150)
                                         << placement::kMessageOffset << QPoint(471, 290);
        QTest::newRow("normal: port setting box") << normal << work << QSize(300, 150)
                                                  << placement::kPortSettingOffset << QPoint(462, 290);
        QTest::newRow("normal: busy") << normal << work << QSize(75, 75) << placement::kBusyOffset
                                      << QPoint(580, 370);
    }

    void placement()
    {
        QFETCH(QRect, window);
        QFETCH(QRect, available);
        QFETCH(QSize, dialog);
        QFETCH(QPoint, offset);
        QFETCH(QPoint, expected);
        QCOMPARE(placement::dialogPosition(window, available, dialog, offset), expected);
    }

    void sidePanelsSlide()
    {
        resetTestConfig({});
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget *stack = window.stack();
        auto inWindow = [&] { return QRect(stack->mapTo(&window, QPoint(0, 0)), stack->size()); };
        QCOMPARE(inWindow(), QRect(0, 30, 1024, 690));
        emit window.showPrinterInfo();
        QTRY_COMPARE(inWindow(), QRect(300, 30, 724, 690));
        // The other panel does not open over an open one.
        emit window.showConnectConfig();
        QTest::qWait(400);
        QCOMPARE(inWindow(), QRect(300, 30, 724, 690));
        emit window.resetMainWidget();
        QTRY_COMPARE(inWindow(), QRect(0, 30, 1024, 690));
        QTest::mouseClick(window.connectPanel()->configButton(), Qt::LeftButton);
        QTRY_COMPARE(inWindow(), QRect(0, 30, 720, 690));
        QVERIFY(window.connectConfig()->isVisible());
        emit window.resetMainWidget();
        QTRY_COMPARE(inWindow(), QRect(0, 30, 1024, 690));
    }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
