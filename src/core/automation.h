#pragma once

#include <QString>

// Switches for unattended runs (tests, demos, screenshots), read from the environment.
namespace automation {

// RKMENU_DISMISS_MESSAGES_MS: when set, every message box confirms itself after that many
// milliseconds. -1 when unset.
int messageDismissMs();

// RKMENU_INSTANCE_KEY: the single-instance key, so parallel test runs do not meet the user's
// copy. The program's own key otherwise.
QString instanceKey();

// RKMENU_RESTART_AFTER_MS: when set, the program presses its own Restart button after that many
// milliseconds. Read once: the program started again does not see it. -1 when unset.
int takeRestartAfterMs();

// RKMENU_PRINTER_DELAY_SCALE: rkctl multiplies the pauses it makes for a printer's sake by this
// (e.g. 0.01 against a simulated printer). 1 when unset or not a number from 0 to 1.
double printerDelayScale();

} // namespace automation
