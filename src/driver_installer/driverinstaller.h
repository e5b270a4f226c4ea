#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include "driver_installer/setupinformation.h"
#include "setup_common/instancelock.h"

class SetupMessages;

// RKSETUP's flow without its windows: the start checks, and what OK does (check the package for
// the chosen language, stage the driver, optionally add the printer with the desktop's tool),
// reporting through message boxes.
class DriverInstaller
{
    Q_DISABLE_COPY_MOVE(DriverInstaller)
    Q_DECLARE_TR_FUNCTIONS(DriverInstaller)

public:
    static QString title();
    static QString lockName();
    static QStringList languages();
    // "" without the language menu; otherwise the folder of the list position ("FR/").
    static QString languagePrefix(bool languageMenu, int position);

    DriverInstaller(const QString &folder, const QString &setupFile, SetupMessages &messages);

    // Start folder length, single instance, setup information. False: the program ends (the
    // reason was shown).
    bool start();
    const SetupInformation &information() const { return m_information; }

    // OK on the page. True when the driver was installed as asked; the program ends either way.
    bool install(int languagePosition, bool networkPort);

    // CANCEL or closing the window: true when the user confirms.
    bool confirmQuit();

private:
    bool addPrinter();

    QString m_folder;
    QString m_setupFile;
    SetupMessages &m_messages;
    InstanceLock m_lock;
    SetupInformation m_information;
};
