#pragma once

#include <QSize>

class QWidget;

// Sizes given in Windows dialog units, turned into pixels with the widget's font: a horizontal
// unit is a quarter of the average character width, a vertical one an eighth of the line height.
namespace dialogunits {

QSize toPixels(const QWidget *widget, int width, int height);
int toPixelsX(const QWidget *widget, int units);
int toPixelsY(const QWidget *widget, int units);

} // namespace dialogunits
