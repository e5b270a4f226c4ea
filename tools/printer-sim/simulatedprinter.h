#pragma once

#include <functional>

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include "printercommands.h"
#include "printerprofile.h"

// The kind of line the printer is reached over; a few printers answer differently on serial.
enum class SimLink { Tcp, Serial, Lpt, Usb, Bluetooth };

// One fault a hostile printer plays at a chosen exchange: the n-th time (counted over the
// printer's whole life, across connections) a command or a data block named as in the command
// log arrives.
struct HostileFault
{
    enum class Kind {
        Drop, // acts, but its reply is lost
        Split, // the reply in two pieces: all but the last byte, then the last byte
        Truncate, // only the first half of the reply
        Pad, // the reply followed by stray bytes (1D 02 40)
        Garbage, // every reply byte replaced
        Zeros, // every reply byte zero
        Close, // the connection closes instead of the reply; nothing after it on it counts
        WrongEcho, // the last byte of the echo changed
        WrongLength, // a framed reply with twice its payload (and a length field to match)
        Silent, // takes the bytes, neither acts nor answers
        Empty, // a framed reply without its payload (length 0); a plain reply of no bytes
        ListMode, // a handshake reply whose mode byte says parameter list (68)
    };
    Kind kind = Kind::Drop;
    QString exchange;
    int occurrence = 1;

    // "KIND@EXCHANGE" or "KIND@EXCHANGE#N", e.g. "drop@writeBlock", "split@handshake#2".
    static bool parse(const QString &text, HostileFault *fault, QString *error);
    static QStringList kindNames();
};

// A reply of one exchange and what the line does with it.
struct SimReply
{
    enum class Line { Send, Split, Close };
    QByteArray bytes;
    Line line = Line::Send;
};

// What the printer remembers between commands (and, with a state file, between runs).
struct PrinterState
{
    QByteArray settingBlock;
    QByteArray defaultBlock;
    QByteArray mac;
    QByteArray dotAdjustment; // the last dot adjustment values written: dot type, count, values
    QByteArray parameterList;
    int firmwareDownloads = 0;
    int lastFirmwareSize = 0;
    QString lastFirmwareCheck; // "srec-ok", "srec-bad" or "raw"
    QString lastFirmwareSha256; // of the bytes received, in hexadecimal
};

// The protocol core of the simulated printer: bytes in, bytes out, no I/O of its own.
class SimulatedPrinter
{
public:
    explicit SimulatedPrinter(const PrinterProfile &profile);

    void setLink(SimLink link) { m_link = link; }
    // Every log line also goes to this sink (the simulator's command log file).
    void setLogSink(std::function<void(const QString &)> sink) { m_sink = std::move(sink); }
    // Saves the state to this file after every change; an existing file is loaded first.
    bool setStateFile(const QString &path, QString *error);

    // Takes received bytes and returns the printer's answer to every command they complete.
    QByteArray feed(const QByteArray &in);
    // The same, one reply per exchange, with the hostile faults played on them.
    QVector<SimReply> feedExchanges(const QByteArray &in);
    void addHostileFault(const HostileFault &fault) { m_hostile.append(fault); }
    // The line went quiet or was closed: a firmware download without an end record is
    // finished, any other half-received data is dropped.
    void endOfData();
    // A new connection: nothing half-received survives it.
    void beginSession();

    bool inFirmwareMode() const { return m_phase == Phase::Firmware; }
    const PrinterProfile &profile() const { return m_profile; }
    const PrinterState &state() const { return m_state; }
    const QStringList &log() const { return m_log; }

private:
    enum class Phase {
        Command,
        BlockData,
        ParameterListHeader,
        ParameterListData,
        MacData,
        DotHeader,
        DotValues,
        Firmware
    };

    void handle(const SimCommandEntry &cmd, QByteArray *out);
    // Counts an exchange; the fault to play at it, if any.
    const HostileFault *exchangeStarts(const QString &name);
    SimReply finishExchange(const QByteArray &reply);
    bool takeData(QByteArray *out);
    void finishFirmware();
    bool takeFirmwareData();
    void applyParameterList(const QByteArray &text);
    bool quietHere(const QString &name) const;
    QByteArray framed16(const QByteArray &echo, const QByteArray &payload) const;
    QByteArray framed24(const QByteArray &echo, const QByteArray &payload) const;
    void flushUnknown();
    void writeLog(const QString &line);
    void changed();
    bool loadState(const QString &path, QString *error);
    bool saveState(QString *error) const;

    PrinterProfile m_profile;
    PrinterState m_state;
    SimLink m_link = SimLink::Tcp;
    Phase m_phase = Phase::Command;
    QByteArray m_pending;
    QByteArray m_unknown;
    QByteArray m_firmware;
    bool m_endRecordSeen = false;
    int m_dataLength = 0;
    bool m_dotTest = false; // the dot adjustment data belongs to a test print
    bool m_ignoreData = false; // a silent write takes its data without acting on it
    QByteArray m_dotHeader;
    QVector<quint8> m_pollAnswers;
    QString m_statePath;
    QStringList m_log;
    QVector<HostileFault> m_hostile;
    QHash<QString, int> m_exchangeCounts;
    const HostileFault *m_fault = nullptr; // the fault of the exchange in progress
    QByteArray m_faultEcho; // that exchange's command bytes
    ReplyKind m_faultReplyKind = ReplyKind::None;
    std::function<void(const QString &)> m_sink;
};

// Checks Motorola S-record text: every record's checksum, at least one data record and an
// end record. Returns true once the end record has been seen; *valid tells whether all was right.
bool checkSRecords(const QByteArray &data, bool *valid);
