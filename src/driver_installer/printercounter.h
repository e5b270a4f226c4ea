#pragma once

// Counts the printers the system knows (local queues and connections to shared ones).
// On Linux the CUPS scheduler answers; CUPS_SERVER chooses another one, as for every CUPS client.
class PrinterCounter
{
public:
    // The number of printers, or -1 when the system cannot tell (no scheduler, refused).
    static int count();
};
