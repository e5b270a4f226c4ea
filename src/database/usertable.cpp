#include "database/usertable.h"

#include <QSqlQuery>
#include <QVariant>

UserRecord UserTable::findUser(const QString &name, const QString &hashSum)
{
    UserRecord record;
    select(QStringLiteral("select * from User where user_name=? and user_password=?"),
        { name, hashSum }, [&record](const QSqlQuery &q) {
            record.setUserName(q.value(0).toString());
            record.setUserPassword(q.value(1).toString());
            record.setUserAuthority(q.value(2).toInt());
        });
    return record;
}
