#include "rkctl/ctldevicetest.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QMutex>

#include "comm/commerror.h"
#include "comm/communication.h"
#include "engine/datadispatcher.h"
#include "engine/printersession.h"
#include "maintenance_core/devicetest.h"
#include "maintenance_core/testpagetypes.h"
#include "rkctl/ctljob.h"
#include "rkctl/terminal.h"

namespace ctldevicetest {

namespace {
const QString kTest = QStringLiteral("test");
const QString kSensors = QStringLiteral("sensors");
const QString kNotSupported = QStringLiteral("This model does not support testing.");
const QString kPaperQuestion = QStringLiteral("Paper is Needed.");
constexpr int kNameColumn = 52;
constexpr int kStatusColumn = 18;

QStringList testNames()
{
    QStringList names;
    for (const devicetest::TestInfo &t : devicetest::tests())
        if (t.request != devicetest::RefreshSensors)
            names << QString::fromLatin1(t.name);
    return names;
}

// The name as one line: the page breaks the long ones in two.
QString oneLine(const char *text)
{
    return QString::fromLatin1(text).replace(QStringLiteral("\n  "), QStringLiteral(" / "));
}

// Communication failures of the operation, as the window shows them.
class ErrorCollector
{
public:
    explicit ErrorCollector(DataDispatcher &dispatcher)
    {
        // Direct: the failure is reported on the communication thread or on this one.
        m_connection = QObject::connect(dispatcher.communication(),
            &Communication::communicateError, [this](int code) {
                QMutexLocker lock(&m_mutex);
                m_codes.append(code);
            });
    }
    ~ErrorCollector() { QObject::disconnect(m_connection); }
    ErrorCollector(const ErrorCollector &) = delete;
    ErrorCollector &operator=(const ErrorCollector &) = delete;

    QStringList messages() const
    {
        QMutexLocker lock(&m_mutex);
        QStringList out;
        for (int code : m_codes)
            out << PrinterSession::errorMessage(code);
        return out;
    }

private:
    QMetaObject::Connection m_connection;
    mutable QMutex m_mutex;
    QList<int> m_codes;
};

// Whether the printer's type has the device test page with its tests and sensors.
int refusedUnlessTestable(
    const PrinterSession &session, const DatabaseLocation &database, CtlOutcome *outcome)
{
    const int type = devicetest::testTypeOf(session.printerType(),
        session.identity().modelName(), session.identity().mainIdentifier(), database);
    if (type == testpagetypes::kQr70)
        return CtlExit::Ok;
    outcome->errors << kNotSupported;
    if (type != testpagetypes::kNone)
        outcome->errors << QStringLiteral("(its test page %1 has no tests)")
                               .arg(testpagetypes::nameOf(type));
    return CtlExit::Refused;
}

int communicationFailed(const ErrorCollector &errors, CtlOutcome *outcome)
{
    const QStringList messages = errors.messages();
    outcome->errors << (messages.isEmpty() ? QStringList { PrinterSession::errorMessage(0) }
                                           : messages);
    return CtlExit::Communication;
}

int runTest(const CtlOptions &options, DataDispatcher &dispatcher, CtlOutcome *outcome)
{
    const devicetest::TestInfo *test = devicetest::findName(options.arguments.first());
    ErrorCollector errors(dispatcher);
    QList<int> results;
    bool asked = false;
    bool answer = false;
    const QMetaObject::Connection question
        = QObject::connect(&dispatcher, &DataDispatcher::lackOfPaperToContinue, [&] {
              asked = true;
              if (!options.paper.isEmpty())
                  answer = options.paper == QLatin1String("continue");
              else if (options.hostsFile.isEmpty() && Terminal::inputIsInteractive())
                  answer = Terminal::confirm(kPaperQuestion);
              else
                  answer = false; // nobody can load paper: the test is cancelled
              dispatcher.clearPaperWait(answer);
          });
    const QMetaObject::Connection reported = QObject::connect(&dispatcher,
        &DataDispatcher::deviceTestResult, [&results](int result) { results << result; });
    dispatcher.setOperation(test->operation);
    dispatcher.run();
    QObject::disconnect(question);
    QObject::disconnect(reported);

    QJsonObject json;
    json.insert(QStringLiteral("test"), QString::fromLatin1(test->name));
    json.insert(QStringLiteral("paperAsked"), asked);
    if (asked)
        outcome->out += kPaperQuestion
            + (answer ? QStringLiteral(" Continued.\n") : QStringLiteral(" Cancelled.\n"));
    const int result = results.isEmpty() ? -1 : results.first();
    const char *text = devicetest::resultText(result);
    json.insert(QStringLiteral("result"), text ? QJsonValue(result) : QJsonValue());
    json.insert(QStringLiteral("text"), text ? QJsonValue(QString::fromLatin1(text)) : QJsonValue());
    if (options.json)
        outcome->json = json;

    const QStringList failures = errors.messages();
    if (!failures.isEmpty())
        return communicationFailed(errors, outcome);
    if (!text) {
        outcome->errors << (asked && !answer
                ? QStringLiteral("The test was cancelled; the printer reported no result.")
                : QStringLiteral("The printer reported no test result."));
        return asked && !answer ? CtlExit::Refused : CtlExit::Communication;
    }
    if (result == devicetest::ResultSuccess) {
        if (!options.json)
            outcome->out += QString::fromLatin1(text) + QLatin1Char('\n');
        return CtlExit::Ok;
    }
    outcome->errors << QString::fromLatin1(text);
    return CtlExit::TestFailed;
}

int runSensors(const CtlOptions &options, DataDispatcher &dispatcher, CtlOutcome *outcome)
{
    ErrorCollector errors(dispatcher);
    dispatcher.setOperation(DataDispatcher::OpSensorRead);
    dispatcher.run();
    if (!errors.messages().isEmpty())
        return communicationFailed(errors, outcome);
    const devicetest::SensorReading reading = devicetest::decodeSensors(dispatcher.sensorData());
    QJsonArray rows;
    QString table = QStringLiteral("Component").leftJustified(kNameColumn)
        + QStringLiteral("status").leftJustified(kStatusColumn) + QStringLiteral("value\n");
    for (int row = 1; row <= devicetest::kSensorRows; ++row) {
        const devicetest::SensorRow &r = reading.rows[row - 1];
        const QString name = oneLine(devicetest::sensorName(row));
        const QString status = r.status ? QString::fromLatin1(r.status) : QString();
        QJsonObject o;
        o.insert(QStringLiteral("row"), row);
        o.insert(QStringLiteral("name"), name);
        o.insert(QStringLiteral("status"), r.status ? QJsonValue(status) : QJsonValue());
        o.insert(QStringLiteral("colour"),
            r.colour ? QJsonValue(QString::fromLatin1(r.colour)) : QJsonValue());
        o.insert(QStringLiteral("value"), qint64(r.value));
        rows.append(o);
        table += name.leftJustified(kNameColumn - 1) + QLatin1Char(' ')
            + (status.isEmpty() ? QStringLiteral("-") : status).leftJustified(kStatusColumn)
            + QString::number(r.value) + QLatin1Char('\n');
    }
    if (options.json) {
        QJsonObject o;
        o.insert(QStringLiteral("sensors"), rows);
        using Paper = devicetest::SensorReading::Paper;
        o.insert(QStringLiteral("paperPresent"),
            reading.paper == Paper::Unchanged ? QJsonValue() : QJsonValue(reading.paper == Paper::Present));
        o.insert(QStringLiteral("data"), QString::fromLatin1(dispatcher.sensorData().toHex()));
        outcome->json = o;
    } else {
        outcome->out += table;
    }
    return CtlExit::Ok;
}
} // namespace

bool handles(const QString &command)
{
    return command == kTest || command == kSensors;
}

bool checkArguments(const QString &command, const QStringList &arguments, QString *error)
{
    if (command == kSensors) {
        if (arguments.isEmpty())
            return true;
        *error = QStringLiteral("sensors takes no arguments");
        return false;
    }
    if (arguments.size() != 1 || !testNames().contains(arguments.first())) {
        *error = QStringLiteral("test needs one of: %1").arg(testNames().join(QLatin1String(", ")));
        return false;
    }
    return true;
}

int run(const CtlOptions &options, DataDispatcher &dispatcher, const PrinterSession &session,
    const DatabaseLocation &database, CtlOutcome *outcome)
{
    if (const int refused = refusedUnlessTestable(session, database, outcome);
        refused != CtlExit::Ok)
        return refused;
    return options.command == kSensors ? runSensors(options, dispatcher, outcome)
                                       : runTest(options, dispatcher, outcome);
}

} // namespace ctldevicetest
