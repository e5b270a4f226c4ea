#pragma once

#include <QString>

// Paths inside a package written for Windows: names in its INI files use backslashes and may
// differ in case from the files on the medium.
namespace packagepath {

// The longest start folder the programs accept.
constexpr int kMaxFolderLength = 100;

bool folderTooLong(const QString &folder);

// `folder`/`relative`, with backslashes taken as separators; every part that does not exist as
// written is matched without regard to case. The joined path when nothing matches.
QString resolve(const QString &folder, const QString &relative);

// The program's own INI: its file name without extension, ".INI", in `folder`.
QString setupFile(const QString &folder, const QString &programPath);

// Texts both programs show for their start folder and their INI file.
QString folderTooLongText();
QString missingSetupFileText();
QString failedSetupFileText();

} // namespace packagepath
