#include "app/slidearea.h"

#include <QPropertyAnimation>
#include <QResizeEvent>

SlideArea::SlideArea(QWidget *main, QWidget *left, int leftWidth, QWidget *right, int rightWidth,
                     QWidget *parent)
    : QWidget(parent)
    , m_main(main)
    , m_left(left)
    , m_right(right)
    , m_leftWidth(leftWidth)
    , m_rightWidth(rightWidth)
    , m_animation(new QPropertyAnimation(main, "geometry", this))
{
    for (QWidget *w : {m_left, m_right, m_main})
        w->setParent(this);
    m_main->raise();
    // Panels are only visible while open or sliding, so nothing shows through the pages.
    connect(m_animation, &QPropertyAnimation::finished, this, &SlideArea::updatePanelVisibility);
    placePanels();
    updatePanelVisibility();
}

void SlideArea::updatePanelVisibility()
{
    m_left->setVisible(m_state == LeftOpen);
    m_right->setVisible(m_state == RightOpen);
}

void SlideArea::snapClosed()
{
    m_animation->stop();
    m_state = Rest;
    m_main->setGeometry(mainGeometry(Rest));
    updatePanelVisibility();
}

QRect SlideArea::mainGeometry(State state) const
{
    switch (state) {
    case LeftOpen:
        return QRect(m_leftWidth, 0, width() - m_leftWidth, height());
    case RightOpen:
        return QRect(0, 0, width() - m_rightWidth, height());
    case Rest:
        break;
    }
    return rect();
}

void SlideArea::openLeft()
{
    if (m_state == Rest)
        slideTo(LeftOpen);
}

void SlideArea::openRight()
{
    if (m_state == Rest)
        slideTo(RightOpen);
}

void SlideArea::closePanels()
{
    if (m_state != Rest)
        slideTo(Rest);
}

void SlideArea::slideTo(State state)
{
    m_state = state;
    if (state == LeftOpen)
        m_left->show();
    else if (state == RightOpen)
        m_right->show();
    m_animation->stop();
    m_animation->setStartValue(m_main->geometry());
    m_animation->setEndValue(mainGeometry(state));
    m_animation->start();
}

void SlideArea::placePanels()
{
    m_left->setGeometry(0, 0, m_leftWidth, height());
    m_right->setGeometry(width() - m_rightWidth, 0, m_rightWidth, height());
    m_main->setGeometry(mainGeometry(m_state));
}

void SlideArea::resizeEvent(QResizeEvent *event)
{
    m_animation->stop();
    placePanels();
    QWidget::resizeEvent(event);
}
