#include "app/optionbar.h"

#include <QHBoxLayout>
#include <QToolButton>

#include "core/configfile.h"
#include "components/stylesheets.h"

namespace {
constexpr int kBarHeight = 200;
constexpr int kIconSize = 60;
constexpr int kFullButton = 95;
constexpr int kFullSpacing = 25;
constexpr int kShortButton = 100;
constexpr int kShortSpacing = 50;
constexpr int kTestAndUpgradeLockedMode = 3;
} // namespace

OptionBar::OptionBar(int mode, QWidget *parent)
    : QWidget(parent)
{
    setFixedHeight(kBarHeight);
    ConfigFile config;
    const bool showAll = config.readInt(QStringLiteral("Option/barhide")) != 0;
    const int size = showAll ? kFullButton : kShortButton;
    const QString style = rkstyle::navigationButton(QStringLiteral("#5c97bf"), QStringLiteral("#67809F"),
                                                    QStringLiteral("#34495E"));

    auto make = [&](const QString &text, const QString &tip, const char *icon) {
        auto *b = new QToolButton(this);
        b->setText(text);
        b->setToolTip(tip);
        b->setIcon(QIcon(QLatin1String(icon)));
        b->setIconSize(QSize(kIconSize, kIconSize));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setFixedSize(size, size);
        b->setStyleSheet(style);
        b->setFocusPolicy(Qt::NoFocus);
        return b;
    };
    m_settings = make(tr("Setting"), tr("Printer Settings"), ":/images/settings.png");
    m_test = make(tr("Test"), tr("Printer Testing"), ":/images/printer.png");
    m_upgrade = make(tr("Upgrade"), tr("Upgrade Firmware"), ":/images/upgrade_fw.png");
    m_about = make(tr("About"), tr("About Us"), ":/images/about.png");
    m_edit = make(tr("Edit"), tr("Setwright Tool"), ":/images/info.png");
    m_admin = make(tr("Setup"), tr("Admin Printer Settings"), ":/images/swap_vertical_circle.png");

    auto *layout = new QHBoxLayout(this);
    layout->setSpacing(showAll ? kFullSpacing : kShortSpacing);
    layout->addStretch();
    for (QToolButton *b : {m_settings, m_test, m_upgrade, m_about, m_edit, m_admin})
        layout->addWidget(b);
    layout->addStretch();
    m_edit->setVisible(showAll);
    m_admin->setVisible(showAll);

    if (mode == kTestAndUpgradeLockedMode) {
        m_test->setEnabled(false);
        m_upgrade->setEnabled(false);
    }

    connect(m_settings, &QToolButton::clicked, this, &OptionBar::onClickedSettings);
    connect(m_test, &QToolButton::clicked, this, &OptionBar::onClickedTesttings);
    connect(m_upgrade, &QToolButton::clicked, this, &OptionBar::onClickedUpgradeFw);
    connect(m_about, &QToolButton::clicked, this, &OptionBar::onClickedAbout);
    connect(m_edit, &QToolButton::clicked, this, &OptionBar::onClickedEdit);
    connect(m_admin, &QToolButton::clicked, this, &OptionBar::onClickedAdminSettings);
}

void OptionBar::enableTestAndUpgrade()
{
    m_test->setEnabled(true);
    m_upgrade->setEnabled(true);
}

void OptionBar::onClickedSettings()
{
    emit showSettings();
}

void OptionBar::onClickedTesttings()
{
    emit showTestings();
}

void OptionBar::onClickedUpgradeFw()
{
    emit showUpgradeFw();
}

void OptionBar::onClickedEdit()
{
    emit showEdit();
}

void OptionBar::onClickedAdminSettings()
{
    emit showAdminSettings();
}

void OptionBar::onClickedAbout()
{
    emit showAbout();
}
