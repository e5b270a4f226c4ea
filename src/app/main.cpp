#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QCommandLineParser>
#include <QTranslator>

#include "core/automation.h"
#include "core/datapaths.h"
#include "app/mainwindow.h"
#include "connect_ui/connectpanel.h"
#include "core/restart.h"
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
        && translator.load(datapaths::dataFile(QStringLiteral("Setwright.qm")));
    QCoreApplication::installTranslator(&translator);
    const int language = translated ? kLanguageChinese : kLanguageEnglish;
    // Qt's own texts (file dialogs, standard buttons): a copy beside Setwright.qm first, then
    // Qt's installed translations.
    QTranslator qtTranslator;
    if (translated) {
        const QLocale chinese(QLocale::Chinese, QLocale::China);
        const QString prefix = QStringLiteral("qtbase");
        const QString separator = QStringLiteral("_");
        if (qtTranslator.load(chinese, prefix, separator, datapaths::dataFolder())
            || qtTranslator.load(chinese, prefix, separator,
                                 QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(&qtTranslator);
        else
            fprintf(stderr, "RKMENU: Qt's own Chinese translation (qtbase_zh_CN.qm) was not found\n");
    }

    if (parser.isSet(previewOption))
        return runSettingsPreview(parser.value(previewOption), parser.value(blockOption), language);

    int result = 0;
    {
        SingleInstance guard(automation::instanceKey());
        if (!guard.acquire()) {
            TipWidget refusal;
            refusal.setMessage(QObject::tr("The software is already running!"), TipWidget::Info);
            refusal.exec();
            return 0;
        }
        MainWindow window(language);
        window.show();
        const int restartAfterMs = automation::takeRestartAfterMs();
        if (restartAfterMs >= 0)
            QTimer::singleShot(restartAfterMs, window.connectPanel()->restartButton(),
                               &QPushButton::click);
        result = app.exec();
    }
    if (result != restart::kExitCode)
        return result;
    // The window and the guard are gone: the new copy is the only one.
    QString why;
    const qint64 pid = restart::startAgain(QCoreApplication::applicationFilePath(),
                                           QCoreApplication::arguments().mid(1), QDir::currentPath(), &why);
    if (pid == 0) {
        fprintf(stderr, "RKMENU: could not start again: %s\n", qPrintable(why));
        return 1;
    }
    fprintf(stderr, "RKMENU: started again as process %lld\n", static_cast<long long>(pid));
    return 0;
}
