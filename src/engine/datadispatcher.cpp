#include "engine/datadispatcher.h"

#include <QDebug>
#include <QThread>

#include "core/configfile.h"
#include "comm/commerror.h"
#include "comm/communication.h"
#include "comm/delayservice.h"
#include "comm/portchoices.h"

namespace {
constexpr int kHandshakeLength = 10;
constexpr int kModeByteIndex = kHandshakeLength - 1;
constexpr int kHandshakeReplyDelayMs = 1000;
constexpr int kIdentityReplyDelayMs = 100;
constexpr int kBlockReplyDelayMs = 100;
constexpr int kAwaitDelayMs = 500;
constexpr int kUsbAwaitDelayMs = 100;
constexpr int kParameterListDelayMs = 5000;
constexpr int kSlowUsbPollMs = 1000;
constexpr int kUsbPollMs = 100;
constexpr int kLastOperation = 30;

// Command keys of the table.
enum Command : int {
    CmdHandshake = 0,
    CmdLeave = 1,
    CmdSecondIdentity = 2,
    CmdModel = 3,
    CmdReadBlock = 4,
    CmdReadList = 5,
    CmdReadDefaults = 6,
    CmdRestore = 8,
    CmdAnnounceBlock = 9,
    CmdWriteList = 10,
    CmdRestoreNoType = 30,
};

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(static_cast<char>(v));
    return b;
}

// The reply as text: UTF-8 up to its first zero byte.
QString textOf(const QByteArray &reply)
{
    const int zero = reply.indexOf('\0');
    return QString::fromUtf8(zero < 0 ? reply : reply.left(zero));
}

bool slowUsbPolling(const QString &typeCode)
{
    return typeCode == QLatin1String("0701") || typeCode == QLatin1String("0B01")
        || typeCode == QLatin1String("0A01") || typeCode == QLatin1String("0702");
}
} // namespace

const QByteArray DataDispatcher::kModelMarker = QByteArrayLiteral("\x51\x4E\x42\x59");

QMap<int, QByteArray> DataDispatcher::commandTable()
{
    return {
        {0, bytes({0x1D, 0x1A, 0x1B, 0x1C, 0x1D, 0x4D, 0x4F, 0x44, 0x45, 0x00})},
        {1, bytes({0x1D, 0x01, 0x30})},
        {2, bytes({0x1D, 0x03, 0x07, 0x01})},
        {3, bytes({0x1D, 0x03, 0x07, 0x00})},
        {4, bytes({0x1D, 0x03, 0x02})},
        {5, bytes({0x1D, 0x05, 0x01})},
        {6, bytes({0x1D, 0x03, 0x09})},
        {8, bytes({0x1D, 0x02, 0x40})},
        {9, bytes({0x1D, 0x02, 0x12})},
        {10, bytes({0x1D, 0x06, 0x01})},
        {11, bytes({0x1D, 0x02, 0x50})},
        {12, bytes({0x1D, 0x01, 0x40})},
        {13, bytes({0x1D, 0x01, 0x01})},
        {14, bytes({0x1D, 0x01, 0x10})},
        {15, bytes({0x1D, 0x01, 0x20})},
        {16, bytes({0x1D, 0x01, 0x21})},
        {17, bytes({0x1D, 0x01, 0x23})},
        {18, bytes({0x1D, 0x01, 0x24})},
        {24, bytes({0x1D, 0x01, 0x61, 0x01})},
        {25, bytes({0x1D, 0x01, 0x61, 0x02})},
        {26, bytes({0x47})},
        {27, bytes({0x1D, 0x01, 0x22})},
        {28, bytes({0x1D, 0x03, 0x22})},
        {29, bytes({0x1D, 0x02, 0x34, 0x00, 0x06})},
        {30, bytes({0x1D, 0x02, 0x41})},
    };
}

DataDispatcher::DataDispatcher(DelayService &delay, ConfigFile *config, UsbPort *usb,
                               BluetoothClient *bluetooth, QObject *parent)
    : QObject(parent)
    , m_delay(delay)
    , m_config(config)
    , m_comm(new Communication(delay, config, usb, bluetooth))
    , m_commThread(new QThread)
    , m_commands(commandTable())
{
    m_comm->moveToThread(m_commThread);
    connect(m_commThread, &QThread::started, m_comm, &Communication::communicate);
    connect(m_comm, &Communication::communicateResult, m_commThread, &QThread::quit,
            Qt::DirectConnection);
    m_comm->setPortType(portTypeFromConfig(config));
}

DataDispatcher::~DataDispatcher()
{
    m_commThread->quit();
    m_commThread->wait();
    // The engine belongs to the communication thread; it is deleted once that thread is idle.
    delete m_comm;
    delete m_commThread;
}

int DataDispatcher::portTypeFromConfig(const ConfigFile *config)
{
    if (!config)
        return portchoices::Usb;
    const int type = portchoices::portTypeOf(config->readText(QStringLiteral("Port/type")));
    return type < 0 ? portchoices::Usb : type;
}

void DataDispatcher::setOperation(int operation)
{
    m_operation = operation;
}

void DataDispatcher::setOperation(int operation, const QByteArray &data1)
{
    m_operation = operation;
    m_data1 = data1;
}

void DataDispatcher::setOperation(int operation, const QByteArray &data1, const QByteArray &data2)
{
    m_operation = operation;
    m_data1 = data1;
    m_data2 = data2;
}

void DataDispatcher::setPaperWait()
{
    m_paperWait = true;
}

void DataDispatcher::clearPaperWait(bool continuePrinting)
{
    m_paperAnswer = continuePrinting;
    m_paperWait = false;
}

void DataDispatcher::waitForPaper()
{
    while (m_paperWait)
        QThread::msleep(kPaperPollMs);
}

void DataDispatcher::setPortType(int portType)
{
    m_comm->setPortType(portType);
}

void DataDispatcher::setSerialConfig(const QString &portName, int baudRate, int parity, int dataBits,
                                     int stopBits, int flowControl)
{
    m_comm->setSerialParameters(portName, baudRate, parity, dataBits, stopBits, flowControl);
}

void DataDispatcher::setLptPort(const QString &name)
{
    m_comm->setLptPortName(name);
}

void DataDispatcher::setWifiConfig(const QString &address, int port)
{
    m_comm->setServer(address, static_cast<quint16>(port));
}

void DataDispatcher::startBluetoothSearch()
{
    m_comm->startBluetoothSearch();
}

void DataDispatcher::selectBluetoothDevice(int position)
{
    m_comm->selectBluetoothDevice(position);
}

bool DataDispatcher::isSerial() const
{
    return m_comm->portType() == portchoices::Serial;
}

bool DataDispatcher::isUsb() const
{
    return m_comm->portType() == portchoices::Usb;
}

void DataDispatcher::run()
{
    m_comm->setQuietOpenFailure(false);
    if (m_operation >= 0 && m_operation <= kLastOperation)
        perform(m_operation);
    m_data1.clear();
    emit dispatchCompleted();
}

bool DataDispatcher::exchange(const QByteArray &data, int mode, int replyDelay)
{
    m_comm->setTimeout(m_timeLimit);
    m_comm->setSendBuffer(data);
    m_comm->setMode(mode);
    m_comm->setReplyDelay(replyDelay);
    // Waiting on the thread gives the same order of events as polling it, without the steps.
    m_commThread->start(QThread::InheritPriority);
    m_commThread->wait();
    return m_comm->lastError() == COMM_NO_ERROR;
}

bool DataDispatcher::sendOnly(const QByteArray &data)
{
    return exchange(data, Communication::ModeSend, m_comm->replyDelay());
}

bool DataDispatcher::sendAwait(const QByteArray &data, int replyDelay)
{
    if (replyDelay == kAwaitDelayMs && isUsb())
        replyDelay = kUsbAwaitDelayMs;
    return exchange(data, Communication::ModeSendReceive, replyDelay);
}

bool DataDispatcher::readBlock(const QByteArray &command, int replyDelay, bool parameterList)
{
    m_comm->setExpectedLength(command.size() + 2);
    int mode = Communication::ModeFramed;
    if (parameterList)
        mode = Communication::ModeFramedList;
    else if (m_typeCode == QLatin1String("0302"))
        mode = Communication::ModeFramedSlow;
    return exchange(command, mode, isUsb() ? replyDelay : kAwaitDelayMs);
}

bool DataDispatcher::openAndReceive()
{
    return exchange(QByteArray(), Communication::ModeReceive, m_comm->replyDelay());
}

bool DataDispatcher::handshake()
{
    m_comm->setExpectedLength(kHandshakeLength);
    if (!sendAwait(m_commands.value(CmdHandshake), kHandshakeReplyDelayMs))
        return false;
    const QByteArray reply = m_comm->received();
    if (reply.size() < kHandshakeLength) {
        // A silent or cut-off printer must not pass as an answer.
        qDebug() << "handshake reply too short:" << reply.toHex(' ');
        emit m_comm->communicateError(READ_PORT_ERROR);
        return false;
    }
    m_modeByte = static_cast<qint8>(reply.at(kModeByteIndex));
    return true;
}

bool DataDispatcher::readModel(QString *model, bool *marker)
{
    if (!readBlock(m_commands.value(CmdModel), kIdentityReplyDelayMs))
        return false;
    const QByteArray reply = m_comm->received();
    *marker = reply.startsWith(kModelMarker);
    *model = textOf(*marker ? reply.mid(kModelMarker.size()) : reply);
    return true;
}

void DataDispatcher::identify()
{
    if (!handshake())
        return;
    bool marker = false;
    QString model;
    if (!readModel(&model, &marker))
        return;
    m_markerSeen = marker;
    m_modelName = model;
    if (readBlock(m_commands.value(CmdSecondIdentity), kIdentityReplyDelayMs))
        m_secondIdentity = textOf(m_comm->received());
}

void DataDispatcher::readSettings()
{
    if (!handshake())
        return;
    m_comm->setPollInterval(slowUsbPolling(m_typeCode) ? kSlowUsbPollMs : kUsbPollMs);
    if (m_modeByte == kModeByteParameterList) {
        if (readBlock(m_commands.value(CmdReadList), kParameterListDelayMs, true))
            m_settingBlock = m_comm->received();
        return;
    }
    if (!readBlock(m_commands.value(CmdReadBlock), kBlockReplyDelayMs))
        return;
    m_settingBlock = m_comm->received();
    if (readBlock(m_commands.value(CmdReadDefaults), kBlockReplyDelayMs))
        m_defaultBlock = m_comm->received();
}

void DataDispatcher::writeSettings(const QByteArray &data)
{
    m_saved = false;
    if (!handshake())
        return;
    if (m_modeByte == kModeByteParameterList) {
        QByteArray frame = m_commands.value(CmdWriteList);
        frame.append('\0').append('\0');
        frame.append(static_cast<char>((data.size() >> 8) & 0xFF));
        frame.append(static_cast<char>(data.size() & 0xFF));
        frame.append(data);
        m_saved = sendOnly(frame);
        return;
    }
    if (!sendOnly(m_commands.value(CmdAnnounceBlock)))
        return;
    if (m_typeCode == QLatin1String("0501") && isSerial()) {
        m_saved = sendOnly(data);
        return;
    }
    m_comm->setExpectedLength(1);
    m_saved = sendAwait(data, kAwaitDelayMs);
}

void DataDispatcher::restoreDefaults()
{
    m_handshakeResult = handshake();
    if (!m_handshakeResult)
        return;
    bool ok = false;
    if (m_typeCode == QLatin1String("0501") && isSerial()) {
        ok = sendOnly(m_commands.value(CmdRestore));
    } else if (!m_typeCode.isEmpty()) {
        m_comm->setExpectedLength(1);
        ok = sendAwait(m_commands.value(CmdRestore), kAwaitDelayMs);
    } else {
        m_comm->setExpectedLength(1);
        ok = sendAwait(m_commands.value(CmdRestoreNoType), kAwaitDelayMs);
    }
    if (ok)
        readSettings();
}

void DataDispatcher::checkPrinter()
{
    m_printerChanged = false;
    if (!handshake())
        return;
    bool marker = false;
    QString model;
    if (readModel(&model, &marker))
        m_printerChanged = model != m_modelName;
}

void DataDispatcher::perform(int operation)
{
    switch (operation) {
    case OpIdentify:
        identify();
        break;
    case OpLeave:
        m_comm->setQuietOpenFailure(true);
        sendOnly(m_commands.value(CmdLeave));
        break;
    case OpReadSettings:
        readSettings();
        break;
    case OpWriteSettings:
        writeSettings(m_data1);
        break;
    case OpRestoreDefaults:
        restoreDefaults();
        break;
    case OpSendData:
        sendOnly(m_data1);
        break;
    case OpOpenPort:
        openAndReceive();
        break;
    case OpSendAwait:
        sendAwait(m_data1, kAwaitDelayMs);
        break;
    case OpHandshake:
        m_handshakeResult = handshake();
        break;
    case OpSendTwo:
        if (sendOnly(m_data1)) {
            m_delay.sleep(kSendTwoPauseMs);
            sendOnly(m_data2);
        }
        break;
    case OpPrinterCheck:
        checkPrinter();
        break;
    default:
        // Device tests, firmware and the special groups add their operations here.
        break;
    }
}
