#pragma once

#include <QString>
#include <QStringList>

struct PrinterProfile;

// Test answers and sensor data given on the command line instead of the profile's.
namespace testscripts {

// "NAME=A,B,..." with NAME a test command as the command log names it (printMenu, pinTest,
// electricalCheck, ...): its first answer, then the answers to the polls (the last repeats).
bool applyScript(const QString &text, PrinterProfile *profile, QString *error);
// The sensor reply's payload as hexadecimal text (may be empty or short).
bool applySensors(const QString &hex, PrinterProfile *profile, QString *error);
// The commands that answer with a test outcome.
QStringList testNames();

} // namespace testscripts
