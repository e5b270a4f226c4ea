#include "setup_common/setupwindow.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QWidget>

#include "setup_common/instancelock.h"
#include "setup_common/packagepath.h"
#include "setup_common/programicon.h"
#include "setup_common/setupmessages.h"

bool setupwindow::claimStart(const QString &folder, InstanceLock &lock, const QString &title,
    SetupMessages &messages)
{
    if (packagepath::folderTooLong(folder)) {
        messages.show(SetupMessages::Icon::Warning, packagepath::folderTooLongText());
        return false;
    }
    if (!lock.tryLock()) {
        messages.show(SetupMessages::Icon::Information, QCoreApplication::translate("setupwindow", "\"%1\" is already started.").arg(title));
        return false;
    }
    return true;
}

void setupwindow::prepare(QWidget *window, const QString &title, const QSize &size)
{
    window->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    window->setWindowTitle(title);
    window->setWindowIcon(programIcon());
    window->setFixedSize(size);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

setupwindow::ButtonRow setupwindow::buttonRow(QWidget *parent, const QString &otherText, const QString &otherName)
{
    ButtonRow row { new QHBoxLayout, new QPushButton(QCoreApplication::translate("setupwindow", "OK"), parent),
        new QPushButton(otherText, parent) };
    row.ok->setObjectName(QStringLiteral("ok"));
    row.other->setObjectName(otherName);
    row.ok->setDefault(true);
    row.layout->addStretch();
    row.layout->addWidget(row.ok);
    row.layout->addWidget(row.other);
    return row;
}
