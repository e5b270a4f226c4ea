#include "comm/commerror.h"

#include <QtGlobal>

const char *commErrorMessage(int code)
{
    switch (code) {
    case OPEN_PORT_ERROR:
        return QT_TRANSLATE_NOOP("Communication", "Open Port Error");
    case WRITE_PORT_ERROR:
        return QT_TRANSLATE_NOOP("Communication", "Write Port Error");
    case READ_PORT_ERROR:
        return QT_TRANSLATE_NOOP("Communication", "Read Port Error Or\nThe Port Is Occupied");
    case TIMEOUT_ERROR:
        return QT_TRANSLATE_NOOP("Communication", "TimeOut Error");
    case WIFI_CONNECT_FAIL:
        return QT_TRANSLATE_NOOP("Communication", "WIFI connect fail");
    case ETHERNET_CONNECT_FAIL:
        return QT_TRANSLATE_NOOP("Communication", "Ethernet connect fail");
    default:
        return "";
    }
}
