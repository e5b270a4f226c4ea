#pragma once

#include <QWidget>

// The product banner at the top of the home page.
class LogoBar : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LogoBar)

public:
    explicit LogoBar(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
