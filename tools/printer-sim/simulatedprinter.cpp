#include "simulatedprinter.h"

#include <cjson/cJSON.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <QCryptographicHash>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// A parameter list larger than this is taken as a broken header, not as data to wait for.
constexpr int kMaxParameterList = 1 << 20;
// The mode byte of printers that describe their settings as a parameter list.
constexpr int kParameterListModeByte = 68;
// Unknown bytes are shown in the log up to this many.
constexpr int kUnknownShown = 32;

QByteArray bigEndian(quint32 value, int size)
{
    QByteArray out(size, '\0');
    for (int i = size - 1; i >= 0; --i) {
        out[i] = char(value & 0xFF);
        value >>= 8;
    }
    return out;
}

quint32 readBigEndian(const QByteArray &data, int size)
{
    quint32 v = 0;
    for (int i = 0; i < size; ++i)
        v = (v << 8) | quint8(data.at(i));
    return v;
}

QString hex(const QByteArray &data)
{
    return QString::fromLatin1(data.toHex());
}

} // namespace

SimulatedPrinter::SimulatedPrinter(const PrinterProfile &profile)
    : m_profile(profile)
{
    m_state.settingBlock = profile.settingBlock;
    m_state.defaultBlock = profile.defaultBlock;
    m_state.mac = profile.mac;
    m_state.parameterList = profile.parameterList;
}

bool SimulatedPrinter::setStateFile(const QString &path, QString *error)
{
    m_statePath = path;
    if (QFile::exists(path))
        return loadState(path, error);
    return saveState(error);
}

const QStringList &hostileKindNames()
{
    // In the order of HostileFault::Kind.
    static const QStringList names { QStringLiteral("drop"), QStringLiteral("split"),
        QStringLiteral("truncate"), QStringLiteral("pad"), QStringLiteral("garbage"),
        QStringLiteral("zeros"), QStringLiteral("close"), QStringLiteral("wrong-echo"),
        QStringLiteral("wrong-length"), QStringLiteral("silent"), QStringLiteral("empty"),
        QStringLiteral("list-mode") };
    return names;
}

QStringList HostileFault::kindNames()
{
    return hostileKindNames();
}

bool HostileFault::parse(const QString &text, HostileFault *fault, QString *error)
{
    const int at = text.indexOf(QLatin1Char('@'));
    const int kind = hostileKindNames().indexOf(text.left(at));
    QString exchange = text.mid(at + 1);
    int occurrence = 1;
    const int hash = exchange.indexOf(QLatin1Char('#'));
    bool ok = true;
    if (hash >= 0) {
        occurrence = exchange.mid(hash + 1).toInt(&ok);
        exchange.truncate(hash);
    }
    QStringList exchanges { QStringLiteral("writeBlock"), QStringLiteral("writeMac"),
        QStringLiteral("writeParameterList"), QStringLiteral("dotWriteData"),
        QStringLiteral("dotTestData"), QStringLiteral("firmwareData") };
    for (const SimCommandEntry &e : simCommandTable())
        exchanges.append(QString::fromLatin1(e.name));
    if (at < 0 || kind < 0 || !ok || occurrence < 1 || !exchanges.contains(exchange)) {
        *error = QStringLiteral("--hostile wants KIND@EXCHANGE[#N] (KIND: %1; EXCHANGE: %2), "
                                "not %3")
                     .arg(hostileKindNames().join(QLatin1Char(' ')),
                         exchanges.join(QLatin1Char(' ')), text);
        return false;
    }
    fault->kind = Kind(kind);
    fault->exchange = exchange;
    fault->occurrence = occurrence;
    return true;
}

QByteArray SimulatedPrinter::feed(const QByteArray &in)
{
    QByteArray out;
    for (const SimReply &reply : feedExchanges(in))
        out.append(reply.bytes);
    return out;
}

const HostileFault *SimulatedPrinter::exchangeStarts(const QString &name)
{
    const int n = ++m_exchangeCounts[name];
    for (const HostileFault &f : qAsConst(m_hostile)) {
        if (f.exchange == name && f.occurrence == n) {
            writeLog(QStringLiteral("FAULT %1 %2#%3")
                         .arg(hostileKindNames().at(int(f.kind)), name)
                         .arg(n));
            m_fault = &f;
            return &f;
        }
    }
    return nullptr;
}

SimReply SimulatedPrinter::finishExchange(const QByteArray &bytes)
{
    SimReply reply { bytes, SimReply::Line::Send };
    const HostileFault *fault = m_fault;
    m_fault = nullptr;
    if (!fault)
        return reply;
    QByteArray &r = reply.bytes;
    switch (fault->kind) {
    case HostileFault::Kind::Drop:
    case HostileFault::Kind::Silent:
        r.clear();
        break;
    case HostileFault::Kind::Split:
        reply.line = SimReply::Line::Split;
        break;
    case HostileFault::Kind::Truncate:
        r.truncate(r.size() / 2);
        break;
    case HostileFault::Kind::Pad:
        r.append(simCommand(SimCommand::RestoreDefaults).bytes);
        break;
    case HostileFault::Kind::Garbage:
        for (int i = 0; i < r.size(); ++i)
            r[i] = char((i * 73 + 0x5A) & 0xFF);
        break;
    case HostileFault::Kind::Zeros:
        r.fill('\0');
        break;
    case HostileFault::Kind::Close:
        r.clear();
        reply.line = SimReply::Line::Close;
        break;
    case HostileFault::Kind::WrongEcho:
        if (!r.isEmpty()) {
            const int at = qBound(0, m_faultEcho.size() - 2, r.size() - 1);
            r[at] = char(r.at(at) ^ 0x20);
        }
        break;
    case HostileFault::Kind::Empty:
        if (m_faultReplyKind == ReplyKind::Framed16)
            r = framed16(m_faultEcho, QByteArray());
        else if (m_faultReplyKind == ReplyKind::Framed24)
            r = framed24(m_faultEcho, QByteArray());
        else
            r.clear();
        break;
    case HostileFault::Kind::ListMode:
        if (!r.isEmpty())
            r[r.size() - 1] = char(kParameterListModeByte);
        break;
    case HostileFault::Kind::WrongLength: {
        const int echo = m_faultEcho.size();
        if (m_faultReplyKind == ReplyKind::Framed16)
            r = framed16(m_faultEcho, r.mid(echo + 2).repeated(2));
        else if (m_faultReplyKind == ReplyKind::Framed24)
            r = framed24(m_faultEcho, r.mid(echo + 4).repeated(2));
        else
            r = r.repeated(2);
        break;
    }
    }
    return reply;
}

QVector<SimReply> SimulatedPrinter::feedExchanges(const QByteArray &in)
{
    m_pending.append(in);
    QVector<SimReply> replies;
    auto deliver = [this, &replies](const QByteArray &out) {
        const bool faulty = m_fault != nullptr;
        const SimReply reply = finishExchange(out);
        if (!reply.bytes.isEmpty() || faulty)
            replies.append(reply);
        if (reply.line != SimReply::Line::Close)
            return true;
        // The line is gone: nothing that came after the fault on it reaches the printer.
        m_pending.clear();
        if (m_phase != Phase::Firmware)
            m_phase = Phase::Command;
        return false;
    };
    while (!m_pending.isEmpty()) {
        if (m_phase != Phase::Command) {
            QByteArray out;
            m_faultEcho.clear();
            m_faultReplyKind = ReplyKind::Ack;
            if (!takeData(&out))
                break;
            if (!deliver(out))
                break;
            continue;
        }
        const SimCommandEntry *match = nullptr;
        bool partial = false;
        for (const SimCommandEntry &e : simCommandTable()) {
            if (m_pending.startsWith(e.bytes)) {
                match = &e;
                break;
            }
            if (m_pending.size() < e.bytes.size() && e.bytes.startsWith(m_pending))
                partial = true;
        }
        if (match) {
            flushUnknown();
            m_pending.remove(0, match->bytes.size());
            QByteArray out;
            m_faultEcho = match->bytes;
            m_faultReplyKind = match->reply;
            handle(*match, &out);
            if (!deliver(out))
                break;
        } else if (partial) {
            break;
        } else {
            m_unknown.append(m_pending.at(0));
            m_pending.remove(0, 1);
        }
    }
    flushUnknown();
    return replies;
}

void SimulatedPrinter::handle(const SimCommandEntry &cmd, QByteArray *out)
{
    const QString name = QString::fromLatin1(cmd.name);
    writeLog(QStringLiteral("CMD %1 %2").arg(name, hex(cmd.bytes)));
    const HostileFault *fault = exchangeStarts(name);
    // A silent parameter-list write still takes its header and text, so that they never reach
    // the next exchange as commands; it just does not act on them.
    m_ignoreData = fault && fault->kind == HostileFault::Kind::Silent
        && cmd.id == SimCommand::WriteParameterList;
    if (fault && fault->kind == HostileFault::Kind::Silent && !m_ignoreData)
        return;
    const bool quiet = quietHere(name);
    switch (cmd.id) {
    case SimCommand::Handshake:
        out->append(cmd.bytes.left(cmd.bytes.size() - 1)).append(char(m_profile.modeByte));
        return;
    case SimCommand::ReadModel: {
        QByteArray reply = m_profile.modelReply;
        if (m_profile.marker)
            reply.prepend(modelReplyMarker());
        out->append(framed16(cmd.bytes, reply));
        return;
    }
    case SimCommand::ReadEds:
        out->append(framed16(cmd.bytes, m_profile.edsRecord));
        return;
    case SimCommand::ReadSettings:
        out->append(framed16(cmd.bytes, m_state.settingBlock));
        return;
    case SimCommand::ReadDefaults:
        out->append(framed16(cmd.bytes, m_state.defaultBlock));
        return;
    case SimCommand::ReadParameterList:
        out->append(framed24(cmd.bytes, m_state.parameterList));
        return;
    case SimCommand::ReadSensors:
        out->append(framed16(cmd.bytes, m_profile.sensorData));
        return;
    case SimCommand::ReadAddress:
        out->append(framed16(cmd.bytes, m_profile.address));
        return;
    case SimCommand::ReadMac:
        out->append(framed16(cmd.bytes, m_state.mac));
        return;
    case SimCommand::RestoreDefaults:
    case SimCommand::RestoreDefaultsUntyped:
        m_state.settingBlock = m_state.defaultBlock;
        writeLog(QStringLiteral("STATE defaults restored"));
        changed();
        if (!quiet)
            out->append(char(m_profile.ack));
        return;
    case SimCommand::AnnounceBlock:
        m_phase = Phase::BlockData;
        m_dataLength = kBlockSize;
        return;
    case SimCommand::WriteParameterList:
        m_phase = Phase::ParameterListHeader;
        m_dataLength = kParameterListHeaderSize;
        return;
    case SimCommand::WriteMac:
        m_phase = Phase::MacData;
        m_dataLength = kMacSize;
        return;
    case SimCommand::DotWrite:
    case SimCommand::DotTest:
        m_dotTest = cmd.id == SimCommand::DotTest;
        m_phase = Phase::DotHeader;
        m_dataLength = m_dotTest ? kDotTestHeaderSize : kDotWriteHeaderSize;
        return;
    case SimCommand::FirmwareMode:
        m_phase = Phase::Firmware;
        m_firmware.clear();
        m_endRecordSeen = false;
        // A USB printer leaves for its download mode without a word; other lines get the echo.
        if (m_link != SimLink::Usb)
            out->append(cmd.bytes);
        return;
    case SimCommand::PollTest:
        if (m_pollAnswers.isEmpty()) {
            out->append(char(0));
        } else {
            out->append(char(m_pollAnswers.first()));
            // The last answer repeats, so a profile can end a test in any state.
            if (m_pollAnswers.size() > 1)
                m_pollAnswers.removeFirst();
        }
        return;
    case SimCommand::CancelTest:
        m_pollAnswers.clear();
        out->append(char(m_profile.ack));
        return;
    case SimCommand::Leave:
        return;
    default:
        break;
    }
    // The remaining commands start a test: the first answer now, the rest for the polls.
    const QVector<quint8> answers = m_profile.testOutcomes.value(name, { 0 });
    out->append(char(answers.first()));
    m_pollAnswers = answers.mid(1);
}

bool SimulatedPrinter::takeData(QByteArray *out)
{
    if (m_phase == Phase::Firmware)
        return takeFirmwareData();
    if (m_pending.size() < m_dataLength)
        return false;
    const QByteArray data = m_pending.left(m_dataLength);
    m_pending.remove(0, m_dataLength);
    const char *exchange = m_phase == Phase::BlockData ? "writeBlock"
        : m_phase == Phase::MacData                    ? "writeMac"
        : m_phase == Phase::ParameterListData          ? "writeParameterList"
        : m_phase == Phase::DotValues                  ? (m_dotTest ? "dotTestData" : "dotWriteData")
                                                       : nullptr;
    if (m_ignoreData && m_phase == Phase::ParameterListData) {
        m_ignoreData = false;
        writeLog(QStringLiteral("IGNORED %1 %2 bytes").arg(QLatin1String(exchange)).arg(data.size()));
        m_phase = Phase::Command;
        return true;
    }
    const HostileFault *fault = exchange ? exchangeStarts(QString::fromLatin1(exchange)) : nullptr;
    if (fault && fault->kind == HostileFault::Kind::Silent) {
        writeLog(QStringLiteral("IGNORED %1 %2 bytes").arg(QLatin1String(exchange)).arg(data.size()));
        m_phase = Phase::Command;
        return true;
    }
    switch (m_phase) {
    case Phase::BlockData:
        m_phase = Phase::Command;
        m_state.settingBlock = data;
        writeLog(QStringLiteral("DATA writeBlock %1").arg(data.size()));
        changed();
        if (!quietHere(QStringLiteral("writeBlock")))
            out->append(char(m_profile.ack));
        break;
    case Phase::MacData:
        m_phase = Phase::Command;
        m_state.mac = data;
        writeLog(QStringLiteral("DATA writeMac %1").arg(hex(data)));
        changed();
        out->append(char(m_profile.ack));
        break;
    case Phase::ParameterListHeader: {
        const quint32 length = readBigEndian(data, kParameterListHeaderSize);
        if (length > quint32(kMaxParameterList)) {
            writeLog(QStringLiteral("REJECT writeParameterList length %1").arg(length));
            m_phase = Phase::Command;
            m_ignoreData = false;
        } else {
            m_phase = Phase::ParameterListData;
            m_dataLength = int(length);
        }
        break;
    }
    case Phase::ParameterListData:
        m_phase = Phase::Command;
        applyParameterList(data);
        break;
    case Phase::DotHeader:
        // The last header byte counts the values that follow.
        m_dotHeader = data;
        m_phase = Phase::DotValues;
        m_dataLength = quint8(data.at(data.size() - 1));
        break;
    case Phase::DotValues: {
        m_phase = Phase::Command;
        const QByteArray all = m_dotHeader + data;
        if (m_dotTest) {
            writeLog(QStringLiteral("DATA dotTest %1").arg(hex(all)));
            const QVector<quint8> answers
                = m_profile.testOutcomes.value(QStringLiteral("dotTest"), { 0 });
            out->append(char(answers.first()));
            m_pollAnswers = answers.mid(1);
        } else {
            m_state.dotAdjustment = all;
            writeLog(QStringLiteral("DATA dotWrite %1").arg(hex(all)));
            changed();
            out->append(char(m_profile.ack));
        }
        break;
    }
    default:
        break;
    }
    return true;
}

// Every arrival of download bytes is an exchange of its own ("firmwareData") for the faults.
bool SimulatedPrinter::takeFirmwareData()
{
    const HostileFault *fault = exchangeStarts(QStringLiteral("firmwareData"));
    if (fault
        && (fault->kind == HostileFault::Kind::Close || fault->kind == HostileFault::Kind::Silent)) {
        // These bytes never reach the printer; a closed line also ends the download there.
        writeLog(QStringLiteral("IGNORED firmwareData %1 bytes").arg(m_pending.size()));
        m_pending.clear();
        if (fault->kind == HostileFault::Kind::Close)
            finishFirmware();
        return true;
    }
    // Only a new end record can finish the download; look for one in the new bytes.
    const int from = qMax(0, m_firmware.size() - 1);
    m_firmware.append(m_pending);
    m_pending.clear();
    m_endRecordSeen = m_endRecordSeen || m_firmware.indexOf("\nS7", from) >= 0
        || m_firmware.indexOf("\nS8", from) >= 0 || m_firmware.indexOf("\nS9", from) >= 0;
    bool valid = false;
    if (m_firmware.startsWith('S') && m_endRecordSeen && checkSRecords(m_firmware, &valid))
        finishFirmware();
    return true;
}

void SimulatedPrinter::endOfData()
{
    if (m_phase == Phase::Firmware) {
        m_firmware.append(m_pending);
        m_pending.clear();
        if (!m_firmware.isEmpty())
            finishFirmware();
        return;
    }
    beginSession();
}

void SimulatedPrinter::beginSession()
{
    if (m_phase != Phase::Command && m_phase != Phase::Firmware)
        writeLog(QStringLiteral("DROP incomplete data, %1 bytes").arg(m_pending.size()));
    if (m_phase != Phase::Firmware)
        m_phase = Phase::Command;
    m_pending.clear();
}

void SimulatedPrinter::finishFirmware()
{
    bool valid = false;
    QString verdict = QStringLiteral("raw");
    if (m_firmware.startsWith('S')) {
        const bool ended = checkSRecords(m_firmware, &valid);
        verdict = ended && valid ? QStringLiteral("srec-ok") : QStringLiteral("srec-bad");
    }
    m_state.firmwareDownloads++;
    m_state.lastFirmwareSize = m_firmware.size();
    m_state.lastFirmwareCheck = verdict;
    m_state.lastFirmwareSha256 = QString::fromLatin1(
        QCryptographicHash::hash(m_firmware, QCryptographicHash::Sha256).toHex());
    // Size and checksum of what arrived, for the sender to compare with what it sent.
    writeLog(QStringLiteral("FIRMWARE %1 %2 sha256=%3")
                 .arg(m_firmware.size())
                 .arg(verdict, m_state.lastFirmwareSha256));
    m_firmware.clear();
    m_phase = Phase::Command;
    changed();
}

void SimulatedPrinter::applyParameterList(const QByteArray &text)
{
    // cJSON keeps the order of pages and parameters, which the program shows as sent.
    cJSON *incoming = cJSON_Parse(text.constData());
    cJSON *stored = cJSON_Parse(m_state.parameterList.constData());
    if (!cJSON_IsObject(incoming) || !cJSON_IsObject(stored)) {
        writeLog(QStringLiteral("REJECT writeParameterList not JSON, %1 bytes").arg(text.size()));
        cJSON_Delete(incoming);
        cJSON_Delete(stored);
        return;
    }
    int applied = 0;
    const cJSON *page = nullptr;
    cJSON_ArrayForEach(page, incoming)
    {
        cJSON *storedPage = cJSON_GetObjectItemCaseSensitive(stored, page->string);
        const cJSON *param = nullptr;
        cJSON_ArrayForEach(param, page)
        {
            cJSON *entry = cJSON_GetObjectItemCaseSensitive(storedPage, param->string);
            const cJSON *val = cJSON_GetObjectItemCaseSensitive(param, "val");
            if (!cJSON_IsObject(entry) || !cJSON_IsString(val))
                continue;
            cJSON_ReplaceItemInObjectCaseSensitive(
                entry, "val", cJSON_CreateString(val->valuestring));
            ++applied;
        }
    }
    char *printed = cJSON_PrintUnformatted(stored);
    m_state.parameterList = QByteArray(printed);
    cJSON_free(printed);
    cJSON_Delete(incoming);
    cJSON_Delete(stored);
    writeLog(QStringLiteral("DATA writeParameterList %1 values=%2").arg(text.size()).arg(applied));
    changed();
}

bool SimulatedPrinter::quietHere(const QString &name) const
{
    return m_link == SimLink::Serial && m_profile.serialQuiet.contains(name);
}

QByteArray SimulatedPrinter::framed16(const QByteArray &echo, const QByteArray &payload) const
{
    return echo + bigEndian(quint32(payload.size()), 2) + payload;
}

QByteArray SimulatedPrinter::framed24(const QByteArray &echo, const QByteArray &payload) const
{
    return echo + QByteArray(1, '\0') + bigEndian(quint32(payload.size()), 3) + payload;
}

void SimulatedPrinter::flushUnknown()
{
    if (m_unknown.isEmpty())
        return;
    QString line = QStringLiteral("UNKNOWN %1 %2")
                       .arg(m_unknown.size())
                       .arg(hex(m_unknown.left(kUnknownShown)));
    if (m_unknown.size() > kUnknownShown)
        line += QStringLiteral("...");
    m_unknown.clear();
    writeLog(line);
}

void SimulatedPrinter::writeLog(const QString &line)
{
    m_log.append(line);
    if (m_sink)
        m_sink(line);
}

void SimulatedPrinter::changed()
{
    if (m_statePath.isEmpty())
        return;
    QString error;
    if (!saveState(&error))
        writeLog(QStringLiteral("ERROR state not saved: %1").arg(error));
}

bool SimulatedPrinter::loadState(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    const QJsonObject o = QJsonDocument::fromJson(file.readAll()).object();
    if (o.value(QStringLiteral("profile")).toString() != m_profile.id) {
        *error = QStringLiteral("%1 holds the state of another profile").arg(path);
        return false;
    }
    PrinterState s;
    s.settingBlock
        = QByteArray::fromHex(o.value(QStringLiteral("settingBlock")).toString().toLatin1());
    s.defaultBlock
        = QByteArray::fromHex(o.value(QStringLiteral("defaultBlock")).toString().toLatin1());
    s.mac = QByteArray::fromHex(o.value(QStringLiteral("mac")).toString().toLatin1());
    s.dotAdjustment
        = QByteArray::fromHex(o.value(QStringLiteral("dotAdjustment")).toString().toLatin1());
    s.parameterList = o.value(QStringLiteral("parameterList")).toString().toUtf8();
    s.firmwareDownloads = o.value(QStringLiteral("firmwareDownloads")).toInt();
    s.lastFirmwareSize = o.value(QStringLiteral("lastFirmwareSize")).toInt();
    s.lastFirmwareCheck = o.value(QStringLiteral("lastFirmwareCheck")).toString();
    s.lastFirmwareSha256 = o.value(QStringLiteral("lastFirmwareSha256")).toString();
    if (s.settingBlock.size() != kBlockSize || s.defaultBlock.size() != kBlockSize
        || s.mac.size() != kMacSize) {
        *error = QStringLiteral("%1 is not a printer state file").arg(path);
        return false;
    }
    m_state = s;
    return true;
}

bool SimulatedPrinter::saveState(QString *error) const
{
    QJsonObject o;
    o.insert(QStringLiteral("profile"), m_profile.id);
    o.insert(QStringLiteral("settingBlock"), hex(m_state.settingBlock));
    o.insert(QStringLiteral("defaultBlock"), hex(m_state.defaultBlock));
    o.insert(QStringLiteral("mac"), hex(m_state.mac));
    o.insert(QStringLiteral("dotAdjustment"), hex(m_state.dotAdjustment));
    o.insert(QStringLiteral("parameterList"), QString::fromUtf8(m_state.parameterList));
    o.insert(QStringLiteral("firmwareDownloads"), m_state.firmwareDownloads);
    o.insert(QStringLiteral("lastFirmwareSize"), m_state.lastFirmwareSize);
    o.insert(QStringLiteral("lastFirmwareCheck"), m_state.lastFirmwareCheck);
    o.insert(QStringLiteral("lastFirmwareSha256"), m_state.lastFirmwareSha256);
    // Replaced whole by a rename, so a reader never sees half a file, but not synced to disk:
    // a sync on a busy disk can hold the reply past the host's read wait, which no printer does.
    const QString temporary = m_statePath + QStringLiteral(".new");
    QFile file(temporary);
    const QByteArray text = QJsonDocument(o).toJson();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size()
        || !file.flush()) {
        *error = file.errorString();
        return false;
    }
    file.close();
    if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(m_statePath).constData())
        != 0) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temporary);
        return false;
    }
    return true;
}

bool checkSRecords(const QByteArray &data, bool *valid)
{
    *valid = true;
    bool dataSeen = false;
    const QList<QByteArray> lines = data.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines.at(i).trimmed();
        if (line.isEmpty())
            continue;
        // The last line may still be arriving.
        const bool last = i == lines.size() - 1 && !data.endsWith('\n');
        const QByteArray body = QByteArray::fromHex(line.mid(2));
        const bool shaped = line.size() >= 4 && line.at(0) == 'S' && (line.size() % 2) == 0
            && body.size() >= 2 && quint8(body.at(0)) == body.size() - 1;
        if (!shaped) {
            if (last)
                return false;
            *valid = false;
            continue;
        }
        quint8 sum = 0;
        for (int k = 0; k < body.size() - 1; ++k)
            sum = quint8(sum + quint8(body.at(k)));
        if (quint8(~sum) != quint8(body.at(body.size() - 1)))
            *valid = false;
        const char type = line.at(1);
        if (type >= '1' && type <= '3')
            dataSeen = true;
        if (type >= '7' && type <= '9') {
            *valid = *valid && dataSeen;
            return true;
        }
    }
    return false;
}
