#include "driver_installer/printercounter.h"

#include <cups/cups.h>

#include <QByteArray>

int PrinterCounter::count()
{
    // Ask the scheduler itself: the destination list of the client library would also hold
    // option instances and printers merely seen on the network.
    ipp_t *request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
        "printer-name");
    ipp_t *response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    const ipp_status_t status = cupsLastError();
    // "Not found" is the scheduler's answer for no printers at all.
    if (status == IPP_STATUS_ERROR_NOT_FOUND) {
        ippDelete(response);
        return 0;
    }
    if (!response || status > IPP_STATUS_OK_EVENTS_COMPLETE) {
        qInfo("CUPS printer list failed = 0x%04x (%s)", unsigned(status), cupsLastErrorString());
        ippDelete(response);
        return -1;
    }
    int printers = 0;
    for (ipp_attribute_t *attribute = ippFirstAttribute(response); attribute;
         attribute = ippNextAttribute(response)) {
        const char *name = ippGetName(attribute);
        if (name && qstrcmp(name, "printer-name") == 0)
            ++printers;
    }
    ippDelete(response);
    return printers;
}
