#include "bluetoothstack.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include "printerhost.h"
#include "simlinks.h"

namespace {

// Addresses the simulator hands out: a fixed prefix and the printer's number.
const QString kAddressPrefix = QStringLiteral("52:4B:53:49:4D:");
constexpr int kHexBase = 16;

// The printer's stream over the stack, named by its device address in the log.
class BluetoothLink : public TcpLink
{
public:
    BluetoothLink(QTcpSocket *socket, const QString &address)
        : TcpLink(socket)
        , m_address(address)
    {
    }
    QString describe() const override { return QStringLiteral("bluetooth %1").arg(m_address); }

private:
    QString m_address;
};

} // namespace

SimBluetoothStack::SimBluetoothStack(bool refuse, LogSink log, QObject *parent)
    : QObject(parent)
    , m_refuse(refuse)
    , m_log(std::move(log))
{
}

QString SimBluetoothStack::addressOf(int index)
{
    return kAddressPrefix
        + QStringLiteral("%1").arg(index + 1, 2, kHexBase, QLatin1Char('0')).toUpper();
}

void SimBluetoothStack::addDevice(const QString &name, PrinterHost *host)
{
    m_devices.append({ name, addressOf(m_devices.size()), host });
}

bool SimBluetoothStack::listen(const QHostAddress &address, quint16 port, QString *error)
{
    m_server = new QTcpServer(this);
    if (!m_server->listen(address, port)) {
        *error = m_server->errorString();
        return false;
    }
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection()) {
            socket->setParent(this);
            // A client that never finishes its request must not hold the connection forever.
            auto *deadline = new QTimer(socket);
            deadline->setSingleShot(true);
            connect(deadline, &QTimer::timeout, socket, [this, socket] {
                m_log(QStringLiteral("BLUETOOTH TIMEOUT"));
                socket->abort();
                socket->deleteLater();
            });
            deadline->start(kRequestWaitMs);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onRequest(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return true;
}

QString SimBluetoothStack::endpoint() const
{
    return m_server ? QStringLiteral("%1:%2")
                          .arg(m_server->serverAddress().toString())
                          .arg(m_server->serverPort())
                    : QString();
}

void SimBluetoothStack::answerAndClose(QTcpSocket *socket, const QByteArray &text)
{
    socket->disconnect();
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    socket->write(text);
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
}

void SimBluetoothStack::onRequest(QTcpSocket *socket)
{
    if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxRequest) {
            m_log(QStringLiteral("BLUETOOTH BAD request too long"));
            answerAndClose(socket, "ERR request too long\n");
        }
        return;
    }
    // The request is answered once; what follows belongs to the printer or is ignored.
    socket->disconnect();
    for (QTimer *t : socket->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly)) {
        t->stop();
        t->deleteLater();
    }
    const QString request = QString::fromUtf8(socket->readLine(kMaxRequest + 1)).trimmed();
    const QString verb = request.section(QLatin1Char(' '), 0, 0);
    const QString argument = request.section(QLatin1Char(' '), 1).trimmed();

    if (verb == QLatin1String("LIST")) {
        m_log(QStringLiteral("BLUETOOTH LIST %1").arg(m_devices.size()));
        QByteArray answer;
        for (const Device &d : m_devices)
            answer += QStringLiteral("DEVICE %1 %2\n").arg(d.address, d.name).toUtf8();
        answerAndClose(socket, answer + "END\n");
        return;
    }
    if (verb != QLatin1String("CONNECT")) {
        m_log(QStringLiteral("BLUETOOTH BAD %1").arg(request.left(kMaxRequest)));
        answerAndClose(socket, "ERR unknown request\n");
        return;
    }
    const Device *device = nullptr;
    for (const Device &d : m_devices)
        if (d.address.compare(argument, Qt::CaseInsensitive) == 0)
            device = &d;
    if (!device) {
        m_log(QStringLiteral("BLUETOOTH NO DEVICE %1").arg(argument));
        answerAndClose(socket, "ERR no such device\n");
        return;
    }
    if (m_refuse) {
        m_log(QStringLiteral("REFUSE bluetooth %1").arg(device->address));
        answerAndClose(socket, "ERR device busy\n");
        return;
    }
    socket->write("OK\n");
    socket->flush();
    const QByteArray early = socket->readAll();
    auto *link = new BluetoothLink(socket, device->address);
    device->host->adoptLink(link, SimLink::Bluetooth);
    if (!early.isEmpty())
        emit link->received(early);
}
