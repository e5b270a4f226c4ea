#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct PrinterProfile;

// What the system tells about one simulated USB printer.
struct UsbDeviceDetails
{
    QString vendorId; // 4 hex digits
    QString productId;
    QString serial; // empty: the device has no serial number
    QByteArray deviceId; // IEEE-1284 text without length; empty: the printer gives none
    QString bus = QStringLiteral("usb"); // another bus plays a printer that is not on USB

    // Vendor, product and serial from the profile's identification record; a device id naming
    // its maker and model.
    static UsbDeviceDetails fromProfile(const PrinterProfile &profile);
    // Applies "key=value,..." (vid, pid, serial, id, model, bus) on top of this one.
    bool apply(const QString &text, QString *error);
};

// A directory laid out like the system's description of USB printers (sysfs) and their device
// nodes: DIR/sys/class/usbmisc/lpN with its parent USB device, DIR/dev/usb/lpN linked to the
// printer's pseudo-terminal. The program reads it with Devices/UsbSysfsRoot = DIR/sys and
// Devices/UsbDevRoot = DIR/dev. The tree is removed again when the simulator ends.
class UsbTree
{
public:
    explicit UsbTree(const QString &root);
    ~UsbTree();
    UsbTree(const UsbTree &) = delete;
    UsbTree &operator=(const UsbTree &) = delete;

    // Starts an empty tree; a tree left by an earlier run is replaced, any other content of
    // a non-empty folder is refused.
    bool create(QString *error);
    // Adds printer lpN whose device node is `node`; returns the node path in the tree.
    QString addPrinter(int number, const UsbDeviceDetails &details, const QString &node, QString *error);

    QString sysfsRoot() const;
    QString devRoot() const;

private:
    void removeTree();

    QString m_root;
    bool m_created = false;
};
