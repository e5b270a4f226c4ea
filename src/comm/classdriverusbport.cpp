#include "comm/classdriverusbport.h"

#include <QDebug>
#include <QDeadlineTimer>

#include "comm/commerror.h"

namespace {

const QString kUsbBus = QStringLiteral("USB");
const QString kProductKey = QStringLiteral("PID_");
const QString kModelKey = QStringLiteral("MDL:");
const QString kLongModelKey = QStringLiteral("MODEL:");
constexpr int kProductIdLength = 4;
// After "PID_": the product id, a separator, then the serial number.
constexpr int kSerialOffset = 5;
constexpr int kSerialLength = 12;
constexpr int kSerialMinimumTail = 16;
constexpr int kLengthBytes = 2;
constexpr int kReadChunk = 1024;
constexpr int kWritePollMs = 10;
// The vendor request the printer class offers for "get device status".
const QByteArray kStatusRequest = QByteArrayLiteral("\x02\x00\x00");

bool allDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

} // namespace

ClassDriverUsbPort::ClassDriverUsbPort(
    const UsbPrinterDevices &devices, int timeoutMs, QObject *parent)
    : UsbPort(parent)
    , m_devices(devices)
    , m_timeout(timeoutMs)
{
    m_handles.fill(UsbPrinterDevices::kInvalidHandle);
}

ClassDriverUsbPort::ClassDriverUsbPort(const ConfigFile *config, int timeoutMs, QObject *parent)
    : ClassDriverUsbPort(UsbPrinterDevices::fromConfig(config), timeoutMs, parent)
{
}

ClassDriverUsbPort::~ClassDriverUsbPort()
{
    closeHandles();
}

void ClassDriverUsbPort::parseInstanceId(
    const QString &instanceId, QString *productId, QString *serialNumber)
{
    productId->clear();
    serialNumber->clear();
    const QStringList parts = instanceId.split(kProductKey);
    if (parts.size() < 2)
        return;
    const QString tail = parts.at(1);
    *productId = tail.left(kProductIdLength);
    if (tail.size() > kSerialMinimumTail) {
        const QString serial = tail.mid(kSerialOffset, kSerialLength);
        if (allDigits(serial))
            *serialNumber = serial;
    }
}

bool ClassDriverUsbPort::modelOf(const QByteArray &deviceId, QString *model)
{
    model->clear();
    if (deviceId.size() <= kLengthBytes)
        return false;
    const int length = (quint8(deviceId.at(0)) << 8) | quint8(deviceId.at(1));
    QByteArray text = deviceId.mid(kLengthBytes, qMax(0, length - kLengthBytes));
    const int zero = text.indexOf('\0');
    if (zero >= 0)
        text.truncate(zero);
    const QString id = QString::fromUtf8(text);
    int at = id.indexOf(kModelKey);
    if (at < 0)
        at = id.indexOf(kLongModelKey);
    if (at < 0)
        return true; // answered, without a model
    const int from = id.indexOf(QLatin1Char(':'), at) + 1;
    const int end = id.indexOf(QLatin1Char(';'), from);
    *model = id.mid(from, end < 0 ? -1 : end - from);
    return true;
}

int ClassDriverUsbPort::open()
{
    if (m_open)
        return m_deviceCount;
    QVector<UsbPrinterInterface> found;
    if (!m_devices.enumerate(kMaxDevices, &found))
        throw OPEN_PORT_ERROR;
    closeHandles();
    m_productIds.clear();
    m_serialNumbers.clear();
    int opened = 0;
    for (const UsbPrinterInterface &device : found) {
        // Printer interfaces of other buses (network or virtual printers) are not ours.
        if (!device.instanceId.contains(kUsbBus)) {
            qDebug() << "not a USB printer:" << device.name << device.instanceId;
            continue;
        }
        QString productId;
        QString serial;
        parseInstanceId(device.instanceId, &productId, &serial);
        m_productIds.append(productId);
        m_serialNumbers.append(serial);
        const UsbPrinterDevices::Handle handle = UsbPrinterDevices::open(device);
        if (handle == UsbPrinterDevices::kInvalidHandle)
            break;
        m_handles[size_t(opened)] = handle;
        m_interfaces[size_t(opened)] = device;
        ++opened;
        m_open = true;
    }
    m_deviceCount = opened;
    QVector<int> all;
    for (int i = 0; i < opened; ++i)
        all.append(i);
    setPositions(all);
    return m_deviceCount;
}

void ClassDriverUsbPort::closeHandles()
{
    for (UsbPrinterDevices::Handle &handle : m_handles) {
        UsbPrinterDevices::close(handle);
        handle = UsbPrinterDevices::kInvalidHandle;
    }
}

void ClassDriverUsbPort::close()
{
    closeHandles();
    m_open = false;
}

void ClassDriverUsbPort::resetEnumeration()
{
    close();
    m_deviceCount = 0;
    m_productIds.clear();
    m_serialNumbers.clear();
    UsbPort::resetEnumeration();
}

UsbPrinterDevices::Handle ClassDriverUsbPort::selectedHandle() const
{
    if (m_selected < 0 || m_selected >= kMaxDevices)
        return UsbPrinterDevices::kInvalidHandle;
    return m_handles[size_t(m_selected)];
}

bool ClassDriverUsbPort::write(const QByteArray &data)
{
    const UsbPrinterDevices::Handle handle = selectedHandle();
    QDeadlineTimer deadline(m_timeout);
    int confirmed = 0;
    for (;;) {
        int accepted = 0;
        if (UsbPrinterDevices::write(
                handle, data.constData() + confirmed, data.size() - confirmed, &accepted)
            == UsbPrinterDevices::Io::Failed)
            throw WRITE_PORT_ERROR;
        confirmed += accepted;
        if (confirmed == data.size())
            return true;
        if (deadline.hasExpired())
            break;
        // Await the transfer in flight instead of offering the same bytes again.
        UsbPrinterDevices::waitWritable(
            handle, int(qMin<qint64>(kWritePollMs, deadline.remainingTime())));
    }
    qDebug() << "usb write Time out.";
    throw WRITE_PORT_ERROR;
}

bool ClassDriverUsbPort::writeWait(const QByteArray &data)
{
    const UsbPrinterDevices::Handle handle = selectedHandle();
    if (handle == UsbPrinterDevices::kInvalidHandle)
        throw WRITE_PORT_ERROR;
    QDeadlineTimer deadline(m_timeout);
    int confirmed = 0;
    while (confirmed < data.size()) {
        int accepted = 0;
        if (UsbPrinterDevices::write(
                handle, data.constData() + confirmed, data.size() - confirmed, &accepted)
            == UsbPrinterDevices::Io::Failed)
            throw WRITE_PORT_ERROR;
        confirmed += accepted;
        if (confirmed < data.size()
            && !UsbPrinterDevices::waitWritable(handle, int(deadline.remainingTime()))) {
            qDebug() << "usb write Time out.";
            throw WRITE_PORT_ERROR;
        }
    }
    // Done when the device has taken the whole transfer.
    if (!UsbPrinterDevices::waitWritable(handle, int(deadline.remainingTime()))) {
        qDebug() << "usb write Time out.";
        throw WRITE_PORT_ERROR;
    }
    return true;
}

QByteArray ClassDriverUsbPort::read(int length)
{
    const UsbPrinterDevices::Handle handle = selectedHandle();
    QByteArray result;
    switch (UsbPrinterDevices::read(handle, length, m_timeout, &result)) {
    case UsbPrinterDevices::Io::Done:
        break;
    case UsbPrinterDevices::Io::TimedOut:
        qDebug() << "usb read TimeOut";
        throw READ_PORT_ERROR;
    case UsbPrinterDevices::Io::Failed:
        throw READ_PORT_ERROR;
    }
    if (result.isEmpty()) {
        // An empty transfer: one more look, a poll interval long.
        if (UsbPrinterDevices::read(handle, kReadChunk, m_pollInterval, &result)
            == UsbPrinterDevices::Io::Failed)
            throw READ_PORT_ERROR;
    }
    if (result.size() == length || length == kReadAnything)
        return result;
    QDeadlineTimer deadline(m_timeout);
    while (result.size() < length) {
        if (deadline.hasExpired()) {
            qDebug() << "usb read TimeOut";
            throw READ_PORT_ERROR;
        }
        QByteArray more;
        const int wait = int(qMin<qint64>(m_pollInterval, deadline.remainingTime()));
        if (UsbPrinterDevices::read(handle, kReadChunk, wait, &more)
            == UsbPrinterDevices::Io::Failed)
            throw READ_PORT_ERROR;
        result.append(more);
    }
    return result;
}

void ClassDriverUsbPort::rememberSelected()
{
    m_rememberedProductId = m_productIds.value(m_selected);
}

void ClassDriverUsbPort::reselect()
{
    for (int i = 0; i < m_deviceCount; ++i) {
        if (m_productIds.value(i) == m_rememberedProductId) {
            m_selected = i;
            return;
        }
    }
}

void ClassDriverUsbPort::selectByPosition(int position)
{
    const QVector<int> list = positions();
    if (position < 0 || position >= list.size()) {
        qDebug() << "no USB printer at list entry" << position;
        return;
    }
    m_selected = list.at(position);
}

QByteArray ClassDriverUsbPort::deviceId()
{
    if (m_selected < 0 || m_selected >= m_deviceCount)
        return QByteArray();
    return UsbPrinterDevices::deviceId(selectedHandle(), m_interfaces[size_t(m_selected)]);
}

QString ClassDriverUsbPort::modelName()
{
    QString model;
    modelOf(deviceId(), &model);
    return model;
}

bool ClassDriverUsbPort::modelNameAt(int position, QString *model)
{
    model->clear();
    if (position < 0 || position >= m_deviceCount)
        return false;
    return modelOf(
        UsbPrinterDevices::deviceId(m_handles[size_t(position)], m_interfaces[size_t(position)]),
        model);
}

void ClassDriverUsbPort::queryStatus()
{
    const UsbPrinterDevices::Handle handle = selectedHandle();
    int status = 0;
    UsbPrinterDevices::portStatus(handle, &status);
    quint8 answer = 0;
    UsbPrinterDevices::vendorCommand(handle, kStatusRequest, &answer);
    qDebug() << "GET DEVICE STATUS";
}
