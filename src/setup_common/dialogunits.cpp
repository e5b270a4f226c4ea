#include "setup_common/dialogunits.h"

#include <QFontMetrics>
#include <QWidget>

namespace {

// The average width of the Latin letters, as Windows measures the dialog base unit.
int averageCharWidth(const QWidget *widget)
{
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return (widget->fontMetrics().horizontalAdvance(letters) / 26 + 1) / 2;
}

} // namespace

int dialogunits::toPixelsX(const QWidget *widget, int units)
{
    return (units * averageCharWidth(widget) + 2) / 4;
}

int dialogunits::toPixelsY(const QWidget *widget, int units)
{
    return (units * widget->fontMetrics().height() + 4) / 8;
}

QSize dialogunits::toPixels(const QWidget *widget, int width, int height)
{
    return QSize(toPixelsX(widget, width), toPixelsY(widget, height));
}
