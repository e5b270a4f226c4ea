// RKSELECT: lists the package's programs and documents and opens the one the user picks.
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "setup_common/packagepath.h"
#include "setup_common/setuplanguage.h"
#include "setup_common/setupmessages.h"
#include "setup_launcher/launcherwindow.h"
#include "setup_launcher/softwarelauncher.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    setuplanguage::install(app);
    MessageBoxes messages(SoftwareLauncher::title(), QStringLiteral("RKSELECT"));
    // The desktop menu starts it with the package folder (or a file in it) as argument; from a
    // terminal it is started inside the package folder.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) {
        const QFileInfo given(arguments.at(1));
        QDir::setCurrent(given.isDir() ? given.absoluteFilePath() : given.absolutePath());
    }
    const QString folder = QDir::currentPath();
    SoftwareLauncher launcher(folder, packagepath::setupFile(folder, QCoreApplication::applicationFilePath()), messages);
    if (!launcher.start())
        return 1;

    LauncherWindow window(launcher);
    messages.setParent(&window);
    if (!window.filled())
        return 1;
    window.show();
    return app.exec();
}
