#include "usbtree.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "printerprofile.h"

namespace {

const QString kMarker = QStringLiteral(".rkprinter-sim-usb");
constexpr int kSerialPart = 6;
constexpr int kMakerPart = 7;
constexpr int kVendorPart = 8;
constexpr int kProductPart = 9;

bool isHexId(const QString &text)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{4}$"));
    return hex.match(text).hasMatch();
}

bool writeFile(const QString &path, const QByteArray &content, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(content) != content.size()) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool makeDir(const QString &path, QString *error)
{
    if (QDir().mkpath(path))
        return true;
    *error = QStringLiteral("cannot create %1").arg(path);
    return false;
}

bool makeLink(const QString &target, const QString &link, QString *error)
{
    QFile::remove(link);
    if (QFile::link(target, link))
        return true;
    *error = QStringLiteral("cannot link %1 to %2").arg(link, target);
    return false;
}

} // namespace

UsbDeviceDetails UsbDeviceDetails::fromProfile(const PrinterProfile &profile)
{
    const QList<QByteArray> parts = profile.modelReply.split(';');
    const QString model = QString::fromUtf8(parts.value(0));
    const QString maker = QString::fromUtf8(parts.value(kMakerPart));
    UsbDeviceDetails details;
    const QString vendor = QString::fromLatin1(parts.value(kVendorPart));
    const QString product = QString::fromLatin1(parts.value(kProductPart));
    details.vendorId = isHexId(vendor) ? vendor.toLower() : QStringLiteral("0000");
    details.productId = isHexId(product) ? product.toLower() : QStringLiteral("0000");
    details.serial = QString::fromLatin1(parts.value(kSerialPart));
    details.deviceId = QStringLiteral("MFG:%1;CMD:ESC/POS;MDL:%2;CLS:PRINTER;DES:%1 %2;")
                        .arg(maker, model)
                        .toUtf8();
    return details;
}

bool UsbDeviceDetails::apply(const QString &text, QString *error)
{
    // A bus name becomes a folder name of the tree.
    static const QRegularExpression busName(QStringLiteral("^[a-z0-9]+$"));
    int from = 0;
    while (from < text.size()) {
        const int eq = text.indexOf(QLatin1Char('='), from);
        const int comma = text.indexOf(QLatin1Char(','), from);
        if (eq < 0 || (comma >= 0 && comma < eq)) {
            *error = QStringLiteral("--usb-device wants key=value, not %1").arg(text.mid(from));
            return false;
        }
        const QString key = text.mid(from, eq - from).trimmed();
        // A device id lists its commands with commas, so it takes the rest of the text.
        const int end = key == QLatin1String("id") || comma < 0 ? int(text.size()) : comma;
        const QString value = text.mid(eq + 1, end - eq - 1);
        from = end + 1;
        if (key == QLatin1String("vid") || key == QLatin1String("pid")) {
            if (!isHexId(value)) {
                *error = QStringLiteral("--usb-device %1 wants 4 hex digits").arg(key);
                return false;
            }
            (key == QLatin1String("vid") ? vendorId : productId) = value.toLower();
        } else if (key == QLatin1String("serial")) {
            serial = value;
        } else if (key == QLatin1String("id")) {
            deviceId = value.toUtf8();
        } else if (key == QLatin1String("model")) {
            static const QRegularExpression mdl(QStringLiteral("MDL:[^;]*"));
            QString id = QString::fromUtf8(deviceId);
            id.replace(mdl, QStringLiteral("MDL:") + value);
            deviceId = id.toUtf8();
        } else if (key == QLatin1String("bus") && busName.match(value).hasMatch()) {
            bus = value.toLower();
        } else {
            *error = QStringLiteral(
                "--usb-device knows vid, pid, serial, model, bus and id (last), not %1")
                         .arg(key);
            return false;
        }
    }
    return true;
}

UsbTree::UsbTree(const QString &root)
    : m_root(QDir(root).absolutePath())
{
}

UsbTree::~UsbTree()
{
    if (m_created)
        removeTree();
}

QString UsbTree::sysfsRoot() const
{
    return m_root + QStringLiteral("/sys");
}

QString UsbTree::devRoot() const
{
    return m_root + QStringLiteral("/dev");
}

void UsbTree::removeTree()
{
    QDir(sysfsRoot()).removeRecursively();
    QDir(devRoot()).removeRecursively();
    QFile::remove(m_root + QLatin1Char('/') + kMarker);
}

bool UsbTree::create(QString *error)
{
    const QDir dir(m_root);
    if (dir.exists()
        && !dir.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        // Only a tree of our own is replaced; the folder may hold anything else.
        if (!QFileInfo::exists(m_root + QLatin1Char('/') + kMarker)) {
            *error = QStringLiteral("%1 is not empty and holds no simulated USB tree").arg(m_root);
            return false;
        }
        removeTree();
    }
    if (!makeDir(sysfsRoot() + QStringLiteral("/class/usbmisc"), error)
        || !makeDir(devRoot() + QStringLiteral("/usb"), error)
        || !writeFile(m_root + QLatin1Char('/') + kMarker, QByteArray(), error))
        return false;
    m_created = true;
    return true;
}

QString UsbTree::addPrinter(
    int number, const UsbDeviceDetails &details, const QString &node, QString *error)
{
    // Each printer hangs on a port of its own: usb1/1-N, interface 1-N:1.0.
    const QString name = QStringLiteral("lp%1").arg(number);
    const QString port = QStringLiteral("1-%1").arg(number + 1);
    const QString device = QStringLiteral("devices/usb1/%1").arg(port);
    const QString interface = QStringLiteral("%1/%2:1.0").arg(device, port);
    const QString sys = sysfsRoot();
    if (!makeDir(sys + QLatin1Char('/') + interface + QStringLiteral("/usbmisc/") + name, error)
        || !makeDir(sys + QStringLiteral("/bus/") + details.bus, error))
        return QString();
    const QString deviceDir = sys + QLatin1Char('/') + device;
    if (!writeFile(deviceDir + QStringLiteral("/idVendor"), details.vendorId.toLatin1() + '\n', error)
        || !writeFile(
            deviceDir + QStringLiteral("/idProduct"), details.productId.toLatin1() + '\n', error)
        || !makeLink(QStringLiteral("../../../bus/") + details.bus,
            deviceDir + QStringLiteral("/subsystem"), error))
        return QString();
    if (!details.serial.isEmpty()
        && !writeFile(deviceDir + QStringLiteral("/serial"), details.serial.toUtf8() + '\n', error))
        return QString();
    const QString interfaceDir = sys + QLatin1Char('/') + interface;
    // Like the driver's attribute: no length in front, no line end.
    if (!writeFile(interfaceDir + QStringLiteral("/ieee1284_id"), details.deviceId, error)
        || !makeLink(QStringLiteral("../.."),
            interfaceDir + QStringLiteral("/usbmisc/") + name + QStringLiteral("/device"), error)
        || !makeLink(QStringLiteral("../../") + interface + QStringLiteral("/usbmisc/") + name,
            sys + QStringLiteral("/class/usbmisc/") + name, error))
        return QString();
    const QString nodePath = devRoot() + QStringLiteral("/usb/") + name;
    if (!makeLink(node, nodePath, error))
        return QString();
    return nodePath;
}
