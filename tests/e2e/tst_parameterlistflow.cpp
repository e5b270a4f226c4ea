#include <QFile>
#include <QGridLayout>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "brokenprofile.h"

#include "app/mainwindow.h"
#include "app/optionbar.h"
#include "app/windowhandler.h"
#include "comm/delayservice.h"
#include "connect_ui/connectpanel.h"
#include "engine/datadispatcher.h"
#include "engine/settingsfile.h"
#include "settings_ui/adminsettingswidget.h"
#include "settings_ui/adoptioncombobox.h"
#include "settings_ui/parameterlistflow.h"
#include "messagewatch.h"
#include "simprocess.h"
#include "testconfig.h"

namespace {
const QString kDatabase = QStringLiteral(RK_BIN_DIR "/SWTDatabase.db");
const QString kSaved = QStringLiteral("Save Successful");
const QString kNotConfirmed
    = QStringLiteral("The printer did not confirm the settings; they may not be saved.");

bool startSim(SimProcess &sim, const QString &profile, int count = 1, const QStringList &more = {})
{
    QStringList args { QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
        QStringLiteral("--profile"), profile, QStringLiteral("--state"),
        sim.dir() + QStringLiteral("/state.json") };
    if (count > 1)
        args << QStringLiteral("--count") << QString::number(count);
    return sim.start(args + more, count);
}

void useTcp(quint16 port)
{
    resetTestConfig({ { QStringLiteral("PortSelect/porttype"), QStringLiteral("9") },
        { QStringLiteral("Mode/mode"), QStringLiteral("0") },
        { QStringLiteral("Port/type"), QStringLiteral("Wifi") },
        { QStringLiteral("Wifi/serverip"), QStringLiteral("127.0.0.1") },
        { QStringLiteral("Wifi/port"), QString::number(port) } });
}

// A "val" of the parameter list the simulated printer holds now.
QString printerValue(const SimProcess &sim, int printer, const QString &page, const QString &key)
{
    QString path = sim.dir() + QStringLiteral("/state.json");
    if (printer > 0)
        path += QStringLiteral(".%1").arg(printer);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("(no state)");
    const QJsonObject state = QJsonDocument::fromJson(file.readAll()).object();
    const QJsonObject list
        = QJsonDocument::fromJson(state.value(QStringLiteral("parameterList")).toString().toUtf8())
              .object();
    return list.value(page).toObject().value(key).toObject().value(QStringLiteral("val")).toString();
}

// The combo box of a parameter by its key.
AdOptionCombobox *combo(MainWindow &w, const QString &key)
{
    const ParameterPages &pages = w.parameterListFlow()->pages();
    for (int p = 0; p < pages.pages().size(); ++p) {
        for (int i = 0; AdOptionCombobox *box = pages.comboAt(p, i); ++i) {
            if (box->objectName() == key)
                return box;
        }
    }
    return nullptr;
}

// Every parameter's shown value, by key.
QMap<QString, QString> shownValues(MainWindow &w)
{
    QMap<QString, QString> values;
    const ParameterPages &pages = w.parameterListFlow()->pages();
    for (int p = 0; p < pages.pages().size(); ++p) {
        for (int i = 0; AdOptionCombobox *box = pages.comboAt(p, i); ++i)
            values.insert(box->objectName(), box->currentText());
    }
    return values;
}

bool openSettings(MainWindow &w)
{
    QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
    if (w.connectedModel().isEmpty())
        return false;
    QTest::mouseClick(w.optionBar()->settingsButton(), Qt::LeftButton);
    return w.settingsShowing();
}

void choose(AdOptionCombobox *box, const QString &text)
{
    QVERIFY(box);
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    box->setCurrentIndex(index);
}
} // namespace

// The settings page of a parameter-list printer, in the main window against the simulator.
class tst_ParameterListFlow : public QObject
{
    Q_OBJECT

    RecordingDelayService m_delay;

private slots:
    void initTestCase() { qputenv("RKMENU_DISMISS_MESSAGES_MS", "0"); }

    // The printer needs no printer type of the database; its shown pages come in its order, a
    // changed value is marked, written as JSON and read back.
    void showsPagesAndSavesAChange()
    {
        SimProcess sim;
        QVERIFY2(startSim(sim, QStringLiteral("pl300")), qPrintable(sim.errorText()));
        useTcp(sim.tcpPort());
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        QVERIFY(openSettings(w));
        QCOMPARE(w.stack()->currentWidget(), static_cast<QWidget *>(w.userSettingsPage()));

        auto *sections = w.userSettingsPage()->findChild<QListWidget *>(QStringLiteral("sectionList"));
        QStringList titles;
        for (int i = 0; i < sections->count(); ++i)
            titles << sections->item(i)->text();
        QCOMPARE(titles,
            QStringList({ "System Setup", "Paper Setup", "Interface Setup", "Character Setup",
                "Other Setup", "Wifi Setup", "Customized Form" }));
        // Captions; the defaults column only where the printer gives defaults.
        auto heads = [&w](int page) {
            QStringList texts;
            auto *grid = w.parameterListFlow()->pages().pages().at(page)->findChild<QGridLayout *>(
                QStringLiteral("Layout0"));
            for (int column = 0; column < grid->columnCount(); ++column) {
                if (QLayoutItem *item = grid->itemAtPosition(0, column))
                    texts << qobject_cast<QLabel *>(item->widget())->text();
            }
            return texts;
        };
        QCOMPARE(heads(0), QStringList({ "Parameters", "Current Values", "Defaults" }));
        QCOMPARE(heads(1), QStringList({ "Parameters", "Current Values" }));

        // Save stays on a section named like a block printer's own-button section; no Reset.
        sections->setCurrentRow(5);
        auto *save = w.userSettingsPage()->findChild<QPushButton *>(QStringLiteral("btn_Save"));
        auto *reset = w.userSettingsPage()->findChild<QPushButton *>(QStringLiteral("btn_Reset"));
        QVERIFY(save->isVisible());
        QVERIFY(!reset->isVisible());

        AdOptionCombobox *speed = combo(w, QStringLiteral("speed"));
        AdOptionCombobox *margin = combo(w, QStringLiteral("topMargin"));
        QCOMPARE(speed->currentText(), QStringLiteral("Normal"));
        choose(speed, QStringLiteral("High"));
        choose(margin, QStringLiteral("15"));
        QVERIFY(speed->state().isChanged());
        QVERIFY(w.parameterListFlow()->hasUnsavedChanges());

        // Leaving asks once; Confirm saves and stays on the page.
        MessageWatch watch(w.tip());
        emit w.titleBar()->backToHome();
        QCOMPARE(watch.texts,
            QStringList({ QStringLiteral("Some paramter not be saved\nDo you want to save ？"),
                kSaved }));
        QVERIFY(w.settingsShowing());
        QCOMPARE(sim.count(QStringLiteral("DATA writeParameterList")), 1);
        QTRY_COMPARE(printerValue(sim, 0, QStringLiteral("System Setup"), QStringLiteral("speed")),
            QStringLiteral("High+2"));
        QCOMPARE(printerValue(sim, 0, QStringLiteral("纸张设置"), QStringLiteral("topMargin")),
            QStringLiteral("15+15"));
        // What was read back is the new reference.
        QVERIFY(!speed->state().isChanged());
        QVERIFY(!w.parameterListFlow()->hasUnsavedChanges());
        QCOMPARE(w.parameterListFlow()->parameters().find(QStringLiteral("System Setup/Print speed"))->currentText(),
            QStringLiteral("High"));

        watch.texts.clear();
        emit w.titleBar()->backToHome();
        QVERIFY(watch.texts.isEmpty());
        QCOMPARE(w.stack()->currentWidget(), w.homePage());
    }

    void unconfirmedSaveIsNoSuccess_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("write taken but not applied") << "silent@writeParameterList" << kNotConfirmed;
        QTest::newRow("read-back empty") << "empty@readParameterList#2" << kNotConfirmed;
        QTest::newRow("read-back not JSON") << "garbage@readParameterList#2" << QString();
    }

    // A save is reported only when the list read back holds the values; the pages keep them.
    void unconfirmedSaveIsNoSuccess()
    {
        QFETCH(QString, fault);
        QFETCH(QString, message);
        SimProcess sim;
        QVERIFY2(startSim(sim, QStringLiteral("pl300"), 1, { QStringLiteral("--hostile"), fault }),
            qPrintable(sim.errorText()));
        useTcp(sim.tcpPort());
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        QVERIFY(openSettings(w));
        choose(combo(w, QStringLiteral("buzzer")), QStringLiteral("Off"));
        MessageWatch watch(w.tip());
        emit w.userSettingsPage()->saveSettings(false);
        QVERIFY2(!watch.texts.isEmpty() && !watch.texts.contains(kSaved),
            qPrintable(watch.texts.join(QLatin1Char('|'))));
        if (!message.isEmpty())
            QCOMPARE(watch.texts.last(), message);
        QVERIFY(w.parameterListFlow()->hasUnsavedChanges());
    }

    // A reply that is not JSON builds no pages and says so.
    void replyNotJson()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("broken.json"));
        QVERIFY(writeProfileWithBrokenList(path));
        SimProcess sim;
        QVERIFY2(startSim(sim, path), qPrintable(sim.errorText()));
        useTcp(sim.tcpPort());
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
        QVERIFY(!w.connectedModel().isEmpty());
        MessageWatch watch(w.tip());
        QTest::mouseClick(w.optionBar()->settingsButton(), Qt::LeftButton);
        QCOMPARE(watch.texts,
            QStringList { QStringLiteral("The printer's parameter list builds no settings page.") });
        QVERIFY(!w.settingsShowing());
        QVERIFY(!w.parameterListFlow()->isActive());
        QCOMPARE(w.stack()->currentWidget(), w.homePage());
    }

    // Export on one printer, import on a second of the same model: the same values, sent only
    // by Save.
    void exportThenImportOnAnotherPrinter()
    {
        SimProcess sim;
        QVERIFY2(startSim(sim, QStringLiteral("pl300"), 2), qPrintable(sim.errorText()));
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("pl.cfg"));
        QMap<QString, QString> exported;
        {
            useTcp(sim.tcpPort(0));
            MainWindow w(1, kDatabase, &m_delay);
            w.show();
            QVERIFY(openSettings(w));
            choose(combo(w, QStringLiteral("density")), QStringLiteral("7"));
            choose(combo(w, QStringLiteral("font")), QStringLiteral("黑体"));
            choose(combo(w, QStringLiteral("dhcp")), QStringLiteral("Off"));
            exported = shownValues(w);
            MessageWatch watch(w.tip());
            w.exportSettingsTo(file);
            QCOMPARE(watch.texts, QStringList { QStringLiteral("Export Successfully") });
            QCOMPARE(sim.count(QStringLiteral("CMD writeParameterList")), 0);
        }
        SettingsFile::Content content;
        QCOMPARE(SettingsFile::load(file, &content), SettingsFile::Status::Ok);
        QCOMPARE(content.modelName, QStringLiteral("PL-300"));
        // The write text in UTF-8, with only "val" members.
        const QString text = QString::fromUtf8(content.data);
        QVERIFY2(text.contains(QStringLiteral("\"font\":{\"val\":\"黑体+1\"}")), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("\"tip\"")) && !text.contains(QStringLiteral("\"def\"")));

        useTcp(sim.tcpPort(1));
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        QVERIFY(openSettings(w));
        QVERIFY(shownValues(w) != exported);
        const int exchanges = sim.log().size();
        MessageWatch watch(w.tip());
        w.importSettingsFrom(file);
        QCOMPARE(watch.texts, QStringList { QStringLiteral("Import Successfully") });
        QCOMPARE(shownValues(w), exported);
        QVERIFY(combo(w, QStringLiteral("dhcp"))->state().isChanged());
        QVERIFY(!combo(w, QStringLiteral("speed"))->state().isChanged());
        QCOMPARE(sim.log().size(), exchanges); // nothing went to a printer
        QCOMPARE(printerValue(sim, 1, QStringLiteral("Wifi Setup"), QStringLiteral("dhcp")),
            QStringLiteral("On+1"));

        emit w.userSettingsPage()->saveSettings(false);
        QCOMPARE(watch.texts.last(), kSaved);
        QTRY_COMPARE(printerValue(sim, 1, QStringLiteral("Wifi Setup"), QStringLiteral("dhcp")),
            QStringLiteral("Off+0"));
        QCOMPARE(printerValue(sim, 1, QStringLiteral("System Setup"), QStringLiteral("density")),
            QStringLiteral("7+7"));
        QCOMPARE(shownValues(w), exported);
    }

    // One window, a parameter-list printer, then a block printer, then the first again: each
    // gets its own pages and buttons, and Save writes what that printer takes.
    void blockPrinterBetween()
    {
        SimProcess sim;
        QVERIFY2(startSim(sim, QStringLiteral("pl300"), 2,
                     { QStringLiteral("--profile"), QStringLiteral("zn470kw") }),
            qPrintable(sim.errorText()));
        useTcp(sim.tcpPort(0));
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        auto *reset = w.userSettingsPage()->findChild<QPushButton *>(QStringLiteral("btn_Reset"));
        auto switchTo = [&](int printer) {
            const int left = sim.count(QStringLiteral("#%1 CMD leave").arg(1 - printer));
            // The panel's signal, without the button's reconnect lock-out.
            emit w.connectPanel()->disconnectPrinter();
            QTRY_COMPARE(sim.count(QStringLiteral("#%1 CMD leave").arg(1 - printer)), left + 1);
            w.dispatcher()->setWifiConfig(QStringLiteral("127.0.0.1"), sim.tcpPort(printer));
        };
        QVERIFY(openSettings(w));
        QVERIFY(w.parameterListFlow()->isActive());

        switchTo(1);
        QVERIFY(openSettings(w));
        QCOMPARE(w.connectedModel(), QStringLiteral("ZN-470 KW"));
        QVERIFY(!w.parameterListFlow()->isActive());
        QVERIFY(w.userSettingsPage()->currentPage());
        QVERIFY(reset->isVisible());
        MessageWatch watch(w.tip());
        emit w.userSettingsPage()->saveSettings(false);
        QCOMPARE(watch.texts, QStringList { kSaved });
        QCOMPARE(sim.count(QStringLiteral("#1 CMD writeParameterList")), 0);

        switchTo(0);
        QVERIFY(openSettings(w));
        QVERIFY(w.parameterListFlow()->isActive());
        QVERIFY(!reset->isVisible());
        choose(combo(w, QStringLiteral("buzzer")), QStringLiteral("Off"));
        emit w.userSettingsPage()->saveSettings(false);
        QCOMPARE(watch.texts.last(), kSaved);
        QTRY_COMPARE(printerValue(sim, 0, QStringLiteral("System Setup"), QStringLiteral("buzzer")),
            QStringLiteral("Off+0"));
    }

    void importRefused_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("cut");
        QTest::addColumn<QString>("message");
        const QByteArray valid("{\"System Setup\":{\"speed\":{\"val\":\"Low+0\"}}}");
        QTest::newRow("another model") << "PL-100" << valid << 0 << "Printer type different!";
        QTest::newRow("truncated text")
            << "PL-300" << valid.left(30) << 0 << "This is not a settings file.";
        QTest::newRow("garbage") << "PL-300" << QByteArray("\x00\xff\x13garbage", 10) << 0
                                 << "This is not a settings file.";
        QTest::newRow("a setting block") << "PL-300" << QByteArray(1024, '\x01') << 0
                                         << "This is not a settings file.";
        QTest::newRow("no value of this printer")
            << "PL-300" << QByteArray("{\"Paper Setup\":{\"x\":{\"val\":\"1+1\"}}}") << 0
            << "This is not a settings file.";
        QTest::newRow("file cut short") << "PL-300" << valid << 5 << "This is not a settings file.";
    }

    // A file that cannot be used changes nothing and sends nothing.
    void importRefused()
    {
        QFETCH(QString, model);
        QFETCH(QByteArray, data);
        QFETCH(int, cut);
        QFETCH(QString, message);
        SimProcess sim;
        QVERIFY2(startSim(sim, QStringLiteral("pl300")), qPrintable(sim.errorText()));
        useTcp(sim.tcpPort());
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("x.cfg"));
        QCOMPARE(SettingsFile::save(file, { model, data }), SettingsFile::Status::Ok);
        if (cut > 0) {
            QFile shorter(file);
            QVERIFY(shorter.open(QIODevice::ReadWrite));
            QVERIFY(shorter.resize(shorter.size() - cut));
        }
        MainWindow w(1, kDatabase, &m_delay);
        w.show();
        QVERIFY(openSettings(w));
        const QMap<QString, QString> before = shownValues(w);
        const int exchanges = sim.log().size();
        MessageWatch watch(w.tip());
        w.importSettingsFrom(file);
        QCOMPARE(watch.texts, QStringList { message });
        QCOMPARE(shownValues(w), before);
        QVERIFY(!w.parameterListFlow()->hasUnsavedChanges());
        QCOMPARE(sim.log().size(), exchanges);
    }
};

QTEST_MAIN(tst_ParameterListFlow)
#include "tst_parameterlistflow.moc"
