#include "comm/usbport.h"

#include "comm/commerror.h"

UsbPort::UsbPort(QObject *parent)
    : QObject(parent)
{
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
