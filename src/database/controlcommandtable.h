#pragma once

#include <QList>
#include <QMap>

#include "database/records.h"
#include "database/tableaccess.h"

// Re_Prit_Ctrt_Cmd: the group binding or button action of the controls.
class ControlCommandTable : public TableAccess
{
public:
    using TableAccess::TableAccess;

    DbResult deleteCommandsOfPrinter(int pritId);
    DbResult insertCommands(const QList<CommandBinding> &records);
    // rpcm_rpcaid -> binding (one per control).
    QMap<int, CommandBinding> commandsOfPrinter(int pritId);
};
