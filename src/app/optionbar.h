#pragma once

#include <QWidget>

class QToolButton;

// The navigation bar of the home page.
class OptionBar : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionBar)

public:
    // In mode 3 Test and Upgrade start disabled.
    explicit OptionBar(int mode, QWidget *parent = nullptr);

    void enableTestAndUpgrade();

    QToolButton *settingsButton() const { return m_settings; }
    QToolButton *testButton() const { return m_test; }
    QToolButton *upgradeButton() const { return m_upgrade; }
    QToolButton *aboutButton() const { return m_about; }
    QToolButton *editButton() const { return m_edit; }
    QToolButton *adminButton() const { return m_admin; }

signals:
    void showSettings();
    void showTestings();
    void showUpgradeFw();
    void showAbout();
    void showEdit();
    void showAdminSettings();

private slots:
    void onClickedSettings();
    void onClickedTesttings();
    void onClickedUpgradeFw();
    void onClickedEdit();
    void onClickedAdminSettings();
    void onClickedAbout();

private:
    QToolButton *m_settings = nullptr;
    QToolButton *m_test = nullptr;
    QToolButton *m_upgrade = nullptr;
    QToolButton *m_about = nullptr;
    QToolButton *m_edit = nullptr;
    QToolButton *m_admin = nullptr;
};
