#include "comm/bluetoothstreamclient.h"

#include <QDebug>

BluetoothStreamClient::BluetoothStreamClient(QObject *parent)
    : BluetoothClient(parent)
{
}

void BluetoothStreamClient::search()
{
    qDebug() << "Discovering services...";
    QList<BluetoothDevice> found;
    m_searchFailure = SearchRefused;
    if (!discover(&found)) {
        emit searchFailed(m_searchFailure);
    } else {
        // A new list makes the old positions meaningless, and with them the old choice.
        dropConnection();
        m_target = BluetoothAddress();
        setSelected(false);
        m_names.clear();
        m_addresses.clear();
        for (const BluetoothDevice &device : found) {
            qDebug() << "Service: " << device.name;
            qDebug() << "Address: " << device.address.toString();
            m_addresses.insert(m_names.size(), device.address);
            m_names.append(device.name);
        }
        m_published = m_names;
        emit searchListFinished(&m_published);
    }
    emit searchFinished();
}

void BluetoothStreamClient::select(int position)
{
    dropConnection();
    m_target = m_addresses.value(position);
    // A position outside the list chooses nothing, so the connect flow asks for a choice
    // instead of failing to open a device that does not exist.
    setSelected(m_addresses.contains(position));
}

int BluetoothStreamClient::connectDevice()
{
    if (m_connected)
        return 0;
    if (!isSelected()) {
        qDebug() << "Connect err: "
                 << "no device selected";
        return -1;
    }
    qDebug() << "connect to: " << m_target.toString();
    QString error;
    if (!openStream(m_target, &m_socket, &error)) {
        qDebug() << "Connect err: " << error;
        m_socket.close();
        return -1;
    }
    m_connected = true;
    return 0;
}

int BluetoothStreamClient::send(const QByteArray &data)
{
    QString error;
    const int sent = m_connected ? m_socket.send(data, kSendWaitMs, &error) : -1;
    if (sent < 0) {
        qDebug() << "Bluetooth send failed: "
                 << (m_connected ? error : QStringLiteral("not connected"));
        dropConnection();
    }
    return sent;
}

QByteArray BluetoothStreamClient::receive()
{
    if (!m_connected)
        return QByteArray();
    QByteArray data;
    QString error;
    switch (m_socket.receive(kReceiveBufferSize, kReceiveWaitMs, &data, &error)) {
    case BluetoothSocket::ReadResult::Data:
        return data;
    case BluetoothSocket::ReadResult::TimedOut:
        // Nothing yet is not an error: the printer may still be working on the reply.
        return QByteArray();
    case BluetoothSocket::ReadResult::Closed:
    case BluetoothSocket::ReadResult::Failed:
        break;
    }
    qDebug() << "Bluetooth receive failed: " << error;
    dropConnection();
    return QByteArray();
}

void BluetoothStreamClient::dropConnection()
{
    m_socket.close();
    m_connected = false;
}
