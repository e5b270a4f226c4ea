#include "app/listwidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "components/stylesheets.h"

namespace {
constexpr int kWidth = 320;
constexpr int kHeight = 280;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 25;
constexpr int kIconSize = 20;
} // namespace

ListWidget::ListWidget(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ListWidget"));
    setWindowTitle(tr("Device Select"));
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#ListWidget{background:#34495E;border:1px solid black;}"
                                 "QListWidget{background:white;font-size:14px;}"
                                 "QListWidget::item{padding:4px;}"));

    m_title = new QLabel(QStringLiteral("<b>%1</b>").arg(tr("Device Select")), this);
    m_title->setStyleSheet(QStringLiteral("color:white;font-size:15px;"));
    m_list = new QListWidget(this);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);

    m_confirm = new QPushButton(QIcon(QStringLiteral(":/images/btn_ok.png")), tr("Confirm"), this);
    m_cancel = new QPushButton(QIcon(QStringLiteral(":/images/btn_close.png")), tr("Cancel"), this);
    for (QPushButton *b : { m_confirm, m_cancel }) {
        b->setFixedSize(kButtonWidth, kButtonHeight);
        b->setIconSize(QSize(kIconSize, kIconSize));
        b->setStyleSheet(rkstyle::flatButton(
            QStringLiteral("#f0f0f0"), QStringLiteral("#DADFE1"), QStringLiteral("#BDC3C7")));
    }
    m_confirm->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_confirm);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 10);
    layout->addWidget(m_title);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);

    connect(m_confirm, &QPushButton::clicked, this, &ListWidget::choose);
    connect(m_cancel, &QPushButton::clicked, this, &ListWidget::reject);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &ListWidget::choose);
}

void ListWidget::setNames(const QStringList &names)
{
    m_list->clear();
    m_list->addItems(names);
    // Confirm at once takes the first printer rather than nothing.
    if (!names.isEmpty())
        m_list->setCurrentRow(0);
}

QStringList ListWidget::names() const
{
    QStringList all;
    for (int i = 0; i < m_list->count(); ++i)
        all.append(m_list->item(i)->text());
    return all;
}

void ListWidget::choose()
{
    done(m_list->currentRow() < 0 ? kNoChoice : m_list->currentRow());
}

void ListWidget::reject()
{
    done(kNoChoice);
}
