#include "app/logobar.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyleOption>

namespace {
// Where the banner image leaves room for the subtitle: under the green bar, left-aligned with it.
constexpr int kSubtitleLeft = 320;
constexpr int kSubtitleBaseline = 196;
constexpr int kSubtitleWidth = 320;
constexpr int kSubtitlePixelSize = 34;
const QColor kSubtitleColour(0x1B, 0xBC, 0x98);
} // namespace

LogoBar::LogoBar(QWidget *parent)
    : QWidget(parent)
{
    setFixedSize(720, 300);
    setStyleSheet(QStringLiteral("QWidget{border-image:url(:/config/source/title.png);}"));
}

QString LogoBar::subtitle()
{
    return tr("Printer Setting Tool");
}

void LogoBar::paintEvent(QPaintEvent *)
{
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);

    // The subtitle is painted rather than part of the image so that it follows the language.
    QFont font = this->font();
    font.setPixelSize(kSubtitlePixelSize);
    const QString text = subtitle();
    while (QFontMetrics(font).horizontalAdvance(text) > kSubtitleWidth && font.pixelSize() > 12)
        font.setPixelSize(font.pixelSize() - 1);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(kSubtitleColour);
    painter.drawText(QPoint(kSubtitleLeft, kSubtitleBaseline), text);
}
