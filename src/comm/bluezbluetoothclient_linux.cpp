#include "comm/bluezbluetoothclient.h"

#include <atomic>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusReply>
#include <QDebug>
#include <QEventLoop>
#include <QTimer>

namespace {
const QString kService = QStringLiteral("org.bluez");
const QString kRootPath = QStringLiteral("/");
const QString kObjectManager = QStringLiteral("org.freedesktop.DBus.ObjectManager");
const QString kAdapterInterface = QStringLiteral("org.bluez.Adapter1");
const QString kDeviceInterface = QStringLiteral("org.bluez.Device1");
const QString kAlreadyDiscovering = QStringLiteral("org.bluez.Error.InProgress");
constexpr int kCallTimeoutMs = 5000;

QString deviceName(const QVariantMap &properties, const QString &address)
{
    for (const char *key : { "Name", "Alias" }) {
        const QString name = properties.value(QLatin1String(key)).toString();
        if (!name.isEmpty())
            return name;
    }
    return address;
}
} // namespace

BluetoothClient *makeSystemBluetoothClient()
{
    return new BluezBluetoothClient;
}

BluezBluetoothClient::BluezBluetoothClient(
    const QString &busAddress, int discoveryMs, QObject *parent)
    : BluetoothStreamClient(parent)
    , m_busAddress(busAddress)
    , m_discoveryMs(discoveryMs)
{
    registerTypes();
}

void BluezBluetoothClient::registerTypes()
{
    static const bool registered = [] {
        qDBusRegisterMetaType<BluezInterfaces>();
        qDBusRegisterMetaType<BluezObjects>();
        return true;
    }();
    Q_UNUSED(registered)
}

bool BluezBluetoothClient::discover(QList<BluetoothDevice> *found)
{
    // A connection of our own: it is opened and closed on the discovery thread, and its
    // signals reach this object there.
    static std::atomic<int> serial { 0 };
    const QString name = QStringLiteral("rkmenu-bluez-%1").arg(++serial);
    bool ok;
    {
        QDBusConnection bus = m_busAddress.isEmpty()
            ? QDBusConnection::connectToBus(QDBusConnection::SystemBus, name)
            : QDBusConnection::connectToBus(m_busAddress, name);
        ok = discoverOn(bus, found);
    }
    QDBusConnection::disconnectFromBus(name);
    return ok;
}

bool BluezBluetoothClient::discoverOn(QDBusConnection &bus, QList<BluetoothDevice> *found)
{
    if (!bus.isConnected()) {
        qDebug() << "Bluetooth discovery failed: no system bus:" << bus.lastError().message();
        setSearchFailure(NoBluetoothService);
        return false;
    }
    const QDBusMessage getObjects = QDBusMessage::createMethodCall(
        kService, kRootPath, kObjectManager, QStringLiteral("GetManagedObjects"));
    QDBusReply<BluezObjects> before = bus.call(getObjects, QDBus::Block, kCallTimeoutMs);
    if (!before.isValid()) {
        qDebug() << "Bluetooth discovery failed: Bluetooth service:" << before.error().message();
        setSearchFailure(NoBluetoothService);
        return false;
    }
    QString adapter;
    for (auto it = before.value().cbegin(); it != before.value().cend() && adapter.isEmpty(); ++it)
        if (it.value().contains(kAdapterInterface))
            adapter = it.key().path();
    if (adapter.isEmpty()) {
        qDebug() << "Bluetooth discovery failed: no Bluetooth adapter";
        setSearchFailure(NoAdapter);
        return false;
    }
    const QVariantMap adapterProperties
        = before.value().value(QDBusObjectPath(adapter)).value(kAdapterInterface);
    if (!adapterProperties.value(QStringLiteral("Powered"), true).toBool()) {
        qDebug() << "Bluetooth discovery failed: adapter" << adapter << "is switched off";
        setSearchFailure(AdapterOff);
        return false;
    }

    m_arrivals.clear();
    bus.connect(kService, kRootPath, kObjectManager, QStringLiteral("InterfacesAdded"), this,
        SLOT(onInterfacesAdded(QDBusMessage)));
    const QDBusMessage started = bus.call(QDBusMessage::createMethodCall(kService, adapter,
                                              kAdapterInterface, QStringLiteral("StartDiscovery")),
        QDBus::Block, kCallTimeoutMs);
    if (started.type() == QDBusMessage::ErrorMessage
        && started.errorName() != kAlreadyDiscovering) {
        qDebug() << "Bluetooth discovery failed: StartDiscovery:" << started.errorMessage();
        bus.disconnect(kService, kRootPath, kObjectManager, QStringLiteral("InterfacesAdded"), this,
            SLOT(onInterfacesAdded(QDBusMessage)));
        return false;
    }
    QEventLoop listening;
    QTimer::singleShot(m_discoveryMs, &listening, &QEventLoop::quit);
    listening.exec();
    const QDBusMessage stopped = bus.call(QDBusMessage::createMethodCall(kService, adapter,
                                              kAdapterInterface, QStringLiteral("StopDiscovery")),
        QDBus::Block, kCallTimeoutMs);
    if (stopped.type() == QDBusMessage::ErrorMessage)
        qDebug() << "Bluetooth StopDiscovery:" << stopped.errorMessage();
    bus.disconnect(kService, kRootPath, kObjectManager, QStringLiteral("InterfacesAdded"), this,
        SLOT(onInterfacesAdded(QDBusMessage)));

    QDBusReply<BluezObjects> after = bus.call(getObjects, QDBus::Block, kCallTimeoutMs);
    if (!after.isValid()) {
        qDebug() << "Bluetooth discovery failed: Bluetooth service:" << after.error().message();
        return false;
    }
    // Devices the adapter already knew come first, then those found now in arrival order.
    QList<QDBusObjectPath> order;
    for (auto it = after.value().cbegin(); it != after.value().cend(); ++it)
        if (!m_arrivals.contains(it.key()))
            order.append(it.key());
    order.append(m_arrivals);
    for (const QDBusObjectPath &path : order) {
        const BluezInterfaces interfaces = after.value().value(path);
        if (!interfaces.contains(kDeviceInterface))
            continue;
        const QVariantMap properties = interfaces.value(kDeviceInterface);
        const QDBusObjectPath owner
            = properties.value(QStringLiteral("Adapter")).value<QDBusObjectPath>();
        if (owner.path() != adapter)
            continue;
        const QString text = properties.value(QStringLiteral("Address")).toString();
        bool ok = false;
        const BluetoothAddress address = BluetoothAddress::fromString(text, &ok);
        if (!ok) {
            qDebug() << "Bluetooth device" << path.path() << "without a usable address" << text;
            continue;
        }
        found->append({ deviceName(properties, text), address });
    }
    return true;
}

void BluezBluetoothClient::onInterfacesAdded(const QDBusMessage &message)
{
    const QList<QVariant> arguments = message.arguments();
    if (arguments.isEmpty())
        return;
    const QDBusObjectPath path = arguments.at(0).value<QDBusObjectPath>();
    if (!path.path().isEmpty() && !m_arrivals.contains(path))
        m_arrivals.append(path);
}

bool BluezBluetoothClient::openStream(
    const BluetoothAddress &address, BluetoothSocket *socket, QString *error)
{
    return socket->connectRfcomm(address, kRfcommChannel, kConnectWaitMs, error);
}
