#pragma once

#include <QPoint>
#include <QQueue>
#include <QString>

class QWidget;
class TipWidget;

// Shows the program's messages in the one message box, one after the other. A message that
// arrives while the box is open (a second error of the same failure, delivered by the event loop
// the box runs) waits its turn instead of re-texting the open box; none is lost and the box is
// never run inside itself.
class MessageQueue
{
public:
    explicit MessageQueue(TipWidget *tip);

    // Shows the message at the position and returns the box's result. While the box is open a
    // message is queued and Accepted returned at once; a question, whose answer the caller waits
    // for, gets a box of its own.
    int show(int type, const QString &text, const QPoint &position);
    int pending() const { return m_pending.size(); }

private:
    struct Message
    {
        int type = 0;
        QString text;
        QPoint position;
    };
    int run(TipWidget *tip, const Message &message);

    TipWidget *m_tip;
    bool m_open = false;
    QQueue<Message> m_pending;
};
