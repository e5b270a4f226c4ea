#include "designer_ui/aboutwidget.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindow>

#include "components/stylesheets.h"

namespace {
constexpr int kWidth = 360;
constexpr int kHeight = 170;
constexpr int kCloseSize = 25;
} // namespace

AboutWidget::AboutWidget(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutWidget"));
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setFixedSize(kWidth, kHeight);
    setStyleSheet(QStringLiteral("AboutWidget{background:#34495E;border:1px solid black;}"));

    auto *title = new QLabel(tr("<b>Setwright Tool 2016</b>"), this);
    title->setStyleSheet(QStringLiteral("color:white;font-size:16px;"));
    m_close = new QPushButton(this);
    m_close->setFixedSize(kCloseSize, kCloseSize);
    m_close->setIcon(QIcon(QStringLiteral(":/images/close.png")));
    m_close->setToolTip(tr("Close"));
    m_close->setStyleSheet(rkstyle::flatButton(
        QStringLiteral("transparent"), QStringLiteral("#E74C3C"), QStringLiteral("#F2784B")));
    auto *top = new QHBoxLayout;
    top->addWidget(title);
    top->addStretch();
    top->addWidget(m_close, 0, Qt::AlignTop);

    m_login = new QPushButton(tr("Login as Admin."), this);
    m_login->setMinimumSize(180, 36);
    m_login->setStyleSheet(rkstyle::flatButton(QStringLiteral("#5c97bf"), QStringLiteral("#67809F"),
                               QStringLiteral("#2C3E50"))
        + QStringLiteral("QPushButton{color:white;font-weight:bold;}"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(15, 8, 8, 20);
    layout->addLayout(top);
    layout->addStretch();
    layout->addWidget(m_login, 0, Qt::AlignHCenter);
    layout->addStretch();

    connect(m_login, &QPushButton::clicked, this, &AboutWidget::onClickedLogin);
    connect(m_close, &QPushButton::clicked, this, &QWidget::close);
}

void AboutWidget::onClickedLogin()
{
    m_accepted = true;
    emit loginClicked();
    close();
}

void AboutWidget::closeEvent(QCloseEvent *event)
{
    // Only the login button accepts; the flag is spent by the close it caused.
    const bool accepted = m_accepted;
    m_accepted = false;
    done(accepted ? QDialog::Accepted : QDialog::Rejected);
    event->accept();
}

void AboutWidget::mousePressEvent(QMouseEvent *event)
{
    QWindow *handle = windowHandle();
    if (event->button() == Qt::LeftButton && handle && handle->startSystemMove()) {
        m_dragOffset = QPoint();
        return;
    }
    // No window manager to hand the drag to: follow the mouse ourselves.
    m_dragOffset = event->globalPos() - frameGeometry().topLeft();
    QDialog::mousePressEvent(event);
}

void AboutWidget::mouseMoveEvent(QMouseEvent *event)
{
    if (!m_dragOffset.isNull() && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPos() - m_dragOffset);
        return;
    }
    QDialog::mouseMoveEvent(event);
}
