#include "connect_ui/connectpanel.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTimer>

namespace {
constexpr int kTickMs = 1000;
constexpr int kButtonHeight = 36;

QString buttonStyle(const char *normal, const char *hover)
{
    return QStringLiteral("QPushButton{background:%1;color:white;font-weight:bold;border:none;"
                          "border-radius:4px;padding:0 18px;}"
                          "QPushButton:hover{background:%2;}"
                          "QPushButton:disabled{background:#BDC3C7;color:#ECF0F1;}")
        .arg(QLatin1String(normal), QLatin1String(hover));
}
} // namespace

ConnectPanel::ConnectPanel(QWidget *parent)
    : QWidget(parent)
{
    m_connect = new QPushButton(tr("Connect"), this);
    m_disconnect = new QPushButton(tr("Disconnect"), this);
    m_restart = new QPushButton(tr("Restart"), this);
    m_config = new QPushButton(tr("Port Config"), this);
    m_connect->setStyleSheet(buttonStyle("#049372", "#1BBC98"));
    m_disconnect->setStyleSheet(buttonStyle("#E74C3C", "#F2784B"));
    m_restart->setStyleSheet(buttonStyle("#67809F", "#5c97bf"));
    m_config->setStyleSheet(buttonStyle("#34495E", "#67809F"));
    m_restart->setToolTip(tr("Restart the program"));
    m_config->setToolTip(tr("Connection settings"));
    for (QPushButton *b : { m_connect, m_disconnect, m_restart, m_config }) {
        b->setFixedHeight(kButtonHeight);
        b->setMinimumWidth(120);
        b->setFocusPolicy(Qt::NoFocus);
    }
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(20);
    layout->addStretch();
    layout->addWidget(m_connect);
    layout->addWidget(m_disconnect);
    layout->addWidget(m_config);
    layout->addWidget(m_restart);
    layout->addStretch();

    m_timer = new QTimer(this);
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, &ConnectPanel::onLockoutTick);
    connect(m_connect, &QPushButton::clicked, this, &ConnectPanel::onConnect);
    connect(m_disconnect, &QPushButton::clicked, this, &ConnectPanel::onDisconnect);
    connect(m_config, &QPushButton::clicked, this, &ConnectPanel::onConfig);
    connect(m_restart, &QPushButton::clicked, this, &ConnectPanel::restarting);
    updateButtons();
}

void ConnectPanel::setConnected(bool connected)
{
    m_connected = connected;
    updateButtons();
}

void ConnectPanel::updateButtons()
{
    m_disconnect->setEnabled(m_connected);
    if (!m_timer->isActive())
        m_connect->setEnabled(!m_connected);
}

void ConnectPanel::onConnect()
{
    emit connectPrinter();
}

void ConnectPanel::onConfig()
{
    emit showConnectConfig();
}

void ConnectPanel::onDisconnect()
{
    m_counter = kLockoutSeconds;
    m_connect->setEnabled(false);
    m_connect->setText(
        tr("Connect") + QStringLiteral(" [") + QString::number(m_counter) + QStringLiteral("]"));
    m_timer->start();
    emit disconnectPrinter();
}

void ConnectPanel::onLockoutTick()
{
    if (m_counter == 0) {
        m_connect->setText(tr("Connect"));
        m_counter = kLockoutSeconds;
        m_timer->stop();
        updateButtons();
        return;
    }
    --m_counter;
    m_connect->setText(
        tr("Connect") + QStringLiteral(" [") + QString::number(m_counter) + QStringLiteral("]"));
    m_connect->setEnabled(false);
}
