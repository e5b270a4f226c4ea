#pragma once

#include <array>

#include <QString>
#include <QtGlobal>

// A Bluetooth device address as people write it ("00:1A:7D:DA:71:13"): the bytes in the order
// they are shown, most significant first.
class BluetoothAddress
{
public:
    static constexpr int kSize = 6;

    BluetoothAddress() = default;
    // An invalid text gives the all-zero address.
    static BluetoothAddress fromString(const QString &text, bool *ok = nullptr);

    QString toString() const;
    bool isNull() const;
    quint8 byte(int index) const { return m_bytes[size_t(index)]; }
    bool operator==(const BluetoothAddress &other) const { return m_bytes == other.m_bytes; }
    bool operator!=(const BluetoothAddress &other) const { return !(*this == other); }

private:
    std::array<quint8, kSize> m_bytes {};
};
