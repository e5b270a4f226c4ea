#include "setup_launcher/softwarelauncher.h"

#include "setup_common/packagepath.h"
#include "setup_common/setupmessages.h"
#include "setup_common/setupwindow.h"

using Icon = SetupMessages::Icon;

namespace {

// A document is given a moment to appear; the launcher does not wait for its viewer.
constexpr int kDocumentWaitMs = 1000;

} // namespace

QString SoftwareLauncher::title()
{
    return tr("Norvale RK Series Software Setup");
}

QString SoftwareLauncher::lockName()
{
    return QStringLiteral("Global\\NORVALE_RK_Start_Mutex");
}

SoftwareLauncher::SoftwareLauncher(const QString &startFolder, const QString &launcherFile,
    SetupMessages &messages)
    : m_startFolder(startFolder)
    , m_launcherFile(launcherFile)
    , m_messages(messages)
    , m_lock(lockName())
{
}

bool SoftwareLauncher::start()
{
    if (!setupwindow::claimStart(m_startFolder, m_lock, title(), m_messages))
        return false;
    if (!LauncherFile(m_launcherFile).exists()) {
        m_messages.show(Icon::Error, packagepath::missingSetupFileText());
        return false;
    }
    return true;
}

bool SoftwareLauncher::entries(QList<LauncherFile::Entry> *entries)
{
    if (LauncherFile(m_launcherFile).entries(entries))
        return true;
    m_messages.show(Icon::Error, packagepath::failedSetupFileText());
    return false;
}

SoftwareLauncher::Next SoftwareLauncher::open(int row)
{
    if (row < 0) {
        m_messages.show(Icon::Warning, tr("Printer driver is not selected."));
        return Next::Stay;
    }
    LauncherFile::Target target;
    if (!LauncherFile(m_launcherFile).target(row, &target)) {
        m_messages.show(Icon::Error, packagepath::failedSetupFileText());
        return Next::Exit;
    }
    const QString folder = packagepath::resolve(m_startFolder, target.appPath);
    const EntryOpener::Opened opened = m_opener.open(folder, packagepath::resolve(folder, target.exeName));
    if (opened.pid <= 0) {
        qInfo("open %s failed: %s", qPrintable(target.exeName), qPrintable(opened.errorText));
        m_messages.show(Icon::Error, opened.errorText);
        return Next::Exit;
    }
    int exitCode = 0;
    const bool document = target.exeName.contains(QLatin1String(".PDF"));
    const bool ended = m_opener.waitFor(opened.pid, document ? kDocumentWaitMs : -1, &exitCode);
    // The desktop's opener says so when nothing on this desktop opens the file.
    if (ended && opened.throughOpener && exitCode != 0) {
        m_messages.show(Icon::Error,
            tr("\"%1\" cannot be opened on this desktop.").arg(target.exeName));
        return Next::Exit;
    }
    if (document)
        return Next::Stay;
    return target.exeName.contains(QLatin1String(".EXE")) || target.exeName.contains(QLatin1String(".exe"))
        ? Next::Exit
        : Next::Stay;
}

bool SoftwareLauncher::confirmQuit()
{
    return m_messages.ask(tr("Quit \"%1\"\n\nIs it OK?").arg(title()));
}
