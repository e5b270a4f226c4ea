#include "settings_ui/elidedlabel.h"

#include <QPainter>
#include <QStyle>

namespace {
// Enough for the caption and the first letters of a value.
constexpr int kMinimumWidth = 90;
} // namespace

ElidedLabel::ElidedLabel(QWidget *parent)
    : QLabel(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize ElidedLabel::minimumSizeHint() const
{
    const QSize full = QLabel::minimumSizeHint();
    return QSize(qMin(full.width(), kMinimumWidth), full.height());
}

QString ElidedLabel::shownText() const
{
    return fontMetrics().elidedText(text(), Qt::ElideRight, contentsRect().width());
}

void ElidedLabel::paintEvent(QPaintEvent *)
{
    const QString shown = shownText();
    // The whole text as a tip only where it is cut.
    const QString tip = shown == text() ? QString() : text();
    if (toolTip() != tip)
        setToolTip(tip);
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), int(alignment()) | Qt::TextSingleLine,
        palette(), isEnabled(), shown, foregroundRole());
}
