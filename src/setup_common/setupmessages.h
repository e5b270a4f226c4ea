#pragma once

#include <QPointer>
#include <QString>

class QWidget;

// The message boxes of a setup program. The flows talk to this interface so that their tests can
// answer the boxes; MessageBoxes shows the real ones.
class SetupMessages
{
public:
    enum class Icon { Information, Warning, Error };

    virtual ~SetupMessages() = default;
    virtual void show(Icon icon, const QString &text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool ask(const QString &text) = 0;
};

// Message boxes with the program's title. Every text also goes to the log (stderr). For unattended
// runs, `<PROGRAM>_DISMISS_MESSAGES_MS` (RKSETUP_DISMISS_MESSAGES_MS, ...) makes each box take its
// default answer (OK, Yes) after that many milliseconds.
class MessageBoxes : public SetupMessages
{
public:
    MessageBoxes(const QString &title, const QString &programName);

    void setParent(QWidget *parent);
    void show(Icon icon, const QString &text) override;
    bool ask(const QString &text) override;

private:
    int exec(int icon, const QString &text, bool question);

    QString m_title;
    int m_dismissMs = -1;
    QPointer<QWidget> m_parent;
};
