#pragma once

// Failures of the printer transports. Transports throw these; Communication catches them,
// keeps the last one and signals it.
enum COMM_ERROR_CODE : int {
    COMM_NO_ERROR = 0,
    OPEN_PORT_ERROR = 1,
    WRITE_PORT_ERROR = 2,
    READ_PORT_ERROR = 3,
    TIMEOUT_ERROR = 4,
    WIFI_CONNECT_FAIL = 5,
    ETHERNET_CONNECT_FAIL = 6,
};

// The untranslated message for a code (translation context "Communication"); the main window
// shows "communicate Error: " followed by its translation. Empty for 0 and unknown codes.
const char *commErrorMessage(int code);
