#include "app/databaseerrorbox.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

namespace {
void showTranslatedBox(const QString &title, const QString &text)
{
    QMessageBox::critical(nullptr, title, text, QMessageBox::Cancel);
}

void showBox(const QString &title, const QString &text)
{
    showTranslatedBox(QApplication::translate("SettingsDatabase", title.toUtf8().constData()),
        QApplication::translate("SettingsDatabase", text.toUtf8().constData()));
}
} // namespace

DatabaseLocation::OpenFailureHook databaseErrorBox()
{
    return [](const QString &title, const QString &text) {
        QCoreApplication *app = QCoreApplication::instance();
        if (!app)
            return;
        // The engine opens the database on its worker thread; windows live on the main thread.
        // Queued, not blocking: the main thread may be waiting for that worker to finish.
        if (QThread::currentThread() == app->thread())
            showBox(title, text);
        else
            QMetaObject::invokeMethod(
                app, [title, text] { showBox(title, text); }, Qt::QueuedConnection);
    };
}

void showDatabaseChangeFailure(const QString &databaseError)
{
    QString text = QApplication::translate(
        "SettingsDatabase", "The database refused the change; nothing of it was stored.");
    if (!databaseError.isEmpty())
        text += QLatin1Char('\n') + databaseError;
    showTranslatedBox(
        QApplication::translate("SettingsDatabase", "Cannot change SWTDatabase.db"), text);
}
