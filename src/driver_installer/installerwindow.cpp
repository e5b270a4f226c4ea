#include "driver_installer/installerwindow.h"

#include <QCloseEvent>
#include <QVBoxLayout>

#include "driver_installer/driverinstaller.h"
#include "driver_installer/installerpage.h"
#include "setup_common/dialogunits.h"
#include "setup_common/setupwindow.h"

InstallerWindow::InstallerWindow(DriverInstaller &installer, QWidget *parent)
    : QWidget(parent)
    , m_installer(installer)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    const SetupInformation &info = installer.information();
    if (info.modelKind == 1 || info.modelKind == 2) {
        m_page = new InstallerPage(info.model, info.languageMenu, this);
        layout->addWidget(m_page);
        connect(m_page, &InstallerPage::okClicked, this, &InstallerWindow::onOk);
        connect(m_page, &InstallerPage::cancelClicked, this, &InstallerWindow::onCancel);
    }
    setupwindow::prepare(this, DriverInstaller::title(),
        m_page ? m_page->minimumSize() : dialogunits::toPixels(this, 180, 185));
}

void InstallerWindow::onOk()
{
    // The window stays painted but takes no input while the tools run.
    setEnabled(false);
    const bool installed = m_installer.install(m_page->languagePosition(), m_page->networkPort());
    finish(installed ? 0 : 1);
}

void InstallerWindow::onCancel()
{
    if (m_installer.confirmQuit())
        finish(0);
}

void InstallerWindow::finish(int result)
{
    m_result = result;
    m_finished = true;
    close();
}

void InstallerWindow::closeEvent(QCloseEvent *event)
{
    // Not while a tool or an entry runs: the flow that waits on it ends the window itself.
    if (!isEnabled() && !m_finished) {
        event->ignore();
        return;
    }
    if (m_finished || m_installer.confirmQuit()) {
        m_finished = true;
        event->accept();
    } else {
        event->ignore();
    }
}
