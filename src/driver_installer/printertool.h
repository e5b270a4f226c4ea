#pragma once

#include <QString>

#include "driver_installer/toolrun.h"

// The desktop's tool for adding a printer, run after a network-port install.
//   RKSETUP_PRINTER_TOOL  the tool (default system-config-printer), with arguments if needed
class PrinterTool
{
public:
    PrinterTool();

    QString name() const;
    bool isInstalled() const;
    // Runs the tool and waits until the user closes it.
    ToolRun run() const;

private:
    QStringList m_command;
};
