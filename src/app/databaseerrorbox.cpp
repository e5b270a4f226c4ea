#include "app/databaseerrorbox.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QThread>
#include <QTimer>

#include "core/automation.h"

namespace {
QString translated(const char *text)
{
    return QApplication::translate("SettingsDatabase", text);
}

void showBox(const QString &title, const QString &text, const QString &details = QString())
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Cancel);
    box.setObjectName(QLatin1String(kDatabaseErrorBoxName));
    box.setInformativeText(details);
    // Unattended runs confirm their boxes themselves, as the program's other boxes do.
    if (const int dismissMs = automation::messageDismissMs(); dismissMs >= 0)
        QTimer::singleShot(dismissMs, &box, &QMessageBox::reject);
    box.exec();
}
} // namespace

DatabaseLocation::OpenFailureHook databaseErrorBox()
{
    return [](const QString &title, const QString &text) {
        QCoreApplication *app = QCoreApplication::instance();
        if (!app)
            return;
        const QString shownTitle = translated(title.toUtf8().constData());
        const QString shownText = translated(text.toUtf8().constData());
        // The engine opens the database on its worker thread; windows live on the main thread.
        // Queued, not blocking: the main thread may be waiting for that worker to finish.
        if (QThread::currentThread() == app->thread())
            showBox(shownTitle, shownText);
        else
            QMetaObject::invokeMethod(
                app, [shownTitle, shownText] { showBox(shownTitle, shownText); },
                Qt::QueuedConnection);
    };
}

void showDatabaseChangeFailure(const QString &databaseError)
{
    QString text = QApplication::translate(
        "SettingsDatabase", "The database refused the change; nothing of it was stored.");
    if (!databaseError.isEmpty())
        text += QLatin1Char('\n') + databaseError;
    showBox(QApplication::translate("SettingsDatabase", "Cannot change SWTDatabase.db"), text);
}

void showUnusableDatabaseBox(const QString &path, const DatabaseCheck &check)
{
    showBox(translated(SettingsDatabase::kOpenFailedTitle),
        translated(SettingsDatabase::kOpenFailedText),
        translated(SettingsDatabase::kUnusableText).arg(QDir::toNativeSeparators(path))
            + QLatin1Char('\n') + translated(check.reason));
}
