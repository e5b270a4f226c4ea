#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QPushButton;

// RKSETUP's page: the model, "Add a Printer Driver package.", the driver language (when the
// package has language folders) and "Use a network port".
class InstallerPage : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(InstallerPage)

public:
    InstallerPage(const QString &model, bool languageMenu, QWidget *parent = nullptr);

    int languagePosition() const;
    bool networkPort() const;

signals:
    void okClicked();
    void cancelClicked();

private:
    QComboBox *m_languages = nullptr;
    QCheckBox *m_networkPort = nullptr;
};
