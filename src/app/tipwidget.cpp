#include "app/tipwidget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "core/automation.h"
#include "components/stylesheets.h"

namespace {
constexpr int kWidth = 300;
constexpr int kHeight = 150;
constexpr int kTitleHeight = 40;
constexpr int kIconSize = 40;
} // namespace

TipWidget::TipWidget(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TipWidget"));
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    setFixedSize(kWidth, kHeight);
    setStyleSheet(QStringLiteral("TipWidget{border:1px solid black;background:#f0f0f0;}"));

    auto *titleStrip = new QWidget(this);
    titleStrip->setFixedSize(kWidth, kTitleHeight);
    titleStrip->setAttribute(Qt::WA_StyledBackground);
    titleStrip->setStyleSheet(QStringLiteral(
        "QWidget{background:qlineargradient(spread:pad,x1:0,y1:0,x2:0,y2:1,stop:0 #4D4D4D,stop:1 #292929);}"));
    m_title = new QLabel(QStringLiteral("<b>%1</b>").arg(tr("Tip")), titleStrip);
    m_title->setStyleSheet(QStringLiteral("color:white;font-size:15px;background:transparent;"));
    m_close = new QPushButton(titleStrip);
    m_close->setFixedSize(25, 25);
    m_close->setIcon(QIcon(QStringLiteral(":/images/close.png")));
    m_close->setToolTip(tr("Close"));
    m_close->setStyleSheet(rkstyle::flatButton(QStringLiteral("transparent"), QStringLiteral("#E74C3C"),
                                               QStringLiteral("#F2784B")));
    auto *titleLayout = new QHBoxLayout(titleStrip);
    titleLayout->setContentsMargins(10, 0, 5, 0);
    titleLayout->addWidget(m_title);
    titleLayout->addStretch();
    titleLayout->addWidget(m_close);

    m_icon = new QLabel(this);
    m_icon->setFixedSize(kIconSize, kIconSize);
    m_text = new QLabel(this);
    m_text->setWordWrap(true);
    auto *body = new QHBoxLayout;
    body->setContentsMargins(20, 10, 20, 0);
    body->setSpacing(15);
    body->addWidget(m_icon, 0, Qt::AlignVCenter);
    body->addWidget(m_text, 1);

    m_confirm = new QPushButton(QIcon(QStringLiteral(":/images/btn_ok.png")), tr("Confirm(0)"), this);
    m_cancel = new QPushButton(QIcon(QStringLiteral(":/images/btn_close.png")), tr("Cancel(C)"), this);
    for (QPushButton *b : {m_confirm, m_cancel}) {
        b->setFixedSize(100, 25);
        b->setIconSize(QSize(20, 20));
    }
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(10, 0, 10, 8);
    buttons->addStretch();
    buttons->addWidget(m_confirm);
    buttons->addWidget(m_cancel);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(titleStrip);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);

    connect(m_confirm, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
    connect(m_close, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
}

void TipWidget::setMessage(const QString &text, int type)
{
    m_text->setText(text);
    QString icon;
    QString title = tr("Tips");
    bool cancelShown = false;
    // Confirm is hidden only for type 4; keeping it hidden after such a box would leave later
    // questions without a way to say yes.
    bool confirmShown = true;
    switch (type) {
    case Error:
        icon = QStringLiteral("msg_error");
        break;
    case Success:
    case Info:
        icon = QStringLiteral("msg_success");
        break;
    case Warning:
        icon = QStringLiteral("msg_error");
        title = tr("Warning");
        break;
    case Question:
        icon = QStringLiteral("msg_question");
        cancelShown = true;
        break;
    case QuestionNoConfirm:
        icon = QStringLiteral("msg_question");
        cancelShown = true;
        confirmShown = false;
        break;
    default:
        return; // unknown types change nothing but the text
    }
    m_icon->setStyleSheet(QStringLiteral("border-image: url(:/images/%1.png);").arg(icon));
    m_title->setText(title);
    m_cancel->setHidden(!cancelShown);
    m_confirm->setHidden(!confirmShown);
}

QString TipWidget::message() const
{
    return m_text->text();
}

QString TipWidget::title() const
{
    return m_title->text();
}

QString TipWidget::iconStyle() const
{
    return m_icon->styleSheet();
}

void TipWidget::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    const int dismissMs = automation::messageDismissMs();
    if (dismissMs >= 0)
        QTimer::singleShot(dismissMs, this, [this] { done(QDialog::Accepted); });
}
