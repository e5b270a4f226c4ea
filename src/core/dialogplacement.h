#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where a message box or the busy indicator goes over the main window.
namespace placement {

constexpr QPoint kMessageOffset(371, 240);
constexpr QPoint kPortSettingOffset(362, 240);
constexpr QPoint kBusyOffset(480, 320);

// Centred when the window fills the work area, else at the fixed offset from its corner.
QPoint dialogPosition(const QRect &window, const QRect &availableArea, const QSize &dialog,
                      const QPoint &offset);

} // namespace placement
