#include "settings_ui/adoptionlabel.h"

#include <QMouseEvent>

AdoptionLabel::AdoptionLabel(QWidget *parent)
    : QLabel(parent)
    , m_state(this)
{
    connect(this, &AdoptionLabel::ClickedLabel, this, &AdoptionLabel::toolsLabel);
}

void AdoptionLabel::toolsLabel(QString tools)
{
    emit showLabelComment(tools);
}

void AdoptionLabel::onclickedLabel(QString anno)
{
    if (!anno.isEmpty())
        m_state.setAnnotation(anno);
}

void AdoptionLabel::onchangePSKPassWord0701(int index)
{
    if (index == 0)
        hide();
    else if (index == 1)
        show();
}

void AdoptionLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit ClickedLabel(m_state.annotation());
    QLabel::mousePressEvent(event);
}
