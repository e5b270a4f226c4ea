#pragma once

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QStringList>

#include "app/databaseerrorbox.h"

// Remembers the database error boxes shown (they confirm themselves in unattended runs): title,
// text and informative text of each, a line each.
class DatabaseBoxWatch : public QObject
{
public:
    DatabaseBoxWatch() { qApp->installEventFilter(this); }
    ~DatabaseBoxWatch() override { qApp->removeEventFilter(this); }
    QStringList texts;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show
            && box->objectName() == QLatin1String(kDatabaseErrorBoxName))
            texts << box->windowTitle() + QLatin1Char('\n') + box->text() + QLatin1Char('\n')
                    + box->informativeText();
        return false;
    }
};
