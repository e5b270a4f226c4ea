#include "driver_installer/driverinstaller.h"

#include "driver_installer/driverstore.h"
#include "driver_installer/printercounter.h"
#include "driver_installer/printertool.h"
#include "setup_common/packagepath.h"
#include "setup_common/setupmessages.h"
#include "setup_common/setupwindow.h"

using Icon = SetupMessages::Icon;

namespace {

QString abortedText()
{
    return DriverInstaller::tr("The printer driver installation was aborted. ");
}

QString systemErrorText()
{
    return DriverInstaller::tr("A system error occurred.\nExit the program.");
}

} // namespace

QString DriverInstaller::title()
{
    return tr("NORVALE RK Series Printer Driver Package");
}

QString DriverInstaller::lockName()
{
    return QStringLiteral("Global\\NORVALE_RK_PrinterDriver_Mutex");
}

QStringList DriverInstaller::languages()
{
    return { tr("English"), tr("French"), tr("German"), tr("Italian"), tr("Spanish") };
}

QString DriverInstaller::languagePrefix(bool languageMenu, int position)
{
    if (!languageMenu)
        return QString();
    static const char *const prefixes[] = { "EN/", "FR/", "DE/", "IT/", "ES/" };
    return QLatin1String(position >= 1 && position <= 4 ? prefixes[position] : prefixes[0]);
}

DriverInstaller::DriverInstaller(const QString &folder, const QString &setupFile, SetupMessages &messages)
    : m_folder(folder)
    , m_setupFile(setupFile)
    , m_messages(messages)
    , m_lock(lockName())
{
}

bool DriverInstaller::start()
{
    if (!setupwindow::claimStart(m_folder, m_lock, title(), m_messages))
        return false;
    m_information = SetupInformation::read(m_setupFile);
    switch (m_information.status) {
    case SetupInformation::Status::MissingFile:
        m_messages.show(Icon::Error, packagepath::missingSetupFileText());
        return false;
    case SetupInformation::Status::Failed:
        m_messages.show(Icon::Error, packagepath::failedSetupFileText());
        return false;
    case SetupInformation::Status::Ok:
        break;
    }
    return true;
}

bool DriverInstaller::install(int languagePosition, bool networkPort)
{
    const QString prefix = languagePrefix(m_information.languageMenu, languagePosition);
    const DriverPackageCheck check = DriverPackageCheck::verify(m_setupFile, m_folder, prefix);
    switch (check.status) {
    case DriverPackageCheck::Status::MissingSetupFile:
        m_messages.show(Icon::Error, packagepath::missingSetupFileText());
        return false;
    case DriverPackageCheck::Status::Failed:
        m_messages.show(Icon::Error, packagepath::failedSetupFileText());
        return false;
    case DriverPackageCheck::Status::MissingDriverFile:
        m_messages.show(Icon::Error,
            check.missingFile + QLatin1Char('\n') + tr("Missing printer driver files.\nExit the program."));
        return false;
    case DriverPackageCheck::Status::Ok:
        break;
    }
    if (networkPort)
        m_messages.show(Icon::Information,
            tr("\"Use a network port\" is selected.\nUse the Add Printer Wizard to set up the "
                           "printer driver.\nSelect the port in the \"Printer selection\" of the "
                           "installation wizard.\nWhen the port is not ready, select the temporary port "
                           "like \"LPT1:\".\n"));

    // Only the first INF is handed to the store; the others travel with it in the package.
    const ToolRun staged = DriverStore().stage(packagepath::resolve(m_folder, check.infFiles.first()));
    if (!staged.started) {
        m_messages.show(Icon::Error, staged.errorText);
        return false;
    }
    if (staged.exitCode != 0) {
        qInfo("ExitCode = %d", staged.exitCode);
        m_messages.show(Icon::Warning, abortedText());
        return false;
    }
    if (!networkPort) {
        m_messages.show(Icon::Information,
            tr("Printer driver is ready for installation.\nConnect the printer to your PC and "
                           "turn on the printer power.\n\nClick the OK button."));
        return true;
    }
    return addPrinter();
}

bool DriverInstaller::addPrinter()
{
    const int before = PrinterCounter::count();
    if (before < 0) {
        m_messages.show(Icon::Error, systemErrorText());
        return false;
    }
    const PrinterTool tool;
    if (!tool.isInstalled()) {
        m_messages.show(Icon::Warning,
            tr("The printer driver is ready, but the printer setup tool \"%1\" is not "
                           "installed.\nAdd the printer with the printer settings of your desktop.\n\n"
                           "Exit the program.")
                .arg(tool.name()));
        return false;
    }
    const ToolRun wizard = tool.run();
    if (!wizard.started) {
        m_messages.show(Icon::Error, wizard.errorText);
        return false;
    }
    if (wizard.exitCode != 0) {
        m_messages.show(Icon::Warning, abortedText());
        return false;
    }
    const int after = PrinterCounter::count();
    if (after < 0) {
        m_messages.show(Icon::Error, systemErrorText());
        return false;
    }
    // Only a new printer is a completed install; one removed in the tool is not.
    if (after <= before) {
        m_messages.show(Icon::Warning, abortedText());
        return false;
    }
    m_messages.show(Icon::Information,
        tr("Printer driver installation has been completed.\nWhen the temporary port like "
                       "\"LPT1:\" is selected, change the port setting of property of Printer later.\n\n"
                       "Click the OK button."));
    return true;
}

bool DriverInstaller::confirmQuit()
{
    return m_messages.ask(tr("Quit NORVALE RK Series Printer Driver Package\n\nIS it OK?"));
}
