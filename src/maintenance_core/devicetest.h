#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include "database/records.h"
#include "database/settingsdatabase.h"

// The device test's rules without a window: which test is which, what the printer's answers
// mean, and what its sensor reply says. The page, the main window and rkctl all use them.
namespace devicetest {

// Request numbers the page emits, one per button.
enum Request : int {
    EnterHexMode = 0,
    PrintFwInfo = 1,
    PrintInformation = 2,
    PrintMenu = 3,
    DetectHeadTemperature = 4,
    PinTest = 5,
    RefreshSensors = 11,
    ElectricalCheck = 12,
};

// Results the dispatcher reports (and the main window turns into a message).
enum Result : int {
    ResultSuccess = 0,
    ResultFailed = 1,
    ResultOutOfPaper = 255,
};

struct TestInfo
{
    int request;
    int operation; // the dispatcher operation that runs it
    int commandKey; // its bytes in the dispatcher's command table
    const char *name; // rkctl's name for it
    const char *label; // the button's text (translation context "DeviceTest")
};

// Every request of the page, in the order of its buttons (the six tests, then Refresh and
// Electrical Check).
const QVector<TestInfo> &tests();
const TestInfo *findRequest(int request);
const TestInfo *findOperation(int operation);
const TestInfo *findName(const QString &name);

// The test type of the connected printer: its printer type's, except for the "ZN-470 KW" family,
// whose models share that row (or, without it, the "main_" row of their main identifier).
int testTypeOf(const PrinterTypeRecord &printerType, const QString &model,
    const QString &mainIdentifier, const DatabaseLocation &database);

// The first answer to a test command.
enum class Answer { Success, Failed, OutOfPaper, Running, Unknown };
Answer evaluateAnswer(quint8 first);
// The result number of a final answer; -1 for Running and Unknown.
int resultOf(Answer answer);
// The message of a result ("Test success.", ...; translation context "MainWindow"); null for
// other numbers.
const char *resultText(int result);

// One answer (read as a signed byte) to the poll of a running test.
enum class PollStep {
    Failed, // 1
    Success, // 0
    Continue, // 2: wait, then poll again
    PaperNeeded, // 3, the first time: ask the user
    Again, // anything else, or 3 once asked: poll again at once
};
PollStep pollStep(qint8 code, bool paperAsked);

// The sensor table: seven rows after its header row.
constexpr int kSensorRows = 7;
// Status colours.
extern const char *const kGreen;
extern const char *const kRed;

struct SensorRow
{
    quint32 value = 0;
    const char *status = nullptr; // source text (context "DeviceTest"); null: leave the label
    const char *colour = nullptr;
};

struct SensorReading
{
    enum class Paper { Unchanged, Present, Absent };
    SensorRow rows[kSensorRows]; // rows 1..7 at 0..6
    Paper paper = Paper::Unchanged;
};

// Decodes a sensor reply; bytes past its end count as absent (0 for values).
SensorReading decodeSensors(const QByteArray &data);
// The row names in order (context "DeviceTest"); they may hold a line break.
const char *sensorName(int row);

} // namespace devicetest
