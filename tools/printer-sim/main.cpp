// rkprinter-sim: plays one or more printers of the family over TCP and pseudo-terminals.
#include <cstdio>
#include <memory>
#include <unistd.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>

#include "bluetoothstack.h"
#include "printerhost.h"
#include "testscripts.h"
#include "usbtree.h"

namespace {

constexpr quint16 kDefaultTcpPort = 9100;
constexpr int kStdinChunk = 256;

const char kProtocolHelp[] = R"(
The printer answers the command set from the printer's side:
  handshake 1D 1A 1B 1C 1D 4D 4F 44 45 00 -> the 9 first bytes and the mode byte
  block reads (model 1D 03 07 00, EDS 1D 03 07 01, settings 1D 03 02, defaults
  1D 03 09, sensors 1D 01 61 01, address 1D 01 21, MAC 1D 03 22)
                                     -> echo, 2-byte big-endian length, payload
  parameter list 1D 05 01            -> echo, 00, 3-byte big-endian length, JSON
  1D 02 12 + 1024 bytes              -> block written, one-byte answer
  1D 06 01 + 4-byte length + JSON    -> parameter values written, no answer
  1D 02 40 / 1D 02 41                -> defaults restored, one-byte answer
  1D 02 34 00 06 + 6 bytes           -> MAC written, one-byte answer
  1D 02 50                           -> echo; then firmware bytes until an S-record
                                        end record, --idle-ms of quiet or the line's end;
                                        --flash-ms later the printer restarts: it drops
                                        its connections, refuses new ones and ignores every
                                        line for --restart-ms
  tests 1D 01 40/01/10/20/22/23/24, 1D 01 61 02 -> one byte (0 ok, 1 failed,
  2 running, 3 paper needed, 255 out of paper); 47 polls a running test,
  43 cancels it; 1D 01 30 (leave) has no answer. --test printMenu=2,3,0 makes a test
  answer 2, then 3 and 0 to the polls (the last answer repeats); --sensors HEX sets the
  sensor reply.
Faults apply to every reply unless --fault-replies limits them to the first ones.
A hostile printer plays one fault at one exchange: --hostile KIND@EXCHANGE[#N], the N-th
time (default 1, counted across connections) a command or data block arrives, named as in
the command log (handshake, readSettings, announceBlock, writeBlock, restoreDefaults, ...;
firmwareData counts each arrival of download bytes):
  drop          acts, but the reply is lost       split     reply as all but one byte, then
  truncate      first half of the reply                     the last byte 200 ms later
  pad           reply + stray bytes 1D 02 40      garbage   every reply byte replaced
  zeros         every reply byte zero             close     the connection closes instead of
  wrong-echo    the echo's last byte changed                the reply (a pty stays silent)
  wrong-length  a framed reply with twice its     silent    takes the bytes, neither acts
                payload and a length to match               nor answers
  empty         a framed reply of length 0        list-mode the handshake's mode byte is 68
With --bluetooth every printer is also a device of a simulated Bluetooth stack (named by its
model, addresses 52:4B:53:49:4D:01, :02, ...); one request line per connection to HOST:PORT:
  LIST -> "DEVICE <address> <name>" lines and "END"; CONNECT <address> -> "OK" and the
  printer's byte stream, or "ERR <reason>".
Each endpoint prints one line when ready: "READY tcp HOST:PORT", "READY pty PATH" or
"READY bluetooth HOST:PORT".
With --usb-root each printer also prints "READY usb NODE", NODE being its device node.
Command log lines: CONNECT, DISCONNECT, CMD <name> <hex>, DATA <what> ...,
UNKNOWN <count> <hex>, IGNORED <what> <size> bytes, FIRMWARE <size> <srec-ok|srec-bad|raw>
sha256=<hex>, RESTART, RESTARTED, REFUSE ..., FAULT ..., STATE ...
With several printers each line starts with "#<index> ".)";

bool parseEndpoint(const QString &text, QHostAddress *address, quint16 *port)
{
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    bool ok = false;
    const uint p = text.mid(colon + 1).toUInt(&ok);
    if (colon <= 0 || !ok || p > 65535 || !address->setAddress(text.left(colon)))
        return false;
    *port = quint16(p);
    return true;
}

int intOption(const QCommandLineParser &parser, const QString &name, int fallback, bool *ok)
{
    if (!parser.isSet(name))
        return fallback;
    bool good = false;
    const int value = parser.value(name).toInt(&good);
    if (!good || value < 0) {
        std::fprintf(stderr, "rkprinter-sim: --%s needs a number >= 0\n", qPrintable(name));
        *ok = false;
    }
    return value;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rkprinter-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulated impact printer.") + QLatin1String(kProtocolHelp));
    parser.addHelpOption();
    parser.addOptions({
        { QStringLiteral("tcp"),
            QStringLiteral("Listen on HOST:PORT (default 127.0.0.1:9100; port 0 picks a free one). "
                           "Several --tcp give several printers."),
            QStringLiteral("HOST:PORT") },
        { QStringLiteral("count"),
            QStringLiteral("Number of printers; with one --tcp the ports count up from it (or are "
                           "all free ports for 0)."),
            QStringLiteral("N") },
        { QStringLiteral("pty"),
            QStringLiteral("Also offer each printer on a pseudo-terminal (its path is printed).") },
        { QStringLiteral("bluetooth"),
            QStringLiteral("Also offer the printers on a simulated Bluetooth stack at HOST:PORT "
                           "(port 0 picks a free one)."),
            QStringLiteral("HOST:PORT") },
        { QStringLiteral("pty-kind"),
            QStringLiteral("What the pseudo-terminal plays: serial (default) or lpt."),
            QStringLiteral("KIND") },
        { QStringLiteral("usb-root"),
            QStringLiteral("Offer every printer as a USB printer in a simulated system tree under "
                           "DIR (DIR/sys, DIR/dev: the Devices/UsbSysfsRoot and "
                           "Devices/UsbDevRoot of the program)."),
            QStringLiteral("DIR") },
        { QStringLiteral("usb-device"),
            QStringLiteral("USB details of printer 1, 2, ... (repeat): vid=HHHH, pid=HHHH, "
                           "serial=TEXT (empty: none), model=TEXT, bus=NAME (not usb: not a USB "
                           "printer), id=IEEE-1284 TEXT (last; empty: the printer gives none). "
                           "Defaults come from the profile."),
            QStringLiteral("DETAILS") },
        { QStringLiteral("profile"),
            QStringLiteral("Printer profile: a built-in id or a JSON file; repeat for printer 2, "
                           "3, ... (default zn470kw)."),
            QStringLiteral("ID|FILE") },
        { QStringLiteral("list-profiles"),
            QStringLiteral("Print the built-in profile ids and exit.") },
        { QStringLiteral("state"),
            QStringLiteral(
                "Keep the printer's state in FILE across runs (printer n>0 uses FILE.n)."),
            QStringLiteral("FILE") },
        { QStringLiteral("log"),
            QStringLiteral("Write the command log to FILE ('-' for standard error)."),
            QStringLiteral("FILE") },
        { QStringLiteral("delay-ms"), QStringLiteral("Wait this long before each reply."),
            QStringLiteral("MS") },
        { QStringLiteral("chunk"), QStringLiteral("Send replies in pieces of N bytes."),
            QStringLiteral("N") },
        { QStringLiteral("chunk-gap-ms"), QStringLiteral("Pause between reply pieces."),
            QStringLiteral("MS") },
        { QStringLiteral("drop-after"),
            QStringLiteral(
                "Close a TCP connection after N reply bytes (on a pty the rest is not sent)."),
            QStringLiteral("N") },
        { QStringLiteral("truncate"), QStringLiteral("Send only the first N bytes of each reply."),
            QStringLiteral("N") },
        { QStringLiteral("garbage"), QStringLiteral("Replace reply bytes with garbage.") },
        { QStringLiteral("refuse"),
            QStringLiteral(
                "Close every TCP connection at once; hold the pty locked like a busy port.") },
        { QStringLiteral("hostile"),
            QStringLiteral("Play a fault at one exchange: KIND@EXCHANGE[#N] (repeatable; see "
                           "below)."),
            QStringLiteral("FAULT") },
        { QStringLiteral("fault-replies"),
            QStringLiteral("Apply the faults to the first K replies only."), QStringLiteral("K") },
        { QStringLiteral("watch-stdin"),
            QStringLiteral("Exit when standard input closes (so a test's simulator never outlives "
                           "the test).") },
        { QStringLiteral("test"),
            QStringLiteral("A test's answers instead of the profile's: NAME=A,B,... (first answer, "
                           "then the polls; repeatable)."),
            QStringLiteral("SCRIPT") },
        { QStringLiteral("sensors"),
            QStringLiteral("The sensor reply's bytes instead of the profile's (hexadecimal)."),
            QStringLiteral("HEX") },
        { QStringLiteral("flash-ms"),
            QStringLiteral("Time from the end of a firmware download to the restart (default "
                           "1000)."),
            QStringLiteral("MS") },
        { QStringLiteral("restart-ms"),
            QStringLiteral("How long a restart drops the connections and ignores every line "
                           "(default 2000)."),
            QStringLiteral("MS") },
        { QStringLiteral("firmware-rate"),
            QStringLiteral("Take at most N bytes a second off a TCP connection, as a printer "
                           "that writes a download into flash as it comes (the sender waits)."),
            QStringLiteral("N") },
        { QStringLiteral("idle-ms"),
            QStringLiteral(
                "Quiet time that ends a firmware download without an end record (default 1000)."),
            QStringLiteral("MS") },
    });
    parser.process(app);

    if (parser.isSet(QStringLiteral("list-profiles"))) {
        for (const QString &id : PrinterProfile::builtInIds())
            std::printf("%s\n", qPrintable(id));
        return 0;
    }

    bool ok = true;
    SimFaults faults;
    faults.delayMs = intOption(parser, QStringLiteral("delay-ms"), 0, &ok);
    faults.chunkSize = intOption(parser, QStringLiteral("chunk"), 0, &ok);
    faults.chunkGapMs = intOption(parser, QStringLiteral("chunk-gap-ms"), 0, &ok);
    faults.dropAfter = intOption(parser, QStringLiteral("drop-after"), -1, &ok);
    faults.truncate = intOption(parser, QStringLiteral("truncate"), -1, &ok);
    faults.faultyReplies = intOption(parser, QStringLiteral("fault-replies"), -1, &ok);
    faults.idleMs = intOption(parser, QStringLiteral("idle-ms"), faults.idleMs, &ok);
    faults.flashMs = intOption(parser, QStringLiteral("flash-ms"), faults.flashMs, &ok);
    faults.restartMs = intOption(parser, QStringLiteral("restart-ms"), faults.restartMs, &ok);
    faults.readRate = intOption(parser, QStringLiteral("firmware-rate"), 0, &ok);
    faults.garbage = parser.isSet(QStringLiteral("garbage"));
    faults.refuse = parser.isSet(QStringLiteral("refuse"));
    const int countOption = intOption(parser, QStringLiteral("count"), 0, &ok);
    if (!ok)
        return 2;
    QVector<HostileFault> hostile;
    for (const QString &text : parser.values(QStringLiteral("hostile"))) {
        HostileFault fault;
        QString error;
        if (!HostileFault::parse(text, &fault, &error)) {
            std::fprintf(stderr, "rkprinter-sim: %s\n", qPrintable(error));
            return 2;
        }
        hostile.append(fault);
    }

    const bool pty = parser.isSet(QStringLiteral("pty"));
    const QString ptyKind = parser.value(QStringLiteral("pty-kind"));
    if (!ptyKind.isEmpty() && ptyKind != QLatin1String("serial")
        && ptyKind != QLatin1String("lpt")) {
        std::fprintf(stderr, "rkprinter-sim: --pty-kind is serial or lpt\n");
        return 2;
    }
    const QString usbRoot = parser.value(QStringLiteral("usb-root"));
    const QStringList usbDetails = parser.values(QStringLiteral("usb-device"));
    if (!usbRoot.isEmpty() && pty) {
        std::fprintf(
            stderr, "rkprinter-sim: a printer has one pseudo-terminal: --pty or --usb-root\n");
        return 2;
    }
    std::unique_ptr<UsbTree> usbTree;
    if (!usbRoot.isEmpty()) {
        usbTree = std::make_unique<UsbTree>(usbRoot);
        QString error;
        if (!usbTree->create(&error)) {
            std::fprintf(stderr, "rkprinter-sim: %s\n", qPrintable(error));
            return 2;
        }
    }
    QStringList tcpEndpoints = parser.values(QStringLiteral("tcp"));
    const bool bluetooth = parser.isSet(QStringLiteral("bluetooth"));
    if (tcpEndpoints.isEmpty() && !pty && !bluetooth && !usbTree)
        tcpEndpoints.append(QStringLiteral("127.0.0.1:%1").arg(kDefaultTcpPort));
    const int count = qMax(qMax(1, usbDetails.size()), qMax(countOption, tcpEndpoints.size()));

    QStringList profiles = parser.values(QStringLiteral("profile"));
    if (profiles.isEmpty())
        profiles.append(QStringLiteral("zn470kw"));

    QFile logFile;
    const QString logPath = parser.value(QStringLiteral("log"));
    if (logPath == QLatin1String("-")) {
        logFile.open(stderr, QIODevice::WriteOnly);
    } else if (!logPath.isEmpty()) {
        logFile.setFileName(logPath);
        if (!logFile.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::fprintf(stderr, "rkprinter-sim: cannot write %s: %s\n", qPrintable(logPath),
                qPrintable(logFile.errorString()));
            return 2;
        }
    }

    SimBluetoothStack *bluetoothStack = nullptr;
    if (bluetooth)
        bluetoothStack = new SimBluetoothStack(
            faults.refuse,
            [&logFile](const QString &line) {
                if (logFile.isOpen()) {
                    logFile.write((line + QLatin1Char('\n')).toUtf8());
                    logFile.flush();
                }
            },
            &app);

    QStringList readyLines;
    for (int i = 0; i < count; ++i) {
        QString error;
        PrinterProfile profile;
        if (!PrinterProfile::load(profiles.at(qMin(i, profiles.size() - 1)), &profile, &error)) {
            std::fprintf(stderr, "rkprinter-sim: %s\n", qPrintable(error));
            return 2;
        }
        for (const QString &script : parser.values(QStringLiteral("test")))
            ok = ok && testscripts::applyScript(script, &profile, &error);
        if (ok && parser.isSet(QStringLiteral("sensors")))
            ok = testscripts::applySensors(parser.value(QStringLiteral("sensors")), &profile, &error);
        if (!ok) {
            std::fprintf(stderr, "rkprinter-sim: %s\n", qPrintable(error));
            return 2;
        }
        const QString prefix = count > 1 ? QStringLiteral("#%1 ").arg(i) : QString();
        auto log = [&logFile, prefix](const QString &line) {
            if (!logFile.isOpen())
                return;
            logFile.write((prefix + line + QLatin1Char('\n')).toUtf8());
            logFile.flush();
        };
        auto *host = new PrinterHost(profile, faults, log, &app);
        for (const HostileFault &fault : qAsConst(hostile))
            host->addHostileFault(fault);
        const QString statePath = parser.value(QStringLiteral("state"));
        if (!statePath.isEmpty()) {
            const QString path = i == 0 ? statePath : QStringLiteral("%1.%2").arg(statePath).arg(i);
            if (!host->setStateFile(path, &error)) {
                std::fprintf(stderr, "rkprinter-sim: state: %s\n", qPrintable(error));
                return 2;
            }
        }
        if (!tcpEndpoints.isEmpty()) {
            QHostAddress address;
            quint16 port = 0;
            const QString endpoint = tcpEndpoints.at(qMin(i, tcpEndpoints.size() - 1));
            if (!parseEndpoint(endpoint, &address, &port)) {
                std::fprintf(
                    stderr, "rkprinter-sim: --tcp wants HOST:PORT, not %s\n", qPrintable(endpoint));
                return 2;
            }
            if (i >= tcpEndpoints.size() && port != 0)
                port = quint16(port + i - (tcpEndpoints.size() - 1));
            if (!host->listenTcp(address, port, &error)) {
                std::fprintf(
                    stderr, "rkprinter-sim: %s: %s\n", qPrintable(endpoint), qPrintable(error));
                return 1;
            }
            readyLines.append(QStringLiteral("READY tcp %1").arg(host->tcpEndpoint()));
        }
        if (bluetoothStack)
            bluetoothStack->addDevice(
                QString::fromUtf8(profile.modelReply.split(';').value(0)), host);
        if (pty) {
            const SimLink kind = ptyKind == QLatin1String("lpt") ? SimLink::Lpt : SimLink::Serial;
            if (!host->openPty(kind, &error)) {
                std::fprintf(stderr, "rkprinter-sim: %s\n", qPrintable(error));
                return 1;
            }
            readyLines.append(QStringLiteral("READY pty %1").arg(host->ptyPath()));
        }
        if (usbTree) {
            UsbDeviceDetails details = UsbDeviceDetails::fromProfile(profile);
            QString node;
            if (!details.apply(usbDetails.value(i), &error) || !host->openPty(SimLink::Usb, &error)
                || (node = usbTree->addPrinter(i, details, host->ptyPath(), &error)).isEmpty()) {
                std::fprintf(stderr, "rkprinter-sim: %s\n", qPrintable(error));
                return 2;
            }
            readyLines.append(QStringLiteral("READY usb %1").arg(node));
        }
    }
    if (bluetoothStack) {
        QHostAddress address;
        quint16 port = 0;
        QString error;
        const QString endpoint = parser.value(QStringLiteral("bluetooth"));
        if (!parseEndpoint(endpoint, &address, &port)) {
            std::fprintf(
                stderr, "rkprinter-sim: --bluetooth wants HOST:PORT, not %s\n", qPrintable(endpoint));
            return 2;
        }
        if (!bluetoothStack->listen(address, port, &error)) {
            std::fprintf(stderr, "rkprinter-sim: %s: %s\n", qPrintable(endpoint), qPrintable(error));
            return 1;
        }
        readyLines.append(QStringLiteral("READY bluetooth %1").arg(bluetoothStack->endpoint()));
    }
    if (parser.isSet(QStringLiteral("watch-stdin"))) {
        auto *stdinWatch = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, &app);
        QObject::connect(stdinWatch, &QSocketNotifier::activated, &app, [stdinWatch] {
            char buffer[kStdinChunk];
            if (::read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
                stdinWatch->setEnabled(false);
                QCoreApplication::quit();
            }
        });
    }
    for (const QString &line : readyLines)
        std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
    return app.exec();
}
