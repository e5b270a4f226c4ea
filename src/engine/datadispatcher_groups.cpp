// The operations of the special setting groups: network address, MAC address and dot adjustment.
#include "engine/datadispatcher.h"

#include <QDebug>

#include "comm/commerror.h"
#include "comm/communication.h"
#include "comm/replycheck.h"
#include "engine/dispatchercommands.h"
#include "maintenance_core/devicetestexchange.h"

namespace {
constexpr int kAwaitMs = 500; // the usual reply delay (100 ms on USB)
constexpr int kReadDelayMs = 100;
constexpr int kAckLength = 1;
constexpr int kMacLength = 6;
constexpr int kDotTestTimeLimitMs = 240000;
} // namespace

using namespace dispatchercommands;

bool DataDispatcher::performGroupOperation(int operation)
{
    switch (operation) {
    case OpAddressRead:
        m_addressReply.clear();
        if (handshake()
            && readBlock(m_commands.value(CmdAddressRead), kReadDelayMs, ReplyCheck::kAnyLength))
            m_addressReply = m_comm->received();
        return true;
    case OpMacRead:
        m_macReply.clear();
        if (handshake() && readBlock(m_commands.value(CmdMacRead), kReadDelayMs, kMacLength))
            m_macReply = m_comm->received();
        return true;
    case OpMacWrite:
        m_saved = false;
        if (m_data1.size() != kMacLength) {
            // Anything but six bytes would run into the printer's command stream.
            qDebug() << "not a MAC address:" << m_data1.toHex(' ');
            emit m_comm->communicateError(WRITE_PORT_ERROR);
            return true;
        }
        if (handshake())
            m_saved = sendAwait(m_commands.value(CmdMacWrite) + m_data1, kAwaitMs, kAckLength);
        return true;
    case OpDotAdjustWrite:
        m_saved = false;
        if (handshake())
            m_saved = sendAwait(m_data1, kAwaitMs, kAckLength);
        return true;
    case OpDotAdjustCheck:
        if (handshake() && sendAwait(m_commands.value(CmdDotCheck), kAwaitMs, kAckLength))
            evaluateTestAnswer();
        return true;
    case OpDotAdjustPrint: {
        if (!handshake())
            return true;
        const int limit = m_timeLimit;
        m_timeLimit = kDotTestTimeLimitMs;
        if (sendAwait(m_data1, kAwaitMs, kAckLength))
            evaluateTestAnswer();
        m_timeLimit = limit;
        return true;
    }
    default:
        return false;
    }
}

void DataDispatcher::evaluateTestAnswer()
{
    // The printer answers as to a device test: done, failed, out of paper, or still running.
    m_testResult = m_comm->received();
    DeviceTestExchange(*this).evaluateAnswer();
}
