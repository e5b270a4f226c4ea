#include "engine/datadispatcher.h"

#include <QDebug>
#include <QThread>

#include "core/configfile.h"
#include "comm/commerror.h"
#include "comm/communication.h"
#include "comm/delayservice.h"
#include "comm/portchoices.h"
#include "comm/replycheck.h"
#include "engine/dispatchercommands.h"
#include "engine/parameterlist.h"
#include "maintenance_core/devicetestexchange.h"

namespace {
constexpr int kHandshakeLength = 10;
constexpr int kModeByteIndex = kHandshakeLength - 1;
constexpr int kAckLength = 1;
constexpr int kAnyLength = ReplyCheck::kAnyLength;
constexpr int kHandshakeReplyDelayMs = 1000;
constexpr int kIdentityReplyDelayMs = 100;
constexpr int kBlockReplyDelayMs = 100;
constexpr int kAwaitDelayMs = 500;
constexpr int kUsbAwaitDelayMs = 100;
constexpr int kParameterListDelayMs = 5000;
constexpr int kSlowUsbPollMs = 1000;
constexpr int kUsbPollMs = 100;
constexpr int kLastOperation = 30;

using namespace dispatchercommands;

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
    // Only the operation that found it reports a changed printer.
    m_printerChanged = false;
    if (m_operation >= 0 && m_operation <= kLastOperation)
        perform(m_operation);
    m_data1.clear();
    emit dispatchCompleted();
}

bool DataDispatcher::exchange(const QByteArray &data, int mode, int replyDelay, const Expect &expect)
{
    m_comm->setTimeout(m_timeLimit);
    m_comm->setSendBuffer(data);
    m_comm->setMode(mode);
    m_comm->setReplyDelay(replyDelay);
    if (mode == Communication::ModeSendReceive)
        m_comm->setExpectedLength(expect.replyLength);
    m_comm->setExpectedEcho(expect.echo);
    m_comm->setExpectedPayload(expect.payloadLength);
    m_comm->setResendPreamble(expect.preamble);
    // Waiting on the thread gives the same order of events as polling it, without the steps.
    m_commThread->start(QThread::InheritPriority);
    m_commThread->wait();
    return m_comm->lastError() == COMM_NO_ERROR;
}

bool DataDispatcher::sendOnly(const QByteArray &data)
{
    return exchange(data, Communication::ModeSend, m_comm->replyDelay(), Expect());
}

bool DataDispatcher::sendAwait(const QByteArray &data, int replyDelay, int replyLength,
                               const QByteArray &preamble)
{
    if (replyDelay == kAwaitDelayMs && isUsb())
        replyDelay = kUsbAwaitDelayMs;
    Expect expect;
    expect.replyLength = replyLength;
    expect.preamble = preamble;
    return exchange(data, Communication::ModeSendReceive, replyDelay, expect);
}

bool DataDispatcher::readBlock(const QByteArray &command, int replyDelay, int payloadLength,
                               bool parameterList)
{
    m_comm->setExpectedLength(command.size() + 2);
    int mode = Communication::ModeFramed;
    if (parameterList)
        mode = Communication::ModeFramedList;
    else if (m_typeCode == QLatin1String("0302"))
        mode = Communication::ModeFramedSlow;
    Expect expect;
    expect.payloadLength = payloadLength;
    return exchange(command, mode, isUsb() ? replyDelay : kAwaitDelayMs, expect);
}

bool DataDispatcher::openAndReceive()
{
    return exchange(QByteArray(), Communication::ModeReceive, m_comm->replyDelay(), Expect());
}

bool DataDispatcher::handshake()
{
    const QByteArray command = m_commands.value(CmdHandshake);
    Expect expect;
    expect.replyLength = kHandshakeLength;
    // The printer repeats all but the last byte; the last byte of its reply is the mode byte.
    expect.echo = command.left(kModeByteIndex);
    if (!exchange(command, Communication::ModeSendReceive, kHandshakeReplyDelayMs, expect))
        return false;
    const QByteArray reply = m_comm->received();
    if (reply.size() != kHandshakeLength) {
        qDebug() << "handshake reply:" << reply.toHex(' ');
        emit m_comm->communicateError(READ_PORT_ERROR);
        return false;
    }
    const int modeByte = static_cast<qint8>(reply.at(kModeByteIndex));
    if (m_sessionModeByte != kNoModeByte && modeByte != m_sessionModeByte) {
        // Another kind of printer answers than the one identified: nothing more goes to it.
        qDebug() << "mode byte" << modeByte << "instead of" << m_sessionModeByte;
        m_printerChanged = true;
        return false;
    }
    m_modeByte = modeByte;
    return true;
}

bool DataDispatcher::readModel(QString *model, bool *marker)
{
    if (!readBlock(m_commands.value(CmdModel), kIdentityReplyDelayMs, kAnyLength))
        return false;
    const QByteArray reply = m_comm->received();
    *marker = reply.startsWith(kModelMarker);
    *model = textOf(*marker ? reply.mid(kModelMarker.size()) : reply);
    return true;
}

void DataDispatcher::identify()
{
    // Nothing of the printer identified before may stay when this one does not answer.
    m_modelName.clear();
    m_markerSeen = false;
    m_secondIdentity.clear();
    m_sessionModeByte = kNoModeByte;
    // Sensor states belong to the printer that sent them.
    m_sensorData.clear();
    m_testResult.clear();
    if (!handshake())
        return;
    m_sessionModeByte = m_modeByte;
    bool marker = false;
    QString model;
    if (!readModel(&model, &marker))
        return;
    m_markerSeen = marker;
    m_modelName = model;
    if (readBlock(m_commands.value(CmdSecondIdentity), kIdentityReplyDelayMs, kAnyLength))
        m_secondIdentity = textOf(m_comm->received());
}

void DataDispatcher::readSettings()
{
    if (!handshake())
        return;
    m_comm->setPollInterval(slowUsbPolling(m_typeCode) ? kSlowUsbPollMs : kUsbPollMs);
    if (m_modeByte == kModeByteParameterList) {
        if (readBlock(m_commands.value(CmdReadList), kParameterListDelayMs, kAnyLength, true))
            m_settingBlock = m_comm->received();
        return;
    }
    if (!readBlock(m_commands.value(CmdReadBlock), kBlockReplyDelayMs, kBlockSize))
        return;
    m_settingBlock = m_comm->received();
    if (readBlock(m_commands.value(CmdReadDefaults), kBlockReplyDelayMs, kBlockSize))
        m_defaultBlock = m_comm->received();
}

void DataDispatcher::writeSettings(const QByteArray &data)
{
    m_saved = false;
    if (!handshake())
        return;
    if (m_modeByte == kModeByteParameterList) {
        const QByteArray header = ParameterList::writeHeader(data.size());
        if (header.isEmpty()) {
            // Its length would not fit the header: the printer would take part of it as commands.
            qDebug() << "parameter list too long to write:" << data.size() << "bytes";
            emit m_comm->communicateError(WRITE_PORT_ERROR);
            return;
        }
        const QByteArray frame = m_commands.value(CmdWriteList) + header + data;
        m_saved = sendOnly(frame);
        return;
    }
    if (data.size() != kBlockSize) {
        // The printer takes exactly one block after the announcement; anything else would
        // run into its command stream.
        qDebug() << "not a setting block:" << data.size() << "bytes";
        emit m_comm->communicateError(WRITE_PORT_ERROR);
        return;
    }
    const QByteArray announce = m_commands.value(CmdAnnounceBlock);
    if (!sendOnly(announce))
        return;
    if (m_typeCode == QLatin1String("0501") && isSerial()) {
        m_saved = sendOnly(data);
        return;
    }
    // A re-send on a new connection repeats the announcement, or the block would be commands.
    m_saved = sendAwait(data, kAwaitDelayMs, kAckLength, announce);
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
        ok = sendAwait(m_commands.value(CmdRestore), kAwaitDelayMs, kAckLength);
    } else {
        ok = sendAwait(m_commands.value(CmdRestoreNoType), kAwaitDelayMs, kAckLength);
    }
    if (ok)
        readSettings();
}

void DataDispatcher::checkPrinter()
{
    m_printerChanged = false;
    m_printerConfirmed = false;
    if (!handshake())
        return;
    bool marker = false;
    QString model;
    if (readModel(&model, &marker)) {
        m_printerChanged = model != m_modelName;
        m_printerConfirmed = !m_printerChanged;
    }
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
        sendAwait(m_data1, kAwaitDelayMs, 0);
        break;
    case OpFirmware:
        m_firmwareResult = FirmwareDownload(*this).run(m_data1);
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
    case OpEnterHexMode:
    case OpPrintFwInfo:
    case OpPrintInformation:
    case OpPrintMenu:
    case OpDetectHeadTemperature:
    case OpPinTest:
    case OpSensorRead:
    case OpElectricalCheck:
        DeviceTestExchange(*this).run(operation);
        break;
    default:
        // Device tests, firmware and the special groups add their operations here.
        performGroupOperation(operation);
        break;
    }
}
