#include "settings_ui/settingspreview.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QRegularExpression>
#include <QScreen>
#include <QTextStream>
#include <QThread>

#include "database/printertypetable.h"
#include "database/settingsdatabase.h"
#include "settings_ui/widgetengine.h"
#include "settings_ui/adminsettingswidget.h"

namespace {
constexpr int kBlockSize = 1024;
constexpr int kWindowWidth = 1280;
constexpr int kWindowHeight = 760;
const QString kFallbackPrefix = QStringLiteral("main_");

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

// Prints the positions a save would change, for designers checking their formulas.
void reportChanges(const QByteArray &before, const QByteArray &after)
{
    int changes = 0;
    for (int p = 0; p < qMin(before.size(), after.size()); ++p) {
        if (before.at(p) == after.at(p))
            continue;
        out() << QStringLiteral("position %1: %2 -> %3")
                     .arg(p)
                     .arg(quint8(before.at(p)))
                     .arg(quint8(after.at(p)))
              << Qt::endl;
        ++changes;
    }
    out() << QStringLiteral("%1 byte(s) changed").arg(changes) << Qt::endl;
}
} // namespace

QString previewTypeCode(const QString &typeName)
{
    if (typeName.startsWith(kFallbackPrefix))
        return typeName.mid(kFallbackPrefix.size());
    // The delivered printers; any other type shows with the general rules.
    static const QList<QPair<QString, QString>> known { { QStringLiteral("RK-5200"),
                                                            QStringLiteral("0000") },
        { QStringLiteral("RK-5200_NEW"), QStringLiteral("0000") },
        { QStringLiteral("MV-4410C"), QStringLiteral("0302") },
        { QStringLiteral("ZN-470 KW"), QStringLiteral("0701") },
        { QStringLiteral("RP-58S"), QStringLiteral("0501") },
        { QStringLiteral("QuenbyQP-80"), QStringLiteral("0904") },
        { QStringLiteral("BX-580"), QStringLiteral("0C01") },
        { QStringLiteral("MV-4310"), QStringLiteral("0301") },
        { QStringLiteral("ZN-480 W"), QStringLiteral("0B01") },
        { QStringLiteral("ZN-350 BT"), QStringLiteral("0703") } };
    for (const auto &entry : known) {
        if (entry.first == typeName)
            return entry.second;
    }
    return QString();
}

bool readBlockFile(const QString &path, QByteArray *block, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    QByteArray bytes = file.readAll();
    static const QRegularExpression hexText(QStringLiteral("^[0-9A-Fa-f\\s]+$"));
    const QString asText = QString::fromLatin1(bytes);
    if (!bytes.isEmpty() && hexText.match(asText).hasMatch()) {
        QString digits = asText;
        digits.remove(QRegularExpression(QStringLiteral("\\s")));
        if (digits.size() % 2 != 0) {
            *error = QStringLiteral("%1: odd number of hexadecimal digits").arg(path);
            return false;
        }
        bytes = QByteArray::fromHex(digits.toLatin1());
    }
    if (bytes.size() > kBlockSize) {
        *error = QStringLiteral("%1: %2 bytes, a setting block has %3")
                     .arg(path)
                     .arg(bytes.size())
                     .arg(kBlockSize);
        return false;
    }
    bytes.append(QByteArray(kBlockSize - bytes.size(), '\0'));
    *block = bytes;
    return true;
}

int runSettingsPreview(
    const QString &typeName, const QString &blockFile, int language, const QString &typeCode)
{
    const DatabaseLocation location
        = DatabaseLocation::delivered([](const QString &title, const QString &text) {
              err() << title << ": " << text << Qt::endl;
          });

    QByteArray block(kBlockSize, '\0');
    if (!blockFile.isEmpty()) {
        QString error;
        if (!readBlockFile(blockFile, &block, &error)) {
            err() << error << Qt::endl;
            return 2;
        }
    }

    const PrinterTypeRecord type = PrinterTypeTable(location).findPrinterType(typeName);
    if (type.pritId() == 0) {
        err() << QStringLiteral("No printer type \"%1\" in %2. Known types:")
                     .arg(typeName, location.filePath())
              << Qt::endl;
        for (const PrinterTypeRecord &known : PrinterTypeTable(location).allPrinterTypes())
            err() << "  " << known.pritName() << Qt::endl;
        return 2;
    }

    SettingsIdentity identity;
    identity.modelName = typeName;
    identity.typeCode = typeCode.isEmpty() ? previewTypeCode(typeName) : typeCode;
    identity.language = language;

    // The engine loads on its own thread, as it does for a connected printer.
    WidgetEngine engine(location);
    engine.setIdentity(identity);
    engine.setLegacyVariant(typeName == QLatin1String("RK-5200"));
    engine.setWorkMode(WidgetEngine::LoadDefinitions);
    QThread engineThread;
    engine.moveToThread(&engineThread);
    QObject::connect(&engineThread, &QThread::started, &engine, &WidgetEngine::run);
    QObject::connect(
        &engine, &WidgetEngine::workCompleted, &engineThread, &QThread::quit, Qt::DirectConnection);
    engineThread.start();
    engineThread.wait();

    engine.buildPages();
    engine.setSettingBlock(block);
    engine.setDefaultBlock(block);
    engine.fillControls();

    AdminSettingsWidget page;
    page.setWindowTitle(QStringLiteral("RKMENU — %1").arg(typeName));
    page.setHeaderTexts(typeName, QStringLiteral("-"), QObject::tr("Preview"));
    page.setSections(engine.pageTitles());
    page.setPages(engine.pages());

    const QByteArray original = block;
    QObject::connect(&page, &AdminSettingsWidget::saveSettings, &page, [&engine] {
        const QByteArray before = engine.settingBlock();
        engine.collect();
        reportChanges(before, engine.settingBlock());
    });
    QObject::connect(
        &page, &AdminSettingsWidget::refreshSettings, &page, [&engine] { engine.fillControls(); });
    QObject::connect(&page, &AdminSettingsWidget::resetSettings, &page, [&engine, original] {
        engine.setSettingBlock(original);
        engine.fillControls();
    });
    QObject::connect(&page, &AdminSettingsWidget::exportSettings, &page, [&engine, &page] {
        const QString path = QFileDialog::getSaveFileName(&page, QObject::tr("Export"));
        if (path.isEmpty())
            return;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)
            || file.write(engine.collectedBlock(engine.settingBlock())) != kBlockSize)
            err() << QStringLiteral("cannot write %1: %2").arg(path, file.errorString())
                  << Qt::endl;
    });
    QObject::connect(&page, &AdminSettingsWidget::importSettings, &page, [&engine, &page] {
        const QString path = QFileDialog::getOpenFileName(&page, QObject::tr("Import"));
        if (path.isEmpty())
            return;
        QByteArray imported;
        QString error;
        if (!readBlockFile(path, &imported, &error)) {
            err() << error << Qt::endl;
            return;
        }
        engine.setSettingBlock(imported);
        engine.fillControls(true);
    });

    // No larger than the screen, so that a small screen shows the page as the window would.
    QSize size(kWindowWidth, kWindowHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize());
    page.resize(size);
    page.show();
    const int result = QApplication::exec();
    // The page borrowed the section widgets; the engine deletes them.
    page.setPages({});
    return result;
}
