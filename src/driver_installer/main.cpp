// RKSETUP: stages the package's printer driver and, for a network port, adds the printer.
#include <QApplication>
#include <QDir>

#include "driver_installer/driverinstaller.h"
#include "driver_installer/installerwindow.h"
#include "driver_installer/noticedialog.h"
#include "setup_common/packagepath.h"
#include "setup_common/setuplanguage.h"
#include "setup_common/setupmessages.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setuplanguage::install(app);
    MessageBoxes messages(DriverInstaller::title(), QStringLiteral("RKSETUP"));
    const QString folder = QDir::currentPath();
    DriverInstaller installer(folder, packagepath::setupFile(folder, QCoreApplication::applicationFilePath()), messages);
    if (!installer.start())
        return 1;

    InstallerWindow window(installer);
    messages.setParent(&window);
    window.show();
    NoticeDialog notice(&window);
    if (notice.exec() != QDialog::Accepted)
        return 0;
    app.exec();
    return window.result();
}
