#include "app/messagequeue.h"

#include "app/tipwidget.h"

MessageQueue::MessageQueue(TipWidget *tip)
    : m_tip(tip)
{
}

int MessageQueue::run(TipWidget *tip, const Message &message)
{
    tip->setMessage(message.text, message.type);
    tip->move(message.position);
    return tip->exec();
}

int MessageQueue::show(int type, const QString &text, const QPoint &position)
{
    const Message message { type, text, position };
    if (m_open) {
        if (type == TipWidget::Question || type == TipWidget::QuestionNoConfirm) {
            TipWidget own(m_tip->parentWidget());
            return run(&own, message);
        }
        m_pending.enqueue(message);
        return QDialog::Accepted;
    }
    m_open = true;
    const int result = run(m_tip, message);
    while (!m_pending.isEmpty())
        run(m_tip, m_pending.dequeue());
    m_open = false;
    return result;
}
