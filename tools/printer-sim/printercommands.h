#pragma once

#include <QByteArray>
#include <QVector>

// The printer's side of the command set: every command byte sequence the simulated printer
// understands is spelled here and nowhere else.
enum class SimCommand {
    Handshake,
    Leave,
    ReadEds,
    ReadModel,
    ReadSettings,
    ReadParameterList,
    ReadDefaults,
    RestoreDefaults,
    RestoreDefaultsUntyped,
    AnnounceBlock,
    WriteParameterList,
    FirmwareMode,
    HexMode,
    PrintFwInfo,
    PrintInformation,
    PrintMenu,
    ReadAddress,
    HeadTemperature,
    PinTest,
    ReadSensors,
    ElectricalCheck,
    DotCheck,
    DotWrite,
    DotTest,
    ReadMac,
    WriteMac,
    PollTest,
    CancelTest,
};

// How the printer answers a command.
enum class ReplyKind {
    None, // nothing (the program sends these "send only")
    Handshake, // 10 bytes ending in the mode byte
    Framed16, // echo, 2-byte big-endian length, payload
    Framed24, // echo, 0, 3-byte big-endian length, payload
    Ack, // one byte
    TestOutcome, // one byte from the profile's test outcomes
    Echo, // the command itself
};

struct SimCommandEntry
{
    SimCommand id;
    const char *name; // as written to the command log
    QByteArray bytes;
    ReplyKind reply;
};

const QVector<SimCommandEntry> &simCommandTable();
const SimCommandEntry &simCommand(SimCommand id);

// Length of the size header that follows the parameter-list write command.
constexpr int kParameterListHeaderSize = 4;
// Bytes after the dot adjustment write and test commands before their values: dot type and count;
// dot type, mode, test number and count. The count of value bytes is the last of them.
constexpr int kDotWriteHeaderSize = 2;
constexpr int kDotTestHeaderSize = 4;
// Bytes of a MAC address carried by the MAC write.
constexpr int kMacSize = 6;
// Size of the setting and default blocks.
constexpr int kBlockSize = 1024;
// Marker in front of a newer-layout model reply.
QByteArray modelReplyMarker();
