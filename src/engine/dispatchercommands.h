#pragma once

// Keys of the dispatcher's command table (the database's ControlCommand rows), shared by the
// dispatcher's source files; not for other users.
namespace dispatchercommands {
enum Command : int {
    CmdHandshake = 0,
    CmdLeave = 1,
    CmdSecondIdentity = 2,
    CmdModel = 3,
    CmdReadBlock = 4,
    CmdReadList = 5,
    CmdReadDefaults = 6,
    CmdRestore = 8,
    CmdAnnounceBlock = 9,
    CmdWriteList = 10,
    CmdAddressRead = 16,
    CmdDotCheck = 27,
    CmdMacRead = 28,
    CmdMacWrite = 29,
    CmdRestoreNoType = 30,
};
} // namespace dispatchercommands
