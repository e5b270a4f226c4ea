#pragma once

#include <QString>
#include <QStringList>

#include "database/settingsdatabase.h"

class DataDispatcher;
class PrinterSession;
struct CtlOptions;
struct CtlOutcome;

// rkctl's device test commands: "test NAME" runs one test as the device test page's button does,
// "sensors" reads and shows the sensor table.
namespace ctldevicetest {

bool handles(const QString &command);
// The arguments the command takes; false with the fault.
bool checkArguments(const QString &command, const QStringList &arguments, QString *error);
// Runs the command on the identified printer; the exit code.
int run(const CtlOptions &options, DataDispatcher &dispatcher, const PrinterSession &session,
    const DatabaseLocation &database, CtlOutcome *outcome);

} // namespace ctldevicetest
