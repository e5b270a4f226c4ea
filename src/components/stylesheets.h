#pragma once

#include <QString>

// Style sheet builders shared by the program's widgets.
namespace rkstyle {

// A flat push or tool button: background, hover and pressed colours.
QString flatButton(const QString &normal, const QString &hover, const QString &pressed);
// Tool button of the navigation bar: bold text, rounded, three colours.
QString navigationButton(const QString &normal, const QString &hover, const QString &pressed);

} // namespace rkstyle
