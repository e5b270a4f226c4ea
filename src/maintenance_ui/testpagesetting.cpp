#include "maintenance_ui/testpagesetting.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include "components/stylesheets.h"
#include "maintenance_core/testpagetypes.h"

namespace {
constexpr int kWidth = 330;
constexpr int kHeight = 120;
constexpr int kTitleWidth = 250;
constexpr int kTitleHeight = 30;
constexpr int kListHeight = 28;
constexpr int kButtonWidth = 150;
constexpr int kButtonHeight = 26;
constexpr int kCloseSize = 25;
constexpr qreal kCornerRadius = 10;
const QColor kFrame(QStringLiteral("#F2784B"));
} // namespace

TestPageSetting::TestPageSetting(QWidget *parent)
    : QDialog(parent)
{
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kWidth, kHeight);
    setModal(true);

    m_title = new QLabel(tr("Test Page Setup"), this);
    m_title->setFixedSize(kTitleWidth, kTitleHeight);
    m_title->setStyleSheet(QStringLiteral("color:white;font-size:15px;font-weight:bold;"));
    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("closeButton"));
    m_close->setFixedSize(kCloseSize, kCloseSize);
    m_close->setIcon(QIcon(QStringLiteral(":/images/close.png")));
    m_close->setToolTip(tr("关闭"));
    m_close->setStyleSheet(rkstyle::flatButton(
        QStringLiteral("#F2784B"), QStringLiteral("#E74C3C"), QStringLiteral("#E74C3C")));
    auto *top = new QHBoxLayout;
    top->addWidget(m_title);
    top->addStretch();
    top->addWidget(m_close);

    m_list = new QComboBox(this);
    m_list->setFixedHeight(kListHeight);
    m_list->addItems(testpagetypes::names());
    // The others are printer names; "no test page" is a word. The index is what is stored.
    m_list->setItemText(0, tr("NONE"));
    m_list->setStyleSheet(QStringLiteral("QComboBox{background:white;}"));

    m_cancel = new QPushButton(tr("cancel"), this);
    m_confirm = new QPushButton(tr("confirm"), this);
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : { m_cancel, m_confirm }) {
        b->setFixedSize(kButtonWidth, kButtonHeight);
        b->setStyleSheet(rkstyle::flatButton(QStringLiteral("#5c97bf"), QStringLiteral("#67809F"),
                             QStringLiteral("#34495E"))
            + QStringLiteral("QPushButton{color:white;font-weight:bold;}"));
        buttons->addWidget(b);
    }

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 4, 10, 8);
    layout->setSpacing(6);
    layout->addLayout(top);
    layout->addWidget(m_list);
    layout->addLayout(buttons);

    connect(m_confirm, &QPushButton::clicked, this, &TestPageSetting::onConfirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void TestPageSetting::setCurrentType(int number)
{
    m_list->setCurrentIndex(number >= 0 && number < m_list->count() ? number : 0);
}

int TestPageSetting::currentType() const
{
    return m_list->currentIndex();
}

QString TestPageSetting::nameAt(int number) const
{
    return m_list->itemText(number);
}

void TestPageSetting::onConfirm()
{
    if (m_target)
        *m_target = m_list->currentIndex();
    emit comfirmSettings();
    accept();
}

void TestPageSetting::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kFrame, 1));
    painter.setBrush(kFrame);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius, kCornerRadius);
    painter.drawPath(path);
}
