#include "comm/bluetoothsimclient.h"

#include <QDebug>

namespace {
// The simulator's control lines, one request per connection.
const QByteArray kList = QByteArrayLiteral("LIST\n");
const QByteArray kConnect = QByteArrayLiteral("CONNECT ");
const QByteArray kDevice = QByteArrayLiteral("DEVICE ");
const QByteArray kEnd = QByteArrayLiteral("END");
const QByteArray kOk = QByteArrayLiteral("OK");
} // namespace

SimulatedBluetoothClient::SimulatedBluetoothClient(const QString &endpoint, QObject *parent)
    : BluetoothStreamClient(parent)
    , m_endpoint(endpoint)
{
}

bool SimulatedBluetoothClient::openControl(BluetoothSocket *socket, QString *error) const
{
    const int colon = m_endpoint.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const uint port = m_endpoint.mid(colon + 1).toUInt(&ok);
    if (colon <= 0 || !ok || port == 0 || port > 0xFFFF) {
        *error = QStringLiteral("simulated stack \"%1\" is not HOST:PORT").arg(m_endpoint);
        return false;
    }
    QString host = m_endpoint.left(colon);
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        host = host.mid(1, host.size() - 2);
    return socket->connectTcp(host, quint16(port), kControlWaitMs, error);
}

bool SimulatedBluetoothClient::discover(QList<BluetoothDevice> *found)
{
    BluetoothSocket control;
    QString error;
    if (!openControl(&control, &error) || control.send(kList, kControlWaitMs, &error) < 0) {
        qDebug() << "Bluetooth discovery failed: " << error;
        return false;
    }
    for (;;) {
        QByteArray line;
        if (!control.readLine(kMaxLine, kControlWaitMs, &line, &error)) {
            qDebug() << "Bluetooth discovery failed: " << error;
            return false;
        }
        if (line == kEnd)
            return true;
        // DEVICE <address> <name>; the name may hold spaces.
        const int space = line.indexOf(' ', kDevice.size());
        bool ok = false;
        const BluetoothAddress address = BluetoothAddress::fromString(
            QString::fromLatin1(line.mid(kDevice.size(), space - kDevice.size())), &ok);
        if (!line.startsWith(kDevice) || space < 0 || !ok) {
            qDebug() << "Bluetooth discovery failed: unexpected answer" << line;
            return false;
        }
        found->append({ QString::fromUtf8(line.mid(space + 1)), address });
    }
}

bool SimulatedBluetoothClient::openStream(
    const BluetoothAddress &address, BluetoothSocket *socket, QString *error)
{
    if (!openControl(socket, error))
        return false;
    const QByteArray request = kConnect + address.toString().toLatin1() + '\n';
    if (socket->send(request, kControlWaitMs, error) < 0)
        return false;
    QByteArray answer;
    if (!socket->readLine(kMaxLine, kControlWaitMs, &answer, error))
        return false;
    if (answer != kOk) {
        *error = QString::fromUtf8(answer);
        return false;
    }
    return true;
}
