#pragma once

// Switches for unattended runs (tests, demos, screenshots), read from the environment.
namespace automation {

// RKMENU_DISMISS_MESSAGES_MS: when set, every message box confirms itself after that many
// milliseconds. -1 when unset.
int messageDismissMs();

} // namespace automation
