#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>
#include <QScrollArea>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpacerItem>
#include <QTextEdit>
#include <QThread>
#include <QVBoxLayout>
#include <QtTest>

#include "database/printertypetable.h"
#include "definitionbuilder.h"
#include "engine/settingsmodel.h"
#include "settings_ui/adminsettingswidget.h"
#include "settings_ui/widgetengine.h"
#include "printerprofile.h"
#include "settings_ui/adoptioncheckbox.h"
#include "settings_ui/adoptioncombobox.h"
#include "settings_ui/adoptionedit.h"
#include "settings_ui/adoptionlabel.h"
#include "settings_ui/adoptionspinbox.h"

namespace {
const QString kTwoByteRead = QStringLiteral("(H*256+L)/10");
const QString kTwoByteWrite
    = QStringLiteral("H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256");

// Bytes set in a block before it is shown: position -> value.
using Patches = QMap<int, int>;

QGridLayout *gridOf(QWidget *page)
{
    return page->findChild<QGridLayout *>(QStringLiteral("Layout0"));
}

// Makes a control count as changed by the user, whatever it shows.
void forgetReference(QWidget *control)
{
    if (auto *c = qobject_cast<AdOptionCombobox *>(control))
        c->state().setReferenceText(QStringLiteral("\x01"));
    else if (auto *e = qobject_cast<AdOptionEdit *>(control))
        e->state().setReferenceText(QStringLiteral("\x01"));
    else if (auto *s = qobject_cast<AdoptionSpinBox *>(control))
        s->state().setReferenceText(QStringLiteral("\x01"));
}
} // namespace

class tst_WidgetEngine : public QObject
{
    Q_OBJECT

private:
    // An engine on an in-memory definition, pages built and filled from the block.
    std::unique_ptr<WidgetEngine> engineFor(
        const SettingsDefinition &def, const QString &code, const QByteArray &block)
    {
        auto engine = std::make_unique<WidgetEngine>(DatabaseLocation());
        SettingsIdentity identity;
        identity.typeCode = code;
        engine->setIdentity(identity);
        engine->setDefinition(def);
        engine->buildPages();
        engine->setSettingBlock(block);
        engine->setDefaultBlock(block);
        engine->fillControls();
        return engine;
    }

    std::unique_ptr<WidgetEngine> deliveredEngine(
        const DeliveredDatabase &db, const QString &name, const QString &code, int language = 1)
    {
        auto engine = std::make_unique<WidgetEngine>(db.location());
        SettingsIdentity identity;
        identity.modelName = name;
        identity.typeCode = code;
        identity.language = language;
        engine->setIdentity(identity);
        engine->setWorkMode(WidgetEngine::LoadDefinitions);
        engine->run();
        engine->buildPages();
        return engine;
    }

    // Rows "name", "code", "language": every delivered type in Chinese and in English.
    static void addDeliveredTypeRows()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("language");
        for (const auto &type : deliveredTypes()) {
            QTest::newRow(qPrintable(type.first + QStringLiteral(", Chinese")))
                << type.first << type.second << 0;
            QTest::newRow(qPrintable(type.first + QStringLiteral(", English")))
                << type.first << type.second << 1;
        }
    }

private slots:
    void loadResolvesThePrinterType_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("head");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("engineName");
        QTest::newRow("RK5200 head 24") << "RK5200"
                                        << "24"
                                        << "0000"
                                        << "RK-5200"
                                        << "RK-5200";
        QTest::newRow("RK5200 other head") << "RK5200"
                                           << "21"
                                           << "0000"
                                           << "RK-5200_NEW"
                                           << "RK-5200_NEW";
        QTest::newRow("ZN-470 KW family") << "ZN-470 KW Plus"
                                          << ""
                                          << "0701"
                                          << "ZN-470 KW"
                                          << "ZN-470 KW";
        QTest::newRow("own row") << "MV-4410C"
                                 << ""
                                 << "0302"
                                 << "MV-4410C"
                                 << "MV-4410C";
        QTest::newRow("no row: main_ + code") << "RK-7300"
                                              << ""
                                              << "0901"
                                              << "main_0901"
                                              << "RK-7300";
        QTest::newRow("empty model") << ""
                                     << ""
                                     << "0901"
                                     << "main_0901"
                                     << "";
        QTest::newRow("nothing at all") << "XY-1"
                                        << ""
                                        << "0F0F"
                                        << ""
                                        << "XY-1";
    }

    void loadResolvesThePrinterType()
    {
        QFETCH(QString, model);
        QFETCH(QString, head);
        QFETCH(QString, code);
        QFETCH(QString, row);
        DeliveredDatabase db;
        WidgetEngine engine(db.location());
        SettingsIdentity identity { model, head, code, 0, 1 };
        engine.setIdentity(identity);
        engine.setWorkMode(WidgetEngine::LoadDefinitions);
        QSignalSpy completed(&engine, &WidgetEngine::workCompleted);
        engine.run();
        QCOMPARE(completed.count(), 1);
        QCOMPARE(engine.definition().printerType.pritName(), row);
        QTEST(engine.printerTypeName(), "engineName");
        engine.buildPages();
        if (row.isEmpty()) {
            QCOMPARE(engine.definition().printerType.pritId(), 0);
            QVERIFY(engine.definition().controlRows.isEmpty());
            QVERIFY(engine.pages().isEmpty());
        } else {
            QVERIFY(engine.pages().size() > 1);
            QCOMPARE(engine.pages().size(), engine.definition().pageCount);
        }
    }

    void loadRunsOnTheEngineThread()
    {
        DeliveredDatabase db;
        WidgetEngine engine(db.location());
        engine.setIdentity({ QStringLiteral("RP-58S"), QString(), QStringLiteral("0501"), 0, 0 });
        engine.setWorkMode(WidgetEngine::LoadDefinitions);
        QThread thread;
        engine.moveToThread(&thread);
        connect(&thread, &QThread::started, &engine, &WidgetEngine::run);
        connect(&engine, &WidgetEngine::workCompleted, &thread, &QThread::quit);
        QSignalSpy finished(&thread, &QThread::finished);
        thread.start();
        QVERIFY(finished.wait(10000));
        QVERIFY(thread.wait(1000));
        QCOMPARE(engine.definition().printerType.pritName(), QStringLiteral("RP-58S"));
        // Chinese texts when asked for language 0.
        QVERIFY(engine.pageTitles().contains(QStringLiteral("纸张设置")));
    }

    void pagesFollowTheDefinition_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        for (const auto &type : deliveredTypes())
            QTest::newRow(qPrintable(type.first)) << type.first << type.second;
    }

    void pagesFollowTheDefinition()
    {
        QFETCH(QString, name);
        QFETCH(QString, code);
        DeliveredDatabase db;
        auto engine = deliveredEngine(db, name, code);
        const SettingsDefinition &def = engine->definition();
        const QList<QWidget *> pages = engine->pages();
        QCOMPARE(pages.size(), def.pageCount);
        for (int i = 0; i < pages.size(); ++i) {
            QCOMPARE(pages.at(i)->property("pageIndex").toInt(), i);
            QCOMPARE(pages.at(i)->objectName(), def.pageTitles.value(i));
            QCOMPARE(pages.at(i)->styleSheet(), QStringLiteral("background:white"));
            QVERIFY(gridOf(pages.at(i)));
        }
        for (const QString &group : WidgetEngine::groupNames())
            QVERIFY(engine->groupRegistry().contains(group));
        for (const ControlRow &row : def.controlRows) {
            QWidget *control = engine->controlOf(row.rpcaId());
            QVERIFY(control);
            QGridLayout *grid = gridOf(pages.at(def.pageOf(row)));
            QLayoutItem *cell = grid->itemAtPosition(row.pageRow(), row.pageCol());
            QVERIFY(cell && cell->widget() == control);
            const CommandBinding binding = def.commandBindings.value(row.rpcaId());
            if (binding.paramPosition() != 0)
                QCOMPARE(
                    engine->groupRegistry().value(binding.cmd()).value(binding.paramPosition()),
                    control);
            switch (def.kindOf(row)) {
            case KindLabel:
                QCOMPARE(qobject_cast<QLabel *>(control)->text(), def.content(row.contentId()));
                break;
            case KindButton:
                QCOMPARE(control->size(), QSize(130, 25));
                break;
            case KindComboBox: {
                auto *combo = qobject_cast<AdOptionCombobox *>(control);
                QVERIFY(combo);
                QCOMPARE(combo->bytePosition(), row.bytePosition());
                QCOMPARE(combo->count(), def.optionItems.value(row.rpcaId()).size());
                QCOMPARE(combo->size(), QSize(180, 25));
                break;
            }
            case KindEdit:
                QVERIFY(qobject_cast<AdOptionEdit *>(control));
                break;
            case KindSpinBox:
                QVERIFY(qobject_cast<AdoptionSpinBox *>(control));
                break;
            case KindCheckBox:
                QVERIFY(qobject_cast<AdOptionCheckbox *>(control));
                break;
            case KindNone:
                QFAIL("unknown kind in the delivered data");
            }
        }
    }

    void buttonsStartTheirActionByName()
    {
        DeliveredDatabase db;
        auto engine = deliveredEngine(db, QStringLiteral("ZN-470 KW"), QStringLiteral("0701"));
        QSignalSpy actions(engine.get(), &WidgetEngine::buttonAction);
        QStringList clicked;
        for (const ControlRow &row : engine->definition().controlRows) {
            if (auto *button = qobject_cast<QPushButton *>(engine->controlOf(row.rpcaId()))) {
                button->click();
                clicked << engine->definition().commandBindings.value(row.rpcaId()).cmd();
            }
        }
        QVERIFY(clicked.contains(QStringLiteral("Wifi Write")));
        QStringList emitted;
        for (const QList<QVariant> &a : actions)
            emitted << a.at(0).toString();
        QCOMPARE(emitted, clicked);
    }

    void stretchAfterTheLastSetupPage()
    {
        DefinitionBuilder b({ QStringLiteral("Paper Setup"), QStringLiteral("Interface Setup"),
            QStringLiteral("Wifi Setup") });
        auto engine = engineFor(b.def, QStringLiteral("0000"), QByteArray(1024, '\0'));
        auto stretchOf = [&](int page) {
            auto *column = qobject_cast<QVBoxLayout *>(engine->pages().at(page)->layout());
            QLayoutItem *last = column->itemAt(column->count() - 1);
            return last->spacerItem() != nullptr;
        };
        QVERIFY(!stretchOf(0));
        QVERIFY(stretchOf(1));
        QVERIFY(!stretchOf(2));
        QCOMPARE(engine->pages().at(1)->layout()->contentsMargins(), QMargins(30, 30, 30, 30));
    }

    // Broken rows are left out; of two rows on one byte, the later one holds the value; a row
    // without a byte is never read or written.
    void oddRows()
    {
        DefinitionBuilder b({ QStringLiteral("Page") });
        const int unknownKind = b.addRaw(99, DefinitionBuilder::kLayoutIdBase, 0, 1, 0);
        const int missingSection
            = b.addRaw(DefinitionBuilder::kKindIdBase + KindEdit, 555, 1, 1, 0);
        b.def.controlTypes[77].setCtrtId(77);
        b.def.controlTypes[77].setCtrtName(9);
        const int kindNine = b.addRaw(77, DefinitionBuilder::kLayoutIdBase, 2, 1, 0);
        const int first = b.add(DefinitionBuilder::edit(110, 1, QStringLiteral("First")).at(0, 3));
        const int second
            = b.add(DefinitionBuilder::edit(110, 1, QStringLiteral("Second")).at(0, 4));
        const int noByte = b.add(DefinitionBuilder::edit(0, 1, QStringLiteral("Copies")).at(0, 5));

        QByteArray block(1024, '\0');
        block[0] = char(0xAA);
        block[110] = 7;
        auto engine = engineFor(b.def, QStringLiteral("0000"), block);
        QVERIFY(!engine->controlOf(unknownKind));
        QVERIFY(!engine->controlOf(missingSection));
        QVERIFY(!engine->controlOf(kindNine));
        auto *firstEdit = qobject_cast<AdOptionEdit *>(engine->controlOf(first));
        auto *secondEdit = qobject_cast<AdOptionEdit *>(engine->controlOf(second));
        auto *noByteEdit = qobject_cast<AdOptionEdit *>(engine->controlOf(noByte));
        QVERIFY(firstEdit && secondEdit && noByteEdit);
        QCOMPARE(firstEdit->text(), QString());
        QCOMPARE(secondEdit->text(), QStringLiteral("7"));
        QCOMPARE(noByteEdit->text(), QString());

        firstEdit->setText(QStringLiteral("9"));
        noByteEdit->setText(QStringLiteral("5"));
        engine->collect();
        QCOMPARE(engine->settingBlock(), block);
        secondEdit->setText(QStringLiteral("8"));
        engine->collect();
        QCOMPARE(int(engine->settingBlock().at(110)), 8);
        QCOMPARE(quint8(engine->settingBlock().at(0)), quint8(0xAA));
    }

    void fillThenCollectKeepsTheBlock_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("profile");
        QTest::addColumn<Patches>("patch");
        QTest::addColumn<QList<int>>("normalised");
        for (const auto &type : deliveredTypes()) {
            QTest::newRow(qPrintable(type.first + QStringLiteral(", plausible block")))
                << type.first << type.second << QString() << Patches() << QList<int>();
            // The simulated printers hold only values their pages show as they are.
            QTest::newRow(qPrintable(type.first + QStringLiteral(", simulator block")))
                << type.first << type.second << simulatorProfileOf(type.first) << Patches()
                << QList<int>();
        }
        // Bytes the page cannot show as they are: Save writes what it shows instead.
        QTest::newRow("RK-5200, factory print quality 0 shows the last entry")
            << "RK-5200" << "0000" << "rk5200-legacy" << Patches { { 185, 0 } }
            << QList<int> { 185 };
        QTest::newRow("BX-580, quiet speed without the low-noise head")
            << "BX-580" << "0C01" << "bx580" << Patches { { 224, 2 } } << QList<int> { 224 };
        QTest::newRow("BX-580, quiet speed with the low-noise head")
            << "BX-580" << "0C01" << "bx580" << Patches { { 224, 2 }, { 583, 'n' } }
            << QList<int>();
        QTest::newRow("MV-4310, high speed on the passbook board")
            << "MV-4310" << "0301" << "mv4310" << Patches { { 224, 1 } } << QList<int> { 224 };
        QTest::newRow("RP-58S, top of form stored below its offset")
            << "RP-58S" << "0501" << "rp0501" << Patches { { 282, 0 }, { 283, 50 } }
            << QList<int> { 282, 283 };
        QTest::newRow("ZN-480 W, page length below the range")
            << "ZN-480 W" << "0B01" << "zn480w" << Patches { { 112, 0 }, { 113, 10 } }
            << QList<int> { 113 };
        QTest::newRow("ZN-480 W, Wi-Fi bytes are left to their page")
            << "ZN-480 W" << "0B01" << "zn480w" << Patches { { 318, 9 }, { 410, 0xFF } }
            << QList<int>();
        QTest::newRow("ZN-350 BT, a value beyond its list is kept")
            << "ZN-350 BT" << "0703" << "zn350bt" << Patches { { 635, 7 } } << QList<int>();
        QTest::newRow("RK-3000, Ethernet bytes are left to their page")
            << "RK-3000" << "" << "rk3000" << Patches { { 36, 'A' }, { 37, 0 }, { 38, 'B' } }
            << QList<int>();
    }

    // A fill followed by a collect reproduces the block byte for byte, also when every control
    // is written back as if the user had entered what it shows. A simulated printer's block
    // changes only where the value rules make the page show something else than its bytes.
    void fillThenCollectKeepsTheBlock()
    {
        QFETCH(QString, name);
        QFETCH(QString, code);
        QFETCH(QString, profile);
        QFETCH(Patches, patch);
        QFETCH(QList<int>, normalised);
        DeliveredDatabase db;
        auto engine = deliveredEngine(db, name, code);
        FormulaEvaluator evaluator;
        SettingCodec codec(engine->definition(), code, evaluator);
        QByteArray block = plausibleBlock(engine->definition(), codec);
        if (!profile.isEmpty()) {
            PrinterProfile loaded;
            QString error;
            QVERIFY2(PrinterProfile::load(profile, &loaded, &error), qPrintable(error));
            QCOMPARE(loaded.settingBlock.size(), 1024);
            QCOMPARE(loaded.typeCode, code);
            block = loaded.settingBlock;
            for (auto it = patch.cbegin(); it != patch.cend(); ++it)
                block[it.key()] = char(it.value());
        }
        engine->setLegacyVariant(profile == QLatin1String("rk5200-legacy"));
        engine->setSettingBlock(block);
        engine->setDefaultBlock(block);
        engine->fillControls();
        QVERIFY(!engine->hasUnsavedChanges());
        engine->collect();
        if (!profile.isEmpty()) {
            QList<int> changed;
            for (int p = 0; p < 1024; ++p) {
                if (engine->settingBlock().at(p) != block.at(p))
                    changed.append(p);
            }
            QCOMPARE(changed, normalised);
            // Save writes what is shown, as the model does, and nothing else.
            SettingsModel model(
                engine->definition(), code, profile == QLatin1String("rk5200-legacy"));
            model.setSettingBlock(block);
            model.collect();
            QCOMPARE(engine->settingBlock(), model.settingBlock());
            engine->setSettingBlock(engine->settingBlock());
            engine->fillControls();
            const QByteArray saved = engine->settingBlock();
            engine->collect();
            QCOMPARE(engine->settingBlock(), saved);
            return;
        }
        QCOMPARE(engine->settingBlock(), block);
        for (const ControlRow &row : engine->definition().valueRows)
            forgetReference(engine->controlOf(row.rpcaId()));
        engine->collect();
        for (int p = 0; p < 1024; ++p) {
            QVERIFY2(engine->settingBlock().at(p) == block.at(p),
                qPrintable(QStringLiteral("position %1").arg(p)));
        }
    }

    void collectSkipsTheNetworkRanges_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QList<int>>("written");
        const QList<int> positions { 24, 40, 100, 316, 400, 509, 600, 635, 640, 660, 700 };
        Q_UNUSED(positions)
        QTest::newRow("no code") << "" << QList<int> { 100, 316, 640, 700 };
        // 0701 keeps its Bluetooth fields at 659-689 for their own Write.
        QTest::newRow("0701") << "0701" << QList<int> { 24, 40, 100, 509, 600, 635, 640, 700 };
        QTest::newRow("0703") << "0703" << QList<int> { 24, 40, 100, 635 };
        QTest::newRow("other code") << "0302" << QList<int> { 24, 100, 700 };
    }

    void collectSkipsTheNetworkRanges()
    {
        QFETCH(QString, code);
        QFETCH(QList<int>, written);
        const QList<int> positions { 24, 40, 100, 316, 400, 509, 600, 635, 640, 660, 700 };
        DefinitionBuilder b({ QStringLiteral("Page") });
        for (int i = 0; i < positions.size(); ++i)
            b.add(DefinitionBuilder::edit(positions.at(i), 1, QStringLiteral("Value")).at(0, i));
        auto engine = engineFor(b.def, code, QByteArray(1024, '\0'));
        for (const ControlRow &row : engine->definition().valueRows)
            qobject_cast<AdOptionEdit *>(engine->controlOf(row.rpcaId()))
                ->setText(QStringLiteral("7"));
        engine->collect();
        QList<int> changed;
        for (int p = 0; p < 1024; ++p) {
            if (engine->settingBlock().at(p) != 0)
                changed << p;
        }
        QCOMPARE(changed, written);
    }

    // Only what the user changed is written; an emptied box neither writes nor ends the walk.
    void collectWritesChangedValues()
    {
        DefinitionBuilder b({ QStringLiteral("Page") });
        const int combo = b.add(DefinitionBuilder::combo(
            20, { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") }, { 0, 5, 9 }));
        const int unknown = b.add(
            DefinitionBuilder::combo(21, { QStringLiteral("a"), QStringLiteral("b") }).at(0, 1));
        const int emptied
            = b.add(DefinitionBuilder::edit(30, 1, QStringLiteral("Copies")).at(0, 2));
        const int spin
            = b.add(DefinitionBuilder::spin(100, 2, kTwoByteRead, kTwoByteWrite, 0, 500).at(0, 3));
        const int later = b.add(DefinitionBuilder::edit(110, 1, QStringLiteral("Lines")).at(0, 4));
        QByteArray block(1024, '\0');
        block[20] = 5;
        block[21] = 77; // no option stands for it
        block[30] = 3;
        block[100] = 0x01;
        block[101] = 0x2C; // 30.0
        block[110] = 4;
        auto engine = engineFor(b.def, QStringLiteral("0000"), block);

        auto *c = qobject_cast<AdOptionCombobox *>(engine->controlOf(combo));
        QCOMPARE(c->currentText(), QStringLiteral("b"));
        QCOMPARE(qobject_cast<AdOptionCombobox *>(engine->controlOf(unknown))->currentText(),
            QStringLiteral("a"));
        QVERIFY(!engine->hasUnsavedChanges());
        c->setCurrentIndex(2);
        QVERIFY(c->state().isChanged());
        QVERIFY(engine->hasUnsavedChanges());
        qobject_cast<AdOptionEdit *>(engine->controlOf(emptied))->clear();
        qobject_cast<AdoptionSpinBox *>(engine->controlOf(spin))->setValue(31.5);
        qobject_cast<AdOptionEdit *>(engine->controlOf(later))->setText(QStringLiteral("6"));
        engine->collect();

        QByteArray expected = block;
        expected[20] = 9;
        expected[100] = 0x01;
        expected[101] = 0x3B; // 315
        expected[110] = 6;
        QCOMPARE(engine->settingBlock(), expected);
        QVERIFY(!engine->hasUnsavedChanges());
        QVERIFY(!c->state().isChanged());
        // The emptied box shows the value that stayed in the block.
        QCOMPARE(
            qobject_cast<AdOptionEdit *>(engine->controlOf(emptied))->text(), QStringLiteral("3"));
    }

    // On the listed type codes the edit boxes of some positions are written only while the
    // check box right of them is ticked.
    void gatedEditBoxes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<int>("stored");
        QTest::newRow("0000 unticked") << "0000" << false << 2;
        QTest::newRow("0000 ticked") << "0000" << true << 9;
        QTest::newRow("0701 has no gate") << "0701" << false << 9;
    }

    void gatedEditBoxes()
    {
        QFETCH(QString, code);
        QFETCH(bool, ticked);
        DefinitionBuilder b({ QStringLiteral("Page") });
        const int edit = b.add(DefinitionBuilder::edit(122, 1, QStringLiteral("Lines")));
        const int box = b.add(
            DefinitionBuilder::control(KindCheckBox, 0, QStringLiteral("Define")).at(0, 0, 2));
        QByteArray block(1024, '\0');
        block[122] = 2;
        auto engine = engineFor(b.def, code, block);
        auto *gate = qobject_cast<AdOptionCheckbox *>(engine->controlOf(box));
        // A switch without a caption label of its own shows its caption.
        QCOMPARE(gate->text(), QStringLiteral("Define"));
        gate->setChecked(ticked);
        qobject_cast<AdOptionEdit *>(engine->controlOf(edit))->setText(QStringLiteral("9"));
        engine->collect();
        QTEST(int(engine->settingBlock().at(122)), "stored");
    }

    void rowVisibilityWhileFilling_data()
    {
        QTest::addColumn<QString>("typeName");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("deciding");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("shown") << "RK-5200" << 216 << 1 << true << true;
        QTest::newRow("hidden") << "RK-5200" << 216 << 0 << false << true;
        QTest::newRow("MV-4410C keeps it, disabled") << "MV-4410C" << 216 << 0 << true << false;
        QTest::newRow("MV-4410C shown") << "MV-4410C" << 216 << 1 << true << true;
        QTest::newRow("MV-4410C other position") << "MV-4410C" << 222 << 0 << false << true;
    }

    void rowVisibilityWhileFilling()
    {
        QFETCH(QString, typeName);
        QFETCH(int, position);
        QFETCH(int, deciding);
        QFETCH(bool, visible);
        QFETCH(bool, enabled);
        DefinitionBuilder b({ QStringLiteral("Page") }, typeName);
        b.add(DefinitionBuilder::control(KindLabel, 0, QStringLiteral("Caption")).at(0, 0, 0));
        const int id
            = b.add(DefinitionBuilder::combo(position, { QStringLiteral("x"), QStringLiteral("y") })
                        .when(QStringLiteral("583"), QStringLiteral("#")));
        const int box = b.add(
            DefinitionBuilder::control(KindCheckBox, 0, QStringLiteral("Define")).at(0, 0, 2));
        // A check box with a byte of its own follows its own rule.
        const int ownByte = b.add(DefinitionBuilder::control(KindCheckBox, 300, QStringLiteral("Own"))
                                      .at(0, 1, 1)
                                      .when(QStringLiteral("583"), QStringLiteral("#")));
        QByteArray block(1024, '\0');
        block[583] = char(deciding);
        block[position] = 1;
        auto engine = engineFor(b.def, QStringLiteral("0302"), block);
        QWidget *control = engine->controlOf(id);
        QCOMPARE(!engine->controlOf(box)->isHidden(), visible);
        QCOMPARE(!engine->controlOf(ownByte)->isHidden(), deciding != 0);
        QCOMPARE(!control->isHidden(), visible);
        QCOMPARE(control->isEnabled(), enabled);
        auto *caption
            = qobject_cast<QLabel *>(gridOf(engine->pages().at(0))->itemAtPosition(0, 0)->widget());
        QCOMPARE(!caption->isHidden(), visible);
        QCOMPARE(!engine->defaultLabelOf(id)->isHidden(), visible);
        if (visible)
            QCOMPARE(engine->defaultLabelOf(id)->text(), QStringLiteral("Default: y"));
    }

    // The lists at 216, 224 and 232 follow the block each time they are filled.
    void optionListsFollowTheBlock()
    {
        DefinitionBuilder b({ QStringLiteral("Page") });
        const int id = b.add(DefinitionBuilder::combo(216,
            { QStringLiteral("1:1"), QStringLiteral("10:8"), QStringLiteral("13:8"),
                QStringLiteral("16:8"), QStringLiteral("Compressed") }));
        QByteArray block(1024, '\0');
        block[216] = 4;
        auto engine = engineFor(b.def, QStringLiteral("0000"), block);
        auto *combo = qobject_cast<AdOptionCombobox *>(engine->controlOf(id));
        QCOMPARE(combo->count(), 4);
        QCOMPARE(combo->itemText(1), QStringLiteral("10.6:8"));
        QCOMPARE(combo->currentText(), QStringLiteral("Compressed"));
        combo->setCurrentIndex(2);
        engine->collect();
        QCOMPARE(int(engine->settingBlock().at(216)), 2);

        block[216] = 1;
        block[583] = 'n';
        engine->setSettingBlock(block);
        engine->fillControls();
        QCOMPARE(combo->count(), 5);
        QCOMPARE(combo->itemText(1), QStringLiteral("10:8"));
        QCOMPARE(combo->currentText(), QStringLiteral("10:8"));
    }

    void onlyCurrentValuesKeepTheDefaults()
    {
        DefinitionBuilder b({ QStringLiteral("Page") });
        const int id = b.add(DefinitionBuilder::edit(60, 1, QStringLiteral("Lines")));
        QByteArray block(1024, '\0');
        block[60] = 3;
        auto engine = engineFor(b.def, QStringLiteral("0000"), block);
        auto *edit = qobject_cast<AdOptionEdit *>(engine->controlOf(id));
        QCOMPARE(edit->state().defaultText(), QStringLiteral("3"));
        block[60] = 4;
        engine->setSettingBlock(block);
        engine->setDefaultBlock(QByteArray(1024, '\0'));
        engine->fillControls(true);
        QCOMPARE(edit->text(), QStringLiteral("4"));
        QCOMPARE(edit->state().defaultText(), QStringLiteral("3"));
        engine->fillControls();
        QCOMPARE(edit->state().defaultText(), QStringLiteral("0"));
    }

    void legacyVariantShowsTheLastQuality()
    {
        DefinitionBuilder b({ QStringLiteral("Page") }, QStringLiteral("RK-5200"));
        const int id = b.add(DefinitionBuilder::combo(185,
            { QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d") },
            { 1, 2, 3, 4 }));
        auto engine = std::make_unique<WidgetEngine>(DatabaseLocation());
        engine->setDefinition(b.def);
        engine->setLegacyVariant(true);
        engine->buildPages();
        engine->setSettingBlock(QByteArray(1024, '\0'));
        engine->fillControls();
        auto *combo = qobject_cast<AdOptionCombobox *>(engine->controlOf(id));
        QCOMPARE(combo->currentIndex(), 3);
        QVERIFY(!combo->state().isChanged());
    }

    void designerWorkModes()
    {
        DeliveredDatabase db;
        PrinterTypeTable types(db.location());
        PrinterTypeRecord record;
        record.setPritName(QStringLiteral("TEST-1"));
        QCOMPARE(types.insertPrinterType(record), DbOk);
        const int id = types.findPrinterType(QStringLiteral("TEST-1")).pritId();
        QVERIFY(id != 0);

        PrinterDesign design;
        DesignSection section;
        section.titleChinese = QStringLiteral("测试");
        section.titleEnglish = QStringLiteral("Test Page");
        design.sections << section;
        DesignControl control;
        control.kind = KindEdit;
        control.row = 0;
        control.col = 1;
        control.labelChinese = QStringLiteral("行数");
        control.labelEnglish = QStringLiteral("Lines");
        control.bytePosition = 70;
        control.byteLength = 1;
        design.controls << control;

        WidgetEngine engine(db.location());
        engine.setDesign(id, design);
        engine.setWorkMode(WidgetEngine::SaveDesign);
        QSignalSpy completed(&engine, &WidgetEngine::workCompleted);
        engine.run();
        QCOMPARE(engine.lastResult(), DbOk);
        engine.setIdentity({ QStringLiteral("TEST-1"), QString(), QStringLiteral("0000"), 0, 1 });
        engine.setWorkMode(WidgetEngine::LoadDefinitions);
        engine.run();
        QCOMPARE(engine.pageTitles(), QStringList { QStringLiteral("Test Page") });
        QCOMPARE(engine.definition().valueRows.keys(), QList<int> { 70 });

        engine.setWorkMode(WidgetEngine::DeletePrinterTypes, { QStringLiteral("TEST-1") });
        engine.run();
        QCOMPARE(engine.lastResult(), DbOk);
        QCOMPARE(types.findPrinterType(QStringLiteral("TEST-1")).pritId(), 0);
        engine.setWorkMode(7);
        engine.run();
        QCOMPARE(completed.count(), 4);
    }
    void captionsShowTheirAnnotation_data() { addDeliveredTypeRows(); }

    // Every setting of a delivered printer explains itself, and clicking its caption or its
    // control shows the explanation, one bullet a line.
    void captionsShowTheirAnnotation()
    {
        QFETCH(QString, name);
        QFETCH(QString, code);
        QFETCH(int, language);
        DeliveredDatabase db;
        auto engine = deliveredEngine(db, name, code, language);
        const SettingsDefinition &def = engine->definition();
        FormulaEvaluator evaluator;
        SettingCodec codec(def, code, evaluator);
        const QByteArray block = plausibleBlock(def, codec);
        engine->setSettingBlock(block);
        engine->setDefaultBlock(block);
        engine->fillControls();
        AdminSettingsWidget page;
        page.setSections(engine->pageTitles());
        page.setPages(engine->pages());
        auto *panel = page.findChild<QTextEdit *>(QStringLiteral("annotationText"));
        QVERIFY(panel);

        QHash<QPair<int, int>, int> captionComment; // (section row id, grid row) -> comment
        int clicked = 0;
        for (const ControlRow &row : def.controlRows) {
            QWidget *control = engine->controlOf(row.rpcaId());
            const ControlKind kind = def.kindOf(row);
            const QString where = QStringLiteral("%1 row %2/%3 %4")
                                      .arg(row.rpplId())
                                      .arg(row.pageRow())
                                      .arg(row.pageCol())
                                      .arg(def.content(row.contentId()));
            if (kind == KindLabel)
                captionComment.insert(qMakePair(def.pageOf(row), row.pageRow()), row.comment());
            if (kind == KindButton || !control)
                continue;
            const QString annotation = def.content(row.comment());
            QVERIFY2(annotation.startsWith(QStringLiteral("◆")), qPrintable(where));
            QVERIFY2(annotation.count(QStringLiteral("◆")) >= 1, qPrintable(where));
            if (!control->isEnabled())
                continue;
            if (auto *combo = qobject_cast<AdOptionCombobox *>(control))
                emit combo->ClickedCombo(combo->state().annotation()); // a click opens its list
            else
                QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(2, 2));
            QCOMPARE(panel->toPlainText(),
                QString(annotation).replace(QStringLiteral("◆"), QStringLiteral("\n◆")));
            ++clicked;
        }
        QVERIFY(clicked > 20);
        // A caption explains the setting beside it.
        for (const ControlRow &row : def.valueRows) {
            const ControlKind kind = def.kindOf(row);
            if (row.pageCol() != 1 || kind == KindLabel || kind == KindButton)
                continue;
            const auto caption = captionComment.constFind(qMakePair(def.pageOf(row), row.pageRow()));
            if (caption != captionComment.constEnd())
                QCOMPARE(caption.value(), row.comment());
        }
        page.setPages({});
    }

    // Every section of every delivered printer fits the smallest window in both languages, and
    // each default text can be brought into view with room to be read.
    void sectionsFitTheSmallestWindow_data() { addDeliveredTypeRows(); }

    void sectionsFitTheSmallestWindow()
    {
        QFETCH(QString, name);
        QFETCH(QString, code);
        QFETCH(int, language);
        DeliveredDatabase db;
        auto engine = deliveredEngine(db, name, code, language);
        FormulaEvaluator evaluator;
        SettingCodec codec(engine->definition(), code, evaluator);
        const QByteArray block = plausibleBlock(engine->definition(), codec);
        engine->setSettingBlock(block);
        engine->setDefaultBlock(block);
        engine->fillControls();

        AdminSettingsWidget page;
        page.resize(1024, 690); // the window's least size below its title bar
        page.setSections(engine->pageTitles());
        page.setPages(engine->pages());
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        auto *list = page.findChild<QListWidget *>(QStringLiteral("sectionList"));
        auto *area = page.findChild<QScrollArea *>(QStringLiteral("scrollArea"));
        for (int i = 0; i < list->count(); ++i) {
            list->setCurrentRow(i);
            QCoreApplication::processEvents();
            const QString where = list->item(i)->text();
            // A section of captions, values and defaults fits; one with a further designed
            // column (a switch beside a value) may scroll sideways, its defaults still whole.
            QGridLayout *grid = gridOf(area->widget());
            int designedColumns = 0;
            for (int k = 0; k < grid->count(); ++k) {
                QWidget *w = grid->itemAt(k)->widget();
                int r, c, rs, cs;
                grid->getItemPosition(k, &r, &c, &rs, &cs);
                if (w && !qobject_cast<QPushButton *>(w)
                    && w->objectName() != QLatin1String("defaultText"))
                    designedColumns = qMax(designedColumns, c + 1);
            }
            if (designedColumns <= 2)
                QVERIFY2(area->horizontalScrollBar()->maximum() == 0, qPrintable(where));
            for (QLabel *label : area->widget()->findChildren<QLabel *>(QStringLiteral("defaultText"))) {
                if (label->isHidden())
                    continue;
                const QRect shown = QRect(label->mapTo(area->viewport(), QPoint()), label->size());
                QVERIFY2(label->geometry().right() < area->widget()->width(), qPrintable(where));
                QVERIFY2(shown.left() - area->horizontalScrollBar()->maximum()
                        < area->viewport()->width() - 60,
                    qPrintable(where));
                QVERIFY2(label->width() >= qMin(label->sizeHint().width(), 90),
                    qPrintable(where + QStringLiteral(": ") + label->text()));
            }
        }
        page.setPages({});
    }
};

QTEST_MAIN(tst_WidgetEngine)
#include "tst_widgetengine.moc"
