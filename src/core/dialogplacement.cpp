#include "core/dialogplacement.h"

QPoint placement::dialogPosition(const QRect &window, const QRect &availableArea,
                                 const QSize &dialog, const QPoint &offset)
{
    if (window == availableArea) {
        // The work area may not start at the screen's origin (a panel on the left or top).
        return window.topLeft()
               + QPoint((window.width() - dialog.width()) / 2, (window.height() - dialog.height()) / 2);
    }
    return window.topLeft() + offset;
}
