#pragma once

#include <QWidget>

class QPushButton;
class QTreeWidget;
class SoftwareLauncher;

// RKSELECT's window: the banner, "Select the printer and click OK.", the package's entries and
// OK / Exit. Closing it through the title bar asks first; Exit does not.
class LauncherWindow : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LauncherWindow)

public:
    explicit LauncherWindow(SoftwareLauncher &launcher, QWidget *parent = nullptr);

    QTreeWidget *list() const { return m_list; }
    QPushButton *okButton() const { return m_ok; }
    // False when the list could not be filled; the window then closes at once.
    bool filled() const { return m_filled; }

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void fillList();
    void onOk();
    void exitProgram();

    SoftwareLauncher &m_launcher;
    QTreeWidget *m_list = nullptr;
    QPushButton *m_ok = nullptr;
    bool m_filled = false;
    bool m_exiting = false;
};
