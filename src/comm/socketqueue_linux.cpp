#include "comm/socketqueue.h"

#include <linux/sockios.h>
#include <sys/ioctl.h>

int socketqueue::unacknowledgedBytes(qintptr socket)
{
    int queued = 0;
    // SIOCOUTQ counts what is unsent and what is sent but not acknowledged.
    if (socket < 0 || ::ioctl(int(socket), SIOCOUTQ, &queued) != 0)
        return -1;
    return queued;
}
