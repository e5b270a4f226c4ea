#include "database/controltypetable.h"

#include <QSqlQuery>
#include <QVariant>

QMap<int, ControlTypeRecord> ControlTypeTable::allControlTypes()
{
    QMap<int, ControlTypeRecord> types;
    select(QStringLiteral("select ctrt_id,ctrt_name, ctrt_returntype from ControlType "), {},
        [&types](const QSqlQuery &q) {
            ControlTypeRecord record;
            record.setCtrtId(q.value(0).toInt());
            record.setCtrtName(q.value(1).toInt());
            record.setCtrtReturnType(q.value(2).toInt());
            types.insert(record.ctrtId(), record);
        });
    return types;
}

int ControlTypeTable::controlTypeId(int kindCode)
{
    int id = 0;
    select(QStringLiteral("select ctrt_id from ControlType where ctrt_name=?"), { kindCode },
        [&id](const QSqlQuery &q) { id = q.value(0).toInt(); });
    return id;
}
