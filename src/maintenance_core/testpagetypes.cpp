#include "maintenance_core/testpagetypes.h"

namespace testpagetypes {

const QStringList &names()
{
    static const QStringList list {
        QStringLiteral("NONE"),
        QStringLiteral("QT52"),
        QStringLiteral("MV900"),
        QStringLiteral("QT41"),
        QStringLiteral("QY30"),
        QStringLiteral("QR70"),
        QStringLiteral("VERTANA"),
        QStringLiteral("VERTANA_18"),
        QStringLiteral("AI_VERTANA"),
        QStringLiteral("AI_QF30C"),
        QStringLiteral("QY40"),
        QStringLiteral("BX_QT52"),
        QStringLiteral("QF60"),
        QStringLiteral("QR70_0301"),
        QStringLiteral("VERTANA_12"),
    };
    return list;
}

QString nameOf(int number)
{
    return names().value(number);
}

int numberOf(const QString &name)
{
    return names().indexOf(name);
}

} // namespace testpagetypes
