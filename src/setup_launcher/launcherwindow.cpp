#include "setup_launcher/launcherwindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "setup_common/dialogunits.h"
#include "setup_common/programicon.h"
#include "setup_common/setupwindow.h"
#include "setup_launcher/softwarelauncher.h"

namespace {

// Room for the text margins of a list cell beside the text itself.
constexpr int kCellPadding = 16;

QPixmap banner(const QSize &size, const QFont &font)
{
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    QLinearGradient gradient(0, 0, size.width(), size.height());
    gradient.setColorAt(0, QColor(22, 48, 92));
    gradient.setColorAt(1, QColor(70, 120, 180));
    painter.fillRect(pixmap.rect(), gradient);
    const int iconSize = size.height() * 2 / 3;
    programIcon().paint(&painter, QRect(size.height() / 6, size.height() / 6, iconSize, iconSize));
    QFont big = font;
    big.setPixelSize(qMax(12, size.height() / 4));
    big.setBold(true);
    painter.setFont(big);
    painter.setPen(Qt::white);
    const QRect text(size.height(), 0, size.width() - size.height(), size.height());
    painter.drawText(text, Qt::AlignVCenter | Qt::AlignLeft, LauncherWindow::tr("Norvale RK Series\nSoftware Setup"));
    return pixmap;
}

} // namespace

LauncherWindow::LauncherWindow(SoftwareLauncher &launcher, QWidget *parent)
    : QWidget(parent)
    , m_launcher(launcher)
{
    auto *layout = new QVBoxLayout(this);
    auto *image = new QLabel(this);
    image->setPixmap(banner(dialogunits::toPixels(this, 382, 100), font()));
    image->setAlignment(Qt::AlignCenter);
    layout->addWidget(image);
    layout->addWidget(new QLabel(tr("Select the printer and click OK."), this));

    m_list = new QTreeWidget(this);
    m_list->setRootIsDecorated(false);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionsMovable(false);
    m_list->setFixedSize(dialogunits::toPixels(this, 388, 112));
    layout->addWidget(m_list, 0, Qt::AlignHCenter);
    layout->addStretch();

    const setupwindow::ButtonRow buttons = setupwindow::buttonRow(this, tr("Exit"), QStringLiteral("exit"));
    m_ok = buttons.ok;
    layout->addLayout(buttons.layout);
    connect(m_ok, &QPushButton::clicked, this, &LauncherWindow::onOk);
    connect(buttons.other, &QPushButton::clicked, this, &LauncherWindow::exitProgram);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &LauncherWindow::onOk);

    setupwindow::prepare(this, SoftwareLauncher::title(),
        dialogunits::toPixels(this, 400, 287).expandedTo(layout->totalMinimumSize()));
    fillList();
}

void LauncherWindow::fillList()
{
    m_list->clear();
    m_list->setColumnCount(2);
    const QStringList headers = { tr("Printer Driver"), tr("Comments") };
    m_list->setHeaderLabels(headers);
    const QFontMetrics metrics(m_list->font());
    int widths[2];
    for (int column = 0; column < 2; ++column)
        widths[column] = metrics.horizontalAdvance(headers[column]) + kCellPadding;

    QList<LauncherFile::Entry> entries;
    m_filled = m_launcher.entries(&entries);
    if (!m_filled) {
        QTimer::singleShot(0, this, &LauncherWindow::exitProgram);
        return;
    }
    for (const LauncherFile::Entry &entry : entries) {
        auto *item = new QTreeWidgetItem(m_list, { entry.appName, entry.comment });
        Q_UNUSED(item)
        widths[0] = qMax(widths[0], metrics.horizontalAdvance(entry.appName) + kCellPadding);
        widths[1] = qMax(widths[1], metrics.horizontalAdvance(entry.comment) + kCellPadding);
    }
    m_list->setColumnWidth(0, widths[0]);
    m_list->setColumnWidth(1, widths[1]);
    m_list->setFocus();
    m_ok->setFocus();
}

void LauncherWindow::onOk()
{
    const QList<QTreeWidgetItem *> selected = m_list->selectedItems();
    const int row = selected.isEmpty() ? -1 : m_list->indexOfTopLevelItem(selected.first());
    QWidget *focus = focusWidget();
    // While an entry runs the window keeps painting but takes no input.
    setEnabled(row < 0);
    const SoftwareLauncher::Next next = m_launcher.open(row);
    setEnabled(true);
    if (next == SoftwareLauncher::Next::Exit) {
        exitProgram();
        return;
    }
    if (focus)
        focus->setFocus();
}

void LauncherWindow::exitProgram()
{
    m_exiting = true;
    close();
}

void LauncherWindow::changeEvent(QEvent *event)
{
    // The system's font or style changed: the columns are measured again.
    if ((event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) && m_list)
        fillList();
    QWidget::changeEvent(event);
}

void LauncherWindow::closeEvent(QCloseEvent *event)
{
    // Not while a tool or an entry runs: the flow that waits on it ends the window itself.
    if (!isEnabled() && !m_exiting) {
        event->ignore();
        return;
    }
    if (m_exiting || m_launcher.confirmQuit()) {
        m_exiting = true;
        event->accept();
    } else {
        event->ignore();
    }
}
