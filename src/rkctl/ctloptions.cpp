#include "rkctl/ctloptions.h"

#include <climits>

#include <QCommandLineParser>
#include <QHostAddress>

#include "core/configfile.h"
#include "comm/portchoices.h"
#include "engine/settinggroups.h"
#include "rkctl/ctldesign.h"
#include "rkctl/ctldevicetest.h"

namespace {
constexpr int kLptPortCount = 3;
constexpr int kParityChoices = 3;
constexpr int kStopBitsChoices = 3;
constexpr int kFlowChoices = 3;
constexpr int kLargestPort = 65535;
constexpr int kFewestDataBits = 5;
constexpr int kMostDataBits = 8;
constexpr int kDefaultJobs = 8;
constexpr int kLanguageChinese = 0;
constexpr int kLanguageEnglish = 1;

const char kDescription[] = R"(
Reads, compares and applies the settings of impact printers from scripts, exactly as RKMENU's
settings page does (same database, formulas, option lists and rules).

Commands:
  identify            model, firmware number, EDS record, printer type code, mode byte
  read                the settings as named values: setting, shown value, default value
                      (--json for machines); --hex shows both blocks in hexadecimal;
                      --out PREFIX writes them to PREFIX.settings.bin and PREFIX.defaults.bin
  get NAME...         the shown value of each setting, one per line (--json: an object)
  set NAME=VALUE...   enters the values as the settings page would and writes the block,
                      after the same printer-changed check as Save; nothing is written when
                      one of the values is refused
  export FILE         saves the printer's settings in RKMENU's settings file (".cfg" is added
                      unless the name ends with it)
  import FILE.cfg     writes a settings file's values to a printer of the same model; the
                      network and Bluetooth settings (positions 32-96, 316-691) stay the
                      printer's own
  mac [--set MAC]     the printer's MAC address (AA:BB:CC:DD:EE:FF); with --set, writes
                      that address after the printer-changed check ("AA-BB-...", "AA.BB..."
                      and 12 digits are taken too; group addresses and all zeros are refused)
  ip                  the network address the printer reports
  reset               restores the factory defaults (asks first unless --yes); printers of
                      type 0302 keep their interface bytes (578/579 or EXPort/EX1, EXPort/EX2)
  test NAME           runs one device test and prints its result ("Test success.", "Device
                      Test Failed.", "Out Of Paper."): hex (Enter Hex Mode), fwinfo (Print Fw
                      Info), info (Print Information), menu (Print Menu), headtemp (Detect Head
                      Temperature), pin (Pin Test) or electrical (Electrical Check). When the
                      printer needs paper it asks "Paper is Needed." on a terminal; --paper
                      continue|cancel answers for scripts (no terminal, no --paper: cancel)
  sensors             the sensor table of the device test page: name, status, value per row
                      (--json for machines)
  test and sensors are refused with "This model does not support testing." unless the
  printer's test page (QR70) has them.
  firmware FILE       downloads a firmware file (*.mot, *.ds) into the printer, as RKMENU's
                      Upgrade page does: asks "Do you want to update firmware ?" unless --yes,
                      switches the printer to its download mode (it needs 12 s), sends the
                      file with progress (a bar with percent and throughput on a terminal, a
                      line per 10 % otherwise, on standard error) and ends with the page's
                      outcome ("Complete!" then "Printer will be restarted", or "Firmware
                      Update Error!" after the communication error); exit 0 only when the
                      printer took every byte. The printer then restarts on its own.

Printer types of the settings database (no printer needed):
  types               the printer types: name and test page (--json for machines)
  copy-type FROM TO   stores FROM's pages and controls as a new printer type TO, as the
                      Setup page's "Save/Add the printer type" does; a TO that exists is
                      refused (delete it first)
  delete-type NAME... deletes printer types with their pages; asks "Are you sure you want to
                      delete Nprinter mode?" unless --yes
  copy-type and delete-type need the designer's login, as the Edit page does: --user NAME;
  the password is asked on a terminal, else read from the first line of standard input
  ("Login failed: wrong user name or password.", exit 4). They print "Save Successful" or
  "Delete successfully"; a change the database refuses exits 1 with the database's words.

Setting names:
  "Page/Caption" as the settings page shows them, e.g. "Print Setup/Print Speed". A caption
  that appears more than once on a page is numbered from its second appearance on, in the
  page's order (row, then column): "Caption#2", "Caption#3"; "Caption#1" is the first.
  "@POSITION" names the setting at a byte position of the setting block, e.g. "@224". Case
  does not matter. Values are what the page shows: a choice of the list, a number (its unit,
  e.g. "mm", may follow), a text, an address such as 192.168.0.20. Settings that the page
  hides or shows disabled are refused. Settings of the Wi-Fi, Ethernet and Bluetooth groups
  are written as their group's Write button writes them: the whole group is checked first
  (key lengths, addresses, names) and refused with the group's message, exit 4, nothing
  written, when the check fails.

Parameter-list printers (mode byte 68):
  They send their settings as a JSON parameter list instead of a setting block; no printer
  type in the database is needed. read, get, set, export and import work as above, with the
  names "Page/Caption" where the caption is the parameter's tip ("Page/key" also works, and
  the page may be named in English or Chinese). Only the pages "System Setup", "Paper Setup",
  "Interface Setup", "Character Setup", "Other Setup", "Wifi Setup" and "Customized Form" (or
  their Chinese titles) are shown. set takes only one of the parameter's options and lists
  them when the value is none; the values go back as JSON holding only "val" members, and the
  list is read back: the write counts only when the printer holds the new values. export stores
  that JSON text (UTF-8) as the settings data; import loads a file of the same model into the
  pages and writes them. read --out PREFIX writes PREFIX.parameters.json, --hex shows the list
  in hexadecimal. reset is refused. A reply that is not JSON exits with 3.

Many printers:
  --hosts FILE runs the command on every network printer in FILE (one HOST or HOST:PORT per
  line, "[v6-address]:PORT" for IPv6, "#" starts a comment), at most --jobs at a time, each
  over a connection of its own, and ends with a table of host, result and time on standard
  output. A failing printer never stops the others. File names (--out, export) get
  "-HOST-PORT" added.

Exit codes:
  0 success
  1 a local file or the settings database could not be used ("Firmware cannot be read!")
  2 usage: unknown command, option, setting name or value
  3 communication error (the program's message on standard error)
  4 refused: another model's file ("Printer type different!"), a printer without setup
    ("This model does not support setup"), another printer than the one identified
    ("Printer has changed!"), a setting the page would not change, a device test the
    printer type does not have, a test whose paper question was cancelled
  5 the device test failed ("Device Test Failed.", "Out Of Paper.")
  With --hosts: 0 only when every printer succeeded, otherwise the highest code among them.

Connection defaults come from RKMENU's configuration file (Port/type, SerialPort/*, LPT/LPT,
Wifi/serverip, Wifi/port, Network/serverip).)";

const QStringList &portNames()
{
    // In port type order.
    static const QStringList names { QStringLiteral("usb"), QStringLiteral("serial"),
        QStringLiteral("lpt"), QStringLiteral("wifi"), QStringLiteral("bluetooth"),
        QStringLiteral("network") };
    return names;
}

int storedPosition(const ConfigFile &config, const QString &key, int count)
{
    const int position = config.readInt(key);
    return position >= 0 && position < count ? position : 0;
}

QString storedText(const ConfigFile &config, const QString &key, const QString &fallback)
{
    const QString text = config.readText(key).trimmed();
    return text.isEmpty() ? fallback : text;
}

CtlConnection connectionFromConfig(const ConfigFile &config)
{
    using namespace portchoices;
    CtlConnection c;
    const int type = portTypeOf(config.readText(QStringLiteral("Port/type")));
    c.portType = type < 0 ? Usb : type;
    const QStringList serialNames = serialPortNames();
    c.serialPort = serialNames.at(
        storedPosition(config, QStringLiteral("SerialPort/port"), serialNames.size()));
    c.baudRate = baudRateNames()
                     .at(storedPosition(
                         config, QStringLiteral("SerialPort/baudrate"), baudRateNames().size()))
                     .toInt();
    c.parity
        = parityValue(storedPosition(config, QStringLiteral("SerialPort/parity"), kParityChoices));
    c.dataBits = dataBitsNames()
                     .at(storedPosition(
                         config, QStringLiteral("SerialPort/databit"), dataBitsNames().size()))
                     .toInt();
    c.stopBits = stopBitsValue(
        storedPosition(config, QStringLiteral("SerialPort/stopbit"), kStopBitsChoices));
    c.flowControl = flowControlValue(
        storedPosition(config, QStringLiteral("SerialPort/flowcontrol"), kFlowChoices));
    c.lptPort = QStringLiteral("LPT%1").arg(
        storedPosition(config, QStringLiteral("LPT/LPT"), kLptPortCount) + 1);
    const QString fallbackAddress = QLatin1String(kDefaultAddress);
    if (c.portType == Network) {
        c.host = storedText(config, QStringLiteral("Network/serverip"), fallbackAddress);
        c.tcpPort = kNetworkPort;
    } else {
        c.host = storedText(config, QStringLiteral("Wifi/serverip"), fallbackAddress);
        bool ok = false;
        c.tcpPort = storedText(config, QStringLiteral("Wifi/port"), QLatin1String(kDefaultPort))
                        .toInt(&ok);
        if (!ok || c.tcpPort <= 0 || c.tcpPort > kLargestPort)
            c.tcpPort = kNetworkPort;
    }
    return c;
}

bool choose(const QString &value, const QStringList &names, const QList<int> &values, int *out)
{
    const int at = names.indexOf(value.toLower());
    if (at < 0)
        return false;
    *out = values.at(at);
    return true;
}

bool positiveNumber(const QString &text, int highest, int *out)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1 || value > highest)
        return false;
    *out = value;
    return true;
}

bool checkNetworkArguments(const CtlOptions &o, QString *error)
{
    if (!o.arguments.isEmpty()) {
        *error = QStringLiteral("%1 takes no arguments").arg(o.command);
        return false;
    }
    if (o.command == QLatin1String("ip") && !o.macAddress.isEmpty()) {
        *error = QStringLiteral("--set is for mac");
        return false;
    }
    if (!o.macAddress.isEmpty() && NetworkText::parseMac(o.macAddress).isEmpty()) {
        *error = QStringLiteral("Please input the correct MAC address. (\"%1\" is not "
                                "AA:BB:CC:DD:EE:FF of one device)")
                     .arg(o.macAddress.trimmed());
        return false;
    }
    return true;
}

// Checks the arguments each command takes.
bool checkArguments(const CtlOptions &o, QString *error)
{
    const int count = o.arguments.size();
    const QString &c = o.command;
    if (c == QLatin1String("identify") || c == QLatin1String("read")
        || c == QLatin1String("reset")) {
        if (count == 0)
            return true;
        *error = QStringLiteral("%1 takes no arguments").arg(c);
        return false;
    }
    if (ctldevicetest::handles(c))
        return ctldevicetest::checkArguments(c, o.arguments, error);
    if (ctldesign::handles(c))
        return ctldesign::checkArguments(c, o.arguments, error);
    if (c == QLatin1String("get")) {
        if (count > 0)
            return true;
        *error = QStringLiteral("get needs at least one setting name");
        return false;
    }
    if (c == QLatin1String("set")) {
        if (count == 0) {
            *error = QStringLiteral("set needs at least one Page/Caption=value");
            return false;
        }
        for (const QString &assignment : o.arguments) {
            if (!assignment.contains(QLatin1Char('='))) {
                *error = QStringLiteral("\"%1\" is not of the form Page/Caption=value")
                             .arg(assignment);
                return false;
            }
        }
        return true;
    }
    if (c == QLatin1String("mac") || c == QLatin1String("ip"))
        return checkNetworkArguments(o, error);
    if (c == QLatin1String("firmware")) {
        if (count == 1)
            return true;
        *error = QStringLiteral("firmware needs exactly one firmware file");
        return false;
    }
    if (c == QLatin1String("export") || c == QLatin1String("import")) {
        if (count != 1) {
            *error = QStringLiteral("%1 needs exactly one file name").arg(c);
            return false;
        }
        if (c == QLatin1String("import")
            && !o.arguments.first().endsWith(QLatin1String(".cfg"), Qt::CaseInsensitive)) {
            *error = QStringLiteral("%1: a settings file ends with .cfg").arg(o.arguments.first());
            return false;
        }
        return true;
    }
    *error = c.isEmpty() ? QStringLiteral("no command given")
                         : QStringLiteral("unknown command \"%1\"").arg(c);
    return false;
}
void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(QString::fromUtf8(kDescription));
    parser.addHelpOption();
    parser.addOptions({
        { QStringLiteral("port"),
            QStringLiteral("Port type: usb, serial, lpt, wifi, network or bluetooth."),
            QStringLiteral("TYPE") },
        { QStringLiteral("device"),
            QStringLiteral("Serial or parallel port: COMn, LPTn or a device path. USB or "
                           "Bluetooth: the printer's number in the list of those found."),
            QStringLiteral("PORT") },
        { QStringLiteral("host"),
            QStringLiteral("Network printer's address (without --port: a network printer)."),
            QStringLiteral("ADDRESS") },
        { QStringLiteral("tcp-port"), QStringLiteral("Network printer's TCP port (9100)."),
            QStringLiteral("N") },
        { QStringLiteral("baud"), QStringLiteral("Serial baud rate."), QStringLiteral("N") },
        { QStringLiteral("parity"), QStringLiteral("Serial parity: none, even or odd."),
            QStringLiteral("P") },
        { QStringLiteral("data-bits"), QStringLiteral("Serial data bits: 5 to 8."),
            QStringLiteral("N") },
        { QStringLiteral("stop-bits"), QStringLiteral("Serial stop bits: 1, 1.5 or 2."),
            QStringLiteral("N") },
        { QStringLiteral("flow"), QStringLiteral("Serial flow control: none, hardware, software."),
            QStringLiteral("F") },
        { QStringLiteral("json"),
            QStringLiteral("identify, read, get, test, sensors: JSON output.") },
        { QStringLiteral("hex"), QStringLiteral("read: both blocks in hexadecimal.") },
        { QStringLiteral("out"), QStringLiteral("read: write the raw blocks to PREFIX.*.bin."),
            QStringLiteral("PREFIX") },
        { QStringLiteral("lang"),
            QStringLiteral("Language of the database texts: en (default) or zh."),
            QStringLiteral("LANG") },
        { QStringLiteral("database"),
            QStringLiteral("Settings database (default: the designer's copy, else the delivered one)."),
            QStringLiteral("FILE") },
        { QStringLiteral("hosts"), QStringLiteral("Run the command on every printer in FILE."),
            QStringLiteral("FILE") },
        { QStringLiteral("jobs"),
            QStringLiteral("With --hosts: printers served at once (default 8)."),
            QStringLiteral("N") },
        { QStringLiteral("yes"), QStringLiteral("reset, firmware, delete-type: do not ask.") },
        { QStringLiteral("user"),
            QStringLiteral("copy-type, delete-type: the designer's login name."),
            QStringLiteral("NAME") },
        { QStringLiteral("paper"),
            QStringLiteral("test: answer \"Paper is Needed.\" with continue or cancel."),
            QStringLiteral("ANSWER") },
        { QStringLiteral("set"), QStringLiteral("mac: writes this MAC address."),
            QStringLiteral("MAC") },
        { QStringLiteral("debug"), QStringLiteral("Show the communication traces on stderr.") },
    });
    parser.addPositionalArgument(QStringLiteral("command"),
        QStringLiteral("identify, read, get, set, export, import, reset, test, sensors, mac, ip, "
                       "firmware, types, copy-type or delete-type."));
    parser.addPositionalArgument(QStringLiteral("arguments"),
        QStringLiteral("The command's names, assignments or file."), QStringLiteral("[...]"));
}
} // namespace

QString CtlConnection::label() const
{
    switch (portType) {
    case portchoices::Wifi:
    case portchoices::Network:
        // IPv6 addresses are bracketed so that the port stays readable.
        if (host.contains(QLatin1Char(':')))
            return QStringLiteral("[%1]:%2").arg(host).arg(tcpPort);
        return QStringLiteral("%1:%2").arg(host).arg(tcpPort);
    case portchoices::Serial:
        return serialPort;
    case portchoices::Lpt:
        return lptPort;
    case portchoices::Bluetooth:
        return QStringLiteral("bluetooth");
    default:
        return QStringLiteral("usb");
    }
}

QString ctlHelpText()
{
    QCommandLineParser parser;
    describe(parser);
    return parser.helpText();
}

CtlParse parseCommandLine(
    const QStringList &arguments, const ConfigFile &config, CtlOptions *options, QString *error)
{
    using namespace portchoices;
    QCommandLineParser parser;
    describe(parser);
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return CtlParse::Error;
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        return CtlParse::Help;

    CtlOptions o;
    o.connection = connectionFromConfig(config);
    CtlConnection &c = o.connection;
    const bool portGiven = parser.isSet(QStringLiteral("port"));
    if (portGiven) {
        const int type = portNames().indexOf(parser.value(QStringLiteral("port")).toLower());
        if (type < 0) {
            *error = QStringLiteral("--port takes usb, serial, lpt, wifi, network or bluetooth");
            return CtlParse::Error;
        }
        // A network port type given on the command line starts from that type's own address.
        if (type != c.portType && (type == Network || type == Wifi)) {
            const CtlConnection stored = c;
            c.host = storedText(config,
                type == Network ? QStringLiteral("Network/serverip")
                                : QStringLiteral("Wifi/serverip"),
                QLatin1String(kDefaultAddress));
            c.tcpPort = type == Network ? kNetworkPort : stored.tcpPort;
        }
        c.portType = type;
    }
    if (parser.isSet(QStringLiteral("device"))) {
        const QString device = parser.value(QStringLiteral("device"));
        if (c.portType == Lpt) {
            c.lptPort = device;
        } else if (c.portType == Serial) {
            c.serialPort = device;
        } else if (c.portType == Usb || c.portType == Bluetooth) {
            if (!positiveNumber(device, INT_MAX, &c.devicePosition)) {
                *error = QStringLiteral("--device takes the printer's number (1, 2, ...) for "
                                        "USB and Bluetooth printers");
                return CtlParse::Error;
            }
        } else {
            *error = QStringLiteral("--device is for the serial, lpt, usb and bluetooth ports");
            return CtlParse::Error;
        }
    }
    if (parser.isSet(QStringLiteral("host"))) {
        c.host = parser.value(QStringLiteral("host"));
        // An address alone means a network printer, whatever the panel was last set to.
        if (!portGiven && c.portType != Network && c.portType != Wifi) {
            c.portType = Network;
            c.tcpPort = kNetworkPort;
        }
    }
    if (parser.isSet(QStringLiteral("tcp-port"))
        && !positiveNumber(parser.value(QStringLiteral("tcp-port")), kLargestPort, &c.tcpPort)) {
        *error = QStringLiteral("--tcp-port takes a port number from 1 to 65535");
        return CtlParse::Error;
    }
    if (parser.isSet(QStringLiteral("baud"))
        && !positiveNumber(parser.value(QStringLiteral("baud")), INT_MAX, &c.baudRate)) {
        *error = QStringLiteral("--baud takes a baud rate such as 9600");
        return CtlParse::Error;
    }
    if (parser.isSet(QStringLiteral("parity"))
        && !choose(parser.value(QStringLiteral("parity")),
            { QStringLiteral("none"), QStringLiteral("even"), QStringLiteral("odd") },
            { parityValue(0), parityValue(1), parityValue(2) }, &c.parity)) {
        *error = QStringLiteral("--parity takes none, even or odd");
        return CtlParse::Error;
    }
    if (parser.isSet(QStringLiteral("data-bits"))) {
        int bits = 0;
        if (!positiveNumber(parser.value(QStringLiteral("data-bits")), kMostDataBits, &bits)
            || bits < kFewestDataBits) {
            *error = QStringLiteral("--data-bits takes 5, 6, 7 or 8");
            return CtlParse::Error;
        }
        c.dataBits = bits;
    }
    if (parser.isSet(QStringLiteral("stop-bits"))
        && !choose(parser.value(QStringLiteral("stop-bits")),
            { QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2") },
            { stopBitsValue(0), stopBitsValue(1), stopBitsValue(2) }, &c.stopBits)) {
        *error = QStringLiteral("--stop-bits takes 1, 1.5 or 2");
        return CtlParse::Error;
    }
    if (parser.isSet(QStringLiteral("flow"))
        && !choose(parser.value(QStringLiteral("flow")),
            { QStringLiteral("none"), QStringLiteral("hardware"), QStringLiteral("software") },
            { flowControlValue(0), flowControlValue(1), flowControlValue(2) }, &c.flowControl)) {
        *error = QStringLiteral("--flow takes none, hardware or software");
        return CtlParse::Error;
    }

    o.json = parser.isSet(QStringLiteral("json"));
    o.hex = parser.isSet(QStringLiteral("hex"));
    o.yes = parser.isSet(QStringLiteral("yes"));
    o.macAddress = parser.value(QStringLiteral("set"));
    if (parser.isSet(QStringLiteral("set")) && o.macAddress.isEmpty())
        o.macAddress = QStringLiteral(" "); // refused below as no address
    o.debug = parser.isSet(QStringLiteral("debug"));
    o.user = parser.value(QStringLiteral("user"));
    o.outPrefix = parser.value(QStringLiteral("out"));
    o.databaseFile = parser.value(QStringLiteral("database"));
    if (parser.isSet(QStringLiteral("lang"))) {
        const QString lang = parser.value(QStringLiteral("lang")).toLower();
        if (lang != QLatin1String("en") && lang != QLatin1String("zh")) {
            *error = QStringLiteral("--lang takes en or zh");
            return CtlParse::Error;
        }
        o.language = lang == QLatin1String("zh") ? kLanguageChinese : kLanguageEnglish;
    }
    o.jobs = kDefaultJobs;
    if (parser.isSet(QStringLiteral("jobs"))
        && !positiveNumber(parser.value(QStringLiteral("jobs")), INT_MAX, &o.jobs)) {
        *error = QStringLiteral("--jobs takes a number of 1 or more");
        return CtlParse::Error;
    }
    o.hostsFile = parser.value(QStringLiteral("hosts"));
    if (!o.hostsFile.isEmpty()) {
        if (parser.isSet(QStringLiteral("host"))) {
            *error = QStringLiteral("--host and --hosts exclude each other");
            return CtlParse::Error;
        }
        if (!portGiven) {
            c.portType = Network;
        } else if (c.portType != Network && c.portType != Wifi) {
            *error = QStringLiteral("--hosts is for network printers (--port network or wifi)");
            return CtlParse::Error;
        }
        if (!parser.isSet(QStringLiteral("tcp-port")))
            c.tcpPort = kNetworkPort;
    }
    const QStringList positional = parser.positionalArguments();
    o.command = positional.value(0);
    o.arguments = positional.mid(1);
    if (!checkArguments(o, error))
        return CtlParse::Error;
    if (!o.macAddress.isEmpty() && o.command != QLatin1String("mac")) {
        *error = QStringLiteral("--set is for mac");
        return CtlParse::Error;
    }
    if ((o.hex || !o.outPrefix.isEmpty()) && o.command != QLatin1String("read")) {
        *error = QStringLiteral("--hex and --out are for read");
        return CtlParse::Error;
    }
    if (o.json && o.command != QLatin1String("identify") && o.command != QLatin1String("read")
        && o.command != QLatin1String("get") && !ctldevicetest::handles(o.command)
        && o.command != QLatin1String("types")) {
        *error = QStringLiteral("--json is for identify, read, get, test, sensors and types");
        return CtlParse::Error;
    }
    if (ctldesign::handles(o.command) && !o.hostsFile.isEmpty()) {
        *error = QStringLiteral("%1 works on the settings database, not on printers: no --hosts")
                     .arg(o.command);
        return CtlParse::Error;
    }
    const bool designChange
        = o.command == QLatin1String("copy-type") || o.command == QLatin1String("delete-type");
    if (!o.user.isEmpty() && !designChange) {
        *error = QStringLiteral("--user is for copy-type and delete-type");
        return CtlParse::Error;
    }
    if (o.user.isEmpty() && designChange) {
        *error = QStringLiteral("%1 needs the designer's login: --user NAME").arg(o.command);
        return CtlParse::Error;
    }
    o.paper = parser.value(QStringLiteral("paper"));
    if (parser.isSet(QStringLiteral("paper"))
        && (o.command != QLatin1String("test")
            || (o.paper != QLatin1String("continue") && o.paper != QLatin1String("cancel")))) {
        *error = QStringLiteral("--paper is for test and takes continue or cancel");
        return CtlParse::Error;
    }
    *options = o;
    return CtlParse::Run;
}

bool parseHostsFile(
    const QString &text, int defaultPort, QList<QPair<QString, int>> *hosts, QString *error)
{
    hosts->clear();
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        const int comment = line.indexOf(QLatin1Char('#'));
        if (comment >= 0)
            line.truncate(comment);
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        QString host = line;
        QString portText;
        if (line.startsWith(QLatin1Char('['))) {
            const int close = line.indexOf(QLatin1Char(']'));
            const QString rest = close < 0 ? QString() : line.mid(close + 1);
            if (close < 0 || (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':')))) {
                *error
                    = QStringLiteral("line %1: \"%2\" is no [address]:port").arg(i + 1).arg(line);
                return false;
            }
            host = line.mid(1, close - 1);
            portText = rest.mid(1);
            if (!rest.isEmpty() && portText.isEmpty()) {
                *error = QStringLiteral("line %1: \"%2\" has no port after \":\"")
                             .arg(i + 1)
                             .arg(line);
                return false;
            }
        } else if (line.count(QLatin1Char(':')) == 1) {
            host = line.section(QLatin1Char(':'), 0, 0);
            portText = line.section(QLatin1Char(':'), 1);
        }
        if (host.isEmpty() || host.contains(QLatin1Char(' ')) || host.contains(QLatin1Char('\t'))) {
            *error = QStringLiteral("line %1: \"%2\" is no HOST or HOST:PORT").arg(i + 1).arg(line);
            return false;
        }
        int port = defaultPort;
        if (!portText.isNull() && !positiveNumber(portText, kLargestPort, &port)) {
            *error = QStringLiteral("line %1: \"%2\" is no port from 1 to 65535")
                         .arg(i + 1)
                         .arg(portText);
            return false;
        }
        hosts->append({ host, port });
    }
    if (hosts->isEmpty()) {
        *error = QStringLiteral("no printers listed");
        return false;
    }
    return true;
}
