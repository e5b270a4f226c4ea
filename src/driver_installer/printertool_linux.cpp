#include "driver_installer/printertool.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

PrinterTool::PrinterTool()
{
    const QString command = qEnvironmentVariable("RKSETUP_PRINTER_TOOL");
    m_command = QProcess::splitCommand(command.isEmpty() ? QStringLiteral("system-config-printer") : command);
}

QString PrinterTool::name() const
{
    return m_command.isEmpty() ? QString() : m_command.first();
}

bool PrinterTool::isInstalled() const
{
    if (m_command.isEmpty())
        return false;
    const QFileInfo program(m_command.first());
    if (m_command.first().contains(QLatin1Char('/')))
        return program.isFile() && program.isExecutable();
    return !QStandardPaths::findExecutable(m_command.first()).isEmpty();
}

ToolRun PrinterTool::run() const
{
    return ToolRun::run(m_command.value(0), m_command.mid(1));
}
