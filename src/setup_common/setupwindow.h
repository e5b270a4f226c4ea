#pragma once

#include <QString>

class InstanceLock;
class QHBoxLayout;
class QPushButton;
class QSize;
class QWidget;
class SetupMessages;

// What the windows and start-up of RKSETUP and RKSELECT have in common.
namespace setupwindow {

// Start folder length and the single instance, with the programs' messages. False: end.
bool claimStart(const QString &folder, InstanceLock &lock, const QString &title, SetupMessages &messages);

// A main window with caption, system menu and minimise box, not resizable, centred on the screen.
void prepare(QWidget *window, const QString &title, const QSize &size);

// The row of two buttons at a dialog's foot: OK (the default) and `otherText`.
struct ButtonRow {
    QHBoxLayout *layout;
    QPushButton *ok;
    QPushButton *other;
};
ButtonRow buttonRow(QWidget *parent, const QString &otherText, const QString &otherName);

} // namespace setupwindow
