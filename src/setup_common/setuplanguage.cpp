#include "setup_common/setuplanguage.h"

#include <cstdio>

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

bool setuplanguage::chineseRequested(const QStringList &arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--lang") && i + 1 < arguments.size())
            return arguments.at(i + 1) != QLatin1String("en");
        if (argument.startsWith(QLatin1String("--lang=")))
            return argument.mid(7) != QLatin1String("en");
    }
    return true;
}

QStringList setuplanguage::withoutLanguage(const QStringList &arguments)
{
    QStringList rest;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (i > 0 && argument == QLatin1String("--lang")) {
            ++i;
            continue;
        }
        if (i > 0 && argument.startsWith(QLatin1String("--lang=")))
            continue;
        rest << argument;
    }
    return rest;
}

QStringList setuplanguage::translationFolders(const QString &programFolder)
{
    const QDir folder(programFolder);
    return { folder.absolutePath(), QDir::cleanPath(folder.absoluteFilePath(QStringLiteral("../share/rkmenu"))) };
}

bool setuplanguage::install(QCoreApplication &app)
{
    if (!chineseRequested(QCoreApplication::arguments()))
        return true;
    auto *translator = new QTranslator(&app);
    bool found = false;
    for (const QString &folder : translationFolders(QCoreApplication::applicationDirPath())) {
        if (translator->load(QStringLiteral("Setwright.qm"), folder)) {
            found = true;
            break;
        }
    }
    if (!found) {
        fprintf(stderr, "%s: the translation Setwright.qm was not found\n",
                qPrintable(QCoreApplication::applicationName()));
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    auto *qtTranslator = new QTranslator(&app);
    if (qtTranslator->load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                           QStringLiteral("_"), QLibraryInfo::location(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTranslator);
    else
        fprintf(stderr, "%s: Qt's own Chinese translation (qtbase_zh_CN.qm) was not found\n",
                qPrintable(QCoreApplication::applicationName()));
    return true;
}
