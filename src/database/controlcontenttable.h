#pragma once

#include <QList>
#include <QMap>

#include "database/records.h"
#include "database/tableaccess.h"

// Re_Prit_Ctrt_Ctnt: the options of the controls.
class ControlContentTable : public TableAccess
{
public:
    using TableAccess::TableAccess;

    DbResult deleteOptionsOfPrinter(int pritId);
    DbResult insertOptions(const QList<OptionItem> &records);
    // rpcc_rpcaid -> that control's options in ascending value order.
    QMap<int, QList<OptionItem>> optionsOfPrinter(int pritId);
};
