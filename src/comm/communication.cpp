#include "comm/communication.h"

#include <QDebug>
#include <QElapsedTimer>
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
// A serial line and a TCP stream carry no block boundaries to the printer: their write sizes
// only set how often the transfer can report progress and how much each system call moves.
constexpr int kSerialBlock = 4096;
constexpr int kTcpBlock = 65536;
constexpr int kLptBlock = 10240;
constexpr int kBluetoothBlock = 1024;
// Progress reports are at least this far apart (and one comes at the end), whatever the writes.
constexpr int kProgressStep = 16384;
// "Whatever is there": the read size used when the reply length is not known yet.
constexpr int kReceiveAny = 100;
constexpr int kEchoRetries = 5;
constexpr int kFrameRetries = 15;
constexpr int kSoftwareFlowControl = 2;
constexpr int kNoFlowControl = 0;

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
    const QHostAddress before = m_tcp->serverAddress();
    const quint16 portBefore = m_tcp->serverPort();
    m_tcp->setServer(address, port);
    // The connection kept open leads to the printer there was: the next open goes to the new one.
    if (m_tcp->serverAddress() != before || m_tcp->serverPort() != portBefore)
        dropTcpConnection();
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
        result = m_portType == PortNetwork ? communicateNetwork() : sendReceive();
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

bool Communication::sendBytes(const QByteArray &bytes, bool report)
{
    const QByteArray kept = m_sendBuffer;
    m_sendBuffer = bytes;
    const bool ok = send(report);
    m_sendBuffer = kept;
    return ok;
}

bool Communication::send(bool report)
{
    try {
        switch (m_portType) {
        case PortUsb:
            sendBlocks(kUsbBlock, [this](const QByteArray &b) { m_usb->write(b); });
            break;
        case PortSerial:
            sendBlocks(kSerialBlock, [this](const QByteArray &b) { m_serial->write(b); });
            break;
        case PortLpt:
            sendBlocks(kLptBlock, [this](const QByteArray &b) { m_lpt->write(b); });
            break;
        case PortWifi:
        case PortNetwork:
            sendBlocks(kTcpBlock, [this](const QByteArray &b) {
                if (!m_tcp->write(b))
                    throw WRITE_PORT_ERROR;
            });
            // The network printer answers at once; the rest of this run does not wait for it.
            m_runReplyDelay = 0;
            break;
        case PortBluetooth:
            sendBlocks(kBluetoothBlock, [this](const QByteArray &b) {
                if (m_bluetooth->send(b) <= 0)
                    throw WRITE_PORT_ERROR;
            });
            break;
        default:
            break;
        }
    } catch (COMM_ERROR_CODE code) {
        if (report)
            raise(code, "communicate Error3: ");
        else
            qDebug() << "communicate Error3 (trying again): " << code;
        return false;
    }
    return true;
}

void Communication::sendBlocks(
    int blockSize, const std::function<void(const QByteArray &)> &writer)
{
    const int size = m_sendBuffer.size();
    m_bytesAccepted = 0;
    if (size <= kSingleWriteMax) {
        writer(m_sendBuffer);
        m_bytesAccepted = size;
        if (isBulkMode() && size > 0)
            emit transferDataCount(size);
        return;
    }
    // The count is what the port has taken so far, so the last report is the whole size and a
    // progress display never runs backwards.
    int reported = 0;
    for (int offset = 0; offset < size;) {
        const int length = qMin(blockSize, size - offset);
        writer(m_sendBuffer.mid(offset, length));
        offset += length;
        m_bytesAccepted = offset;
        if (offset - reported >= kProgressStep || offset == size) {
            emit transferDataCount(offset);
            reported = offset;
        }
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

bool Communication::collect(int missing)
{
    QByteArray bytes;
    // Serial and parallel reads wait for their expected length: only what is still missing.
    const int expected = m_expectedLength;
    if (missing > 0)
        m_expectedLength = missing;
    const bool read = readPort(missing > 0 ? missing : kReceiveAny, &bytes, "communicate Error5: ");
    m_expectedLength = expected;
    if (!read)
        return false;
    // The network client returns everything since the command was sent; the other stream
    // ports return only what is new.
    if (isTcpPort())
        m_received = bytes;
    else
        m_received.append(bytes);
    return true;
}

ReplyCheck Communication::replyCheck() const
{
    switch (m_mode) {
    case ModeFramed:
    case ModeFramedSlow:
        return ReplyCheck::framed(
            ReplyCheck::Framing::Length16, m_sendBuffer, m_expectedPayload);
    case ModeFramedList:
        return ReplyCheck::framed(
            ReplyCheck::Framing::Length24, m_sendBuffer, m_expectedPayload);
    default:
        return ReplyCheck::plain(m_expectedLength, m_expectedEcho);
    }
}

int Communication::headerSize() const
{
    return replyCheck().headerSize() - m_sendBuffer.size();
}

bool Communication::frameComplete() const
{
    return replyCheck().verdict(m_received) == ReplyCheck::Verdict::Complete;
}

bool Communication::frameInvalid() const
{
    return replyCheck().verdict(m_received) == ReplyCheck::Verdict::Invalid;
}

bool Communication::sendAfterPreamble(bool newConnection, bool report)
{
    // A printer on a new connection knows nothing of what went out on the old one.
    if (newConnection && !m_resendPreamble.isEmpty() && !sendBytes(m_resendPreamble, report))
        return false;
    return send(report);
}

bool Communication::sendReceive()
{
    if (!sendAfterPreamble(isTcpPort() && m_tcp->isNewConnection()))
        return false;
    pause(m_runReplyDelay);
    // A one-byte command on serial (a test poll) succeeds whatever came back; its answer is
    // kept for the requester but not signalled.
    if (m_portType == PortSerial && m_sendBuffer.size() == 1)
        return receive(kReceiveAny);
    ReplyCheck::Verdict verdict = ReplyCheck::Verdict::Incomplete;
    if (!awaitReply(&verdict))
        return false;
    if (verdict != ReplyCheck::Verdict::Complete) {
        replyMissing(verdict);
        return false;
    }
    return acceptReply(replyCheck());
}

bool Communication::awaitReply(ReplyCheck::Verdict *verdict)
{
    const ReplyCheck check = replyCheck();
    m_received.clear();
    *verdict = ReplyCheck::Verdict::Incomplete;
    QElapsedTimer clock;
    clock.start();
    // Read while bytes keep coming: a reply in pieces is awaited whole, and a printer that
    // went quiet ends the wait.
    int before = -1;
    while (m_received.size() > before && clock.elapsed() < m_timeout) {
        // The first read takes whatever is there, as every port always did; later ones what
        // is still missing.
        const int size = before < 0 ? -1 : check.replySize(m_received);
        before = m_received.size();
        if (!collect(size > 0 ? size - m_received.size() : 0))
            return false; // the port error has been reported
        *verdict = check.verdict(m_received);
        if (*verdict != ReplyCheck::Verdict::Incomplete)
            break;
    }
    return true;
}

bool Communication::acceptReply(const ReplyCheck &check)
{
    const QString extra = check.explain(m_received);
    if (!extra.isEmpty())
        qDebug() << "reply:" << extra;
    m_received = check.data(m_received);
    emit receivedData(m_received);
    return true;
}

void Communication::replyMissing(ReplyCheck::Verdict verdict)
{
    qDebug() << "communicate Error5: " << replyCheck().explain(m_received);
    // Late bytes of a broken reply must not turn up in the next exchange.
    const bool closed = isTcpPort() && !m_portOpen;
    if (isTcpPort())
        dropTcpConnection();
    raise(verdict == ReplyCheck::Verdict::Incomplete && closed ? WIFI_CONNECT_FAIL
                                                               : READ_PORT_ERROR,
        "communicate Error5: ");
}

bool Communication::framedOnBlockPort()
{
    const ReplyCheck check = replyCheck();
    if (!send())
        return false;
    if (m_mode != ModeFramedList)
        pause(m_runReplyDelay);
    // The echo and the whole length field first; a parallel port reads exactly that.
    m_expectedLength = check.headerSize();
    QByteArray reply;
    if (!readPort(kReceiveAny, &reply, "communicate Error5: "))
        return false;
    if (reply.size() >= check.headerSize()
        && check.verdict(reply) != ReplyCheck::Verdict::Invalid) {
        // A USB transfer may already hold the start of the payload.
        const int missing = check.replySize(reply) - reply.size();
        if (missing > 0) {
            if (m_mode != ModeFramedList)
                pause(m_runReplyDelay);
            m_expectedLength = missing;
            QByteArray rest;
            if (!readPort(missing, &rest, "communicate Error5: "))
                return false;
            reply.append(rest);
        }
    }
    m_received = reply;
    if (check.verdict(reply) != ReplyCheck::Verdict::Complete) {
        qDebug() << "communicate Error5: " << check.explain(reply);
        raise(READ_PORT_ERROR, "communicate Error5: ");
        return false;
    }
    return acceptReply(check);
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
    for (int i = 0; i < kEchoRetries && m_received.size() < echo && !frameInvalid(); ++i) {
        pause(kEchoRetryMs);
        if (!collect())
            return false;
    }
    bool complete = false;
    if (m_received.size() < echo && !frameInvalid())
        complete = communicateAgain();
    if (!complete && !frameInvalid()) {
        if (m_mode == ModeFramedSlow)
            qDebug() << "readBackLength: " << m_received.size();
        bool aborted = false;
        for (int i = 0; i < kFrameRetries && !frameComplete() && !frameInvalid(); ++i) {
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
        if (!complete && !frameInvalid()) {
            complete = communicateAgain();
            if (!complete && !frameInvalid()) {
                dropTcpConnection();
                m_lastError = WIFI_CONNECT_FAIL;
                emit communicateError(WIFI_CONNECT_FAIL);
                return false;
            }
        }
    }
    if (!complete) {
        // An answer that is not the frame asked for: waiting or asking again cannot mend it.
        replyMissing(ReplyCheck::Verdict::Invalid);
        return false;
    }
    qDebug() << (m_mode == ModeFramedList ? "readBuflength: " : "readBuflength2: ")
             << m_received.size() - echo - headerSize();
    return acceptReply(replyCheck());
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
    for (int i = 0; i < kEchoRetries && m_received.size() < echo && !frameInvalid(); ++i) {
        pause(kEchoRetryMs);
        if (!collect())
            return false;
    }
    if (m_received.size() < echo || frameInvalid())
        return false;
    qDebug() << "sendBuf Length2: " << echo;
    qDebug() << "readBuf2: " << m_received.left(64).toHex(' ');
    for (int i = 0; i < kFrameRetries && !frameComplete() && !frameInvalid(); ++i) {
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
        // A printer that dropped the connection shows it at the write when its close came
        // first, else as a missing reply: either way the bytes go once more on a new one.
        const bool sent = sendAfterPreamble(m_tcp->isNewConnection(), false);
        ReplyCheck::Verdict verdict = ReplyCheck::Verdict::Incomplete;
        if (sent) {
            pause(m_runReplyDelay);
            if (!awaitReply(&verdict))
                return false;
        }
        if (verdict == ReplyCheck::Verdict::Incomplete) {
            // Nothing or too little usually means the printer dropped the connection: once more
            // afresh, with whatever must go in front of these bytes for the printer to take
            // them as what they are.
            dropTcpConnection();
            if (!initializePort())
                return false; // the open step has reported why
            if (!sendAfterPreamble(true))
                return false;
            pause(m_runReplyDelay);
            if (!awaitReply(&verdict))
                return false;
            if (verdict == ReplyCheck::Verdict::Incomplete)
                throw WIFI_CONNECT_FAIL;
        }
        if (verdict == ReplyCheck::Verdict::Invalid) {
            replyMissing(verdict);
            return false;
        }
        return acceptReply(replyCheck());
    } catch (COMM_ERROR_CODE code) {
        dropTcpConnection();
        raise(code, "communicate Error2: ");
        return false;
    }
}

bool Communication::bulkSend()
{
    if (m_portType != PortUsb) {
        if (!send())
            return false;
        // The system takes much of a download before the printer has it: the download counts
        // when the printer has acknowledged every byte and the line still stands a reply delay
        // later (a printer that drops it has lost data the writes counted as sent).
        if (isTcpPort() && !m_tcp->deliveredAll(m_timeout, m_replyDelay)) {
            qDebug() << "connection lost after" << m_bytesAccepted << "bytes";
            dropTcpConnection();
            raise(WRITE_PORT_ERROR, "communicate Error4: ");
            return false;
        }
        return true;
    }
    m_bytesAccepted = 0;
    try {
        if (m_mode == ModeBulkNoRescan) {
            sendBlocks(kUsbBlock, [this](const QByteArray &b) { m_usb->writeWait(b); });
        } else {
            m_usb->rememberSelected();
            m_usb->open();
            m_usb->reselect();
            sendBlocks(kUsbBlock, [this](const QByteArray &b) { m_usb->write(b); });
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
