#include <QCheckBox>
#include <QGridLayout>
#include <QLocale>
#include <QtTest>

#include "definitionbuilder.h"
#include "engine/formulaevaluator.h"
#include "engine/settingrules.h"
#include "engine/settingsmodel.h"
#include "settings_ui/widgetengine.h"
#include "printerprofile.h"
#include "settings_ui/adoptioncombobox.h"
#include "settings_ui/adoptionedit.h"
#include "settings_ui/adoptionlabel.h"
#include "settings_ui/adoptionspinbox.h"

namespace {
// A delivered printer as the simulator plays it, with what its identification gives.
struct Printer
{
    QString profile;
    QString model;
    QString head;
    QString code;
    bool legacy = false;
};

const QList<Printer> &deliveredPrinters()
{
    static const QList<Printer> printers {
        { QStringLiteral("rk5200-legacy"), QStringLiteral("RK5200"), QStringLiteral("24"),
            QStringLiteral("0000"), true },
        { QStringLiteral("rk5200-new"), QStringLiteral("RK5200"), QStringLiteral("31"),
            QStringLiteral("0000"), false },
        { QStringLiteral("mv4410c"), QStringLiteral("MV-4410C"), QString(),
            QStringLiteral("0302") },
        { QStringLiteral("zn470kw"), QStringLiteral("ZN-470 KW"), QString(),
            QStringLiteral("0701") },
        { QStringLiteral("rp0501"), QStringLiteral("RP-58S"), QString(), QStringLiteral("0501") },
        { QStringLiteral("qp80"), QStringLiteral("QuenbyQP-80"), QString(),
            QStringLiteral("0904") },
        { QStringLiteral("rk7300"), QStringLiteral("RK-7300"), QString(), QStringLiteral("0901") },
        { QStringLiteral("bx580"), QStringLiteral("BX-580"), QString(), QStringLiteral("0C01") },
        { QStringLiteral("mv4310"), QStringLiteral("MV-4310"), QString(), QStringLiteral("0301") },
        { QStringLiteral("zn480w"), QStringLiteral("ZN-480 W"), QString(), QStringLiteral("0B01") },
        { QStringLiteral("zn350bt"), QStringLiteral("ZN-350 BT"), QString(),
            QStringLiteral("0703") },
        { QStringLiteral("rk3000"), QStringLiteral("RK-3000"), QString(), QString() },
    };
    return printers;
}

Printer printerOf(const QString &profile)
{
    for (const Printer &p : deliveredPrinters()) {
        if (p.profile == profile)
            return p;
    }
    return {};
}

// "position=value" changes to a block.
using Patches = QMap<int, int>;

QString shownText(QWidget *control)
{
    if (auto *c = qobject_cast<AdOptionCombobox *>(control))
        return c->currentText();
    if (auto *s = qobject_cast<AdoptionSpinBox *>(control))
        return s->text();
    if (auto *e = qobject_cast<AdOptionEdit *>(control))
        return e->text();
    return QString();
}

// The widget in the grid cell next to a control (offset -1: left, +1: right).
QWidget *neighbour(QWidget *control, int offset)
{
    QWidget *page = control->parentWidget();
    auto *grid = page ? page->findChild<QGridLayout *>(QStringLiteral("Layout0")) : nullptr;
    if (!grid)
        return nullptr;
    int row = 0;
    int col = 0;
    int rows = 0;
    int cols = 0;
    grid->getItemPosition(grid->indexOf(control), &row, &col, &rows, &cols);
    QLayoutItem *item = grid->itemAtPosition(row, col + offset);
    return item ? item->widget() : nullptr;
}

// The settings page and the model for one printer, both from the delivered database.
struct Pair
{
    DeliveredDatabase db;
    std::unique_ptr<WidgetEngine> engine;
    std::unique_ptr<SettingsModel> model;
    Printer printer;
};

std::unique_ptr<Pair> makePair(
    const Printer &printer, int language, const QByteArray &block, const QByteArray &defaults)
{
    auto pair = std::make_unique<Pair>();
    pair->printer = printer;
    pair->engine = std::make_unique<WidgetEngine>(pair->db.location());
    pair->engine->setIdentity({ printer.model, printer.head, printer.code, 0, language });
    pair->engine->setLegacyVariant(printer.legacy);
    pair->engine->setWorkMode(WidgetEngine::LoadDefinitions);
    pair->engine->run();
    pair->engine->buildPages();
    pair->engine->setSettingBlock(block);
    pair->engine->setDefaultBlock(defaults);
    pair->engine->fillControls();
    pair->model
        = std::make_unique<SettingsModel>(pair->engine->definition(), printer.code, printer.legacy);
    pair->model->setSettingBlock(block);
    pair->model->setDefaultBlock(defaults);
    return pair;
}

PrinterProfile loadProfile(const QString &id)
{
    PrinterProfile profile;
    QString error;
    if (!PrinterProfile::load(id, &profile, &error))
        qFatal("profile %s: %s", qPrintable(id), qPrintable(error));
    return profile;
}

QByteArray patched(QByteArray block, const Patches &patches)
{
    for (auto it = patches.cbegin(); it != patches.cend(); ++it)
        block[it.key()] = char(it.value());
    return block;
}

// A value the control does not show now, in the form a user would type it.
QString otherValue(const SettingsModel &model, const SettingItem &item, QWidget *control)
{
    const ControlRow row = model.definition().controlRows.value(item.rpcaId);
    switch (item.kind) {
    case KindComboBox:
        for (int i = item.choices.size() - 1; i >= 0; --i) {
            if (item.choices.at(i) != item.value)
                return item.choices.at(i);
        }
        return QString();
    case KindSpinBox: {
        auto *spin = qobject_cast<AdoptionSpinBox *>(control);
        double value = spin->minimum() + (spin->maximum() - spin->minimum()) / 3;
        if (QString::number(value, 'f', spin->decimals()) + spin->suffix() == item.value)
            value = spin->minimum();
        return QString::number(value, 'f', spin->decimals()) + spin->suffix();
    }
    case KindEdit: {
        FormulaEvaluator evaluator;
        SettingCodec codec(model.definition(), model.typeCode(), evaluator);
        const SettingRules::EditField field = codec.editField(row);
        switch (field.form) {
        case SettingRules::FieldForm::Number:
            return item.value == QLatin1String("7") ? QStringLiteral("8") : QStringLiteral("7");
        case SettingRules::FieldForm::Text:
            return QStringLiteral("RK-test-2024").left(model.editLimit(row));
        case SettingRules::FieldForm::Ipv4:
            return QStringLiteral("10.20.30.40");
        case SettingRules::FieldForm::HexBytes: {
            QStringList pairs;
            for (int i = 0; i < field.length; ++i)
                pairs << QStringLiteral("%1").arg(0xA0 + i, 2, 16).toUpper();
            return pairs.join(QLatin1Char('.'));
        }
        case SettingRules::FieldForm::Ipv6LinkLocal:
            break;
        }
        return QString();
    }
    default:
        return QString();
    }
}

// Enters a value into a page control the way a user would.
void enter(QWidget *control, const QString &value, const QString &typeCode, int position)
{
    if (auto *combo = qobject_cast<AdOptionCombobox *>(control)) {
        combo->setCurrentIndex(combo->findText(value));
    } else if (auto *spin = qobject_cast<AdoptionSpinBox *>(control)) {
        spin->setValue(spin->valueFromText(value));
    } else if (auto *edit = qobject_cast<AdOptionEdit *>(control)) {
        edit->setText(value);
        // An edit box behind a "Define" switch is written only with the switch on.
        if (SettingRules::gatedByCheckBox(typeCode, position)) {
            if (auto *gate = qobject_cast<QCheckBox *>(neighbour(control, 1)))
                gate->setChecked(true);
        }
    }
}
} // namespace

// The settings model against the settings page itself: the same texts for the same blocks, and
// the same bytes for the same entries.
class tst_SettingsModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // The spin boxes write numbers in the widgets' locale; the model in the C locale.
        QLocale::setDefault(QLocale::c());
    }

    void showsWhatThePageShows_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<int>("language");
        QTest::addColumn<bool>("plausible");
        QTest::addColumn<Patches>("patches");
        QTest::addColumn<QList<int>>("unknown"); // positions whose bytes have no value
        for (const Printer &p : deliveredPrinters()) {
            QTest::newRow(qPrintable(p.profile))
                << p.profile << 1 << false << Patches() << QList<int>();
            QTest::newRow(qPrintable(p.profile + QStringLiteral(", other values")))
                << p.profile << 1 << true << Patches() << QList<int>();
        }
        QTest::newRow("zn470kw in Chinese") << "zn470kw" << 0 << false << Patches() << QList<int>();
        QTest::newRow("rk5200-legacy, quality byte 0")
            << "rk5200-legacy" << 1 << false << Patches { { 185, 0 } } << QList<int>();
        QTest::newRow("rk5200-new, quality byte 0")
            << "rk5200-new" << 1 << false << Patches { { 185, 0 } } << QList<int>();
        QTest::newRow("mv4410c, no colour ribbon")
            << "mv4410c" << 1 << false << Patches { { 583, 0 }, { 218, 0 } } << QList<int>();
        QTest::newRow("zn470kw, parallel interface")
            << "zn470kw" << 1 << false << Patches { { 232, 2 } } << QList<int>();
        QTest::newRow("zn470kw, bytes without option")
            << "zn470kw" << 1 << false << Patches { { 100, 250 }, { 224, 99 } }
            << QList<int> { 100, 224 };
    }

    void showsWhatThePageShows()
    {
        QFETCH(QString, profile);
        QFETCH(int, language);
        QFETCH(bool, plausible);
        QFETCH(Patches, patches);
        QFETCH(QList<int>, unknown);
        const Printer printer = printerOf(profile);
        const PrinterProfile loaded = loadProfile(profile);
        QByteArray block = patched(loaded.settingBlock, patches);
        auto pair = makePair(printer, language, block, loaded.defaultBlock);
        if (plausible) {
            FormulaEvaluator evaluator;
            SettingCodec codec(pair->engine->definition(), printer.code, evaluator);
            block = plausibleBlock(pair->engine->definition(), codec);
            pair->engine->setSettingBlock(block);
            pair->engine->fillControls();
            pair->model->setSettingBlock(block);
        }

        const QVector<SettingItem> items = pair->model->items();
        QVERIFY(!items.isEmpty());
        QSet<int> listed;
        for (const SettingItem &item : items) {
            listed.insert(item.rpcaId);
            QWidget *control = pair->engine->controlOf(item.rpcaId);
            QVERIFY2(control, qPrintable(item.name));
            const QString where = item.name + QStringLiteral(" @") + QString::number(item.position);
            QVERIFY2(!control->isHidden() == item.visible, qPrintable(where));
            QVERIFY2(control->isEnabled() == item.enabled, qPrintable(where));
            if (auto *label = qobject_cast<AdoptionLabel *>(neighbour(control, -1)))
                QCOMPARE(item.caption, label->text());
            QCOMPARE(item.defaultValue, OptionControlState::of(control)->defaultText());
            // Bytes without a value leave the page showing an earlier value; the model says so.
            if (item.valueKnown || item.kind == KindEdit)
                QVERIFY2(item.value == shownText(control),
                    qPrintable(where + QStringLiteral(": ") + item.value + QStringLiteral(" / ")
                        + shownText(control)));
            if (auto *combo = qobject_cast<AdOptionCombobox *>(control)) {
                QStringList texts;
                for (int i = 0; i < combo->count(); ++i)
                    texts << combo->itemText(i);
                QCOMPARE(item.choices, texts);
            }
            QCOMPARE(item.name.section(QLatin1Char('/'), 0, 0), item.pageTitle);
        }
        // Every value control the page fills is listed.
        for (const ControlRow &row : pair->engine->definition().valueRows) {
            const ControlKind kind = pair->engine->definition().kindOf(row);
            if (pair->engine->controlOf(row.rpcaId())
                && (kind == KindComboBox || kind == KindEdit || kind == KindSpinBox))
                QVERIFY2(
                    listed.contains(row.rpcaId()), qPrintable(QString::number(row.bytePosition())));
        }
        for (int position : unknown) {
            SettingItem item;
            QVERIFY(pair->model->find(QStringLiteral("@%1").arg(position), &item));
            QVERIFY(!item.valueKnown);
            QVERIFY(item.value.isEmpty());
        }
    }

    void writesWhatThePageWrites_data()
    {
        QTest::addColumn<QString>("profile");
        for (const Printer &p : deliveredPrinters())
            QTest::newRow(qPrintable(p.profile)) << p.profile;
    }

    // Every control the page would save gets another value, on the page and in the model, one
    // after the other; after each the two blocks are the same.
    void writesWhatThePageWrites()
    {
        QFETCH(QString, profile);
        const Printer printer = printerOf(profile);
        const PrinterProfile loaded = loadProfile(profile);
        auto pair = makePair(printer, 1, loaded.settingBlock, loaded.defaultBlock);
        int written = 0;
        for (const SettingItem &listed : pair->model->items()) {
            SettingItem item;
            QVERIFY(pair->model->find(listed.name, &item));
            if (!item.visible || !item.enabled || !item.savedWithPage)
                continue;
            QWidget *control = pair->engine->controlOf(item.rpcaId);
            const QString value = otherValue(*pair->model, item, control);
            if (value.isEmpty())
                continue;
            enter(control, value, printer.code, item.position);
            pair->engine->collect();
            QString message;
            const SettingsModel::Apply result = pair->model->apply(item.name, value, &message);
            QVERIFY2(result == SettingsModel::Apply::Changed, qPrintable(message));
            pair->model->collect(); // as rkctl set does before writing
            for (int p = 0; p < 1024; ++p) {
                QVERIFY2(pair->model->settingBlock().at(p) == pair->engine->settingBlock().at(p),
                    qPrintable(
                        QStringLiteral("%1 = %2: position %3").arg(item.name, value).arg(p)));
            }
            // As after a save and a read: the page shows the block anew, as the model does.
            pair->engine->fillControls();
            SettingItem after;
            pair->model->find(item.name, &after);
            QCOMPARE(after.value, shownText(control));
            ++written;
        }
        QVERIFY(written > 0);
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<Patches>("patches");
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<int>("result");
        const int changed = int(SettingsModel::Apply::Changed);
        const int unchanged = int(SettingsModel::Apply::Unchanged);
        const int unknown = int(SettingsModel::Apply::UnknownName);
        const int invalid = int(SettingsModel::Apply::InvalidValue);
        const int refused = int(SettingsModel::Apply::NotSettable);
        QTest::newRow("case forgiven") << "zn470kw" << Patches { { 224, 0 } }
                                       << "print setup/print speed=high SPEED" << changed;
        QTest::newRow("same text") << "zn470kw" << Patches { { 224, 1 } }
                                   << "Print Setup/Print Speed=High speed" << unchanged;
        QTest::newRow("same number, other form")
            << "zn470kw" << Patches { { 114, 0 }, { 115, 127 } } << "Paper Setup/Top Margin=12.7mm"
            << unchanged;
        QTest::newRow("rounded into the range")
            << "zn470kw" << Patches() << "Paper Setup/Top Margin=50.804" << changed;
        QTest::newRow("by position")
            << "zn470kw" << Patches { { 224, 0 } } << "@224=Quiet" << changed;
        QTest::newRow("no such page")
            << "zn470kw" << Patches() << "Nowhere/Print Speed=Quiet" << unknown;
        QTest::newRow("no such number")
            << "zn470kw" << Patches() << "Print Setup/Print Speed#2=Quiet" << unknown;
        QTest::newRow("no assignment")
            << "zn470kw" << Patches() << "Print Setup/Print Speed" << invalid;
        QTest::newRow("no such choice")
            << "zn470kw" << Patches() << "Print Setup/Print Speed=Turbo" << invalid;
        QTest::newRow("above the range")
            << "zn470kw" << Patches() << "Paper Setup/Top Margin=50.9" << invalid;
        QTest::newRow("below the range")
            << "zn470kw" << Patches() << "Paper Setup/Top Margin=-1" << invalid;
        QTest::newRow("not a number")
            << "zn470kw" << Patches() << "Paper Setup/Top Margin=wide" << invalid;
        QTest::newRow("left to the Wi-Fi button")
            << "zn470kw" << Patches() << "Wifi Setup/Network Name (SSID)=Office" << refused;
        QTest::newRow("left to the Bluetooth button")
            << "rp0501" << Patches() << "Bluetooth Setup/Pass Code=1234" << refused;
        QTest::newRow("hidden by the interface")
            << "zn470kw" << Patches { { 232, 2 } } << "Interface Setup/Baud Rate=9600" << refused;
        QTest::newRow("shown disabled")
            << "mv4410c" << Patches { { 583, 0 } } << "Print Setup/Dot Aspect=10.6:8" << refused;
        QTest::newRow("number text too long")
            << "rk5200-new" << Patches() << "Paper Setup/Left Margin Columns=" + QString(81, '1')
            << invalid;
        QTest::newRow("letters in a number")
            << "rk5200-new" << Patches() << "Paper Setup/Left Margin Columns=ten" << invalid;
        QTest::newRow("empty entry")
            << "rk5200-new" << Patches() << "Paper Setup/Left Margin Columns=" << invalid;
    }

    void refusals()
    {
        QFETCH(QString, profile);
        QFETCH(Patches, patches);
        QFETCH(QString, assignment);
        QFETCH(int, result);
        const PrinterProfile loaded = loadProfile(profile);
        const Printer printer = printerOf(profile);
        auto pair
            = makePair(printer, 1, patched(loaded.settingBlock, patches), loaded.defaultBlock);
        const QByteArray before = pair->model->settingBlock();
        QString message;
        QCOMPARE(int(pair->model->applyAssignment(assignment, &message)), result);
        QVERIFY(!message.isEmpty());
        if (result != int(SettingsModel::Apply::Changed))
            QCOMPARE(pair->model->settingBlock(), before);
        else
            QVERIFY(pair->model->settingBlock() != before);
    }

    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("position");
        QTest::newRow("label caption") << "Network/Address" << 10;
        QTest::newRow("any case") << "nETWORK/address" << 10;
        QTest::newRow("own caption") << "Network/Basic" << 14;
        QTest::newRow("first, numbered") << "Network/Basic#1" << 14;
        QTest::newRow("second in page order") << "Network/Basic#2" << 18;
        QTest::newRow("third") << "Network/Basic#3" << 22;
        QTest::newRow("no fourth") << "Network/Basic#4" << -1;
        QTest::newRow("numbered per page") << "Other/Basic" << 30;
        QTest::newRow("no second address") << "Network/Address#2" << -1;
        QTest::newRow("caption alone") << "Address" << -1;
        QTest::newRow("position") << "@22" << 22;
        QTest::newRow("position without control") << "@23" << -1;
        QTest::newRow("spaces around") << "  Network/Basic#2 " << 18;
    }

    void names()
    {
        QFETCH(QString, name);
        QFETCH(int, position);
        DefinitionBuilder b({ QStringLiteral("Network"), QStringLiteral("Other") });
        b.add(DefinitionBuilder::control(KindLabel, 0, QStringLiteral("Address")).at(0, 0, 0));
        b.add(DefinitionBuilder::edit(10, 4, QStringLiteral("Basic")).at(0, 0, 1));
        b.add(DefinitionBuilder::edit(14, 4, QStringLiteral("Basic")).at(0, 1, 1));
        // Added before the one above it on the page: numbering follows the page, not the rows.
        b.add(DefinitionBuilder::edit(22, 4, QStringLiteral("Basic")).at(0, 3, 1));
        b.add(DefinitionBuilder::edit(18, 4, QStringLiteral("Basic")).at(0, 2, 1));
        DefinitionBuilder::Row other
            = DefinitionBuilder::combo(30, { QStringLiteral("A"), QStringLiteral("B") });
        other.caption = QStringLiteral("Basic");
        b.add(other.at(1, 0, 1));
        SettingsModel model(b.def, QStringLiteral("0000"));
        model.setSettingBlock(QByteArray(1024, '\0'));
        SettingItem item;
        QString why;
        const bool found = model.find(name, &item, &why);
        QCOMPARE(found, position >= 0);
        if (found)
            QCOMPARE(item.position, position);
        else
            QVERIFY(why.contains(name));
        QStringList names;
        for (const SettingItem &listed : model.items())
            names << listed.name;
        QCOMPARE(names,
            QStringList({ QStringLiteral("Network/Address"), QStringLiteral("Network/Basic"),
                QStringLiteral("Network/Basic#2"), QStringLiteral("Network/Basic#3"),
                QStringLiteral("Other/Basic") }));
    }

    void collectSavesWhatIsShown_data()
    {
        QTest::addColumn<QString>("profile");
        QTest::addColumn<Patches>("patches");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<Patches>("saved");
        QTest::newRow("rk5200 old firmware, quality byte 0")
            << "rk5200-legacy" << Patches { { 185, 0 } } << 185
            << QStringLiteral("Letter quality") << Patches { { 185, 4 } };
        QTest::newRow("0302, speed item taken off the list")
            << "mv4410c" << Patches { { 224, 2 } } << 224 << QStringLiteral("Normal")
            << Patches { { 224, 0 } };
        // 5.0 mm read, less the display offset of 27, is below the range: 0 is shown.
        QTest::newRow("RP-58S, top of form below the range")
            << "rp0501" << Patches { { 282, 0 }, { 283, 50 } } << 282
            << QStringLiteral("0.00 mm") << Patches { { 282, 1 }, { 283, 14 } };
        QTest::newRow("byte without an item stays")
            << "zn470kw" << Patches { { 224, 99 } } << 224 << QString()
            << Patches { { 224, 99 } };
    }

    // Save writes what the controls show, on the page and in the model alike, also where that
    // is not what the printer holds.
    void collectSavesWhatIsShown()
    {
        QFETCH(QString, profile);
        QFETCH(Patches, patches);
        QFETCH(int, position);
        QFETCH(QString, shown);
        QFETCH(Patches, saved);
        const PrinterProfile loaded = loadProfile(profile);
        auto pair = makePair(printerOf(profile), 1, patched(loaded.settingBlock, patches),
            loaded.defaultBlock);
        SettingItem item;
        QVERIFY(pair->model->find(QStringLiteral("@%1").arg(position), &item));
        QCOMPARE(item.value, shown);
        if (item.valueKnown)
            QCOMPARE(shownText(pair->engine->controlOf(item.rpcaId)), shown);
        QVERIFY(!pair->engine->hasUnsavedChanges());
        pair->engine->collect();
        pair->model->collect();
        for (auto it = saved.cbegin(); it != saved.cend(); ++it) {
            QCOMPARE(int(quint8(pair->engine->settingBlock().at(it.key()))), it.value());
            QCOMPARE(int(quint8(pair->model->settingBlock().at(it.key()))), it.value());
        }
        QCOMPARE(pair->model->settingBlock(), pair->engine->settingBlock());
        // Saved and read again, the block shows the same and collects to itself.
        const QByteArray block = pair->model->settingBlock();
        pair->model->collect();
        QCOMPARE(pair->model->settingBlock(), block);
    }
};

QTEST_MAIN(tst_SettingsModel)
#include "tst_settingsmodel.moc"
