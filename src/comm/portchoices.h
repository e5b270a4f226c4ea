#pragma once

#include <QString>
#include <QStringList>

// The connection choices the configuration panel offers and how they are stored.
namespace portchoices {

enum PortType { Usb = 0, Serial = 1, Lpt = 2, Wifi = 3, Bluetooth = 4, Network = 5 };

constexpr int kNetworkPort = 9100;
constexpr const char *kDefaultAddress = "192.168.0.1";
constexpr const char *kDefaultPort = "9100";

// Stored names ("Port/type") in port type order.
const QStringList &portTypeNames();
// The port types offered for a "PortSelect/porttype" value, in order.
QList<int> offeredPortTypes(int portSelect);
// Port type number of a stored name; -1 when unknown.
int portTypeOf(const QString &name);
// Only the number of parts is checked: a printer may be named by any four-part text.
bool isFourPartAddress(const QString &address);

// Serial choices and the values they stand for.
QStringList serialPortNames();
const QStringList &baudRateNames();
const QStringList &dataBitsNames();
int parityValue(int position);
int stopBitsValue(int position);
int flowControlValue(int position);

} // namespace portchoices
