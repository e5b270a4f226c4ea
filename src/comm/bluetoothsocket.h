#pragma once

#include <QByteArray>
#include <QString>

#include "comm/bluetoothaddress.h"

// The byte stream to one Bluetooth printer: an RFCOMM socket, or for the simulated stack a TCP
// connection. No Qt event loop is involved, so the engine's thread may use a socket that the
// discovery thread's object owns.
class BluetoothSocket
{
public:
    enum class ReadResult { Data, TimedOut, Closed, Failed };

    BluetoothSocket() = default;
    ~BluetoothSocket();
    BluetoothSocket(const BluetoothSocket &) = delete;
    BluetoothSocket &operator=(const BluetoothSocket &) = delete;

    // Blocking connect to an RFCOMM channel, bounded by timeoutMs; false with the reason.
    bool connectRfcomm(const BluetoothAddress &address, int channel, int timeoutMs, QString *error);
    bool connectTcp(const QString &host, quint16 port, int timeoutMs, QString *error);
    bool isOpen() const { return m_fd >= 0; }
    void close();

    // Sends the whole buffer; the number of bytes, or -1 (the reason in error).
    int send(const QByteArray &data, int timeoutMs, QString *error);
    // One read of at most maxBytes, waiting up to timeoutMs for the first byte.
    ReadResult receive(int maxBytes, int timeoutMs, QByteArray *data, QString *error);
    // One text line without its end, read byte by byte so that nothing after it is consumed.
    bool readLine(int maxLength, int timeoutMs, QByteArray *line, QString *error);

private:
    int m_fd = -1;
};
