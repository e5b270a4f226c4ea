#pragma once

#include <QWidget>

#include "database/settingsdatabase.h"

class AdminOptionsSetting;
class DataBaseHandler;
class QLabel;
class QLineEdit;
class QPushButton;
class TipWidget;

// The contents page: the login row above the content and formula editor, which stays disabled
// until a designer account has logged in.
class DBManageWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DBManageWidget)

public:
    explicit DBManageWidget(const DatabaseLocation &location, QWidget *parent = nullptr);

    bool isLoggedIn() const { return m_loggedIn; }
    AdminOptionsSetting *optionsSetting() const { return m_options; }
    TipWidget *tip() const { return m_tip; }

signals:
    void loginInfo(QString username, QString hashSum);
    // After every login check; the pages of the designer follow it.
    void loginChanged(bool loggedIn);

private slots:
    void onClickedLogin();
    void onCheckLoginResult(bool flag);

private:
    DataBaseHandler *m_database = nullptr;
    QLineEdit *m_user = nullptr;
    QLineEdit *m_password = nullptr;
    QPushButton *m_login = nullptr;
    QLabel *m_status = nullptr;
    AdminOptionsSetting *m_options = nullptr;
    TipWidget *m_tip = nullptr;
    bool m_loggedIn = false;
};
