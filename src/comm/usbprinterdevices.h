#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

class ConfigFile;

// One printer-class device interface as the system describes it.
struct UsbPrinterInterface
{
    QString name; // the system's name for it, e.g. "lp0"
    // Bus, vendor and product ids and the device's own instance text, in the form
    // "USB\VID_0483&PID_0470\470000000042".
    QString instanceId;
    QString nodePath; // the device node that is opened
    QString describedAt; // where the system keeps its attributes
};

// The operating system's USB printer class driver: which printers are attached and the
// device calls on an open one. Nothing here throws; the USB port decides what a failure means.
class UsbPrinterDevices
{
public:
    using Handle = int;
    static constexpr Handle kInvalidHandle = -1;
    // Largest device id the driver is asked for.
    static constexpr int kDeviceIdSize = 1024;

    enum class Io { Done, TimedOut, Failed };

    // Empty roots stand for the system's own.
    explicit UsbPrinterDevices(
        const QString &sysfsRoot = QString(), const QString &devRoot = QString());
    // Roots from Devices/UsbSysfsRoot and Devices/UsbDevRoot, so a simulated tree can stand in.
    static UsbPrinterDevices fromConfig(const ConfigFile *config);

    QString sysfsRoot() const { return m_sysfsRoot; }
    QString devRoot() const { return m_devRoot; }

    // The first `limit` printer interfaces in the system's number order. False when the system
    // cannot be asked at all.
    bool enumerate(int limit, QVector<UsbPrinterInterface> *devices) const;
    // Opens the device for this program alone; kInvalidHandle when it is missing or in use.
    static Handle open(const UsbPrinterInterface &device);
    static void close(Handle handle);

    // Hands the device what it takes now, without waiting; *accepted tells how much.
    static Io write(Handle handle, const char *data, int size, int *accepted);
    // Waits until the device can take more bytes (its previous transfer is done).
    static bool waitWritable(Handle handle, int waitMs);
    // Waits up to waitMs for the device to have bytes, then takes at most maxBytes of them.
    // Done with nothing read is possible (an empty transfer).
    static Io read(Handle handle, int maxBytes, int waitMs, QByteArray *bytes);

    // The IEEE-1284 device id, led by its 2-byte big-endian length (which counts itself); empty
    // when the device gave none.
    static QByteArray deviceId(Handle handle, const UsbPrinterInterface &device);
    // The printer's port status byte.
    static bool portStatus(Handle handle, int *status);
    // A vendor request of the printer class; false where the driver offers none.
    static bool vendorCommand(Handle handle, const QByteArray &request, quint8 *answer);

private:
    QString m_sysfsRoot;
    QString m_devRoot;
};
