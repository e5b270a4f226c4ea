#pragma once

#include <QJsonValue>
#include <QString>
#include <QStringList>

#include "engine/printersession.h"
#include "engine/settingsfile.h"
#include "rkctl/ctloptions.h"

class DataDispatcher;
class SettingsModel;
class UsbPort;

// Exit codes of rkctl.
namespace CtlExit {
enum : int { Ok = 0, LocalFailure = 1, Usage = 2, Communication = 3, Refused = 4, TestFailed = 5 };
}

// Why the settings database at path cannot be used; empty when it can.
QString unusableDatabase(const QString &path);

// What one printer's command gave.
struct CtlOutcome
{
    int exitCode = CtlExit::Ok;
    QString out; // for standard output
    QStringList errors; // lines for standard error
    QJsonValue json; // the --json document
    qint64 elapsedMs = 0;

    // "ok", or the first error message on one line.
    QString result() const;
};

// Runs rkctl's command against one printer, from connecting to the last write. Everything it
// needs is made on the calling thread, so several jobs can run side by side.
class CtlJob
{
public:
    // `fileTag` goes into the names of files written per printer (empty for a single printer).
    CtlJob(const CtlOptions &options, const CtlConnection &connection,
        const QString &fileTag = QString());

    CtlOutcome run();

private:
    int execute();
    // The connection choices handed to the dispatcher; an exit code when they fail.
    int connect(DataDispatcher &dispatcher, UsbPort *usb);
    int chooseUsbPrinter(UsbPort &usb);
    int chooseBluetoothPrinter(DataDispatcher &dispatcher);
    int choose(const QStringList &names, const QString &kind, int *position);
    int identifyCommand(const PrinterSession &session);
    int readCommand(const PrinterSession &session, const SettingsModel &model);
    int getCommand(const SettingsModel &model);
    int setCommand(PrinterSession &session, SettingsModel &model);
    int exportCommand(const PrinterSession &session);
    bool importedModelMatches(const PrinterSession &session);
    int importCommand(PrinterSession &session, const SettingsModel &model);
    int resetCommand(PrinterSession &session);
    // mac and ip.
    int networkCommand(PrinterSession &session);
    // rkctl firmware FILE: the file is read before any printer is asked.
    int readFirmware();
    int firmwareCommand(DataDispatcher &dispatcher, const PrinterSession &session);
    // The commands on a printer that describes its settings as a parameter list.
    int parameterListCommand(PrinterSession &session);
    int readParameters(const PrinterSession &session);
    int getParameters(const ParameterList &parameters);
    int setParameters(PrinterSession &session);
    int importParameters(PrinterSession &session);
    int failed(PrinterSession::Result result, const PrinterSession &session);
    QString taggedPath(const QString &path, const QString &extension) const;
    void print(const QString &line);
    void error(const QString &line);

    CtlOptions m_options;
    CtlConnection m_connection;
    QString m_fileTag;
    QString m_databasePath;
    SettingsFile::Content m_import;
    QByteArray m_firmware;
    CtlOutcome m_outcome;
};
