#include "comm/devicemap.h"

#include <QRegularExpression>

#include "core/configfile.h"

QString devicePath(const ConfigFile *config, const QString &portName)
{
    const QString key = QStringLiteral("Devices/%1").arg(portName);
    if (config && config->contains(key)) {
        const QString mapped = config->readText(key).trimmed();
        if (!mapped.isEmpty())
            return mapped;
    }
    static const QRegularExpression numbered(QStringLiteral("^(COM|LPT)([1-9][0-9]*)$"));
    const QRegularExpressionMatch m = numbered.match(portName);
    if (!m.hasMatch())
        return portName;
    const int index = m.captured(2).toInt() - 1;
    const QString base = m.captured(1) == QLatin1String("COM") ? QStringLiteral("/dev/ttyS")
                                                               : QStringLiteral("/dev/lp");
    return base + QString::number(index);
}
