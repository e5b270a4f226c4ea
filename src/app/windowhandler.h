#pragma once

#include <QWidget>

class QPushButton;

// The title bar of the frameless main window.
class WindowHandler : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WindowHandler)

public:
    explicit WindowHandler(QWidget *parent = nullptr);

    bool atHome() const { return m_atHome; }
    // At home the back and maximise/restore buttons are hidden.
    void setAtHome(bool atHome);
    // Shows the icon that matches the window's current size.
    void syncMaximizeIcon(bool maximized);

    QPushButton *backButton() const { return m_back; }
    QPushButton *minimizeButton() const { return m_minimize; }
    QPushButton *maximizeButton() const { return m_maximize; }
    QPushButton *closeButton() const { return m_close; }

signals:
    void closeWindow();
    void minimizeWindow();
    void maximizeWindow();
    void normalWindow();
    void backToHome();
    void doubleClickMax();
    void doubleClickNormal();
    void pressClickNormal();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void onMaximizeClicked();

    QPushButton *m_back = nullptr;
    QPushButton *m_minimize = nullptr;
    QPushButton *m_maximize = nullptr;
    QPushButton *m_close = nullptr;
    bool m_atHome = true;
};
