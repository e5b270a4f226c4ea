#include "comm/communication.h"

#include <QDebug>
#include <QThread>

#include "comm/bluetoothclient.h"
#include "comm/commerror.h"
#include "comm/delayservice.h"
#include "comm/lptport.h"
#include "comm/serialport.h"
#include "comm/tcpclient.h"
#include "comm/usbport.h"

namespace {

// A buffer up to this size goes out in one write; larger ones are split into blocks.
constexpr int kSingleWriteMax = 1024;
constexpr int kUsbBlock = 1024;
constexpr int kSerialBlock = 512000;
constexpr int kLptBlock = 10240;
constexpr int kStreamBlock = 1024;
// "Whatever is there": the read size used when the reply length is not known yet.
constexpr int kReceiveAny = 100;
constexpr int kEchoRetries = 5;
constexpr int kFrameRetries = 15;
constexpr int kShortHeader = 2; // 16-bit length
constexpr int kListHeader = 4; // zero byte and 24-bit length
constexpr int kSoftwareFlowControl = 2;
constexpr int kNoFlowControl = 0;

quint32 readBigEndian(const QByteArray &data, int from, int size)
{
    quint32 v = 0;
    for (int i = 0; i < size; ++i)
        v = (v << 8) | quint8(data.at(from + i));
    return v;
}

} // namespace

Communication::Communication(DelayService &delay, const ConfigFile *config, UsbPort *usb,
    BluetoothClient *bluetooth, QObject *parent)
    : QObject(parent)
    , m_delay(delay)
    , m_config(config)
    , m_bluetooth(bluetooth ? bluetooth : new UnavailableBluetoothClient)
    , m_usb(usb ? usb : new UnavailableUsbPort)
    , m_bluetoothThread(new QThread)
    , m_serial(new SerialPort(delay, config, this))
    , m_lpt(new LptPort(delay, config, this))
    , m_tcp(new TcpClient(this))
{
    m_usb->setParent(this);
    m_bluetooth->setParent(nullptr);
    m_bluetooth->moveToThread(m_bluetoothThread);
    connect(m_bluetoothThread, &QThread::started, m_bluetooth, &BluetoothClient::search);
    connect(m_bluetooth, &BluetoothClient::searchFinished, m_bluetoothThread, &QThread::quit);
    connect(m_tcp, &TcpClient::portOpenChanged, this, [this](bool open) {
        m_portOpen = open;
        // The mirror must not outlive the connection, or the next open would trust a dead one.
        if (!open)
            m_tcpConnected = false;
    });
}

Communication::~Communication()
{
    m_bluetoothThread->quit();
    m_bluetoothThread->wait();
    delete m_bluetooth;
    delete m_bluetoothThread;
}

void Communication::setSerialParameters(
    const QString &portName, int baudRate, int parity, int dataBits, int stopBits, int flowControl)
{
    m_serialPortName = portName;
    m_baudRate = baudRate;
    m_parity = parity;
    m_dataBits = dataBits;
    m_stopBits = stopBits;
    m_flowControl = flowControl;
}

void Communication::setServer(const QString &address, quint16 port)
{
    m_tcp->setServer(address, port);
}

QString Communication::receivedText() const
{
    return QString::fromUtf8(m_received);
}

void Communication::startBluetoothSearch()
{
    m_bluetoothThread->start();
}

void Communication::selectBluetoothDevice(int position)
{
    m_bluetooth->select(position);
}

bool Communication::initializePort()
{
    m_lastError = COMM_NO_ERROR;
    m_portOpen = false;
    try {
        switch (m_portType) {
        case PortUsb:
            m_usb->setTimeout(m_timeout);
            m_usb->setPollInterval(m_pollInterval);
            m_portOpen = m_usb->open() > 0;
            break;
        case PortSerial:
            m_serial->setTimeout(m_timeout);
            // Software flow control would swallow the 0x11/0x13 bytes of setting blocks.
            if (m_flowControl == kSoftwareFlowControl)
                m_flowControl = kNoFlowControl;
            m_serial->setPortName(m_serialPortName);
            m_serial->setBaudRate(m_baudRate);
            m_serial->setParity(m_parity);
            m_serial->setDataBits(m_dataBits);
            m_serial->setStopBits(m_stopBits);
            m_serial->setFlowControl(m_flowControl);
            m_portOpen = m_serial->open();
            break;
        case PortLpt:
            m_lpt->setPortName(m_lptPortName);
            m_lpt->setTimeout(m_timeout);
            m_lpt->setRetryDelay(m_lptReadDelay);
            m_lpt->close();
            m_portOpen = m_lpt->open();
            break;
        case PortWifi:
        case PortNetwork:
            m_tcp->setConnected(m_tcpConnected);
            if (m_tcp->connectToServer() != 0)
                throw WIFI_CONNECT_FAIL;
            m_tcpConnected = m_tcp->isConnected();
            break;
        case PortBluetooth:
            if (m_bluetooth->connectDevice() == 0)
                m_portOpen = true;
            break;
        default:
            break;
        }
    } catch (COMM_ERROR_CODE code) {
        raise(code, "communicate Error1: ");
    }
    return m_portOpen;
}

void Communication::communicate()
{
    m_abortWait = false;
    m_runReplyDelay = m_replyDelay;
    m_runOpen = initializePort();
    if (!m_runOpen) {
        if (!m_quietOpenFailure) {
            m_lastError = OPEN_PORT_ERROR;
            emit communicateError(OPEN_PORT_ERROR);
        }
        emit communicateResult(false);
        return;
    }
    m_busy = true;
    bool result = false;
    switch (m_mode) {
    case ModeSend:
        result = send();
        break;
    case ModeReceive:
        result = receive(kReceiveAny);
        break;
    case ModeSendReceive:
        if (m_portType == PortNetwork) {
            result = communicateNetwork();
        } else if (send()) {
            pause(m_runReplyDelay);
            result = receive(kReceiveAny);
        }
        break;
    case ModeFramed:
    case ModeFramedList:
    case ModeFramedSlow:
        result = isBlockPort() ? framedOnBlockPort() : framedOnStream();
        break;
    case ModeBulk:
    case ModeBulkNoRescan:
        result = bulkSend();
        break;
    case ModeWaitRestart:
        waitForRestart();
        result = true;
        break;
    default:
        break;
    }
    closePort();
    m_busy = false;
    emit communicateResult(result);
}

void Communication::closePort()
{
    if (!m_runOpen)
        return;
    switch (m_portType) {
    case PortUsb:
        m_usb->close();
        break;
    case PortSerial:
        m_serial->close();
        break;
    case PortLpt:
        m_lpt->close();
        break;
    default:
        // Network and Bluetooth connections stay up between exchanges.
        break;
    }
    m_runOpen = false;
}

bool Communication::send()
{
    try {
        switch (m_portType) {
        case PortUsb:
            sendBlocks(kUsbBlock, false, [this](const QByteArray &b) { m_usb->write(b); });
            break;
        case PortSerial:
            sendBlocks(kSerialBlock, true, [this](const QByteArray &b) { m_serial->write(b); });
            break;
        case PortLpt:
            sendBlocks(kLptBlock, true, [this](const QByteArray &b) { m_lpt->write(b); });
            break;
        case PortWifi:
        case PortNetwork:
            sendBlocks(kStreamBlock, false, [this](const QByteArray &b) {
                if (!m_tcp->write(b))
                    throw WRITE_PORT_ERROR;
            });
            // The network printer answers at once; the rest of this run does not wait for it.
            m_runReplyDelay = 0;
            break;
        case PortBluetooth:
            sendBlocks(kStreamBlock, false, [this](const QByteArray &b) {
                if (m_bluetooth->send(b) <= 0)
                    throw WRITE_PORT_ERROR;
            });
            break;
        default:
            break;
        }
    } catch (COMM_ERROR_CODE code) {
        raise(code, "communicate Error3: ");
        return false;
    }
    return true;
}

void Communication::sendBlocks(
    int blockSize, bool reportTotal, const std::function<void(const QByteArray &)> &writer)
{
    const int size = m_sendBuffer.size();
    if (size <= kSingleWriteMax) {
        writer(m_sendBuffer);
        return;
    }
    int offset = 0;
    for (; offset + blockSize <= size; offset += blockSize) {
        writer(m_sendBuffer.mid(offset, blockSize));
        emit transferDataCount(offset);
    }
    if (offset < size) {
        writer(m_sendBuffer.mid(offset));
        emit transferDataCount(reportTotal ? size : size - offset);
    }
}

bool Communication::readPort(int n, QByteArray *bytes, const char *errorPrefix)
{
    try {
        switch (m_portType) {
        case PortUsb:
            *bytes = m_usb->read(n);
            break;
        case PortSerial:
            *bytes = m_serial->read(m_expectedLength);
            break;
        case PortLpt:
            pause(m_lptReadDelay);
            *bytes = m_lpt->read(m_expectedLength);
            break;
        case PortWifi:
        case PortNetwork:
            *bytes = m_tcp->read();
            break;
        case PortBluetooth:
            *bytes = m_bluetooth->receive();
            break;
        default:
            bytes->clear();
            break;
        }
    } catch (COMM_ERROR_CODE code) {
        raise(code, errorPrefix);
        return false;
    }
    return true;
}

bool Communication::receive(int n)
{
    QByteArray bytes;
    if (!readPort(n, &bytes, "communicate Error5: "))
        return false;
    if (m_portType < PortUsb || m_portType > PortNetwork)
        return true;
    m_received = bytes;
    // A one-byte command on serial (a test poll) succeeds whatever came back; its answer is
    // kept for the requester but not signalled.
    if (m_portType == PortSerial && m_sendBuffer.size() == 1)
        return true;
    if (m_received.isEmpty())
        return false;
    emit receivedData(m_received);
    return true;
}

bool Communication::collect()
{
    QByteArray bytes;
    if (!readPort(kReceiveAny, &bytes, "communicate Error5: "))
        return false;
    // The network client returns everything since the command was sent; the other stream
    // ports return only what is new.
    if (isTcpPort())
        m_received = bytes;
    else
        m_received.append(bytes);
    return true;
}

int Communication::headerSize() const
{
    return m_mode == ModeFramedList ? kListHeader : kShortHeader;
}

bool Communication::frameComplete() const
{
    const int echo = m_sendBuffer.size();
    const int header = headerSize();
    if (m_received.size() < echo + header)
        return false;
    const quint32 payload = header == kShortHeader ? readBigEndian(m_received, echo, 2)
                                                   : readBigEndian(m_received, echo + 1, 3);
    return quint32(m_received.size()) >= quint32(echo + header) + payload;
}

bool Communication::framedOnBlockPort()
{
    const int echo = m_sendBuffer.size();
    const int header = headerSize();
    if (!send())
        return false;
    if (m_mode != ModeFramedList)
        pause(m_runReplyDelay);
    // The echo and the whole length field first; a parallel port reads exactly that.
    m_expectedLength = echo + header;
    QByteArray head;
    if (!readPort(kReceiveAny, &head, "communicate Error5: "))
        return false;
    if (head.size() < echo + header) {
        qDebug() << "communicate Error5: "
                 << "reply header missing, got" << head.size();
        raise(READ_PORT_ERROR, "communicate Error5: ");
        return false;
    }
    const int payload = int(
        header == kShortHeader ? readBigEndian(head, echo, 2) : readBigEndian(head, echo + 1, 3));
    // A USB transfer may already hold the start of the payload.
    m_received = head.mid(echo + header);
    const int missing = payload - m_received.size();
    if (missing > 0) {
        if (m_mode != ModeFramedList)
            pause(m_runReplyDelay);
        m_expectedLength = missing;
        QByteArray rest;
        if (!readPort(missing, &rest, "communicate Error5: "))
            return false;
        m_received.append(rest);
    }
    if (m_received.size() < payload) {
        qDebug() << "communicate Error5: "
                 << "reply incomplete" << m_received.size() << "of" << payload;
        raise(READ_PORT_ERROR, "communicate Error5: ");
        return false;
    }
    emit receivedData(m_received);
    return true;
}

bool Communication::framedOnStream()
{
    const int echo = m_sendBuffer.size();
    if (!send())
        return false;
    pause(m_mode == ModeFramedSlow ? kSlowStartMs : m_runReplyDelay);
    m_received.clear();
    // A port error has been reported already; waiting longer on that port gains nothing.
    if (!collect())
        return false;
    for (int i = 0; i < kEchoRetries && m_received.size() < echo; ++i) {
        pause(kEchoRetryMs);
        if (!collect())
            return false;
    }
    bool complete = false;
    if (m_received.size() < echo)
        complete = communicateAgain();
    if (!complete) {
        if (m_mode == ModeFramedSlow)
            qDebug() << "readBackLength: " << m_received.size();
        bool aborted = false;
        for (int i = 0; i < kFrameRetries && !frameComplete(); ++i) {
            if (m_mode == ModeFramedSlow && m_abortWait) {
                aborted = true;
                break;
            }
            pause(kFrameRetryMs);
            if (!collect())
                return false;
            if (m_mode == ModeFramedSlow)
                qDebug() << "nowreadBackLength: " << m_received.size();
        }
        if (aborted)
            return false;
        complete = frameComplete();
        if (!complete) {
            complete = communicateAgain();
            if (!complete) {
                dropTcpConnection();
                m_lastError = WIFI_CONNECT_FAIL;
                emit communicateError(WIFI_CONNECT_FAIL);
            }
        }
    }
    m_received.remove(0, echo + headerSize());
    qDebug() << (m_mode == ModeFramedList ? "readBuflength: " : "readBuflength2: ")
             << m_received.size();
    if (complete)
        emit receivedData(m_received);
    return complete;
}

bool Communication::communicateAgain()
{
    dropTcpConnection();
    if (!initializePort())
        return false;
    const int echo = m_sendBuffer.size();
    if (!send())
        return false;
    pause(m_runReplyDelay);
    m_received.clear();
    if (!collect())
        return false;
    for (int i = 0; i < kEchoRetries && m_received.size() < echo; ++i) {
        pause(kEchoRetryMs);
        if (!collect())
            return false;
    }
    if (m_received.size() < echo)
        return false;
    qDebug() << "sendBuf Length2: " << echo;
    qDebug() << "readBuf2: " << m_received.left(64).toHex(' ');
    for (int i = 0; i < kFrameRetries && !frameComplete(); ++i) {
        pause(kFrameRetryMs);
        if (!collect())
            return false;
    }
    qDebug() << "readBackLength2: " << m_received.size();
    return frameComplete();
}

bool Communication::communicateNetwork()
{
    try {
        if (!send())
            return false;
        pause(m_runReplyDelay);
        bool ok = receive(kReceiveAny);
        if (!m_received.isEmpty())
            return ok;
        // An empty reply usually means the printer dropped the connection: once more afresh.
        dropTcpConnection();
        if (!initializePort())
            return false; // the open step has reported why
        if (!send())
            return false;
        pause(m_runReplyDelay);
        if (!receive(kReceiveAny) || m_received.isEmpty())
            throw WIFI_CONNECT_FAIL;
        return true;
    } catch (COMM_ERROR_CODE code) {
        dropTcpConnection();
        raise(code, "communicate Error2: ");
        return false;
    }
}

bool Communication::bulkSend()
{
    if (m_portType != PortUsb)
        return send();
    try {
        if (m_mode == ModeBulkNoRescan) {
            sendBlocks(kUsbBlock, false, [this](const QByteArray &b) { m_usb->writeWait(b); });
        } else {
            m_usb->rememberSelected();
            m_usb->open();
            m_usb->reselect();
            sendBlocks(kUsbBlock, false, [this](const QByteArray &b) { m_usb->write(b); });
        }
    } catch (COMM_ERROR_CODE code) {
        raise(code, "communicate Error4: ");
        return false;
    }
    return true;
}

void Communication::waitForRestart()
{
    try {
        switch (m_portType) {
        case PortUsb:
            m_usb->queryStatus();
            break;
        case PortSerial:
            pause(kSerialRestartWaitMs);
            m_serial->pulseDtr();
            break;
        case PortLpt:
            pause(kLptRestartWaitMs);
            m_lpt->initPrinter();
            break;
        default:
            break;
        }
    } catch (COMM_ERROR_CODE code) {
        raise(code, "communicate Error4: ");
    }
}

void Communication::raise(int code, const char *prefix)
{
    qDebug() << prefix << code;
    m_lastError = code;
    emit communicateError(code);
}

void Communication::dropTcpConnection()
{
    m_tcpConnected = false;
    m_tcp->setConnected(false);
}

void Communication::pause(int ms)
{
    if (ms > 0)
        m_delay.sleep(ms);
}
