#include "designer_ui/dbmanagewidget.h"

#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/tipwidget.h"
#include "database/databasehandler.h"
#include "database/loginhash.h"
#include "designer_ui/adminoptionssetting.h"

namespace {
constexpr int kFieldWidth = 180;
constexpr int kPageMargin = 30;
} // namespace

DBManageWidget::DBManageWidget(const DatabaseLocation &location, QWidget *parent)
    : QWidget(parent)
    , m_database(new DataBaseHandler(location, this))
    , m_tip(new TipWidget(this))
{
    setObjectName(QStringLiteral("DBManageWidget"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#DBManageWidget{background:white;}"));

    m_user = new QLineEdit(this);
    m_user->setObjectName(QStringLiteral("loginUser"));
    m_user->setFixedWidth(kFieldWidth);
    m_password = new QLineEdit(this);
    m_password->setObjectName(QStringLiteral("loginPassword"));
    m_password->setFixedWidth(kFieldWidth);
    m_password->setEchoMode(QLineEdit::Password);
    m_login = new QPushButton(tr("Login"), this);
    m_login->setObjectName(QStringLiteral("loginButton"));
    m_login->setDefault(true);
    m_status = new QLabel(tr("Log in to edit the contents and formulas."), this);
    m_status->setObjectName(QStringLiteral("loginStatus"));

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("User: "), this));
    row->addWidget(m_user);
    row->addSpacing(20);
    row->addWidget(new QLabel(tr("Password: "), this));
    row->addWidget(m_password);
    row->addSpacing(20);
    row->addWidget(m_login);
    row->addSpacing(20);
    row->addWidget(m_status, 1);

    m_options = new AdminOptionsSetting(location, this);
    // Nothing of the database is changed before a designer has logged in.
    m_options->setEnabled(false);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(kPageMargin, 20, kPageMargin, 20);
    layout->addLayout(row);
    layout->addSpacing(10);
    layout->addWidget(m_options, 1);

    connect(m_login, &QPushButton::clicked, this, &DBManageWidget::onClickedLogin);
    connect(m_password, &QLineEdit::returnPressed, this, &DBManageWidget::onClickedLogin);
    connect(
        m_database, &DataBaseHandler::checkLoginResult, this, &DBManageWidget::onCheckLoginResult);
}

void DBManageWidget::onClickedLogin()
{
    const QString user = m_user->text();
    const QString hashSum = loginHashSum(m_password->text());
    // Only its hash sum leaves this function, and not into the debug output.
    m_password->clear();
    qDebug() << "login user:" << user;
    m_database->checkLogin(user, hashSum);
    emit loginInfo(user, hashSum);
}

void DBManageWidget::onCheckLoginResult(bool flag)
{
    // The editors follow the latest check: a failed login locks them again.
    m_loggedIn = flag;
    m_options->setEnabled(flag);
    m_status->setText(flag ? tr("Logged in as %1.").arg(m_user->text())
                           : tr("Log in to edit the contents and formulas."));
    emit loginChanged(flag);
    if (!flag) {
        m_tip->setMessage(tr("Login failed: wrong user name or password."), TipWidget::Error);
        m_tip->exec();
    }
}
