#pragma once

#include <QString>
#include <QStringList>

// The test types a printer type can carry: the position in this list is the number stored with
// the printer type, and it decides which device test page the printer gets.
namespace testpagetypes {

constexpr int kNone = 0;
// The one type with a device test page of its own (buttons, sensors, image).
constexpr int kQr70 = 5;

// The names in number order; they are model names and are not translated.
const QStringList &names();
// The name of a stored number; empty for a number outside the list.
QString nameOf(int number);
// The number of a name; -1 when no type has that name.
int numberOf(const QString &name);

} // namespace testpagetypes
