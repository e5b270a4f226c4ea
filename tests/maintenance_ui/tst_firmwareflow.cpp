#include <algorithm>

#include <QCryptographicHash>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "app/mainwindow.h"
#include "app/optionbar.h"
#include "comm/delayservice.h"
#include "connect_ui/connectpanel.h"
#include "maintenance_ui/updatefirmware.h"
#include "messagewatch.h"
#include "firmwarefile.h"
#include "simprocess.h"
#include "testconfig.h"

namespace {
const QString kDatabase = QStringLiteral(RK_BIN_DIR "/SWTDatabase.db");
const QString kComplete = QStringLiteral("Complete!\nPrinter will be restarted");
const QString kUpdateError = QStringLiteral("Firmware Update Error!");
} // namespace

// The firmware page and its download through the main window, against the simulated printer.
class tst_FirmwareFlow : public QObject
{
    Q_OBJECT

    RecordingDelayService m_delay;
    QTemporaryDir m_files;

    QString writeFile(const QString &name, const QByteArray &data)
    {
        const QString path = m_files.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(data);
        return path;
    }

    static void useTcp(quint16 port)
    {
        resetTestConfig({ { QStringLiteral("PortSelect/porttype"), QStringLiteral("9") },
            { QStringLiteral("Mode/mode"), QStringLiteral("0") },
            { QStringLiteral("Port/type"), QStringLiteral("Wifi") },
            { QStringLiteral("Wifi/serverip"), QStringLiteral("127.0.0.1") },
            { QStringLiteral("Wifi/port"), QString::number(port) } });
    }

    static bool openFirmwarePage(MainWindow &w)
    {
        QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
        if (w.connectedModel().isEmpty())
            return false;
        QTest::mouseClick(w.optionBar()->upgradeButton(), Qt::LeftButton);
        return w.stack()->currentWidget() == w.firmwarePage();
    }

private slots:
    void initTestCase() { qputenv("RKMENU_DISMISS_MESSAGES_MS", "0"); }

    // Browse: a chosen file replaces the path; cancelling keeps an earlier one.
    void browse_data()
    {
        QTest::addColumn<QStringList>("answers"); // of the file dialog, one per Browse
        QTest::addColumn<QString>("path");
        QTest::newRow("cancelled first") << QStringList { QString() } << QString();
        QTest::newRow("chosen") << QStringList { QStringLiteral("/x/a.mot") } << "/x/a.mot";
        QTest::newRow("chosen, then cancelled")
            << QStringList { QStringLiteral("/x/a.mot"), QString() } << "/x/a.mot";
        QTest::newRow("chosen twice")
            << QStringList { QStringLiteral("/x/a.mot"), QStringLiteral("/y/b.ds") } << "/y/b.ds";
    }

    void browse()
    {
        QFETCH(QStringList, answers);
        QFETCH(QString, path);
        UpdateFirmware page;
        QStringList asked;
        page.setFileChooser([&](QWidget *, const QString &title, const QString &, const QString &filter) {
            asked << title + QLatin1Char('|') + filter;
            return answers.value(asked.size() - 1);
        });
        for (int i = 0; i < answers.size(); ++i)
            QTest::mouseClick(page.browseButton(), Qt::LeftButton);
        QCOMPARE(asked.value(0), QStringLiteral("Select Firmware File.|Firmware(*.mot *.ds)"));
        QCOMPARE(page.filePath(), path);
        QCOMPARE(page.pathField()->text(), path);
        QCOMPARE(page.startButton()->isEnabled(), !path.isEmpty());
        QVERIFY(page.fileSizeValue()->isHidden());
    }

    // From Start to the outcome box: what the user is told and what reaches the printer.
    void download_data()
    {
        QTest::addColumn<int>("size"); // -1: a file that cannot be read
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("shownSize");
        QTest::newRow("300 KiB") << 300 * 1024 << QString() << QStringList { kComplete } << "300 kb";
        QTest::newRow("1023 bytes, no progress before the end")
            << 1023 << QString() << QStringList { kComplete } << "0 kb";
        QTest::newRow("line dropped mid-download")
            << 300 * 1024 << QStringLiteral("close@firmwareData#2")
            << QStringList { QStringLiteral("communicate Error: Write Port Error"), kUpdateError }
            << "300 kb";
        QTest::newRow("unreadable file") << -1 << QString()
                                         << QStringList { QStringLiteral("Firmware cannot be read!") }
                                         << "";
    }

    void download()
    {
        QFETCH(int, size);
        QFETCH(QString, fault);
        QFETCH(QStringList, messages);
        QFETCH(QString, shownSize);
        QStringList args { QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
            QStringLiteral("--idle-ms"), QStringLiteral("150"), QStringLiteral("--flash-ms"),
            QStringLiteral("1500"), QStringLiteral("--restart-ms"), QStringLiteral("200") };
        if (!fault.isEmpty())
            args << QStringLiteral("--hostile") << fault;
        SimProcess sim;
        QVERIFY2(sim.start(args), qPrintable(sim.errorText()));
        useTcp(sim.tcpPort());
        const QByteArray data = firmwareBytes(qMax(size, 0));
        const QString path = size < 0 ? m_files.filePath(QStringLiteral("missing.mot"))
                                      : writeFile(QStringLiteral("fw%1.mot").arg(size), data);

        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        QVERIFY(openFirmwarePage(w));
        UpdateFirmware *page = w.firmwarePage();
        page->setFileChooser([path](QWidget *, const QString &, const QString &, const QString &) {
            return path;
        });
        QTest::mouseClick(page->browseButton(), Qt::LeftButton);
        QVector<int> progress;
        QString sizeDuringDownload;
        QTimer probe;
        connect(&probe, &QTimer::timeout, this, [&] {
            if (QProgressDialog *dialog = page->progressDialog()) {
                sizeDuringDownload = page->fileSizeValue()->isVisible() ? page->fileSizeValue()->text()
                                                                         : QStringLiteral("hidden");
                if (progress.isEmpty() || progress.last() != dialog->value())
                    progress << dialog->value();
            }
        });
        probe.start(1);
        MessageWatch watch(w.tip());
        QTest::mouseClick(page->startButton(), Qt::LeftButton);
        probe.stop();

        QCOMPARE(watch.texts.mid(1), messages);
        QCOMPARE(watch.texts.value(0), QStringLiteral("Do you want to update firmware ?"));
        if (size < 0) {
            QVERIFY(sim.log().filter(QStringLiteral("CMD firmwareMode")).isEmpty());
            return;
        }
        QCOMPARE(page->fileSizeValue()->text(), shownSize);
        // The dialog only ever moves forward.
        QVERIFY(std::is_sorted(progress.begin(), progress.end()));
        QCOMPARE(sizeDuringDownload, shownSize);
        // Shown until a completed download's box is confirmed.
        QCOMPARE(page->fileSizeValue()->isVisible(), messages.last() != kComplete);
        if (messages.last() == kComplete) {
            const QString sha = QString::fromLatin1(
                QCryptographicHash::hash(data, QCryptographicHash::Sha256).toHex());
            QVERIFY(sim.waitForLog(QStringLiteral("FIRMWARE %1 raw sha256=%2").arg(size).arg(sha)));
            QCOMPARE(page->recordedProgress(), size);
        }
        // The window stays with the printer, on the page, ready for another attempt.
        QCOMPARE(w.stack()->currentWidget(), static_cast<QWidget *>(page));
        QCOMPARE(page->filePath(), path);
        QVERIFY(!w.connectedModel().isEmpty());
    }

    // Declining the question sends nothing.
    void decliningSendsNothing()
    {
        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0") }),
            qPrintable(sim.errorText()));
        useTcp(sim.tcpPort());
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        QVERIFY(openFirmwarePage(w));
        UpdateFirmware *page = w.firmwarePage();
        page->chooseFile(writeFile(QStringLiteral("declined.ds"), firmwareBytes(4096)));
        QStringList asked;
        page->setQuestion([&asked](const QString &text) {
            asked << text;
            return false;
        });
        const int commands = sim.count(QStringLiteral("CMD"));
        QSignalSpy started(page, &UpdateFirmware::updateFirmwareStarted);
        QTest::mouseClick(page->startButton(), Qt::LeftButton);
        QCOMPARE(asked, QStringList { QStringLiteral("Do you want to update firmware ?") });
        QCOMPARE(started.count(), 0);
        QTest::qWait(200);
        QCOMPARE(sim.count(QStringLiteral("CMD")), commands);
        QVERIFY(page->fileSizeValue()->isHidden());
    }
};

QTEST_MAIN(tst_FirmwareFlow)
#include "tst_firmwareflow.moc"
