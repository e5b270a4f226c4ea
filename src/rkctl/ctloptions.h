#pragma once

#include <QString>
#include <QStringList>

class ConfigFile;

// How to reach one printer: the choices of the connection panel.
struct CtlConnection
{
    int portType = 0; // portchoices::PortType
    QString serialPort; // "COMn" or a device path
    int baudRate = 0;
    int parity = 0; // QSerialPort values
    int dataBits = 0;
    int stopBits = 0;
    int flowControl = 0;
    QString lptPort; // "LPTn" or a device path
    QString host;
    int tcpPort = 0;
    // USB and Bluetooth: the printer's number in the list of those found (from 1); 0 when the
    // only one is meant.
    int devicePosition = 0;

    // "HOST:PORT" for network printers, the device otherwise.
    QString label() const;
};

// The command line of rkctl.
struct CtlOptions
{
    CtlConnection connection;
    QString command;
    QStringList arguments;
    bool json = false;
    bool hex = false;
    bool yes = false;
    QString macAddress; // mac --set: the address to write
    QString user; // copy-type, delete-type: the designer's login name
    bool debug = false;
    QString paper; // test: the answer to "Paper is Needed." (continue, cancel; empty: ask)
    QString outPrefix;
    int language = 1; // database texts: 0 Simplified Chinese, 1 English
    QString databaseFile; // empty: SWTDatabase.db beside the program
    QString hostsFile;
    int jobs = 8;
};

enum class CtlParse { Run, Help, Error };

// Reads the command line over the defaults of the user's RKMENU configuration.
CtlParse parseCommandLine(
    const QStringList &arguments, const ConfigFile &config, CtlOptions *options, QString *error);
QString ctlHelpText();

// The entries of a hosts file: "HOST" or "HOST:PORT" per line ("[v6 address]:PORT"), "#" starts
// a comment. False with the line's fault for a malformed line.
bool parseHostsFile(
    const QString &text, int defaultPort, QList<QPair<QString, int>> *hosts, QString *error);
