#include "app/logobar.h"

#include <QPainter>
#include <QStyleOption>

LogoBar::LogoBar(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(720, 300);
    setStyleSheet(QStringLiteral("QWidget{border-image:url(:/config/source/title.png);}"));
}

void LogoBar::paintEvent(QPaintEvent *)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}
