#include "app/windowhandler.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyleOption>

#include "components/stylesheets.h"

namespace {
constexpr int kButtonWidth = 40;
constexpr int kButtonHeight = 30;
const char *const kNormalSizeIcon = ":/images/normalSize.png";
const char *const kMaximizeIcon = ":/images/maximize.png";

QPushButton *makeButton(QWidget *parent, const char *icon, const QString &styleSheet)
{
    auto *b = new QPushButton(parent);
    b->setFixedSize(kButtonWidth, kButtonHeight);
    b->setIcon(QIcon(QLatin1String(icon)));
    b->setIconSize(QSize(20, 20));
    b->setFocusPolicy(Qt::NoFocus);
    b->setStyleSheet(styleSheet);
    return b;
}
} // namespace

WindowHandler::WindowHandler(QWidget *parent)
    : QWidget(parent)
{
    const QString green = rkstyle::flatButton(QStringLiteral("#049372"), QStringLiteral("#36D7B7"),
                                              QStringLiteral("#1BBC98"));
    m_back = makeButton(this, ":/images/back.png", green);
    m_back->setToolTip(tr("Back to Home."));
    m_minimize = makeButton(this, ":/images/minimize.png",
                            rkstyle::flatButton(QStringLiteral("#34495E"), QStringLiteral("#DADFE1"),
                                                QStringLiteral("#DADFE1")));
    m_minimize->setToolTip(tr("Minimize"));
    m_maximize = makeButton(this, kMaximizeIcon, green);
    m_maximize->setToolTip(tr("Maximize"));
    m_close = makeButton(this, ":/images/close.png",
                         rkstyle::flatButton(QStringLiteral("#34495E"), QStringLiteral("#E74C3C"),
                                             QStringLiteral("#F2784B")));
    m_close->setToolTip(tr("Close"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_back);
    layout->addStretch();
    layout->addWidget(m_minimize);
    layout->addWidget(m_maximize);
    layout->addWidget(m_close);

    connect(m_close, &QPushButton::clicked, this, &WindowHandler::closeWindow);
    connect(m_minimize, &QPushButton::clicked, this, &WindowHandler::minimizeWindow);
    connect(m_back, &QPushButton::clicked, this, &WindowHandler::backToHome);
    connect(m_maximize, &QPushButton::clicked, this, &WindowHandler::onMaximizeClicked);
    setAtHome(true);
}

void WindowHandler::setAtHome(bool atHome)
{
    m_atHome = atHome;
    m_back->setHidden(atHome);
    m_maximize->setHidden(atHome);
}

void WindowHandler::syncMaximizeIcon(bool maximized)
{
    m_maximize->setIcon(QIcon(QLatin1String(maximized ? kNormalSizeIcon : kMaximizeIcon)));
}

void WindowHandler::onMaximizeClicked()
{
    if (!window()->isMaximized()) {
        syncMaximizeIcon(true);
        emit maximizeWindow();
    } else {
        syncMaximizeIcon(false);
        emit normalWindow();
    }
}

void WindowHandler::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_atHome) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    if (window()->isMaximized())
        emit doubleClickNormal();
    else
        emit doubleClickMax();
}

void WindowHandler::paintEvent(QPaintEvent *)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
