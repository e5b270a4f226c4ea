#include "components/helpviewer.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {
constexpr int kWidth = 860;
constexpr int kHeight = 680;
} // namespace

HelpViewer::HelpViewer(QWidget *parent)
    : QDialog(parent, Qt::Window)
{
    setWindowTitle(tr("Help"));
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    // Links to the web leave the program; links inside the document stay here.
    m_browser->setOpenExternalLinks(true);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *back = buttons->addButton(tr("Back"), QDialogButtonBox::ActionRole);
    back->setEnabled(false);
    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addWidget(buttons);

    QSize size(kWidth, kHeight);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
    resize(size);
}

bool HelpViewer::showDocument(const QString &path)
{
    m_path = path;
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        m_browser->clear();
        return false;
    }
    m_browser->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    m_browser->clearHistory();
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? tr("Help") : title);
    return true;
}
