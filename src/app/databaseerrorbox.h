#pragma once

#include "database/settingsdatabase.h"

// The program's way of telling that the settings file cannot be opened: a critical message box
// without parent and a single "Cancel" button, shown on the user-interface thread whichever
// thread the database was opened from.
DatabaseLocation::OpenFailureHook databaseErrorBox();

// The same box for a change the database refused (read-only or locked file, a broken rule of the
// data): says that nothing was stored and gives the database's own words.
void showDatabaseChangeFailure(const QString &databaseError);

// The same box for a file that opens but cannot serve as the settings database (empty, damaged,
// tables missing), with the file's path and the reason below the usual text. The caller is on
// the user-interface thread.
void showUnusableDatabaseBox(const QString &path, const DatabaseCheck &check);

// The object name of these boxes, for tests.
inline constexpr char kDatabaseErrorBoxName[] = "databaseErrorBox";
