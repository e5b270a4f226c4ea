#include <QApplication>
#include <QCommandLineParser>
#include <QTranslator>

#include "core/automation.h"
#include "app/mainwindow.h"
#include "core/singleinstance.h"
#include "app/tipwidget.h"
#include "settings_ui/settingspreview.h"

namespace {
constexpr int kLanguageChinese = 0;
constexpr int kLanguageEnglish = 1;
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("RKMENU"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Printer setting tool"));
    parser.addHelpOption();
    const QCommandLineOption langOption(QStringLiteral("lang"),
                                        QStringLiteral("Language of the program: zh or en."),
                                        QStringLiteral("zh|en"), QStringLiteral("zh"));
    parser.addOption(langOption);
    const QCommandLineOption previewOption(
        QStringLiteral("preview"),
        QStringLiteral("Show the settings page of a printer type without a printer."),
        QStringLiteral("printer type"));
    const QCommandLineOption blockOption(QStringLiteral("block"),
                                         QStringLiteral("Setting block file for --preview."),
                                         QStringLiteral("file"));
    parser.addOption(previewOption);
    parser.addOption(blockOption);
    parser.process(app);
    const bool english = parser.value(langOption) == QLatin1String("en");

    // Installed even when the file is missing: the texts then stay English.
    QTranslator translator;
    const bool translated = !english
        && translator.load(QCoreApplication::applicationDirPath() + QStringLiteral("/Setwright.qm"));
    QCoreApplication::installTranslator(&translator);
    const int language = translated ? kLanguageChinese : kLanguageEnglish;

    if (parser.isSet(previewOption))
        return runSettingsPreview(parser.value(previewOption), parser.value(blockOption), language);

    SingleInstance guard(automation::instanceKey());
    if (!guard.acquire()) {
        TipWidget refusal;
        refusal.setMessage(QObject::tr("The software is already running!"), TipWidget::Info);
        refusal.exec();
        return 0;
    }

    int result = 0;
    {
        MainWindow window(language);
        window.show();
        result = app.exec();
    }
    return result;
}
