#include "maintenance_core/firmwaredownload.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include "comm/commerror.h"
#include "comm/communication.h"
#include "comm/delayservice.h"
#include "engine/datadispatcher.h"

namespace {
constexpr int kCommandModeSwitch = 11;
constexpr qint64 kBytesPerKb = 1024;
// Box types of the program's message box.
constexpr int kBoxError = 0;
constexpr int kBoxSuccess = 1;
constexpr int kBoxWarning = 2;
const QString kBulkModeModel = QStringLiteral("QT52");
} // namespace

FirmwareDownload::Outcome FirmwareDownload::Result::outcome() const
{
    if (failed)
        return Outcome::Failed;
    // The port's own count: a small file makes no progress report, yet went out whole.
    return ran && size > 0 && sent == size ? Outcome::Complete : Outcome::NothingSent;
}

bool FirmwareDownload::readFile(const QString &path, QByteArray *data, QString *reason)
{
    data->clear();
    const QFileInfo info(path);
    if (!info.isFile()) {
        *reason = info.exists() ? QStringLiteral("not a file") : QStringLiteral("no such file");
        return false;
    }
    if (info.size() > kMaxFileSize) {
        *reason = QStringLiteral("%1 bytes, more than any firmware").arg(info.size());
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *reason = file.errorString();
        return false;
    }
    // Read until the end rather than trust the size: a short read would send half a firmware.
    *data = file.read(kMaxFileSize + 1);
    if (file.error() != QFileDevice::NoError) {
        *reason = file.errorString();
        data->clear();
        return false;
    }
    if (data->isEmpty() || data->size() > kMaxFileSize) {
        // An empty download would leave the printer waiting in its download mode.
        *reason = data->isEmpty() ? QStringLiteral("the file is empty")
                                  : QStringLiteral("more than any firmware");
        data->clear();
        return false;
    }
    return true;
}

int FirmwareDownload::bulkModeFor(const QString &identification)
{
    return identification.split(kBulkModeModel).size() == 2 ? Communication::ModeBulkNoRescan
                                                             : Communication::ModeBulk;
}

QString FirmwareDownload::sizeText(qint64 bytes)
{
    return QStringLiteral("%1 kb").arg(bytes / kBytesPerKb);
}

const char *FirmwareDownload::outcomeText(Outcome outcome)
{
    switch (outcome) {
    case Outcome::Complete:
        return QT_TRANSLATE_NOOP("FirmwareDownload", "Complete!\nPrinter will be restarted");
    case Outcome::NothingSent:
        return QT_TRANSLATE_NOOP("FirmwareDownload", "Failed to send data\nFirmware Update Error!");
    case Outcome::Failed:
        break;
    }
    return QT_TRANSLATE_NOOP("FirmwareDownload", "Firmware Update Error!");
}

int FirmwareDownload::outcomeMessageType(Outcome outcome)
{
    return outcome == Outcome::Complete ? kBoxSuccess : kBoxWarning;
}

const char *FirmwareDownload::unreadableText()
{
    return QT_TRANSLATE_NOOP("FirmwareDownload", "Firmware cannot be read!");
}

const char *FirmwareDownload::questionText()
{
    return QT_TRANSLATE_NOOP("FirmwareDownload", "Do you want to update firmware ?");
}

FirmwareDownload::FirmwareDownload(DataDispatcher &dispatcher)
    : m_dispatcher(dispatcher)
{
}

FirmwareDownload::Result FirmwareDownload::run(const QByteArray &firmware)
{
    Result result;
    result.ran = true;
    result.size = firmware.size();
    result.failed = true;
    if (firmware.isEmpty()) {
        qDebug() << "no firmware to send";
        return result;
    }
    if (!m_dispatcher.handshake() || !switchToDownloadMode())
        return result;
    m_dispatcher.m_delay.sleep(kEnterDownloadModeMs);
    if (!sendFile(firmware, &result))
        return result;
    result.failed = false;
    awaitRestart();
    return result;
}

bool FirmwareDownload::switchToDownloadMode()
{
    const QByteArray command = m_dispatcher.command(kCommandModeSwitch);
    m_dispatcher.m_comm->setExpectedLength(kModeSwitchReplyLength);
    // A USB printer leaves for its download mode without answering.
    if (m_dispatcher.isUsb())
        return m_dispatcher.sendOnly(command);
    DataDispatcher::Expect expect;
    expect.replyLength = kModeSwitchReplyLength;
    expect.echo = command;
    return m_dispatcher.exchange(
        command, Communication::ModeSendReceive, kReplyDelayMs, expect);
}

bool FirmwareDownload::sendFile(const QByteArray &firmware, Result *result)
{
    const int mode = bulkModeFor(m_dispatcher.modelName());
    const int replyDelay = m_dispatcher.isUsb() ? kUsbReplyDelayMs : kReplyDelayMs;
    const bool ok
        = m_dispatcher.exchange(firmware, mode, replyDelay, DataDispatcher::Expect());
    result->sent = m_dispatcher.m_comm->bytesAccepted();
    qDebug() << "firmware:" << result->sent << "of" << firmware.size() << "bytes sent";
    return ok;
}

void FirmwareDownload::awaitRestart()
{
    Communication *comm = m_dispatcher.m_comm;
    const int port = comm->portType();
    // A network or Bluetooth printer needs no help through its restart, and opening its link
    // now would only meet the printer away.
    if (port != Communication::PortUsb && port != Communication::PortSerial
        && port != Communication::PortLpt)
        return;
    if (port == Communication::PortSerial)
        m_dispatcher.m_delay.sleep(kSerialSettleMs);
    // A printer that is away for its restart is no failure of the download it has taken.
    comm->setQuietOpenFailure(true);
    const int limit = m_dispatcher.m_timeLimit;
    m_dispatcher.m_timeLimit = kRestartTimeLimitMs;
    m_dispatcher.exchange(QByteArray(), Communication::ModeWaitRestart, comm->replyDelay(),
        DataDispatcher::Expect());
    m_dispatcher.m_timeLimit = limit;
    comm->setQuietOpenFailure(false);
}
