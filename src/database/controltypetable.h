#pragma once

#include <QMap>

#include "database/records.h"
#include "database/tableaccess.h"

class ControlTypeTable : public TableAccess
{
public:
    using TableAccess::TableAccess;

    QMap<int, ControlTypeRecord> allControlTypes();
    // ctrt_id of the control kind code (0-5); 0 when the kind is unknown.
    int controlTypeId(int kindCode);
};
