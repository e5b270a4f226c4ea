#include "comm/usbport.h"

#include "comm/commerror.h"

namespace {
// Older firmware reports the model without the hyphen the database uses.
const QString kBareModel = QStringLiteral("RK5200");
const QString kDatabaseModel = QStringLiteral("RK-5200");
} // namespace

UsbPort::UsbPort(QObject *parent)
    : QObject(parent)
{
}

QString UsbPort::serialNumberAt(int) const
{
    return QString();
}

bool UsbPort::modelNameAt(int, QString *)
{
    return false;
}

void UsbPort::resetEnumeration()
{
    m_deviceNames.clear();
    m_positions.clear();
}

QString UsbPort::knownModelName(const QString &model)
{
    return model == kBareModel ? kDatabaseModel : model;
}

QStringList UsbPort::listDeviceNames(int count)
{
    m_deviceNames.clear();
    m_positions.clear();
    for (int position = 0; position < count; ++position) {
        QString model;
        m_deviceNames.append(modelNameAt(position, &model) ? model : tr("UnknowPrinter"));
        m_positions.append(position);
    }
    distinguishEqualNames();
    return m_deviceNames;
}

QStringList UsbPort::listSupportedDevices(
    int count, const std::function<bool(const QString &)> &isKnown)
{
    m_deviceNames.clear();
    m_positions.clear();
    for (int position = 0; position < count; ++position) {
        QString model;
        if (!modelNameAt(position, &model))
            continue;
        model = knownModelName(model);
        if (model.isEmpty() || !isKnown(model))
            continue;
        m_deviceNames.append(model);
        m_positions.append(position);
    }
    distinguishEqualNames();
    return m_deviceNames;
}

void UsbPort::distinguishEqualNames()
{
    const QStringList plain = m_deviceNames;
    for (int i = 0; i < plain.size(); ++i) {
        if (plain.count(plain.at(i)) < 2)
            continue;
        const QString serial = serialNumberAt(m_positions.at(i));
        if (!serial.isEmpty())
            m_deviceNames[i] = plain.at(i) + QLatin1Char('-') + serial;
    }
}

UnavailableUsbPort::UnavailableUsbPort(QObject *parent)
    : UsbPort(parent)
{
}

void UnavailableUsbPort::setTimeout(int) { }

void UnavailableUsbPort::setPollInterval(int) { }

int UnavailableUsbPort::open()
{
    return 0;
}

void UnavailableUsbPort::close() { }

bool UnavailableUsbPort::write(const QByteArray &)
{
    throw WRITE_PORT_ERROR;
}

bool UnavailableUsbPort::writeWait(const QByteArray &)
{
    throw WRITE_PORT_ERROR;
}

QByteArray UnavailableUsbPort::read(int)
{
    throw READ_PORT_ERROR;
}

void UnavailableUsbPort::rememberSelected() { }

void UnavailableUsbPort::reselect() { }

void UnavailableUsbPort::selectByPosition(int) { }

QByteArray UnavailableUsbPort::deviceId()
{
    return QByteArray();
}

QString UnavailableUsbPort::modelName()
{
    return QString();
}

void UnavailableUsbPort::queryStatus() { }
