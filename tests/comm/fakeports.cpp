#include "fakeports.h"

#include "comm/commerror.h"

int FakeUsbPort::open()
{
    calls.append(QStringLiteral("open"));
    return m_devices;
}

bool FakeUsbPort::write(const QByteArray &data)
{
    calls.append(QStringLiteral("write"));
    written.append(data);
    return true;
}

bool FakeUsbPort::writeWait(const QByteArray &data)
{
    calls.append(QStringLiteral("writeWait"));
    written.append(data);
    return true;
}

QByteArray FakeUsbPort::read(int length)
{
    calls.append(QStringLiteral("read %1").arg(length));
    if (reads.isEmpty())
        throw READ_PORT_ERROR;
    return reads.takeFirst();
}

int FakeBluetoothClient::send(const QByteArray &data)
{
    written.append(data);
    return data.size();
}
