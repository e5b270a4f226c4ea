#include <QComboBox>
#include <QCryptographicHash>
#include <QFile>
#include <QMessageBox>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "databaseboxwatch.h"
#include "app/databaseerrorbox.h"
#include "app/mainwindow.h"
#include "app/optionbar.h"
#include "app/waittingdlg.h"
#include "connect_ui/connectpanel.h"
#include "database/printertypetable.h"
#include "designer_ui/dbmanagewidget.h"
#include "brokendatabase.h"
#include "designerharness.h"
#include "messagewatch.h"
#include "simprocess.h"
#include "testconfig.h"

namespace {
constexpr int kLoginDialogMs = 1000;

QByteArray fileHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

} // namespace

// The main window on a settings database it cannot use as it is: damaged, incomplete, read-only
// or held by another program. The window says so at the first use, never crashes, and its
// designer writes nothing half.
class tst_DatabaseFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("RKMENU_DISMISS_MESSAGES_MS", "0"); }

    void firstUse_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("readable"); // the printer pages and the designer open
        QTest::addColumn<QString>("reason"); // in the box of an unusable file
        for (const QString &kind : brokendatabase::kinds())
            QTest::newRow(qPrintable(kind)) << kind << false << QString();
        QTest::newRow("read-only") << QStringLiteral("read-only") << true << QString();
        QTest::newRow("write-locked") << QStringLiteral("write-locked") << true << QString();
        QTest::newRow("locked") << QStringLiteral("locked") << false
                                << QStringLiteral("The file is in use by another program.");
    }

    // Connect, the Edit page and the designer's save on each kind of file.
    void firstUse()
    {
        QFETCH(QString, kind);
        QFETCH(bool, readable);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString database = dir.filePath(QStringLiteral("SWTDatabase.db"));
        QVERIFY(brokendatabase::make(kind, database));
        brokendatabase::Lock lock(kind, database);
        const QByteArray before = fileHash(database);

        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0") }), qPrintable(sim.errorText()));
        resetTestConfig({ { QStringLiteral("PortSelect/porttype"), QStringLiteral("9") },
            { QStringLiteral("Mode/mode"), QStringLiteral("0") },
            { QStringLiteral("Port/type"), QStringLiteral("Wifi") },
            { QStringLiteral("Wifi/serverip"), QStringLiteral("127.0.0.1") },
            { QStringLiteral("Wifi/port"), QString::number(sim.tcpPort()) },
            { QStringLiteral("Option/barhide"), QStringLiteral("1") } });

        DatabaseBoxWatch boxes;
        MainWindow w(1, database);
        w.show();
        MessageWatch watch(w.tip());

        // Connect: the first use of the printer types.
        QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
        QCOMPARE(w.connectPanel()->isConnected(), readable);
        if (readable) {
            QVERIFY2(boxes.texts.isEmpty(), qPrintable(boxes.texts.join(QLatin1Char('|'))));
        } else {
            QCOMPARE(boxes.texts.size(), 1);
            QVERIFY2(boxes.texts.first().contains(QStringLiteral("Unable to establish a database connection.")),
                qPrintable(boxes.texts.first()));
            QVERIFY2(boxes.texts.first().contains(database), qPrintable(boxes.texts.first()));
            if (!reason.isEmpty())
                QVERIFY2(boxes.texts.first().contains(reason), qPrintable(boxes.texts.first()));
            QCOMPARE(sim.count(QStringLiteral("CONNECT")), 0);
        }
        QVERIFY2(watch.texts.isEmpty(), qPrintable(watch.texts.join(QLatin1Char('|'))));

        // Edit: the designer's contents page and its login.
        boxes.texts.clear();
        if (!readable) {
            // A window that goes on to its login dialog instead is closed, not left waiting.
            QTimer closer;
            connect(&closer, &QTimer::timeout, [] {
                if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
                    dialog->reject();
            });
            closer.start(kLoginDialogMs);
            emit w.optionBar()->showEdit();
            closer.stop();
            QCOMPARE(boxes.texts.size(), 1);
            QVERIFY(!w.designerFlow()->isLoggedIn());
            QCOMPARE(w.stack()->currentWidget(), w.homePage());
            QVERIFY(!QApplication::activeModalWidget());
            QCOMPARE(fileHash(database), before);
            return;
        }
        logInDesigner(*w.designerFlow());
        QVERIFY(boxes.texts.isEmpty());

        // The designer's save of the printer's type under a new name: refused whole.
        QTest::mouseClick(w.optionBar()->adminButton(), Qt::LeftButton);
        SettingsWidget *designer = w.designerFlow()->designerPage();
        QVERIFY(!designer->model().isEmpty());
        saveDesignAs(designer, QStringLiteral("ZN-470 KW copy"));
        QCOMPARE(boxes.texts.size(), 1);
        QVERIFY2(boxes.texts.first().startsWith(QStringLiteral("Cannot change SWTDatabase.db")),
            qPrintable(boxes.texts.first()));
        QVERIFY(!watch.texts.contains(QStringLiteral("Save Successful")));
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!w.waitDialog()->isVisible());
        lock.release();
        QCOMPARE(fileHash(database), before);
        QCOMPARE(PrinterTypeTable(DatabaseLocation(database)).findPrinterType(QStringLiteral("ZN-470 KW copy")).pritId(), 0);
    }
};

QTEST_MAIN(tst_DatabaseFaults)
#include "tst_databasefaults.moc"
