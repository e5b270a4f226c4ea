#include "printerhost.h"

#include <QTcpServer>
#include <QTcpSocket>

#include "simlinks.h"

namespace {
constexpr int kSplitGapMs = 200;
} // namespace

PrinterHost::PrinterHost(
    const PrinterProfile &profile, const SimFaults &faults, LogSink log, QObject *parent)
    : QObject(parent)
    , m_printer(profile)
    , m_faults(faults)
    , m_log(std::move(log))
{
    m_printer.setLogSink(m_log);
    m_idle.setSingleShot(true);
    connect(&m_idle, &QTimer::timeout, this, &PrinterHost::onIdle);
}

void PrinterHost::addHostileFault(const HostileFault &fault)
{
    m_printer.addHostileFault(fault);
}

bool PrinterHost::setStateFile(const QString &path, QString *error)
{
    return m_printer.setStateFile(path, error);
}

bool PrinterHost::listenTcp(const QHostAddress &address, quint16 port, QString *error)
{
    m_server = new QTcpServer(this);
    if (!m_server->listen(address, port)) {
        *error = m_server->errorString();
        return false;
    }
    connect(m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server->nextPendingConnection()) {
            auto *link = new TcpLink(socket, this);
            if (m_faults.refuse || m_restarting) {
                m_log(QStringLiteral("REFUSE %1%2")
                          .arg(link->describe(),
                              m_restarting ? QStringLiteral(" restarting") : QString()));
                socket->abort();
                link->deleteLater();
                continue;
            }
            if (m_faults.readRate > 0)
                link->limitReadRate(m_faults.readRate);
            adoptLink(link, SimLink::Tcp);
        }
    });
    return true;
}

void PrinterHost::adoptLink(ByteLink *link, SimLink kind)
{
    link->setParent(this);
    m_printer.beginSession();
    m_log(QStringLiteral("CONNECT %1").arg(link->describe()));
    m_links.append(link);
    connect(link, &ByteLink::closed, this, [this, link] {
        m_log(QStringLiteral("DISCONNECT %1").arg(link->describe()));
        if (m_printer.inFirmwareMode())
            m_printer.endOfData();
        noticeDownloads();
        m_links.removeAll(link);
        link->deleteLater();
    });
    attach(link, kind);
}

QString PrinterHost::tcpEndpoint() const
{
    return m_server ? QStringLiteral("%1:%2")
                          .arg(m_server->serverAddress().toString())
                          .arg(m_server->serverPort())
                    : QString();
}

bool PrinterHost::openPty(SimLink kind, QString *error)
{
    m_pty = new PtyLink(this);
    if (!m_pty->open(error))
        return false;
    if (m_faults.refuse && !m_pty->lockDevice(error))
        return false;
    attach(m_pty, kind);
    return true;
}

QString PrinterHost::ptyPath() const
{
    return m_pty ? m_pty->slavePath() : QString();
}

void PrinterHost::attach(ByteLink *link, SimLink kind)
{
    connect(link, &ByteLink::received, this,
        [this, link, kind](const QByteArray &bytes) { onReceived(link, kind, bytes); });
}

void PrinterHost::onReceived(ByteLink *link, SimLink kind, const QByteArray &bytes)
{
    if (m_restarting) {
        m_log(QStringLiteral("IGNORED %1 bytes restarting").arg(bytes.size()));
        return;
    }
    m_printer.setLink(kind);
    const QVector<SimReply> replies = m_printer.feedExchanges(bytes);
    if (m_printer.inFirmwareMode())
        m_idle.start(m_faults.idleMs);
    noticeDownloads();
    QByteArray reply;
    for (const SimReply &r : replies) {
        if (r.line == SimReply::Line::Send) {
            reply.append(r.bytes);
            continue;
        }
        if (!reply.isEmpty())
            sendReply(link, reply);
        reply.clear();
        if (r.line == SimReply::Line::Close) {
            // Whatever else arrives on a line that is going is not heard.
            disconnect(link, &ByteLink::received, this, nullptr);
            link->scheduleHangUp(m_faults.delayMs);
            return;
        }
        // The last byte comes later than the others, as from a printer that is slow to finish.
        link->schedule(r.bytes.left(r.bytes.size() - 1), m_faults.delayMs);
        link->schedule(r.bytes.right(1), kSplitGapMs);
    }
    if (!reply.isEmpty())
        sendReply(link, reply);
}

void PrinterHost::sendReply(ByteLink *link, QByteArray reply)
{
    const bool faulty = m_faults.faultyReplies < 0 || m_replyCount < m_faults.faultyReplies;
    ++m_replyCount;
    if (!faulty) {
        link->schedule(reply, 0);
        return;
    }
    const int full = reply.size();
    if (m_faults.garbage) {
        for (int i = 0; i < reply.size(); ++i)
            reply[i] = char((i * 73 + 0x5A) & 0xFF);
        m_log(QStringLiteral("FAULT garbage %1").arg(full));
    }
    if (m_faults.truncate >= 0 && reply.size() > m_faults.truncate) {
        reply.truncate(m_faults.truncate);
        m_log(QStringLiteral("FAULT truncate %1 of %2").arg(reply.size()).arg(full));
    }
    bool hangUp = false;
    if (m_faults.dropAfter >= 0) {
        const qint64 room = qMax<qint64>(0, m_faults.dropAfter - link->scheduledBytes());
        if (reply.size() >= room) {
            reply.truncate(int(room));
            hangUp = true;
            m_log(QStringLiteral("FAULT drop after %1 of %2").arg(reply.size()).arg(full));
        }
    }
    const int piece = m_faults.chunkSize > 0 ? m_faults.chunkSize : qMax(1, reply.size());
    for (int offset = 0; offset < reply.size(); offset += piece)
        link->schedule(
            reply.mid(offset, piece), offset == 0 ? m_faults.delayMs : m_faults.chunkGapMs);
    if (hangUp)
        link->scheduleHangUp(reply.isEmpty() ? m_faults.delayMs : 0);
}

void PrinterHost::onIdle()
{
    if (m_printer.inFirmwareMode())
        m_printer.endOfData();
    noticeDownloads();
}

void PrinterHost::noticeDownloads()
{
    const int downloads = m_printer.state().firmwareDownloads;
    if (downloads == m_downloadsSeen)
        return;
    m_downloadsSeen = downloads;
    QTimer::singleShot(m_faults.flashMs, this, &PrinterHost::restart);
}

void PrinterHost::restart()
{
    m_restarting = true;
    m_log(QStringLiteral("RESTART"));
    for (const QPointer<ByteLink> &link : qAsConst(m_links)) {
        if (link) {
            disconnect(link, &ByteLink::received, this, nullptr);
            link->scheduleHangUp(0);
        }
    }
    QTimer::singleShot(m_faults.restartMs, this, [this] {
        m_restarting = false;
        m_printer.beginSession();
        m_log(QStringLiteral("RESTARTED"));
    });
}
