#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The one message box of the program: a text with a type (error, success, warning, question).
class TipWidget : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TipWidget)

public:
    enum Type { Error = 0, Success = 1, Warning = 2, Question = 3, QuestionNoConfirm = 4, Info = 5 };

    explicit TipWidget(QWidget *parent = nullptr);

    void setMessage(const QString &text, int type);

    QString message() const;
    QString title() const;
    QString iconStyle() const;
    QPushButton *confirmButton() const { return m_confirm; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *closeButton() const { return m_close; }

signals:
    void loginClicked();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_title = nullptr;
    QLabel *m_icon = nullptr;
    QLabel *m_text = nullptr;
    QPushButton *m_close = nullptr;
    QPushButton *m_confirm = nullptr;
    QPushButton *m_cancel = nullptr;
};
