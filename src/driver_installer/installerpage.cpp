#include "driver_installer/installerpage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "driver_installer/driverinstaller.h"
#include "setup_common/dialogunits.h"
#include "setup_common/programicon.h"
#include "setup_common/setupwindow.h"

InstallerPage::InstallerPage(const QString &model, bool languageMenu, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    auto *icon = new QLabel(this);
    icon->setPixmap(programIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    auto *intro = new QLabel(tr("Select a printer driver.\nTo use a network port, check mark "
                                            "the option \"Use a network port\"."),
        this);
    intro->setWordWrap(true);
    intro->setTextFormat(Qt::PlainText);
    top->addWidget(icon);
    top->addWidget(intro, 1);
    layout->addLayout(top);

    auto *group = new QGroupBox(model, this);
    auto *groupLayout = new QVBoxLayout(group);
    auto *add = new QRadioButton(tr("Add a Printer Driver package."), group);
    add->setChecked(true);
    groupLayout->addWidget(add);
    if (languageMenu) {
        auto *label = new QLabel(tr("Select the printer driver language."), group);
        m_languages = new QComboBox(group);
        m_languages->setObjectName(QStringLiteral("languages"));
        m_languages->addItems(DriverInstaller::languages());
        m_languages->setCurrentIndex(0);
        label->setBuddy(m_languages);
        groupLayout->addWidget(label);
        groupLayout->addWidget(m_languages);
    }
    m_networkPort = new QCheckBox(tr("Use a network port"), group);
    m_networkPort->setObjectName(QStringLiteral("networkPort"));
    groupLayout->addWidget(m_networkPort);
    layout->addWidget(group);
    layout->addStretch();

    const setupwindow::ButtonRow buttons = setupwindow::buttonRow(this, tr("CANCEL"), QStringLiteral("cancel"));
    layout->addLayout(buttons.layout);
    connect(buttons.ok, &QPushButton::clicked, this, &InstallerPage::okClicked);
    connect(buttons.other, &QPushButton::clicked, this, &InstallerPage::cancelClicked);

    const QSize size = dialogunits::toPixels(this, 180, 185);
    setMinimumSize(size.expandedTo(layout->totalMinimumSize()));
    buttons.ok->setFocus();
}

int InstallerPage::languagePosition() const
{
    return m_languages ? m_languages->currentIndex() : 0;
}

bool InstallerPage::networkPort() const
{
    return m_networkPort->isChecked();
}
