#include "comm/usbprinterdevices.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/lp.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "core/configfile.h"

// The Linux "usblp" driver: printers are the lpN entries of the usbmisc class in sysfs, with
// device nodes usb/lpN. The vendor, product and serial number live on the parent USB device.

namespace {

const QString kDefaultSysfsRoot = QStringLiteral("/sys");
const QString kDefaultDevRoot = QStringLiteral("/dev");
const QString kClassFolder = QStringLiteral("class/usbmisc");
const QString kNodeFolder = QStringLiteral("usb");
const QString kUsbBus = QStringLiteral("USB");

// The usblp request that asks the printer for its device id again (the length is encoded in
// the request number).
constexpr unsigned long kGetDeviceIdRequest = 1;
constexpr unsigned long getDeviceIdRequest(unsigned long length)
{
    return _IOC(_IOC_READ, 'P', kGetDeviceIdRequest, length);
}
constexpr int kLengthBytes = 2;

QString errnoText()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString attribute(const QString &folder, const QString &name)
{
    QFile file(folder + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(file.readAll()).trimmed();
}

bool waitFor(int fd, short events, int waitMs)
{
    pollfd p { fd, events, 0 };
    int n;
    do {
        n = ::poll(&p, 1, qMax(0, waitMs));
    } while (n < 0 && errno == EINTR);
    return n > 0;
}

// "USB\VID_vvvv&PID_pppp\serial" from the parent USB device of an interface.
QString instanceIdOf(const QString &classEntry, const QString &name)
{
    // The parent is found on the resolved path; cleaning ".." from the link text would walk
    // into the wrong folder.
    const QString interfaceFolder
        = QFileInfo(classEntry + QStringLiteral("/device")).canonicalFilePath();
    if (interfaceFolder.isEmpty())
        return QString();
    const QString parent = QFileInfo(interfaceFolder).absolutePath();
    const QString subsystem = QFileInfo(parent + QStringLiteral("/subsystem")).canonicalFilePath();
    const QString vendor = attribute(parent, QStringLiteral("idVendor"));
    const QString product = attribute(parent, QStringLiteral("idProduct"));
    QString bus = QFileInfo(subsystem).fileName().toUpper();
    if (bus.isEmpty() && !vendor.isEmpty() && !product.isEmpty())
        bus = kUsbBus;
    if (bus != kUsbBus)
        return (bus.isEmpty() ? QStringLiteral("UNKNOWN") : bus) + QLatin1Char('\\') + name;
    return QStringLiteral("%1\\VID_%2&PID_%3\\%4")
        .arg(kUsbBus, vendor.toUpper(), product.toUpper(),
            attribute(parent, QStringLiteral("serial")));
}

} // namespace

UsbPrinterDevices::UsbPrinterDevices(const QString &sysfsRoot, const QString &devRoot)
    : m_sysfsRoot(sysfsRoot.isEmpty() ? kDefaultSysfsRoot : sysfsRoot)
    , m_devRoot(devRoot.isEmpty() ? kDefaultDevRoot : devRoot)
{
}

UsbPrinterDevices UsbPrinterDevices::fromConfig(const ConfigFile *config)
{
    auto root = [config](const char *key) {
        const QString path = QString::fromLatin1(key);
        return config && config->contains(path) ? config->readText(path).trimmed() : QString();
    };
    return UsbPrinterDevices(root("Devices/UsbSysfsRoot"), root("Devices/UsbDevRoot"));
}

bool UsbPrinterDevices::enumerate(int limit, QVector<UsbPrinterInterface> *devices) const
{
    devices->clear();
    if (!QFileInfo(m_sysfsRoot).isDir()) {
        qDebug() << "USB printers: no system description at" << m_sysfsRoot;
        return false;
    }
    const QDir classDir(m_sysfsRoot + QLatin1Char('/') + kClassFolder);
    // The class folder appears with its first device; without it no printer is attached.
    if (!classDir.exists())
        return true;
    static const QRegularExpression printerName(QStringLiteral("^lp([0-9]+)$"));
    QVector<QPair<int, QString>> numbered;
    for (const QString &entry :
        classDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System)) {
        const QRegularExpressionMatch m = printerName.match(entry);
        if (m.hasMatch())
            numbered.append({ m.captured(1).toInt(), entry });
    }
    std::sort(numbered.begin(), numbered.end());
    for (const auto &n : numbered) {
        if (devices->size() >= limit)
            break;
        UsbPrinterInterface device;
        device.name = n.second;
        device.describedAt = classDir.filePath(n.second);
        device.instanceId = instanceIdOf(device.describedAt, n.second);
        device.nodePath = m_devRoot + QLatin1Char('/') + kNodeFolder + QLatin1Char('/') + n.second;
        devices->append(device);
    }
    return true;
}

UsbPrinterDevices::Handle UsbPrinterDevices::open(const UsbPrinterInterface &device)
{
    const QByteArray path = QFile::encodeName(device.nodePath);
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        qDebug() << "USB printer" << device.nodePath << "cannot be opened:" << errnoText();
        return kInvalidHandle;
    }
    // The driver refuses a second open by itself; the lock gives a stand-in node (a
    // pseudo-terminal) the same exclusive use.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        qDebug() << "USB printer" << device.nodePath << "is in use:" << errnoText();
        ::close(fd);
        return kInvalidHandle;
    }
    if (::isatty(fd)) {
        termios tio {};
        if (::tcgetattr(fd, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(fd, TCSANOW, &tio);
        }
        // A terminal keeps what an earlier exchange left unread; a USB transfer would not.
        ::tcflush(fd, TCIFLUSH);
    }
    return fd;
}

void UsbPrinterDevices::close(Handle handle)
{
    if (handle != kInvalidHandle)
        ::close(handle);
}

UsbPrinterDevices::Io UsbPrinterDevices::write(
    Handle handle, const char *data, int size, int *accepted)
{
    *accepted = 0;
    if (handle == kInvalidHandle)
        return Io::Failed;
    for (;;) {
        const ssize_t n = ::write(handle, data, size_t(size));
        if (n >= 0) {
            *accepted = int(n);
            return Io::Done;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN)
            return Io::Done;
        qDebug() << "usb write failed:" << errnoText();
        return Io::Failed;
    }
}

bool UsbPrinterDevices::waitWritable(Handle handle, int waitMs)
{
    return handle != kInvalidHandle && waitFor(handle, POLLOUT, waitMs);
}

UsbPrinterDevices::Io UsbPrinterDevices::read(
    Handle handle, int maxBytes, int waitMs, QByteArray *bytes)
{
    bytes->clear();
    if (handle == kInvalidHandle || maxBytes <= 0)
        return Io::Failed;
    if (!waitFor(handle, POLLIN, waitMs))
        return Io::TimedOut;
    QByteArray buffer(maxBytes, '\0');
    for (;;) {
        const ssize_t n = ::read(handle, buffer.data(), size_t(maxBytes));
        if (n >= 0) {
            *bytes = buffer.left(int(n));
            return Io::Done;
        }
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN)
            return Io::Done;
        // EINVAL: a printer that only receives.
        qDebug() << "usb read failed:" << errnoText();
        return Io::Failed;
    }
}

QByteArray UsbPrinterDevices::deviceId(Handle handle, const UsbPrinterInterface &device)
{
    // The id the driver read at plug-in costs no transfer; ask the printer only without one.
    QFile cached(device.describedAt + QStringLiteral("/device/ieee1284_id"));
    if (cached.open(QIODevice::ReadOnly)) {
        const QByteArray text = cached.read(kDeviceIdSize - kLengthBytes);
        if (!text.isEmpty()) {
            const int length = text.size() + kLengthBytes;
            QByteArray id;
            id.append(char((length >> 8) & 0xFF)).append(char(length & 0xFF)).append(text);
            return id;
        }
    }
    if (handle == kInvalidHandle)
        return QByteArray();
    QByteArray buffer(kDeviceIdSize, '\0');
    if (::ioctl(handle, getDeviceIdRequest(kDeviceIdSize), buffer.data()) < 0) {
        qDebug() << "USB printer" << device.name << "gives no device id:" << errnoText();
        return QByteArray();
    }
    const int length = (quint8(buffer.at(0)) << 8) | quint8(buffer.at(1));
    if (length <= kLengthBytes || length > kDeviceIdSize)
        return QByteArray();
    return buffer.left(length);
}

bool UsbPrinterDevices::portStatus(Handle handle, int *status)
{
    if (handle == kInvalidHandle || ::ioctl(handle, LPGETSTATUS, status) < 0) {
        qDebug() << "USB printer status not available:" << errnoText();
        return false;
    }
    return true;
}

bool UsbPrinterDevices::vendorCommand(Handle, const QByteArray &request, quint8 *)
{
    // usblp passes no vendor requests of its own choosing to the printer.
    qDebug() << "USB vendor request" << request.toHex(' ') << "not offered by the driver";
    return false;
}
