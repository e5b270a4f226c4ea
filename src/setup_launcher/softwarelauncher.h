#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>

#include "setup_common/instancelock.h"
#include "setup_launcher/entryopener.h"
#include "setup_launcher/launcherfile.h"

class SetupMessages;

// RKSELECT's flow without its window: the start checks, the list's entries, and opening the
// chosen entry with the rules for how long to wait on it.
class SoftwareLauncher
{
    Q_DISABLE_COPY_MOVE(SoftwareLauncher)
    Q_DECLARE_TR_FUNCTIONS(SoftwareLauncher)

public:
    enum class Next { Stay, Exit };

    static QString title();
    static QString lockName();

    SoftwareLauncher(const QString &startFolder, const QString &launcherFile, SetupMessages &messages);

    // Start folder length, single instance, launcher file. False: the program ends.
    bool start();
    // The rows of the list; false (after the fault was shown) means Exit.
    bool entries(QList<LauncherFile::Entry> *entries);
    // OK or a double-click on `row` (-1: no row chosen).
    Next open(int row);
    // Closing the window: true when the user confirms.
    bool confirmQuit();

private:
    QString m_startFolder;
    QString m_launcherFile;
    SetupMessages &m_messages;
    InstanceLock m_lock;
    EntryOpener m_opener;
};
