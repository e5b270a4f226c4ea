#pragma once

#include <QList>

#include "database/records.h"
#include "database/tableaccess.h"

class PrinterTypeTable : public TableAccess
{
public:
    using TableAccess::TableAccess;

    DbResult insertPrinterType(const PrinterTypeRecord &record);
    DbResult updatePrinterType(const PrinterTypeRecord &record);
    DbResult deletePrinterType(int pritId);
    // The row with that name; a new record (id 0, empty name) when none.
    PrinterTypeRecord findPrinterType(const QString &name);
    QList<PrinterTypeRecord> allPrinterTypes();
};
