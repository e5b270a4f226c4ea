#include "database/loginhash.h"

#include <QCryptographicHash>

QString loginHashSum(const QString &password)
{
    const QByteArray digest
        = QCryptographicHash::hash(password.toUtf8(), QCryptographicHash::Sha256);
    QString sum;
    for (const char byte : digest)
        sum += QString::number(static_cast<qint8>(byte));
    return sum;
}
