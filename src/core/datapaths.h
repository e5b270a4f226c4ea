#pragma once

#include <QString>

// Where the delivered files (settings database, translation, help) lie. In the build tree they
// sit beside the programs; an installed program finds them in ../share/rkmenu next to its bin
// folder, whatever the prefix. Every lookup of a delivered file goes through here.
namespace datapaths {

// The delivered files' folder for a program in `programFolder`: `programFolder`/../share/rkmenu
// when that folder exists, else `programFolder` itself.
QString dataFolder(const QString &programFolder);
// The same for the running program.
QString dataFolder();
// A delivered file by name, in the running program's data folder.
QString dataFile(const QString &name);

// True when the data folder is the installed share/rkmenu: the files there belong to the
// system and are never changed in place.
bool installedLayout(const QString &programFolder);

// The user's own data folder for this tool set: $XDG_DATA_HOME/rkmenu (~/.local/share/rkmenu).
// The same for every program of the set, whatever its name; empty without a home folder.
QString userDataFolder();

} // namespace datapaths
