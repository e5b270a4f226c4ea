#include "driver_installer/noticedialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "driver_installer/driverinstaller.h"
#include "setup_common/dialogunits.h"
#include "setup_common/setupwindow.h"

namespace {

QLabel *iconLabel(QWidget *parent, QStyle::StandardPixmap icon)
{
    auto *label = new QLabel(parent);
    const int size = parent->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, parent);
    label->setPixmap(parent->style()->standardIcon(icon, nullptr, parent).pixmap(size, size));
    label->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    return label;
}

QLabel *textLabel(QWidget *parent, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

NoticeDialog::NoticeDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(DriverInstaller::title());
    auto *grid = new QGridLayout(this);
    grid->addWidget(iconLabel(this, QStyle::SP_MessageBoxWarning), 0, 0);
    grid->addWidget(textLabel(this,
                        tr("If your operating system is Windows 7 / Windows Server 2008 R2 "
                                       "and later, click the OK button.\nFor any other Windows "
                                       "operating system, click the Cancel button and read "
                                       "\"Readme.txt\" in your operating system.\n\nRead "
                                       "InstallGuide.PDF or README.TXT for how to install the printer "
                                       "driver.")),
        0, 1);
    grid->addWidget(iconLabel(this, QStyle::SP_MessageBoxInformation), 1, 0);
    grid->addWidget(textLabel(this,
                        tr("For Windows 7 / Windows Server 2008 R2 and later, install the "
                                       "printer driver before connecting the printer to your personal "
                                       "computer.\nEither of the following messages is displayed in "
                                       "the setup program:\n  Printer is ready for installation.\n  "
                                       "Printer driver installation has been completed.\nAfter the "
                                       "message is displayed, connect the printer to your PC.")),
        1, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);

    const setupwindow::ButtonRow buttons = setupwindow::buttonRow(this, tr("CANCEL"), QStringLiteral("cancel"));
    grid->addLayout(buttons.layout, 3, 0, 1, 2);
    connect(buttons.ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(buttons.other, &QPushButton::clicked, this, &QDialog::reject);

    // The dialog's size in dialog units; larger only when the texts need it.
    const QSize size = dialogunits::toPixels(this, 239, 201);
    setMinimumWidth(size.width());
    resize(size.width(), qMax(size.height(), layout()->totalHeightForWidth(size.width())));
}
