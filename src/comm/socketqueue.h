#pragma once

#include <QtGlobal>

// What the operating system still holds of the bytes written to a TCP socket.
namespace socketqueue {

// Bytes written to the socket that the peer has not acknowledged yet; -1 when unknown.
int unacknowledgedBytes(qintptr socket);

} // namespace socketqueue
