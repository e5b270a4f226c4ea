#pragma once

#include <QString>
#include <QStringList>

class QTextStream;
struct CtlOptions;

// rkctl's designer commands: the printer types of the settings database, copied or deleted as
// the Setup page stores and deletes them, behind the designer's login.
namespace ctldesign {

// types, copy-type, delete-type.
bool handles(const QString &command);
bool checkArguments(const QString &command, const QStringList &arguments, QString *error);
// Runs the command; the exit code (CtlExit).
int run(const CtlOptions &options, QTextStream &out, QTextStream &err);

} // namespace ctldesign
