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

} // namespace automation
