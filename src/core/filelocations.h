#pragma once

#include <QString>

// Where the file dialogs start: the desktop folder when there is one, else the home folder.
namespace filelocations {

QString dialogFolder();
// The same choice for given folders, so that it can be tried with folders of one's own.
QString dialogFolder(const QString &desktop, const QString &home);

// The file the Export dialog proposes: the model's name as the file name, in the dialog folder.
QString proposedExportFile(const QString &folder, const QString &modelName);

} // namespace filelocations
