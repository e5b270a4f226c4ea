#pragma once

#include <QByteArray>

// Firmware bytes for download tests: none starts a printer command, and the pattern shows a
// lost or doubled piece.
inline QByteArray firmwareBytes(int size)
{
    QByteArray data(size, '\0');
    for (int i = 0; i < size; ++i)
        data[i] = char(0x80 + (i * 7 + i / 251) % 113);
    return data;
}
