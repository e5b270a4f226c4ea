#pragma once

#include <QWidget>

class QPropertyAnimation;

// The main window's central area: a main widget over two side panels (left and right). Opening
// a panel slides the main widget aside; the area has no layout so that nothing re-lays the main
// widget out in the middle of a slide.
class SlideArea : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SlideArea)

public:
    enum State { Rest, LeftOpen, RightOpen };

    SlideArea(QWidget *main, QWidget *left, int leftWidth, QWidget *right, int rightWidth,
              QWidget *parent = nullptr);

    State state() const { return m_state; }
    // Where the main widget goes in a state, for the area's current size.
    QRect mainGeometry(State state) const;

public slots:
    void openLeft();
    void openRight();
    void closePanels();
    // Closes at once, without the slide (a page replaces the home page).
    void snapClosed();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void slideTo(State state);
    void placePanels();
    void updatePanelVisibility();

    QWidget *m_main;
    QWidget *m_left;
    QWidget *m_right;
    int m_leftWidth;
    int m_rightWidth;
    State m_state = Rest;
    QPropertyAnimation *m_animation;
};
