#pragma once

#include <QDialog>
#include <QPoint>

class QPushButton;

// The admin dialog the Edit button passes through: accepted only by "Login as Admin.".
class AboutWidget : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AboutWidget)

public:
    explicit AboutWidget(QWidget *parent = nullptr);

    QPushButton *loginButton() const { return m_login; }
    QPushButton *closeButton() const { return m_close; }

signals:
    void loginClicked();

protected:
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private slots:
    void onClickedLogin();

private:
    QPushButton *m_login = nullptr;
    QPushButton *m_close = nullptr;
    bool m_accepted = false;
    QPoint m_dragOffset;
};
