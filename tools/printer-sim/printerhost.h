#pragma once

#include <functional>

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include "simulatedprinter.h"

class ByteLink;
class PtyLink;
class QTcpServer;

// Misbehaviour the simulator plays on request.
struct SimFaults
{
    int delayMs = 0; // wait before a reply
    int chunkSize = 0; // send a reply in pieces of this many bytes...
    int chunkGapMs = 0; // ...this far apart
    int dropAfter = -1; // close the connection once this many reply bytes went out on it
    int truncate = -1; // send only the first bytes of a reply
    bool garbage = false; // replace reply bytes with garbage
    bool refuse = false; // close every connection at once; hold the pty locked
    int faultyReplies = -1; // the faults above touch only the first replies (-1: all)
    int idleMs = 1000; // a firmware download without an end record ends after this quiet time
    int flashMs = 1000; // a finished download is written this long before the printer restarts
    int restartMs = 2000; // how long a restart keeps the printer off its lines
    int readRate = 0; // bytes a second a TCP connection takes in (0: as fast as they come)
};

// One simulated printer with its transports.
class PrinterHost : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PrinterHost)

public:
    using LogSink = std::function<void(const QString &)>;

    PrinterHost(const PrinterProfile &profile, const SimFaults &faults, LogSink log,
        QObject *parent = nullptr);

    bool setStateFile(const QString &path, QString *error);
    void addHostileFault(const HostileFault &fault);
    bool listenTcp(const QHostAddress &address, quint16 port, QString *error);
    QString tcpEndpoint() const;
    bool openPty(SimLink kind, QString *error);
    QString ptyPath() const;
    // A connection made elsewhere (the Bluetooth stack) that now carries this printer's bytes.
    void adoptLink(ByteLink *link, SimLink kind);

private:
    void attach(ByteLink *link, SimLink kind);
    void onReceived(ByteLink *link, SimLink kind, const QByteArray &bytes);
    void sendReply(ByteLink *link, QByteArray reply);
    void onIdle();
    // After a finished download: the printer writes it, then restarts (drops its lines).
    void noticeDownloads();
    void restart();

    SimulatedPrinter m_printer;
    SimFaults m_faults;
    LogSink m_log;
    QTcpServer *m_server = nullptr;
    PtyLink *m_pty = nullptr;
    QTimer m_idle;
    int m_replyCount = 0;
    int m_downloadsSeen = 0;
    bool m_restarting = false;
    QList<QPointer<ByteLink>> m_links; // connections that a restart drops
};
