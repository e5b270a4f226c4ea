#pragma once

#include <QList>
#include <QString>

#include "setup_common/inireader.h"

// RKSELECT.INI: the package's entries, numbered from 1 ([ITEM1], [ITEM2], ...).
class LauncherFile
{
public:
    struct Entry {
        QString appName;
        QString comment;
    };
    struct Target {
        QString appPath;
        QString exeName;
    };

    explicit LauncherFile(const QString &path);

    bool exists() const { return m_ini.fileExists(); }
    // The entries of the list; false when the count or a name or comment is missing.
    bool entries(QList<Entry> *entries) const;
    // Folder and file of the entry shown in `row` (0-based); false when either is missing.
    bool target(int row, Target *target) const;

private:
    IniReader m_ini;
};
