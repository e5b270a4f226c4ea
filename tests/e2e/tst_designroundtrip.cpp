#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

#include "app/mainwindow.h"
#include "app/optionbar.h"
#include "connect_ui/connectpanel.h"
#include "dbfixture.h"
#include "designer_ui/comboboxdialogs.h"
#include "designer_ui/optiontablelabel.h"
#include "designerharness.h"
#include "engine/settingsdefinition.h"
#include "messagewatch.h"
#include "rkctlrun.h"
#include "settings_ui/adminsettingswidget.h"
#include "simprocess.h"
#include "testconfig.h"

namespace {
// The settings page a printer type gives, as text: each page's title, then every cell of its
// grid with the control's class, text, list and bounds.
QStringList settingsPage(const DatabaseLocation &location, const QString &typeName)
{
    WidgetEngine engine(location);
    engine.setDefinition(loadSettingsDefinitionByName(location, typeName, 1));
    engine.buildPages();
    QStringList lines;
    for (QWidget *page : engine.pages()) {
        lines << QStringLiteral("page %1").arg(page->objectName());
        auto *grid = page->findChild<QGridLayout *>(QStringLiteral("Layout0"));
        for (int i = 0; grid && i < grid->count(); ++i) {
            QWidget *w = grid->itemAt(i)->widget();
            if (!w)
                continue;
            int row, col, rs, cs;
            grid->getItemPosition(i, &row, &col, &rs, &cs);
            QString text;
            if (auto *label = qobject_cast<QLabel *>(w))
                text = label->text();
            else if (auto *button = qobject_cast<QAbstractButton *>(w))
                text = button->text();
            else if (auto *combo = qobject_cast<QComboBox *>(w))
                for (int k = 0; k < combo->count(); ++k)
                    text += combo->itemText(k) + QLatin1Char('|');
            else if (auto *spin = qobject_cast<QDoubleSpinBox *>(w))
                text = QStringLiteral("%1..%2").arg(spin->minimum()).arg(spin->maximum());
            else if (auto *edit = qobject_cast<QLineEdit *>(w))
                text = QString::number(edit->maxLength());
            lines << QStringLiteral("%1,%2 %3 %4 %5")
                         .arg(row)
                         .arg(col)
                         .arg(QLatin1String(w->metaObject()->className()), text, w->toolTip());
        }
    }
    return lines;
}

SimProcess *startSim(const QString &profile)
{
    auto *sim = new SimProcess;
    if (!sim->start({ QStringLiteral("--profile"), profile, QStringLiteral("--tcp"),
            QStringLiteral("127.0.0.1:0") }))
        qWarning() << sim->errorText();
    return sim;
}

RkctlRun readSettings(const QString &database, quint16 port)
{
    return rkctl({ QStringLiteral("read"), QStringLiteral("--host"), QStringLiteral("127.0.0.1"),
        QStringLiteral("--tcp-port"), QString::number(port), QStringLiteral("--database"),
        database, QStringLiteral("--lang"), QStringLiteral("en") });
}

// A built-in profile whose printer names itself `model` instead.
QString renamedProfile(const QString &dir, const QString &profile, const QString &from,
    const QString &model)
{
    QFile in(QStringLiteral(RK_SOURCE_DIR "/tools/printer-sim/profiles/%1.json").arg(profile));
    if (!in.open(QIODevice::ReadOnly))
        return QString();
    QString text = QString::fromUtf8(in.readAll());
    text.replace(QStringLiteral("\"modelReply\": \"%1;").arg(from),
        QStringLiteral("\"modelReply\": \"%1;").arg(model));
    const QString path = dir + QStringLiteral("/renamed.json");
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(text.toUtf8()) < 0)
        return QString();
    return path;
}
} // namespace

// A design saved in the designer is what the settings page and rkctl show.
class tst_DesignRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { qputenv("RKMENU_DISMISS_MESSAGES_MS", "0"); }

    void copyShowsTheSamePages_data()
    {
        QTest::addColumn<QString>("original");
        QTest::addColumn<QString>("copy");
        QTest::addColumn<QString>("profile");
        QTest::addColumn<QString>("model"); // the printer's model before the copy ("" kept)
        QTest::newRow("RP-58S under a new name") << "RP-58S"
                                                 << "RP-58S copy"
                                                 << "rp0501"
                                                 << "RP-58S";
        // The simulated RK-7300 has no type of its own and is shown by main_0901; the copy
        // named after it takes over.
        QTest::newRow("main_0901 as RK-7300") << "main_0901"
                                              << "RK-7300"
                                              << "rk7300"
                                              << "";
    }

    void copyShowsTheSamePages()
    {
        QFETCH(QString, original);
        QFETCH(QString, copy);
        QFETCH(QString, profile);
        QFETCH(QString, model);
        DbFixture db;
        std::unique_ptr<SimProcess> before(startSim(profile));
        const RkctlRun first = readSettings(db.path(), before->tcpPort());
        QCOMPARE(first.code, 0);
        before.reset();

        DesignerHarness d(db.location());
        d.flow.enterDesigner(original);
        QCOMPARE(d.page->titleLabel()->text(), original);
        d.saveAs(copy);
        QCOMPARE(d.messages, QStringList { QStringLiteral("1:Save Successful") });

        const QStringList page = settingsPage(db.location(), original);
        QVERIFY(page.size() > 10);
        QCOMPARE(settingsPage(db.location(), copy), page);

        const QString copyProfile = model.isEmpty()
            ? profile
            : renamedProfile(db.dirPath(), profile, model, copy);
        QVERIFY(!copyProfile.isEmpty());
        std::unique_ptr<SimProcess> after(startSim(copyProfile));
        const RkctlRun second = readSettings(db.path(), after->tcpPort());
        QCOMPARE(second.code, 0);
        QVERIFY(first.out.count(QLatin1Char('\n')) > 10);
        QCOMPARE(second.out, first.out);
    }

    // A design saved while the settings page is open for that type shows the next time the
    // page is opened; a save the database refuses changes nothing.
    void designerReload_data()
    {
        QTest::addColumn<bool>("refused");
        QTest::newRow("saved") << false;
        QTest::newRow("refused by the database") << true;
    }

    void designerReload()
    {
        QFETCH(bool, refused);
        DbFixture db;
        std::unique_ptr<SimProcess> sim(startSim(QStringLiteral("rp0501")));
        resetTestConfig({ { QStringLiteral("PortSelect/porttype"), QStringLiteral("9") },
            { QStringLiteral("Mode/mode"), QStringLiteral("0") },
            { QStringLiteral("Port/type"), QStringLiteral("Wifi") },
            { QStringLiteral("Wifi/serverip"), QStringLiteral("127.0.0.1") },
            { QStringLiteral("Wifi/port"), QString::number(sim->tcpPort()) },
            { QStringLiteral("Option/barhide"), QStringLiteral("1") } });
        MainWindow w(1, db.path());
        w.show();
        QTest::mouseClick(w.connectPanel()->connectButton(), Qt::LeftButton);
        QCOMPARE(w.currentTypeName(), QStringLiteral("RP-58S"));
        QTest::mouseClick(w.optionBar()->settingsButton(), Qt::LeftButton);
        const QStringList before = settingsPageOf(w);
        QVERIFY(!before.isEmpty());

        logInDesigner(*w.designerFlow());
        QTest::mouseClick(w.optionBar()->adminButton(), Qt::LeftButton);
        SettingsWidget *designer = w.designerFlow()->designerPage();
        QCOMPARE(designer->titleLabel()->text(), QStringLiteral("RP-58S"));
        const OptionProperty first = designer->model().pages().at(0).controls.first();
        const QString caption = first.labelEnglish;
        onModal([](QWidget *modal) {
            auto *editor = qobject_cast<ComboBoxDialogs *>(modal);
            QVERIFY(editor);
            editor->englishEdit()->setText(QStringLiteral("Renamed in the designer"));
            QTest::mouseClick(editor->saveButton(), Qt::LeftButton);
        });
        designer->editControl(first.row, first.col);
        if (refused)
            db.probe(QStringLiteral("create trigger poison before insert on Re_Prit_Ctrt_Cmd "
                                    "begin select raise(abort, 'refused'); end"));
        MessageWatch watch(w.tip());
        saveDesignAs(designer, QStringLiteral("RP-58S"));
        QCOMPARE(watch.texts.contains(QStringLiteral("Save Successful")), !refused);

        QTest::mouseClick(w.optionBar()->settingsButton(), Qt::LeftButton);
        const QStringList after = settingsPageOf(w);
        QCOMPARE(after.contains(QStringLiteral("Renamed in the designer")), !refused);
        QCOMPARE(after.contains(caption), refused || before.count(caption) > 1);
        if (refused)
            QCOMPARE(after, before);
    }

private:
    // The captions of the settings page now shown.
    static QStringList settingsPageOf(MainWindow &w)
    {
        QStringList texts;
        for (QWidget *page : w.engine()->pages())
            for (QLabel *label : page->findChildren<QLabel *>())
                texts << label->text();
        return texts;
    }
};

QTEST_MAIN(tst_DesignRoundTrip)
#include "tst_designroundtrip.moc"
