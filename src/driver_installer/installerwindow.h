#pragma once

#include <QWidget>

class DriverInstaller;
class InstallerPage;

// RKSETUP's main window: fixed size, centred, closing asks first. The page is shown for the
// package's known models only.
class InstallerWindow : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InstallerWindow)

public:
    explicit InstallerWindow(DriverInstaller &installer, QWidget *parent = nullptr);

    InstallerPage *page() const { return m_page; }
    // Exit code of the program: 0 after a completed install or a confirmed quit.
    int result() const { return m_result; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void onOk();
    void onCancel();
    void finish(int result);

    DriverInstaller &m_installer;
    InstallerPage *m_page = nullptr;
    bool m_finished = false;
    int m_result = 0;
};
