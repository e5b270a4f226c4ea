#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

// The language of RKSETUP and RKSELECT, chosen as RKMENU chooses its own: `--lang zh` (the
// default) or `--lang en`. Chinese loads the tool set's translation Setwright.qm and Qt's own
// (standard buttons), so the package's programs speak the language RKMENU speaks.
namespace setuplanguage {

// True unless the arguments ask for English ("--lang en" or "--lang=en").
bool chineseRequested(const QStringList &arguments);

// The arguments without the language choice, for a program that reads its own arguments.
QStringList withoutLanguage(const QStringList &arguments);

// Where Setwright.qm is looked for, in order: beside the program, then the installed data folder
// ../share/rkmenu.
QStringList translationFolders(const QString &programFolder);

// Installs the translators on the application for the language the arguments ask for; they live
// as long as the application. False when Chinese was asked for but Setwright.qm was not found
// (the texts then stay English).
bool install(QCoreApplication &app);

} // namespace setuplanguage
