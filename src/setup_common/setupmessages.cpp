#include "setup_common/setupmessages.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

MessageBoxes::MessageBoxes(const QString &title, const QString &programName)
    : m_title(title)
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue(
        (programName.toUpper() + QStringLiteral("_DISMISS_MESSAGES_MS")).toLocal8Bit().constData(), &ok);
    if (ok && ms >= 0)
        m_dismissMs = ms;
}

void MessageBoxes::show(Icon icon, const QString &text)
{
    const QMessageBox::Icon boxIcon = icon == Icon::Information ? QMessageBox::Information
        : icon == Icon::Warning                                  ? QMessageBox::Warning
                                                                 : QMessageBox::Critical;
    exec(boxIcon, text, false);
}

bool MessageBoxes::ask(const QString &text)
{
    return exec(QMessageBox::Question, text, true) == QMessageBox::Yes;
}

int MessageBoxes::exec(int icon, const QString &text, bool question)
{
    qInfo("%s", qPrintable(QStringLiteral("message: ") + QString(text).replace(QLatin1Char('\n'), QStringLiteral("\\n"))));
    QMessageBox box(QMessageBox::Icon(icon), m_title, text,
        question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, m_parent);
    box.setDefaultButton(question ? QMessageBox::Yes : QMessageBox::Ok);
    if (m_dismissMs >= 0)
        QTimer::singleShot(m_dismissMs, &box, [&box] { box.done(box.standardButton(box.defaultButton())); });
    return box.exec();
}

void MessageBoxes::setParent(QWidget *parent)
{
    m_parent = parent;
}
