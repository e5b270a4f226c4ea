#include "core/automation.h"

#include <QByteArray>
#include <QtGlobal>

int automation::messageDismissMs()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("RKMENU_DISMISS_MESSAGES_MS", &ok);
    return ok && ms >= 0 ? ms : -1;
}

QString automation::instanceKey()
{
    const QString key = qEnvironmentVariable("RKMENU_INSTANCE_KEY");
    return key.isEmpty() ? QStringLiteral("RKMENU_Setwright") : key;
}

int automation::takeRestartAfterMs()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("RKMENU_RESTART_AFTER_MS", &ok);
    qunsetenv("RKMENU_RESTART_AFTER_MS");
    return ok && ms >= 0 ? ms : -1;
}

double automation::printerDelayScale()
{
    bool ok = false;
    const double scale = qEnvironmentVariable("RKMENU_PRINTER_DELAY_SCALE").toDouble(&ok);
    return ok && scale >= 0.0 && scale <= 1.0 ? scale : 1.0;
}
