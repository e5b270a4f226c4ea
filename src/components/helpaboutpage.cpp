#include "components/helpaboutpage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "components/desktopviewer.h"
#include "components/helpviewer.h"
#include "core/configfile.h"
#include "core/datapaths.h"

namespace {
constexpr int kLanguageChinese = 0;
const QString kEnglishHelp = QStringLiteral("help.html");
const QString kChineseHelp = QStringLiteral("help_zh_CN.html");
} // namespace

HelpAboutPage::HelpAboutPage(int language, const QString &documentFolder, QWidget *parent)
    : QWidget(parent)
    , m_language(language)
    , m_documentFolder(documentFolder)
    , m_desktopViewer(new DesktopViewer(this))
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
    connect(m_desktopViewer, &DesktopViewer::failed, this, &HelpAboutPage::showInProgram);
}

QString HelpAboutPage::versionText() const
{
    return m_version->text();
}

QString HelpAboutPage::helpDocument(const QString &folder, int language)
{
    const QDir delivered(folder);
    if (language == kLanguageChinese && QFileInfo(delivered.filePath(kChineseHelp)).isFile())
        return delivered.filePath(kChineseHelp);
    return delivered.filePath(kEnglishHelp);
}

QString HelpAboutPage::helpFilePath() const
{
    return helpDocument(m_documentFolder.isEmpty() ? datapaths::dataFolder() : m_documentFolder,
                        m_language);
}

void HelpAboutPage::openHelp()
{
    const QString path = helpFilePath();
    if (!QFileInfo(path).isFile()) {
        emit helpFailed(tr("The help file is missing:") + QLatin1Char('\n') + path);
        return;
    }
    if (!m_desktopViewer->open(path))
        showInProgram(path);
}

void HelpAboutPage::showInProgram(const QString &path)
{
    if (!m_viewer)
        m_viewer = new HelpViewer(this);
    if (!m_viewer->showDocument(path)) {
        emit helpFailed(tr("The help file cannot be read:") + QLatin1Char('\n') + path);
        return;
    }
    m_viewer->show();
    m_viewer->raise();
    m_viewer->activateWindow();
}

void HelpAboutPage::showEvent(QShowEvent *event)
{
    // Re-read each time: the version rule may have rewritten the file meanwhile.
    ConfigFile config;
    m_version->setText(tr("Version") + QStringLiteral(" ")
                       + config.readText(QStringLiteral("Version/ver")).trimmed());
    QWidget::showEvent(event);
}
