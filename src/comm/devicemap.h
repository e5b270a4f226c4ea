#pragma once

#include <QString>

class ConfigFile;

// Where a port name of the connection panel lives on this machine: "COMn" is /dev/ttyS{n-1}
// and "LPTn" is /dev/lp{n-1}, unless the configuration key "Devices/<name>" names another
// path (a USB serial adapter, a pseudo-terminal). Other names are taken as paths.
QString devicePath(const ConfigFile *config, const QString &portName);
