#pragma once

#include <QtGlobal>

class DataDispatcher;

// The device test operations of the dispatcher, run on its thread with its exchanges: the test
// command, the evaluation of the printer's answer, the polling of a running test with its
// paper question, the sensor read.
class DeviceTestExchange
{
public:
    static constexpr int kTestReplyDelayMs = 500; // 100 on USB
    static constexpr int kPrintMenuReplyDelayMs = 18000;
    static constexpr int kSerialElectricalReplyDelayMs = 16000;
    static constexpr int kElectricalTimeLimitMs = 240000;
    static constexpr int kSensorReplyDelayMs = 100;
    static constexpr int kPollPauseMs = 1200;
    // Answers that are polled over at once, one after the other, before the printer counts as
    // not answering.
    static constexpr int kMaxImmediatePolls = 200;
    // "Still running" answers (about 15 minutes of pauses) after which the test is cancelled on
    // the printer and ends as not answering: the window has no other way out of a test that
    // never ends.
    static constexpr int kMaxRunningPolls = 750;

    explicit DeviceTestExchange(DataDispatcher &dispatcher);

    // Whether the operation number is one of the device test's.
    static bool handles(int operation);
    void run(int operation);
    // Judges the first byte of the last reply: reports the result, or polls a running test.
    // Other operations that start a test on the printer end with it too.
    void evaluateAnswer();

private:
    void simpleTest(int commandKey, int replyDelay);
    void electricalCheck();
    void readSensors();
    void poll();
    // Asks for paper and waits for the answer; true to go on, false when cancelled.
    bool askForPaper();
    bool awaitOneByte(const QByteArray &bytes, int replyDelay);

    DataDispatcher &m_d;
};
