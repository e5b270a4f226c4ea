#include "components/helpaboutpage.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "core/configfile.h"

HelpAboutPage::HelpAboutPage(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("HelpAboutPage{background:white;}"));
    auto *logo = new QLabel(this);
    logo->setPixmap(QPixmap(QStringLiteral(":/config/source/logo.png")));
    logo->setAlignment(Qt::AlignCenter);
    auto *name = new QLabel(QStringLiteral("<h2>RKMENU</h2>"), this);
    name->setAlignment(Qt::AlignCenter);
    auto *about = new QLabel(tr("Setting tool for impact printers: connect a printer, read and "
                                "change its settings, test it and update its firmware."),
                             this);
    about->setWordWrap(true);
    about->setAlignment(Qt::AlignCenter);
    m_version = new QLabel(this);
    m_version->setAlignment(Qt::AlignCenter);
    m_help = new QPushButton(tr("Help"), this);
    m_help->setFixedSize(160, 36);
    m_help->setStyleSheet(QStringLiteral(
        "QPushButton{background:#5c97bf;color:white;font-weight:bold;border:none;border-radius:4px;}"
        "QPushButton:hover{background:#67809F;}"));

    auto *layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(logo);
    layout->addWidget(name);
    layout->addWidget(m_version);
    layout->addSpacing(10);
    layout->addWidget(about);
    layout->addSpacing(20);
    layout->addWidget(m_help, 0, Qt::AlignHCenter);
    layout->addStretch();
    connect(m_help, &QPushButton::clicked, this, &HelpAboutPage::openHelp);
}

QString HelpAboutPage::versionText() const
{
    return m_version->text();
}

QString HelpAboutPage::helpFilePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/help.html");
}

void HelpAboutPage::openHelp()
{
    const QString path = helpFilePath();
    if (!QFileInfo::exists(path)) {
        emit helpFailed(tr("The help file is missing:") + QLatin1Char('\n') + path);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        emit helpFailed(tr("No program to show the help file was found."));
}

void HelpAboutPage::showEvent(QShowEvent *event)
{
    // Re-read each time: the version rule may have rewritten the file meanwhile.
    ConfigFile config;
    m_version->setText(tr("Version") + QStringLiteral(" ")
                       + config.readText(QStringLiteral("Version/ver")).trimmed());
    QWidget::showEvent(event);
}
