#include "maintenance_core/devicetest.h"

#include <QtGlobal>

#include "database/printertypetable.h"

namespace devicetest {

const char *const kGreen = "#339966";
const char *const kRed = "#FF0000";

namespace {
// Sensor reply layout.
constexpr int kValueOffsets[] = { 0, 6, 9, 12, 15 };
constexpr int kCodeOffsets[] = { 2, 5, 8, 11, 14, 17 };
constexpr int kPaperKindOffset = 18;
constexpr int kCopyModeOffset = 19;
constexpr int kPaperCodePositions = 5; // code positions that tell about paper

const char *const kShortOpen = QT_TRANSLATE_NOOP("DeviceTest", "Short/Open");
const char *const kPaperIn = QT_TRANSLATE_NOOP("DeviceTest", "Paper In");
const char *const kPaperOut = QT_TRANSLATE_NOOP("DeviceTest", "Paper Out");
const char *const kOpenUnconnect = QT_TRANSLATE_NOOP("DeviceTest", "Open/Unconnect");

// What one state code shows: the row (1-based) and its text and colour.
struct CodeShows
{
    int row = 0; // 0: nothing
    const char *status = nullptr;
    const char *colour = nullptr;
};

CodeShows codeShows(int position, int code)
{
    // Rows by code position for the codes 0 (or absent) to 4; row 0 leaves the labels alone.
    struct Entry
    {
        int row;
        const char *status;
        const char *colour;
    };
    static const Entry table[6][5] = {
        { { 1, kShortOpen, kRed }, { 1, kPaperIn, kGreen }, {}, { 1, kPaperOut, kRed },
            { 1, kOpenUnconnect, kRed } },
        { { 2, kShortOpen, kRed }, {}, {}, {}, {} },
        { { 3, kShortOpen, kRed }, { 2, kPaperIn, kGreen }, {}, { 2, kPaperOut, kRed },
            { 2, kOpenUnconnect, kRed } },
        { { 4, kShortOpen, kRed }, {}, {}, {}, { 3, kOpenUnconnect, kRed } },
        { { 5, kShortOpen, kRed }, { 4, QT_TRANSLATE_NOOP("DeviceTest", "Release"), kGreen }, {},
            { 4, QT_TRANSLATE_NOOP("DeviceTest", "Press Down"), kGreen },
            { 4, kOpenUnconnect, kRed } },
        { { 5, QT_TRANSLATE_NOOP("DeviceTest", "High/Low"), kRed },
            { 5, QT_TRANSLATE_NOOP("DeviceTest", "Normal"), kGreen },
            { 5, QT_TRANSLATE_NOOP("DeviceTest", "Overheating"), kRed },
            { 5, QT_TRANSLATE_NOOP("DeviceTest", "Stop as high"), kRed }, {} },
    };
    if (position < 0 || position >= 6 || code < 0 || code >= 5)
        return {};
    const Entry &e = table[position][code];
    return { e.row, e.status, e.colour };
}

// A byte of the reply; absent bytes read as 0.
int byteAt(const QByteArray &data, int offset)
{
    return offset < data.size() ? quint8(data.at(offset)) : 0;
}
} // namespace

const QVector<TestInfo> &tests()
{
    static const QVector<TestInfo> list {
        { EnterHexMode, 9, 12, "hex", QT_TRANSLATE_NOOP("DeviceTest", "Enter Hex Mode") },
        { PrintFwInfo, 10, 13, "fwinfo", QT_TRANSLATE_NOOP("DeviceTest", "Print Fw Info") },
        { PrintInformation, 11, 14, "info",
            QT_TRANSLATE_NOOP("DeviceTest", "Print Information") },
        { PrintMenu, 12, 15, "menu", QT_TRANSLATE_NOOP("DeviceTest", "Print Menu") },
        { DetectHeadTemperature, 14, 17, "headtemp",
            QT_TRANSLATE_NOOP("DeviceTest", "Detect Head Temperature") },
        { PinTest, 15, 18, "pin", QT_TRANSLATE_NOOP("DeviceTest", "Pin Test") },
        { RefreshSensors, 21, 24, "sensors", QT_TRANSLATE_NOOP("DeviceTest", "Refresh") },
        { ElectricalCheck, 22, 25, "electrical",
            QT_TRANSLATE_NOOP("DeviceTest", "Electrical Check") },
    };
    return list;
}

const TestInfo *findRequest(int request)
{
    for (const TestInfo &t : tests())
        if (t.request == request)
            return &t;
    return nullptr;
}

const TestInfo *findOperation(int operation)
{
    for (const TestInfo &t : tests())
        if (t.operation == operation)
            return &t;
    return nullptr;
}

const TestInfo *findName(const QString &name)
{
    for (const TestInfo &t : tests())
        if (name == QLatin1String(t.name))
            return &t;
    return nullptr;
}

int testTypeOf(const PrinterTypeRecord &printerType, const QString &model,
    const QString &mainIdentifier, const DatabaseLocation &database)
{
    static const QString family = QStringLiteral("ZN-470 KW");
    if (!model.contains(family))
        return printerType.pritTest();
    PrinterTypeTable types(database);
    PrinterTypeRecord type = types.findPrinterType(family);
    if (type.pritName().isEmpty())
        type = types.findPrinterType(QStringLiteral("main_") + mainIdentifier);
    return type.pritTest();
}

Answer evaluateAnswer(quint8 first)
{
    switch (first) {
    case 0:
        return Answer::Success;
    case 1:
        return Answer::Failed;
    case 2:
        return Answer::Running;
    case 255:
        return Answer::OutOfPaper;
    default:
        return Answer::Unknown;
    }
}

int resultOf(Answer answer)
{
    switch (answer) {
    case Answer::Success:
        return ResultSuccess;
    case Answer::Failed:
        return ResultFailed;
    case Answer::OutOfPaper:
        return ResultOutOfPaper;
    default:
        return -1;
    }
}

const char *resultText(int result)
{
    switch (result) {
    case ResultSuccess:
        return QT_TRANSLATE_NOOP("MainWindow", "Test success.");
    case ResultFailed:
        return QT_TRANSLATE_NOOP("MainWindow", "Device Test Failed.");
    case ResultOutOfPaper:
        return QT_TRANSLATE_NOOP("MainWindow", "Out Of Paper.");
    default:
        return nullptr;
    }
}

PollStep pollStep(qint8 code, bool paperAsked)
{
    switch (code) {
    case 0:
        return PollStep::Success;
    case 1:
        return PollStep::Failed;
    case 2:
        return PollStep::Continue;
    case 3:
        return paperAsked ? PollStep::Again : PollStep::PaperNeeded;
    default:
        return PollStep::Again;
    }
}

SensorReading decodeSensors(const QByteArray &data)
{
    SensorReading r;
    for (int row = 0; row < 5; ++row) {
        const int at = kValueOffsets[row];
        r.rows[row].value = quint32(byteAt(data, at) << 8 | byteAt(data, at + 1));
    }
    r.rows[5].value = quint32(byteAt(data, kPaperKindOffset));
    r.rows[6].value = quint32(byteAt(data, kCopyModeOffset));

    for (int position = 0; position < 6; ++position) {
        const int code = byteAt(data, kCodeOffsets[position]);
        const CodeShows shows = codeShows(position, code);
        if (shows.row > 0) {
            r.rows[shows.row - 1].status = shows.status;
            r.rows[shows.row - 1].colour = shows.colour;
        }
        if (position < kPaperCodePositions && code == 1)
            r.paper = SensorReading::Paper::Present;
        else if (position < kPaperCodePositions && code == 3)
            r.paper = SensorReading::Paper::Absent;
    }
    r.rows[5].status = byteAt(data, kPaperKindOffset) == 0
        ? QT_TRANSLATE_NOOP("DeviceTest", "Fanfold Paper")
        : QT_TRANSLATE_NOOP("DeviceTest", "Single Paper");
    r.rows[5].colour = kGreen;
    r.rows[6].status = byteAt(data, kCopyModeOffset) == 0
        ? QT_TRANSLATE_NOOP("DeviceTest", "Normal Mode")
        : QT_TRANSLATE_NOOP("DeviceTest", "Strengthening Copy");
    r.rows[6].colour = kGreen;
    return r;
}

const char *sensorName(int row)
{
    static const char *const names[kSensorRows] = {
        QT_TRANSLATE_NOOP("DeviceTest", "1.Friction Paper Sensor\n  Fanfold paper sensor"),
        QT_TRANSLATE_NOOP("DeviceTest", "2.Paper width sensor1\n  Black mark sensor"),
        QT_TRANSLATE_NOOP("DeviceTest", "3.Paper width sensor2"),
        QT_TRANSLATE_NOOP("DeviceTest", "4.Paper-pressed lever sensor"),
        QT_TRANSLATE_NOOP("DeviceTest", "5.Head temperature"),
        QT_TRANSLATE_NOOP("DeviceTest", "6.Paper path sensor"),
        QT_TRANSLATE_NOOP("DeviceTest", "7.Gap sensor"),
    };
    return row >= 1 && row <= kSensorRows ? names[row - 1] : nullptr;
}

} // namespace devicetest
