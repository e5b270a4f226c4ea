// rkctl: the settings tools on the command line, for scripts and for many printers at once.
#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextCodec>
#include <QTextStream>

#include "core/configfile.h"
#include "rkctl/ctldesign.h"
#include "rkctl/ctljob.h"
#include "rkctl/ctloptions.h"
#include "rkctl/hostsrunner.h"
#include "rkctl/terminal.h"

namespace {
bool g_showTraces = false;

// The transports trace every exchange; a script wants only rkctl's own output.
void messageHandler(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (!g_showTraces && (type == QtDebugMsg || type == QtInfoMsg))
        return;
    QTextStream(stderr) << message << Qt::endl;
}
} // namespace

int main(int argc, char *argv[])
{
    // Arguments and output are UTF-8 whatever the locale says, or Chinese texts break.
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rkctl"));
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setCodec("UTF-8");
    err.setCodec("UTF-8");

    const ConfigFile config;
    CtlOptions options;
    QString problem;
    switch (parseCommandLine(QCoreApplication::arguments(), config, &options, &problem)) {
    case CtlParse::Help:
        out << ctlHelpText() << Qt::flush;
        return CtlExit::Ok;
    case CtlParse::Error:
        err << QStringLiteral("rkctl: %1\nTry 'rkctl --help'.").arg(problem) << Qt::endl;
        return CtlExit::Usage;
    case CtlParse::Run:
        break;
    }
    g_showTraces = options.debug;
    qInstallMessageHandler(messageHandler);

    if (ctldesign::handles(options.command))
        return ctldesign::run(options, out, err);

    const QString question = options.command == QLatin1String("reset")
        ? QStringLiteral("Please confirm whether to restore the factory default value")
        : options.command == QLatin1String("firmware")
        ? QStringLiteral("Do you want to update firmware ?")
        : QString();
    if (!question.isEmpty() && !options.yes) {
        if (!Terminal::inputIsInteractive()) {
            err << QStringLiteral("rkctl: %1 asks for confirmation; give --yes when no one "
                                  "can answer")
                       .arg(options.command)
                << Qt::endl;
            return CtlExit::Usage;
        }
        const QString where = options.hostsFile.isEmpty()
            ? options.connection.label()
            : QStringLiteral("every printer of %1").arg(options.hostsFile);
        if (!Terminal::confirm(QStringLiteral("%1 (%2)").arg(question, where)))
            return CtlExit::Refused;
    }

    if (!options.hostsFile.isEmpty())
        return runHosts(options, out, err);

    CtlJob job(options, options.connection);
    const CtlOutcome outcome = job.run();
    if (!outcome.json.isUndefined() && !outcome.json.isNull()) {
        out << QString::fromUtf8(QJsonDocument(outcome.json.toObject()).toJson());
    }
    out << outcome.out << Qt::flush;
    for (const QString &line : outcome.errors)
        err << line << Qt::endl;
    return outcome.exitCode;
}
