#pragma once

#include <QEvent>
#include <QObject>
#include <QStringList>

#include "app/tipwidget.h"

// Remembers the text of every message box shown (with RKMENU_DISMISS_MESSAGES_MS set, the boxes
// confirm themselves).
class MessageWatch : public QObject
{
public:
    explicit MessageWatch(TipWidget *tip)
        : m_tip(tip)
    {
        tip->installEventFilter(this);
    }
    QStringList texts;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_tip && event->type() == QEvent::Show)
            texts << m_tip->message();
        return false;
    }

private:
    TipWidget *m_tip;
};
