#pragma once

#include <QWidget>

// The product banner at the top of the home page: the image with the subtitle in the user's
// language painted over it.
class LogoBar : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LogoBar)

public:
    explicit LogoBar(QWidget *parent = nullptr);

    static QString subtitle();

protected:
    void paintEvent(QPaintEvent *event) override;
};
