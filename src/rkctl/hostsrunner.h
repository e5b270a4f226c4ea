#pragma once

#include <QTextStream>

#include "rkctl/ctloptions.h"

// Runs the command on every printer of the hosts file, a bounded number at a time, and writes
// each printer's output followed by the summary table (host, result, time). Returns 0 when all
// succeeded, otherwise the highest exit code among them.
int runHosts(const CtlOptions &options, QTextStream &out, QTextStream &err);
