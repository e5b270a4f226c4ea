#pragma once

#include <QString>

// The user's terminal, for the questions rkctl asks.
namespace Terminal {

// True when standard input is a terminal that someone can answer on.
bool inputIsInteractive();
// True when standard error is a terminal (a progress bar can be redrawn there).
bool errorIsTerminal();
// Shows the question on standard error and reads one line of answer; false for "no" or no answer.
bool confirm(const QString &question);
// A password: asked on standard error and read without echo on a terminal, else the first line of
// standard input.
QString readSecret(const QString &prompt);

} // namespace Terminal
