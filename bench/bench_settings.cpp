// Load, build, fill and collect of the largest delivered printer type, with the times each takes.
//   bench_settings [path/to/SWTDatabase.db]
#include <algorithm>

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QScriptEngine>
#include <QTextStream>
#include <QThread>

#include "database/printertypetable.h"
#include "database/settingsdatabase.h"
#include "settings_ui/widgetengine.h"
#include "settings_ui/adoptioncombobox.h"
#include "settings_ui/adoptionedit.h"
#include "settings_ui/adoptionspinbox.h"

namespace {
constexpr int kBlockSize = 1024;
constexpr int kRounds = 25;
constexpr double kBudgetMs = 5.0;
constexpr int kFreshEngineSamples = 200;

double ms(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

QByteArray randomBlock(QRandomGenerator &random)
{
    QByteArray block(kBlockSize, '\0');
    for (int i = 0; i < kBlockSize; ++i)
        block[i] = char(random.bounded(256));
    return block;
}

// Makes every value control count as changed, so that a collect writes all of them.
void touchAll(WidgetEngine &engine)
{
    const QString marker = QStringLiteral("\x01");
    for (const ControlRow &row : engine.definition().valueRows) {
        QWidget *control = engine.controlOf(row.rpcaId());
        if (auto *c = qobject_cast<AdOptionCombobox *>(control))
            c->state().setReferenceText(marker);
        else if (auto *e = qobject_cast<AdOptionEdit *>(control))
            e->state().setReferenceText(marker);
        else if (auto *s = qobject_cast<AdoptionSpinBox *>(control))
            s->state().setReferenceText(marker);
    }
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    const QString path
        = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(RK_DATABASE_PATH);
    const DatabaseLocation location(path);

    // The largest delivered printer type: the one with the most controls.
    QString largest;
    int largestRows = -1;
    for (const PrinterTypeRecord &type : PrinterTypeTable(location).allPrinterTypes()) {
        const int rows
            = loadSettingsDefinitionByName(location, type.pritName(), 1).controlRows.size();
        if (rows > largestRows) {
            largestRows = rows;
            largest = type.pritName();
        }
    }
    if (largestRows <= 0) {
        out << "no printer type with values in " << path << Qt::endl;
        return 2;
    }

    WidgetEngine engine(location);
    engine.setIdentity({ largest, QString(), QString(), 0, 1 });
    engine.setWorkMode(WidgetEngine::LoadDefinitions);
    QElapsedTimer timer;
    timer.start();
    engine.run();
    const double loadMs = ms(timer);
    timer.restart();
    engine.buildPages();
    const double buildMs = ms(timer);

    QRandomGenerator random(20240601);
    QVector<double> fills;
    QVector<double> collects;
    QVector<double> fullCollects;
    double firstFill = 0;
    for (int round = 0; round < kRounds; ++round) {
        // A new block each round: its values give formula texts not evaluated before.
        const QByteArray block = randomBlock(random);
        engine.setSettingBlock(block);
        engine.setDefaultBlock(randomBlock(random));
        timer.restart();
        engine.fillControls();
        fills << ms(timer);
        if (round == 0)
            firstFill = fills.last();
        timer.restart();
        engine.collect();
        collects << ms(timer);
        touchAll(engine);
        timer.restart();
        engine.collect();
        fullCollects << ms(timer);
    }

    timer.restart();
    for (int i = 0; i < kFreshEngineSamples; ++i) {
        QScriptEngine fresh;
        fresh.evaluate(QStringLiteral("(%1*256+%2)/10").arg(i % 127).arg(i % 251), QString(), 1);
    }
    const double freshMs = ms(timer) / kFreshEngineSamples;

    const double fill = median(fills);
    const double collect = median(collects);
    const double fullCollect = median(fullCollects);
    out << "printer type: " << largest << " (" << engine.definition().valueRows.size()
        << " value rows, " << largestRows << " controls, " << engine.pages().size() << " pages)"
        << Qt::endl;
    out << QStringLiteral("load definitions:        %1 ms").arg(loadMs, 0, 'f', 2) << Qt::endl;
    out << QStringLiteral("build pages:             %1 ms").arg(buildMs, 0, 'f', 2) << Qt::endl;
    out << QStringLiteral("fill, first:             %1 ms").arg(firstFill, 0, 'f', 3) << Qt::endl;
    out << QStringLiteral("fill, median of %1:      %2 ms").arg(kRounds).arg(fill, 0, 'f', 3)
        << Qt::endl;
    out << QStringLiteral("collect, median:         %1 ms").arg(collect, 0, 'f', 3) << Qt::endl;
    out << QStringLiteral("collect, every control:  %1 ms").arg(fullCollect, 0, 'f', 3) << Qt::endl;
    out << QStringLiteral("fill + collect:          %1 ms (budget %2 ms)")
               .arg(fill + fullCollect, 0, 'f', 3)
               .arg(kBudgetMs)
        << Qt::endl;
    out << QStringLiteral("one fresh script engine: %1 ms per evaluation").arg(freshMs, 0, 'f', 3)
        << Qt::endl;
    const bool within = fill + fullCollect < kBudgetMs && firstFill < kBudgetMs;
    out << (within ? "within budget" : "OVER BUDGET") << Qt::endl;
    return within ? 0 : 1;
}
