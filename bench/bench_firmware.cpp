// The firmware download's bulk send of a 1 MiB file over TCP loopback beside a raw socket copy
// of the same file to the same receiver, in the same run: the ratio of their times. The
// receiver is the simulated printer's protocol core on a thread of its own; both clocks stop
// when it holds the last byte. The printer's 12 s pause is left out of both.
#include <algorithm>
#include <atomic>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QSemaphore>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTextStream>
#include <QThread>

#include "comm/communication.h"
#include "comm/delayservice.h"
#include "core/configfile.h"
#include "engine/datadispatcher.h"
#include "maintenance_core/firmwaredownload.h"
#include "printerprofile.h"
#include "simulatedprinter.h"

namespace {
constexpr int kFileSize = 1024 * 1024;
constexpr int kRounds = 15;
constexpr int kWaitMs = 10000;
constexpr int kEchoLength = 3;

QElapsedTimer g_clock;

QByteArray firmwareFile()
{
    QByteArray data(kFileSize, '\0');
    for (int i = 0; i < kFileSize; ++i)
        data[i] = char(0x80 + (i * 7 + i / 251) % 113);
    return data;
}

// The printer side: answers commands as the simulator does and notes when the download's last
// byte has arrived.
class Receiver : public QObject
{
public:
    explicit Receiver(const PrinterProfile &profile)
        : m_printer(profile)
    {
    }

    quint16 listen()
    {
        m_server = new QTcpServer(this);
        m_server->listen(QHostAddress::LocalHost, 0);
        connect(m_server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket *socket = m_server->nextPendingConnection();
            m_printer.beginSession();
            m_received = 0;
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                const QByteArray bytes = socket->readAll();
                if (m_printer.inFirmwareMode()) {
                    m_received += bytes.size();
                    if (m_received >= kFileSize && m_done == 0) {
                        m_done = g_clock.nsecsElapsed();
                        m_doneSignal.release();
                    }
                }
                const QByteArray reply = m_printer.feed(bytes);
                if (!reply.isEmpty())
                    socket->write(reply);
            });
            connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
                m_printer.endOfData();
                socket->deleteLater();
                m_closedSignal.release();
            });
        });
        return m_server->serverPort();
    }

    void arm()
    {
        m_done = 0;
        m_doneSignal.tryAcquire(m_doneSignal.available());
    }
    // Nanoseconds on the shared clock when the last byte arrived; 0 when it did not. Blocks
    // without spinning, so the waiting takes no processor time from the receiver.
    qint64 waitDone()
    {
        m_doneSignal.tryAcquire(1, kWaitMs);
        return m_done;
    }
    // Until the receiver has finished with the closed connection (it checks the whole download
    // then), so that this work never falls into the next measurement.
    void waitClosed() { m_closedSignal.tryAcquire(1, kWaitMs); }

private:
    SimulatedPrinter m_printer;
    QTcpServer *m_server = nullptr;
    qint64 m_received = 0;
    std::atomic<qint64> m_done { 0 };
    QSemaphore m_doneSignal;
    QSemaphore m_closedSignal;
};

// A plain blocking socket: the mode switch and its echo, then the file in 64 KiB calls. Seconds from the first byte of the file to the receiver holding the last.
double rawCopy(quint16 port, const QByteArray &file, const QByteArray &modeSwitch, Receiver &rx)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in to {};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr *>(&to), sizeof to) != 0)
        qFatal("raw copy: no connection");
    ::send(fd, modeSwitch.constData(), size_t(modeSwitch.size()), 0);
    char echo[kEchoLength];
    int got = 0;
    while (got < kEchoLength) {
        const ssize_t n = ::recv(fd, echo + got, size_t(kEchoLength - got), 0);
        if (n <= 0)
            qFatal("raw copy: no echo");
        got += int(n);
    }
    rx.arm();
    const qint64 start = g_clock.nsecsElapsed();
    qint64 sent = 0;
    while (sent < file.size()) {
        const ssize_t n = ::send(fd, file.constData() + sent, size_t(qMin<qint64>(65536, file.size() - sent)), 0);
        if (n <= 0)
            qFatal("raw copy: send failed");
        sent += n;
    }
    const qint64 done = rx.waitDone();
    ::close(fd);
    rx.waitClosed();
    if (done == 0)
        qFatal("raw copy: the receiver did not get the file");
    return double(done - start) / 1e9;
}

// The program's road: handshake, mode switch, then the bulk send of operation 8 (the dispatcher
// and its connection end with the function).
double downloadOnce(quint16 port, const QByteArray &file, Receiver &rx)
{
    ConfigFile config;
    RecordingDelayService delay;
    std::atomic<qint64> start { 0 };
    delay.setHook([&start, &rx](int ms) {
        if (ms == FirmwareDownload::kEnterDownloadModeMs) {
            rx.arm();
            start = g_clock.nsecsElapsed();
        }
    });
    DataDispatcher dispatcher(delay, &config);
    dispatcher.setPortType(Communication::PortNetwork);
    dispatcher.setWifiConfig(QStringLiteral("127.0.0.1"), port);
    dispatcher.setOperation(DataDispatcher::OpFirmware, file);
    dispatcher.run();
    const qint64 done = rx.waitDone();
    if (done == 0 || dispatcher.firmwareResult().outcome() != FirmwareDownload::Outcome::Complete)
        qFatal("bulk send: the download failed");
    return double(done - start) / 1e9;
}

double bulkSend(quint16 port, const QByteArray &file, Receiver &rx)
{
    const double seconds = downloadOnce(port, file, rx);
    rx.waitClosed();
    return seconds;
}

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qputenv("XDG_CONFIG_HOME", QByteArray("/tmp/bench_firmware-config"));
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    g_clock.start();
    PrinterProfile profile;
    QString error;
    if (!PrinterProfile::load(QStringLiteral("zn470kw"), &profile, &error))
        qFatal("%s", qPrintable(error));
    QThread printerThread;
    Receiver rx(profile);
    rx.moveToThread(&printerThread);
    printerThread.start();
    quint16 port = 0;
    QMetaObject::invokeMethod(&rx, [&rx, &port] { port = rx.listen(); },
        Qt::BlockingQueuedConnection);

    const QByteArray file = firmwareFile();
    const QByteArray modeSwitch = DataDispatcher::commandTable().value(11);
    QVector<double> raw;
    QVector<double> ours;
    // Alternating which goes first keeps a warm or cold start from favouring either.
    for (int round = 0; round < kRounds; ++round) {
        if (round % 2 == 0) {
            raw << rawCopy(port, file, modeSwitch, rx);
            ours << bulkSend(port, file, rx);
        } else {
            ours << bulkSend(port, file, rx);
            raw << rawCopy(port, file, modeSwitch, rx);
        }
    }
    printerThread.quit();
    printerThread.wait();

    const double rawS = median(raw);
    const double oursS = median(ours);
    const double mb = kFileSize / (1024.0 * 1024.0);
    QTextStream out(stdout);
    out << "firmware bulk send of 1 MiB over TCP loopback, median of " << kRounds << " rounds\n";
    out << QStringLiteral("  raw socket copy: %1 ms (%2 MB/s)\n")
               .arg(rawS * 1000, 0, 'f', 2)
               .arg(mb / rawS, 0, 'f', 0);
    out << QStringLiteral("  bulk send:       %1 ms (%2 MB/s)\n")
               .arg(oursS * 1000, 0, 'f', 2)
               .arg(mb / oursS, 0, 'f', 0);
    out << QStringLiteral("  ratio (raw time / bulk send time): %1x\n").arg(rawS / oursS, 0, 'f', 2);
    return 0;
}
