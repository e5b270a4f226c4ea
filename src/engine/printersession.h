#pragma once

#include <QByteArray>
#include <QMetaObject>
#include <QMutex>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include "comm/printeridentity.h"
#include "database/records.h"
#include "database/settingsdatabase.h"
#include "engine/parameterlist.h"
#include "engine/settingsdefinition.h"

class ConfigFile;
class DataDispatcher;

// The printer flows of the settings page without a window, in the order the main window runs
// them: identification and the printer type, reading the blocks, the write behind the
// printer-changed check, and the factory reset that keeps the interface bytes. Each step runs the
// dispatcher on the calling thread and waits for it, so a session must not be used from the
// dispatcher's communication thread.
class PrinterSession
{
public:
    enum class Result {
        Ok,
        CommunicationFailed, // see errorMessages()
        Unsupported, // no printer type for this printer, or a parameter-list printer
        PrinterChanged, // another printer answers than the one identified
        NotAcknowledged, // the printer did not confirm the write
        NoParameters, // the parameter list the printer sent builds no pages
    };

    static constexpr int kBlockSize = 1024;

    PrinterSession(
        DataDispatcher &dispatcher, const DatabaseLocation &database, const ConfigFile *config);
    ~PrinterSession();
    PrinterSession(const PrinterSession &) = delete;
    PrinterSession &operator=(const PrinterSession &) = delete;

    // Asks the printer who it is and finds its printer type in the database.
    Result identify();
    const PrinterIdentity &identity() const { return m_identity; }
    QString modelRecord() const { return m_record; }
    QString edsRecord() const { return m_eds; }
    bool newerLayout() const { return m_newer; }
    int modeByte() const;
    // The "RK5200" firmware whose settings differ in a few positions ("24").
    bool legacyVariant() const { return m_legacyVariant; }
    // The database row found for the printer; empty when there is none.
    PrinterTypeRecord printerType() const { return m_printerType; }
    // A printer type was found and the printer keeps its settings in a block.
    bool supportsSetup() const;
    // What the settings engine needs to load the printer's definition.
    SettingsIdentity settingsIdentity(int language) const;

    // A printer that describes its settings as a parameter list (mode byte 68); it needs no
    // printer type in the database.
    bool parameterList() const;
    // Reads the parameter list and builds its pages; the detail says why none were built.
    Result readParameterList(QString *detail = nullptr);
    const ParameterList &parameters() const { return m_parameters; }
    ParameterList &parameters() { return m_parameters; }
    // Writes the pages' values behind the printer-changed check. The printer does not confirm
    // such a write, so the list is read back: the write counts only when it holds the values.
    Result writeParameterList();

    Result readSettings();
    QByteArray settingBlock() const { return m_settingBlock; }
    QByteArray defaultBlock() const { return m_defaultBlock; }
    // The printer-changed check, then the write of the whole block.
    Result writeSettings(const QByteArray &block);
    // Factory defaults; printers of type "0302" get their interface bytes back afterwards.
    Result restoreDefaults();
    // The network address the printer reports, as text (empty when its reply holds none).
    Result readAddress(QString *address);
    // The printer's MAC address (empty when its reply is not six bytes).
    Result readMac(QByteArray *mac);
    // Writes a MAC address behind the printer-changed check.
    Result writeMac(const QByteArray &mac);

    // Whether a reset keeps the interface bytes, and where they are.
    bool preservesInterfaceBytes() const;
    QPair<int, int> preservedPositions() const;

    // The printer type row for an identified printer: "RK5200" by its firmware ("24" is the
    // legacy variant), then the model name, then "main_" + the main identifier. Empty name when
    // the database knows none of them.
    static PrinterTypeRecord findPrinterType(const PrinterIdentity &identity,
        const DatabaseLocation &database, bool *legacyVariant = nullptr);
    // Where the two bytes a factory reset keeps are: 578/579, or the configuration's positions.
    static QPair<int, int> preservedPositions(const ConfigFile *config);
    // Printers of this type code get their interface bytes back after a factory reset.
    static bool preservesInterfaceBytes(const QString &typeCode);

    // The messages of the last step's communication failures, as the program shows them.
    QStringList errorMessages() const;
    static QString errorMessage(int code);

private:
    bool run(int operation, const QByteArray &data = QByteArray());
    Result checkPrinter();

    DataDispatcher &m_dispatcher;
    DatabaseLocation m_database;
    const ConfigFile *m_config;
    QMetaObject::Connection m_errorConnection;
    mutable QMutex m_errorMutex;
    QVector<int> m_errors;
    PrinterIdentity m_identity;
    QString m_record;
    QString m_eds;
    bool m_newer = false;
    bool m_legacyVariant = false;
    PrinterTypeRecord m_printerType;
    QByteArray m_settingBlock;
    QByteArray m_defaultBlock;
    ParameterList m_parameters;
};
