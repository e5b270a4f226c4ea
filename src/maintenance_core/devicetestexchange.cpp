#include "maintenance_core/devicetestexchange.h"

#include <QDebug>

#include "comm/commerror.h"
#include "comm/communication.h"
#include "comm/delayservice.h"
#include "comm/portchoices.h"
#include "comm/replycheck.h"
#include "engine/datadispatcher.h"
#include "maintenance_core/devicetest.h"

namespace {
constexpr int kAnswerLength = 1;
constexpr int kPollKey = 26;
// Cancels a test that waits for paper; the only byte of the protocol outside the table's keys.
const QByteArray kCancelTest = QByteArrayLiteral("\x43");
} // namespace

DeviceTestExchange::DeviceTestExchange(DataDispatcher &dispatcher)
    : m_d(dispatcher)
{
}

bool DeviceTestExchange::handles(int operation)
{
    return devicetest::findOperation(operation) != nullptr;
}

void DeviceTestExchange::run(int operation)
{
    const devicetest::TestInfo *test = devicetest::findOperation(operation);
    if (!test)
        return;
    switch (test->request) {
    case devicetest::RefreshSensors:
        readSensors();
        break;
    case devicetest::ElectricalCheck:
        electricalCheck();
        break;
    case devicetest::PrintMenu:
        simpleTest(test->commandKey, kPrintMenuReplyDelayMs);
        break;
    default:
        simpleTest(test->commandKey, kTestReplyDelayMs);
        break;
    }
}

bool DeviceTestExchange::awaitOneByte(const QByteArray &bytes, int replyDelay)
{
    if (!m_d.sendAwait(bytes, replyDelay, kAnswerLength))
        return false;
    m_d.m_testResult = m_d.m_comm->received();
    if (m_d.m_testResult.isEmpty()) {
        // A serial port takes a one-byte command as answered whatever came back; nothing came.
        qDebug() << "no answer to" << bytes.toHex(' ');
        m_d.m_comm->communicateError(TIMEOUT_ERROR);
        return false;
    }
    return true;
}

void DeviceTestExchange::simpleTest(int commandKey, int replyDelay)
{
    if (!m_d.handshake())
        return;
    if (awaitOneByte(m_d.m_commands.value(commandKey), replyDelay))
        evaluateAnswer();
}

void DeviceTestExchange::electricalCheck()
{
    if (!m_d.handshake())
        return;
    const int kept = m_d.m_timeLimit;
    m_d.m_timeLimit = kElectricalTimeLimitMs;
    const int replyDelay = m_d.m_comm->portType() == portchoices::Serial
        ? kSerialElectricalReplyDelayMs
        : kTestReplyDelayMs;
    const QByteArray command = m_d.m_commands.value(
        devicetest::findRequest(devicetest::ElectricalCheck)->commandKey);
    if (awaitOneByte(command, replyDelay))
        evaluateAnswer();
    m_d.m_comm->setExpectedLength(0);
    m_d.m_timeLimit = kept;
}

void DeviceTestExchange::readSensors()
{
    if (!m_d.handshake())
        return;
    const QByteArray command = m_d.m_commands.value(
        devicetest::findRequest(devicetest::RefreshSensors)->commandKey);
    if (m_d.readBlock(command, kSensorReplyDelayMs, ReplyCheck::kAnyLength))
        m_d.m_sensorData = m_d.m_comm->received();
}

void DeviceTestExchange::evaluateAnswer()
{
    if (m_d.m_testResult.isEmpty())
        return;
    const devicetest::Answer answer = devicetest::evaluateAnswer(quint8(m_d.m_testResult.at(0)));
    if (answer == devicetest::Answer::Running) {
        poll();
        return;
    }
    const int result = devicetest::resultOf(answer);
    if (result >= 0)
        emit m_d.deviceTestResult(result);
    else
        qDebug() << "test answer" << quint8(m_d.m_testResult.at(0)) << "not known";
}

void DeviceTestExchange::poll()
{
    bool paperAsked = false;
    int immediate = 0;
    int running = 0;
    const QByteArray pollCommand = m_d.m_commands.value(kPollKey);
    for (;;) {
        if (!awaitOneByte(pollCommand, kTestReplyDelayMs))
            return;
        const qint8 code = qint8(m_d.m_testResult.at(0));
        switch (devicetest::pollStep(code, paperAsked)) {
        case devicetest::PollStep::Failed:
            qDebug() << "test failed.";
            emit m_d.deviceTestResult(devicetest::ResultFailed);
            return;
        case devicetest::PollStep::Success:
            qDebug() << "test success.";
            emit m_d.deviceTestResult(devicetest::ResultSuccess);
            return;
        case devicetest::PollStep::Continue:
            qDebug() << "test Continue.";
            if (++running > kMaxRunningPolls) {
                qDebug() << "test still running after" << kMaxRunningPolls << "polls: cancelled";
                if (awaitOneByte(kCancelTest, kTestReplyDelayMs))
                    m_d.m_comm->communicateError(TIMEOUT_ERROR);
                return;
            }
            immediate = 0;
            m_d.m_delay.sleep(kPollPauseMs);
            break;
        case devicetest::PollStep::PaperNeeded:
            qDebug() << "paper is needed to continue.";
            if (!askForPaper())
                return;
            paperAsked = true;
            immediate = 0;
            break;
        case devicetest::PollStep::Again:
            // A printer that never says anything else would keep the window waiting for ever.
            if (++immediate > kMaxImmediatePolls) {
                qDebug() << "test poll: no usable answer after" << immediate << "polls";
                m_d.m_comm->communicateError(TIMEOUT_ERROR);
                return;
            }
            break;
        }
    }
}

bool DeviceTestExchange::askForPaper()
{
    // Waiting is set before the question goes out, so whoever answers it finds the flag set.
    m_d.setPaperWait();
    emit m_d.lackOfPaperToContinue();
    m_d.waitForPaper();
    if (!m_d.paperAnswer()) {
        if (!awaitOneByte(kCancelTest, kTestReplyDelayMs))
            qDebug() << "test cancel not answered";
        return false;
    }
    m_d.clearPaperWait(false);
    return true;
}
