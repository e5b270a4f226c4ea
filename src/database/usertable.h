#pragma once

#include "database/records.h"
#include "database/tableaccess.h"

class UserTable : public TableAccess
{
public:
    using TableAccess::TableAccess;

    // The account with that name and hash sum; a new record when none matches.
    UserRecord findUser(const QString &name, const QString &hashSum);
};
