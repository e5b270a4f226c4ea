#include "printercommands.h"

namespace {

QByteArray bytes(std::initializer_list<unsigned char> list)
{
    QByteArray out;
    out.reserve(int(list.size()));
    for (unsigned char c : list)
        out.append(char(c));
    return out;
}

QVector<SimCommandEntry> buildTable()
{
    using C = SimCommand;
    using R = ReplyKind;
    return {
        { C::Handshake, "handshake",
            bytes({ 0x1D, 0x1A, 0x1B, 0x1C, 0x1D, 0x4D, 0x4F, 0x44, 0x45, 0x00 }), R::Handshake },
        { C::Leave, "leave", bytes({ 0x1D, 0x01, 0x30 }), R::None },
        { C::ReadEds, "readEds", bytes({ 0x1D, 0x03, 0x07, 0x01 }), R::Framed16 },
        { C::ReadModel, "readModel", bytes({ 0x1D, 0x03, 0x07, 0x00 }), R::Framed16 },
        { C::ReadSettings, "readSettings", bytes({ 0x1D, 0x03, 0x02 }), R::Framed16 },
        { C::ReadParameterList, "readParameterList", bytes({ 0x1D, 0x05, 0x01 }), R::Framed24 },
        { C::ReadDefaults, "readDefaults", bytes({ 0x1D, 0x03, 0x09 }), R::Framed16 },
        { C::RestoreDefaults, "restoreDefaults", bytes({ 0x1D, 0x02, 0x40 }), R::Ack },
        { C::RestoreDefaultsUntyped, "restoreDefaultsUntyped", bytes({ 0x1D, 0x02, 0x41 }),
            R::Ack },
        { C::AnnounceBlock, "announceBlock", bytes({ 0x1D, 0x02, 0x12 }), R::None },
        { C::WriteParameterList, "writeParameterList", bytes({ 0x1D, 0x06, 0x01 }), R::None },
        { C::FirmwareMode, "firmwareMode", bytes({ 0x1D, 0x02, 0x50 }), R::Echo },
        { C::HexMode, "hexMode", bytes({ 0x1D, 0x01, 0x40 }), R::TestOutcome },
        { C::PrintFwInfo, "printFwInfo", bytes({ 0x1D, 0x01, 0x01 }), R::TestOutcome },
        { C::PrintInformation, "printInformation", bytes({ 0x1D, 0x01, 0x10 }), R::TestOutcome },
        { C::PrintMenu, "printMenu", bytes({ 0x1D, 0x01, 0x20 }), R::TestOutcome },
        { C::ReadAddress, "readAddress", bytes({ 0x1D, 0x01, 0x21 }), R::Framed16 },
        { C::HeadTemperature, "headTemperature", bytes({ 0x1D, 0x01, 0x23 }), R::TestOutcome },
        { C::PinTest, "pinTest", bytes({ 0x1D, 0x01, 0x24 }), R::TestOutcome },
        { C::ReadSensors, "readSensors", bytes({ 0x1D, 0x01, 0x61, 0x01 }), R::Framed16 },
        { C::ElectricalCheck, "electricalCheck", bytes({ 0x1D, 0x01, 0x61, 0x02 }),
            R::TestOutcome },
        { C::DotCheck, "dotCheck", bytes({ 0x1D, 0x01, 0x22 }), R::TestOutcome },
        { C::DotWrite, "dotWrite", bytes({ 0x1D, 0x02, 0x23 }), R::Ack },
        { C::DotTest, "dotTest", bytes({ 0x1D, 0x01, 0x25 }), R::TestOutcome },
        { C::ReadMac, "readMac", bytes({ 0x1D, 0x03, 0x22 }), R::Framed16 },
        { C::WriteMac, "writeMac", bytes({ 0x1D, 0x02, 0x34, 0x00, 0x06 }), R::Ack },
        { C::PollTest, "pollTest", bytes({ 0x47 }), R::TestOutcome },
        { C::CancelTest, "cancelTest", bytes({ 0x43 }), R::Ack },
    };
}

} // namespace

const QVector<SimCommandEntry> &simCommandTable()
{
    static const QVector<SimCommandEntry> table = buildTable();
    return table;
}

const SimCommandEntry &simCommand(SimCommand id)
{
    for (const SimCommandEntry &e : simCommandTable()) {
        if (e.id == id)
            return e;
    }
    Q_UNREACHABLE();
}

QByteArray modelReplyMarker()
{
    return bytes({ 0x51, 0x4E, 0x42, 0x59 });
}
