#pragma once

#include <QList>
#include <QMap>

#include "database/records.h"
#include "database/tableaccess.h"

// Re_Prit_Ctrt_Act: the control rows.
class ControlTable : public TableAccess
{
public:
    using TableAccess::TableAccess;

    DbResult deleteControlsOfPrinter(int pritId);
    // One batch; rpca_id of the records is ignored (the database numbers the rows).
    DbResult insertControls(const QList<ControlRow> &records);
    // rpca_id -> row.
    QMap<int, ControlRow> controlsOfPrinter(int pritId);
    // rpca_byteposition -> row, for the rows with a byte; one row per position.
    QMap<int, ControlRow> byteControlsOfPrinter(int pritId);
    // rpca_id of the control in that cell; 0 when none.
    int controlId(int pritId, int rpplId, int row, int col);
};
