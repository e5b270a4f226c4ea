#include "rkctl/ctljob.h"

#include <memory>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QHostInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QMutex>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QThread>
#include <QTimer>

#include "core/automation.h"
#include "core/configfile.h"
#include "comm/bluetoothclient.h"
#include "comm/classdriverusbport.h"
#include "comm/commerror.h"
#include "comm/communication.h"
#include "comm/delayservice.h"
#include "comm/portchoices.h"
#include "database/settingsdatabase.h"
#include "engine/datadispatcher.h"
#include "engine/settingsdefinition.h"
#include "engine/settinggroups.h"
#include "engine/settingsmodel.h"
#include "rkctl/ctldevicetest.h"
#include "rkctl/ctlgroups.h"

namespace {
constexpr int kHexBytesPerLine = 16;
constexpr int kOffsetDigits = 4;
constexpr int kColumnGap = 2;
constexpr int kFirmwarePart = 2; // of the identification record
constexpr int kBluetoothSearchLimitMs = 60000;
const QString kUnsupported = QStringLiteral("This model does not support setup");
const QString kPrinterChanged = QStringLiteral("Printer has changed!");
const QString kTypeDifferent = QStringLiteral("Printer type different!");
// The main window's text when no USB printer is attached (without the space of the others).
const QString kNoUsbPrinter = QStringLiteral("communicate Error:Open Port Error");

QString hexDump(const QByteArray &block)
{
    QString text;
    for (int at = 0; at < block.size(); at += kHexBytesPerLine) {
        text += QStringLiteral("%1 ").arg(at, kOffsetDigits, 16, QLatin1Char('0')).toUpper();
        text += QString::fromLatin1(block.mid(at, kHexBytesPerLine).toHex(' ').toUpper());
        text += QLatin1Char('\n');
    }
    return text;
}

QString kindName(ControlKind kind)
{
    switch (kind) {
    case KindComboBox:
        return QStringLiteral("choice");
    case KindSpinBox:
        return QStringLiteral("number");
    case KindEdit:
        return QStringLiteral("text");
    default:
        return QString();
    }
}

QJsonObject itemJson(const SettingItem &item)
{
    QJsonObject o;
    o.insert(QStringLiteral("name"), item.name);
    o.insert(QStringLiteral("page"), item.pageTitle);
    o.insert(QStringLiteral("caption"), item.caption);
    o.insert(QStringLiteral("position"), item.position);
    o.insert(QStringLiteral("length"), item.length);
    o.insert(QStringLiteral("kind"), kindName(item.kind));
    o.insert(QStringLiteral("value"), item.valueKnown ? QJsonValue(item.value) : QJsonValue());
    o.insert(QStringLiteral("default"), item.defaultValue);
    if (!item.choices.isEmpty())
        o.insert(QStringLiteral("choices"), QJsonArray::fromStringList(item.choices));
    o.insert(QStringLiteral("hint"), item.hint);
    o.insert(QStringLiteral("enabled"), item.enabled);
    o.insert(QStringLiteral("savedWithPage"), item.savedWithPage);
    return o;
}

// What the page would show for a value it cannot show.
QString shownValue(const SettingItem &item)
{
    if (item.valueKnown)
        return item.value;
    return QStringLiteral("(the bytes at position %1 stand for no value)").arg(item.position);
}

QString padded(const QString &text, int width)
{
    return text.leftJustified(width + kColumnGap, QLatin1Char(' '));
}

bool writeRaw(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    *error = QStringLiteral("%1: %2").arg(path, file.errorString());
    return false;
}
} // namespace

QString CtlOutcome::result() const
{
    if (exitCode == CtlExit::Ok)
        return QStringLiteral("ok");
    QString first = errors.value(0, QStringLiteral("failed"));
    return first.replace(QLatin1Char('\n'), QLatin1Char(' '));
}

QString unusableDatabase(const QString &path)
{
    // Opening a missing file would make an empty database of it.
    if (!QFileInfo(path).isFile())
        return QStringLiteral("settings database not found: %1").arg(path);
    const DatabaseCheck usable = checkSettingsDatabase(DatabaseLocation(path));
    if (usable.usable())
        return QString();
    // Read as if it were one, a broken database would look like a database without printers.
    return QString::fromUtf8(SettingsDatabase::kUnusableText).arg(path) + QLatin1Char(' ')
        + QString::fromUtf8(usable.reason)
        + (usable.detail.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(usable.detail));
}

CtlJob::CtlJob(const CtlOptions &options, const CtlConnection &connection, const QString &fileTag)
    : m_options(options)
    , m_connection(connection)
    , m_fileTag(fileTag)
{
    m_databasePath = options.databaseFile.isEmpty() ? DatabaseLocation::delivered().filePath()
                                                    : options.databaseFile;
}

void CtlJob::print(const QString &line)
{
    m_outcome.out += line + QLatin1Char('\n');
}

void CtlJob::error(const QString &line)
{
    m_outcome.errors.append(line);
}

CtlOutcome CtlJob::run()
{
    m_outcome = CtlOutcome();
    QElapsedTimer timer;
    timer.start();
    m_outcome.exitCode = execute();
    m_outcome.elapsedMs = timer.elapsed();
    // A worker thread's database connection would outlive its thread.
    const QCoreApplication *app = QCoreApplication::instance();
    if (app && QThread::currentThread() != app->thread())
        QSqlDatabase::removeDatabase(SettingsDatabase::connectionName());
    return m_outcome;
}

QString CtlJob::taggedPath(const QString &path, const QString &extension) const
{
    if (m_fileTag.isEmpty())
        return path;
    if (!extension.isEmpty() && path.endsWith(extension, Qt::CaseInsensitive))
        return path.left(path.size() - extension.size()) + QLatin1Char('-') + m_fileTag
            + path.right(extension.size());
    return path + QLatin1Char('-') + m_fileTag;
}

int CtlJob::connect(DataDispatcher &dispatcher, UsbPort *usb)
{
    const CtlConnection &c = m_connection;
    dispatcher.setPortType(c.portType);
    switch (c.portType) {
    case portchoices::Usb:
        return chooseUsbPrinter(*usb);
    case portchoices::Bluetooth:
        return chooseBluetoothPrinter(dispatcher);
    case portchoices::Serial:
        dispatcher.setSerialConfig(
            c.serialPort, c.baudRate, c.parity, c.dataBits, c.stopBits, c.flowControl);
        break;
    case portchoices::Lpt:
        dispatcher.setLptPort(c.lptPort);
        break;
    case portchoices::Wifi:
    case portchoices::Network: {
        QHostAddress address;
        if (!address.setAddress(c.host)) {
            // The transport takes addresses only: names are looked up here.
            const QHostInfo info = QHostInfo::fromName(c.host);
            if (info.addresses().isEmpty()) {
                error(QStringLiteral("cannot find the printer \"%1\": %2")
                          .arg(c.host, info.errorString()));
                return CtlExit::Communication;
            }
            address = info.addresses().first();
            for (const QHostAddress &candidate : info.addresses()) {
                if (candidate.protocol() == QAbstractSocket::IPv4Protocol) {
                    address = candidate;
                    break;
                }
            }
        }
        dispatcher.setWifiConfig(address.toString(), c.tcpPort);
        break;
    }
    default:
        break;
    }
    return CtlExit::Ok;
}

int CtlJob::choose(const QStringList &names, const QString &kind, int *position)
{
    const int wanted = m_connection.devicePosition;
    if ((wanted == 0 && names.size() == 1) || (wanted > 0 && wanted <= names.size())) {
        *position = wanted > 0 ? wanted - 1 : 0;
        return CtlExit::Ok;
    }
    error(wanted == 0 ? QStringLiteral("%1 %2 printers found; choose one with --device N:")
                            .arg(names.size())
                            .arg(kind)
                      : QStringLiteral("There is no %1 printer %2; the printers found:")
                            .arg(kind)
                            .arg(wanted));
    for (int i = 0; i < names.size(); ++i)
        error(QStringLiteral("  %1  %2").arg(i + 1).arg(names.at(i)));
    return CtlExit::Usage;
}

int CtlJob::chooseUsbPrinter(UsbPort &usb)
{
    // As the main window does before connecting: find the printers, let one be picked.
    int count = 0;
    try {
        count = usb.open();
    } catch (COMM_ERROR_CODE) {
        count = 0;
    }
    if (count == 0) {
        error(kNoUsbPrinter);
        return CtlExit::Communication;
    }
    int position = 0;
    if (const int chosen = choose(usb.listDeviceNames(count), QStringLiteral("USB"), &position);
        chosen != CtlExit::Ok) {
        usb.close();
        return chosen;
    }
    usb.selectByPosition(position);
    return CtlExit::Ok;
}

int CtlJob::chooseBluetoothPrinter(DataDispatcher &dispatcher)
{
    // The discovery reports on its own thread, possibly after this wait has given up.
    struct Found
    {
        QMutex mutex;
        QStringList names;
    };
    auto found = std::make_shared<Found>();
    BluetoothClient *client = dispatcher.communication()->bluetooth();
    QEventLoop loop;
    const QMetaObject::Connection listed = QObject::connect(
        client, &BluetoothClient::searchListFinished, client,
        [found](QStringList *list) {
            QMutexLocker lock(&found->mutex);
            if (list)
                found->names = *list;
        },
        Qt::DirectConnection);
    QObject::connect(
        client, &BluetoothClient::searchFinished, &loop, &QEventLoop::quit, Qt::QueuedConnection);
    QTimer::singleShot(kBluetoothSearchLimitMs, &loop, &QEventLoop::quit);
    dispatcher.startBluetoothSearch();
    loop.exec();
    QObject::disconnect(listed);
    QStringList names;
    {
        QMutexLocker lock(&found->mutex);
        names = found->names;
    }
    if (names.isEmpty()) {
        error(QStringLiteral("No Bluetooth printer found."));
        return CtlExit::Communication;
    }
    int position = 0;
    if (const int chosen = choose(names, QStringLiteral("Bluetooth"), &position);
        chosen != CtlExit::Ok)
        return chosen;
    dispatcher.selectBluetoothDevice(position);
    return CtlExit::Ok;
}

int CtlJob::failed(PrinterSession::Result result, const PrinterSession &session)
{
    switch (result) {
    case PrinterSession::Result::Ok:
        return CtlExit::Ok;
    case PrinterSession::Result::CommunicationFailed: {
        const QStringList messages = session.errorMessages();
        for (const QString &message : messages)
            error(message);
        if (messages.isEmpty())
            error(PrinterSession::errorMessage(0));
        return CtlExit::Communication;
    }
    case PrinterSession::Result::Unsupported:
        error(kUnsupported);
        return CtlExit::Refused;
    case PrinterSession::Result::PrinterChanged:
        error(kPrinterChanged);
        return CtlExit::Refused;
    case PrinterSession::Result::NotAcknowledged:
        error(QStringLiteral("The printer did not confirm the settings; they may not be saved."));
        return CtlExit::Communication;
    case PrinterSession::Result::NoParameters:
        error(QStringLiteral("The printer's parameter list builds no settings page."));
        return CtlExit::Communication;
    }
    return CtlExit::Communication;
}

int CtlJob::execute()
{
    const QString &command = m_options.command;
    // Local failures first, before any printer is bothered.
    const QString unusable = unusableDatabase(m_databasePath);
    if (!unusable.isEmpty()) {
        error(unusable);
        return CtlExit::LocalFailure;
    }
    QString dbFailure;
    const DatabaseLocation database(
        m_databasePath, [&dbFailure](const QString &title, const QString &text) {
            dbFailure = title + QStringLiteral(": ") + text;
        });
    if (command == QLatin1String("import")) {
        const QString path = m_options.arguments.first();
        QString detail;
        switch (SettingsFile::load(path, &m_import, &detail)) {
        case SettingsFile::Status::Ok:
            break;
        case SettingsFile::Status::CannotOpen:
        case SettingsFile::Status::NotAFile:
            error(QStringLiteral("cannot read %1: %2").arg(path, detail));
            return CtlExit::LocalFailure;
        default:
            error(QStringLiteral("%1 is not a settings file: %2").arg(path, detail));
            return CtlExit::Refused;
        }
    }

    if (command == QLatin1String("firmware")) {
        if (const int read = readFirmware(); read != CtlExit::Ok)
            return read;
    }

    ConfigFile config;
    SleepingDelayService delay(automation::printerDelayScale());
    // The dispatcher's engine takes both over.
    UsbPort *usb = m_connection.portType == portchoices::Usb
        ? new ClassDriverUsbPort(&config, Communication::kDefaultTimeoutMs)
        : nullptr;
    BluetoothClient *bluetooth
        = m_connection.portType == portchoices::Bluetooth ? makeBluetoothClient(&config) : nullptr;
    DataDispatcher dispatcher(delay, &config, usb, bluetooth);
    if (const int connected = connect(dispatcher, usb); connected != CtlExit::Ok)
        return connected;
    PrinterSession session(dispatcher, database, &config);

    const PrinterSession::Result identified = session.identify();
    if (!dbFailure.isEmpty()) {
        error(dbFailure);
        return CtlExit::LocalFailure;
    }
    if (identified == PrinterSession::Result::CommunicationFailed)
        return failed(identified, session);
    if (command == QLatin1String("identify"))
        return identifyCommand(session);
    if (ctldevicetest::handles(command))
        return ctldevicetest::run(m_options, dispatcher, session, database, &m_outcome);
    if (command == QLatin1String("mac") || command == QLatin1String("ip"))
        return networkCommand(session);
    if (command == QLatin1String("firmware"))
        return firmwareCommand(dispatcher, session);
    if (session.parameterList())
        return parameterListCommand(session);
    if (!session.supportsSetup())
        return failed(PrinterSession::Result::Unsupported, session);
    if (command == QLatin1String("import") && !importedModelMatches(session))
        return CtlExit::Refused;
    if (command == QLatin1String("reset"))
        return resetCommand(session);

    if (const PrinterSession::Result read = session.readSettings();
        read != PrinterSession::Result::Ok)
        return failed(read, session);
    if (session.settingBlock().size() < PrinterSession::kBlockSize) {
        error(QStringLiteral("The printer's setting block has %1 bytes instead of %2.")
                  .arg(session.settingBlock().size())
                  .arg(PrinterSession::kBlockSize));
        return CtlExit::Communication;
    }
    if (command == QLatin1String("export"))
        return exportCommand(session);

    SettingsDefinition definition
        = loadSettingsDefinition(database, session.settingsIdentity(m_options.language));
    SettingGroups::applyConfiguredPositions(definition, &config);
    if (!dbFailure.isEmpty()) {
        error(dbFailure);
        return CtlExit::LocalFailure;
    }
    if (definition.printerType.pritId() == 0)
        return failed(PrinterSession::Result::Unsupported, session);
    SettingsModel model(definition, session.identity().mainIdentifier(), session.legacyVariant());
    model.setSettingBlock(session.settingBlock());
    model.setDefaultBlock(session.defaultBlock());
    if (command == QLatin1String("read"))
        return readCommand(session, model);
    if (command == QLatin1String("get"))
        return getCommand(model);
    if (command == QLatin1String("import"))
        return importCommand(session, model);
    return setCommand(session, model);
}

int CtlJob::identifyCommand(const PrinterSession &session)
{
    const PrinterIdentity &id = session.identity();
    const QString type = session.printerType().pritName();
    const bool supported = session.supportsSetup() || session.parameterList();
    const QString firmware = id.recordParts().value(kFirmwarePart);
    if (m_options.json) {
        QJsonObject o;
        o.insert(QStringLiteral("model"), id.modelName());
        o.insert(QStringLiteral("firmware"), firmware);
        o.insert(QStringLiteral("firmwareNumber"), id.firmwareNumber());
        o.insert(QStringLiteral("edsRecord"), session.edsRecord());
        o.insert(QStringLiteral("typeCode"), id.mainIdentifier());
        o.insert(QStringLiteral("modeByte"), session.modeByte());
        o.insert(QStringLiteral("record"), session.modelRecord());
        o.insert(QStringLiteral("printerType"), type.isEmpty() ? QJsonValue() : QJsonValue(type));
        o.insert(QStringLiteral("setupSupported"), supported);
        m_outcome.json = o;
        return CtlExit::Ok;
    }
    print(QStringLiteral("Model: %1").arg(id.modelName()));
    print(QStringLiteral("Firmware: %1").arg(firmware));
    print(QStringLiteral("Firmware number: %1").arg(id.firmwareNumber()));
    print(QStringLiteral("EDS record: %1").arg(session.edsRecord()));
    print(QStringLiteral("Printer type code: %1").arg(id.mainIdentifier()));
    print(QStringLiteral("Mode byte: %1").arg(session.modeByte()));
    print(QStringLiteral("Printer type: %1").arg(type.isEmpty() ? QStringLiteral("-") : type));
    print(QStringLiteral("Setup: %1").arg(supported ? QStringLiteral("supported") : kUnsupported));
    print(QStringLiteral("Identification record: %1").arg(session.modelRecord()));
    return CtlExit::Ok;
}

int CtlJob::readCommand(const PrinterSession &session, const SettingsModel &model)
{
    if (!m_options.outPrefix.isEmpty()) {
        const QString prefix = taggedPath(m_options.outPrefix, QString());
        const QString settings = prefix + QStringLiteral(".settings.bin");
        const QString defaults = prefix + QStringLiteral(".defaults.bin");
        QString problem;
        if (!writeRaw(settings, session.settingBlock(), &problem)
            || !writeRaw(defaults, session.defaultBlock(), &problem)) {
            error(QStringLiteral("cannot write %1").arg(problem));
            return CtlExit::LocalFailure;
        }
        if (!m_options.json)
            print(QStringLiteral("Wrote %1 and %2").arg(settings, defaults));
    }
    if (m_options.hex && !m_options.json) {
        print(QStringLiteral("Setting block (%1 bytes):").arg(session.settingBlock().size()));
        m_outcome.out += hexDump(session.settingBlock());
        print(QStringLiteral("Default block (%1 bytes):").arg(session.defaultBlock().size()));
        m_outcome.out += hexDump(session.defaultBlock());
    }
    const QVector<SettingItem> items = model.visibleItems();
    if (m_options.json) {
        QJsonArray settings;
        for (const SettingItem &item : items)
            settings.append(itemJson(item));
        QJsonObject o;
        o.insert(QStringLiteral("model"), session.identity().modelName());
        o.insert(QStringLiteral("printerType"), session.printerType().pritName());
        o.insert(QStringLiteral("typeCode"), session.identity().mainIdentifier());
        o.insert(QStringLiteral("settings"), settings);
        if (m_options.hex) {
            o.insert(QStringLiteral("settingBlock"),
                QString::fromLatin1(session.settingBlock().toHex()));
            o.insert(QStringLiteral("defaultBlock"),
                QString::fromLatin1(session.defaultBlock().toHex()));
        }
        m_outcome.json = o;
        return CtlExit::Ok;
    }
    if (m_options.hex || !m_options.outPrefix.isEmpty())
        return CtlExit::Ok;
    const QString nameHead = QStringLiteral("SETTING");
    const QString valueHead = QStringLiteral("VALUE");
    int nameWidth = nameHead.size();
    int valueWidth = valueHead.size();
    for (const SettingItem &item : items) {
        nameWidth = qMax(nameWidth, item.name.size());
        valueWidth = qMax(valueWidth, shownValue(item).size());
    }
    print(padded(nameHead, nameWidth) + padded(valueHead, valueWidth) + QStringLiteral("DEFAULT"));
    for (const SettingItem &item : items)
        print((
            padded(item.name, nameWidth) + padded(shownValue(item), valueWidth) + item.defaultValue)
                  .trimmed());
    return CtlExit::Ok;
}

int CtlJob::getCommand(const SettingsModel &model)
{
    QJsonObject o;
    QStringList values;
    for (const QString &name : qAsConst(m_options.arguments)) {
        SettingItem item;
        QString why;
        if (!model.find(name, &item, &why)) {
            error(why);
            return CtlExit::Usage;
        }
        o.insert(item.name, item.valueKnown ? QJsonValue(item.value) : QJsonValue());
        values.append(shownValue(item));
    }
    if (m_options.json)
        m_outcome.json = o;
    else
        for (const QString &value : qAsConst(values))
            print(value);
    return CtlExit::Ok;
}

int CtlJob::setCommand(PrinterSession &session, SettingsModel &model)
{
    QStringList changes;
    QStringList unchanged;
    // Settings of the network and Bluetooth groups go through their group's own check.
    CtlGroups groups(model);
    bool pageChanged = false;
    // Every value is checked before anything is written: all or nothing.
    for (const QString &assignment : qAsConst(m_options.arguments)) {
        QString message;
        const CtlGroups::Take taken = groups.take(assignment, &message);
        if (taken == CtlGroups::Take::Invalid) {
            error(message);
            error(QStringLiteral("Nothing was written."));
            return CtlExit::Usage;
        }
        if (taken != CtlGroups::Take::NotAGroup) {
            (taken == CtlGroups::Take::Changed ? changes : unchanged).append(message);
            continue;
        }
        switch (model.applyAssignment(assignment, &message)) {
        case SettingsModel::Apply::Changed:
            changes.append(message);
            pageChanged = true;
            break;
        case SettingsModel::Apply::Unchanged:
            unchanged.append(message);
            break;
        case SettingsModel::Apply::NotSettable:
            error(message);
            error(QStringLiteral("Nothing was written."));
            return CtlExit::Refused;
        case SettingsModel::Apply::UnknownName:
        case SettingsModel::Apply::InvalidValue:
            error(message);
            error(QStringLiteral("Nothing was written."));
            return CtlExit::Usage;
        }
    }
    for (const QString &line : qAsConst(unchanged))
        print(line);
    if (changes.isEmpty()) {
        print(QStringLiteral("Nothing to write."));
        return CtlExit::Ok;
    }
    // As the page's Save: every control's shown value goes into the block. A group's Write
    // alone writes the block as read, with only its group's bytes changed.
    if (pageChanged)
        model.collect();
    QByteArray block = model.settingBlock();
    QString refusal;
    const ConfigFile config;
    if (!groups.encode(block, &config, &refusal)) {
        error(refusal);
        error(QStringLiteral("Nothing was written."));
        return CtlExit::Refused;
    }
    if (const PrinterSession::Result written = session.writeSettings(block);
        written != PrinterSession::Result::Ok)
        return failed(written, session);
    for (const QString &line : qAsConst(changes))
        print(line);
    print(QStringLiteral("Save Successful"));
    return CtlExit::Ok;
}

int CtlJob::exportCommand(const PrinterSession &session)
{
    const QString extension = QStringLiteral(".cfg");
    const QString path
        = SettingsFile::withExtension(taggedPath(m_options.arguments.first(), extension));
    SettingsFile::Content content;
    content.modelName = session.identity().modelName();
    content.data = session.settingBlock().left(SettingsFile::kBlockSize);
    QString detail;
    if (SettingsFile::save(path, content, &detail) != SettingsFile::Status::Ok) {
        error(QStringLiteral("Export fail: %1: %2").arg(path, detail));
        return CtlExit::LocalFailure;
    }
    print(QStringLiteral("Export Successfully: %1").arg(path));
    return CtlExit::Ok;
}

bool CtlJob::importedModelMatches(const PrinterSession &session)
{
    // Another model's file is refused before anything is read or written.
    const QString model = session.identity().modelName();
    if (m_import.modelName == model)
        return true;
    error(kTypeDifferent);
    error(QStringLiteral("%1 is for %2, the printer is %3.")
              .arg(m_options.arguments.first(), SettingsFile::quoted(m_import.modelName),
                  SettingsFile::quoted(model)));
    return false;
}

int CtlJob::importCommand(PrinterSession &session, const SettingsModel &model)
{
    const QByteArray current = session.settingBlock();
    QByteArray block = current;
    QString detail;
    if (SettingsFile::importBlock(m_import, session.identity().modelName(),
            session.legacyVariant(), &block, &detail)
        != SettingsFile::Status::Ok) {
        error(QStringLiteral("%1: %2").arg(m_options.arguments.first(), detail));
        return CtlExit::Refused;
    }
    // As the settings page's Import followed by its Save: what the controls show is written.
    block = model.importedBlock(current, block);
    int changed = 0;
    for (int i = 0; i < block.size(); ++i)
        changed += block.at(i) != current.at(i) ? 1 : 0;
    print(QStringLiteral("Import Successfully: %1 byte(s) differ from the printer's settings")
              .arg(changed));
    if (changed == 0)
        return CtlExit::Ok;
    if (const PrinterSession::Result written = session.writeSettings(block);
        written != PrinterSession::Result::Ok)
        return failed(written, session);
    print(QStringLiteral("Save Successful"));
    return CtlExit::Ok;
}

int CtlJob::resetCommand(PrinterSession &session)
{
    if (const PrinterSession::Result reset = session.restoreDefaults();
        reset != PrinterSession::Result::Ok)
        return failed(reset, session);
    print(QStringLiteral("Factory defaults restored."));
    if (session.preservesInterfaceBytes()) {
        const QPair<int, int> at = session.preservedPositions();
        print(QStringLiteral("Interface bytes at positions %1 and %2 kept.")
                  .arg(at.first)
                  .arg(at.second));
    }
    return CtlExit::Ok;
}

int CtlJob::parameterListCommand(PrinterSession &session)
{
    const QString &command = m_options.command;
    if (command == QLatin1String("reset")) {
        error(QStringLiteral("reset is not available on printers that send a parameter list"));
        return CtlExit::Refused;
    }
    if (command == QLatin1String("import") && !importedModelMatches(session))
        return CtlExit::Refused;
    QString detail;
    const PrinterSession::Result read = session.readParameterList(&detail);
    if (read == PrinterSession::Result::NoParameters) {
        error(QStringLiteral("The printer's parameter list builds no settings page: %1.")
                  .arg(detail));
        return CtlExit::Communication;
    }
    if (read != PrinterSession::Result::Ok)
        return failed(read, session);
    if (command == QLatin1String("read"))
        return readParameters(session);
    if (command == QLatin1String("get"))
        return getParameters(session.parameters());
    if (command == QLatin1String("set"))
        return setParameters(session);
    if (command == QLatin1String("import"))
        return importParameters(session);
    // export: the text a Save would send, as the settings data.
    const QString path = SettingsFile::withExtension(
        taggedPath(m_options.arguments.first(), QStringLiteral(".cfg")));
    SettingsFile::Content content;
    content.modelName = session.identity().modelName();
    content.data = session.parameters().writeText();
    if (SettingsFile::save(path, content, &detail) != SettingsFile::Status::Ok) {
        error(QStringLiteral("Export fail: %1: %2").arg(path, detail));
        return CtlExit::LocalFailure;
    }
    print(QStringLiteral("Export Successfully: %1").arg(path));
    return CtlExit::Ok;
}

int CtlJob::readParameters(const PrinterSession &session)
{
    const QByteArray text = session.settingBlock();
    if (!m_options.outPrefix.isEmpty()) {
        const QString path
            = taggedPath(m_options.outPrefix, QString()) + QStringLiteral(".parameters.json");
        QString problem;
        if (!writeRaw(path, text, &problem)) {
            error(QStringLiteral("cannot write %1").arg(problem));
            return CtlExit::LocalFailure;
        }
        if (!m_options.json)
            print(QStringLiteral("Wrote %1").arg(path));
    }
    if (m_options.hex && !m_options.json) {
        print(QStringLiteral("Parameter list (%1 bytes):").arg(text.size()));
        m_outcome.out += hexDump(text);
    }
    const QVector<ParameterList::Page> &pages = session.parameters().pages();
    if (m_options.json) {
        QJsonArray settings;
        for (const ParameterList::Page &page : pages) {
            for (const ParameterList::Parameter &parameter : page.parameters) {
                QJsonObject o;
                o.insert(QStringLiteral("name"), parameter.name);
                o.insert(QStringLiteral("page"), page.title);
                o.insert(QStringLiteral("caption"), parameter.tip);
                o.insert(QStringLiteral("key"), parameter.key);
                o.insert(QStringLiteral("kind"), QStringLiteral("choice"));
                o.insert(QStringLiteral("value"), parameter.currentText());
                o.insert(QStringLiteral("default"),
                    parameter.defaultOption >= 0 ? QJsonValue(parameter.defaultText())
                                                 : QJsonValue());
                o.insert(QStringLiteral("choices"),
                    QJsonArray::fromStringList(parameter.optionTexts()));
                settings.append(o);
            }
        }
        QJsonObject o;
        o.insert(QStringLiteral("model"), session.identity().modelName());
        o.insert(QStringLiteral("typeCode"), session.identity().mainIdentifier());
        o.insert(QStringLiteral("modeByte"), session.modeByte());
        o.insert(QStringLiteral("settings"), settings);
        if (m_options.hex)
            o.insert(QStringLiteral("parameterList"), QString::fromUtf8(text));
        m_outcome.json = o;
        return CtlExit::Ok;
    }
    if (m_options.hex || !m_options.outPrefix.isEmpty())
        return CtlExit::Ok;
    const QString nameHead = QStringLiteral("SETTING");
    const QString valueHead = QStringLiteral("VALUE");
    int nameWidth = nameHead.size();
    int valueWidth = valueHead.size();
    for (const ParameterList::Page &page : pages) {
        for (const ParameterList::Parameter &parameter : page.parameters) {
            nameWidth = qMax(nameWidth, parameter.name.size());
            valueWidth = qMax(valueWidth, parameter.currentText().size());
        }
    }
    print(padded(nameHead, nameWidth) + padded(valueHead, valueWidth) + QStringLiteral("DEFAULT"));
    for (const ParameterList::Page &page : pages) {
        for (const ParameterList::Parameter &parameter : page.parameters)
            print((padded(parameter.name, nameWidth) + padded(parameter.currentText(), valueWidth)
                      + parameter.defaultText())
                      .trimmed());
    }
    return CtlExit::Ok;
}

int CtlJob::getParameters(const ParameterList &parameters)
{
    QJsonObject o;
    QStringList values;
    for (const QString &name : qAsConst(m_options.arguments)) {
        QString why;
        const ParameterList::Parameter *parameter = parameters.find(name, &why);
        if (!parameter) {
            error(why);
            return CtlExit::Usage;
        }
        o.insert(parameter->name, parameter->currentText());
        values.append(parameter->currentText());
    }
    if (m_options.json)
        m_outcome.json = o;
    else
        for (const QString &value : qAsConst(values))
            print(value);
    return CtlExit::Ok;
}

int CtlJob::setParameters(PrinterSession &session)
{
    QStringList changes;
    // Every value is checked before anything is written: all or nothing.
    for (const QString &assignment : qAsConst(m_options.arguments)) {
        QString message;
        switch (session.parameters().applyAssignment(assignment, &message)) {
        case ParameterList::Apply::Changed:
            changes.append(message);
            break;
        case ParameterList::Apply::Unchanged:
            print(message);
            break;
        case ParameterList::Apply::UnknownName:
        case ParameterList::Apply::InvalidValue:
            error(message);
            error(QStringLiteral("Nothing was written."));
            return CtlExit::Usage;
        }
    }
    if (changes.isEmpty()) {
        print(QStringLiteral("Nothing to write."));
        return CtlExit::Ok;
    }
    if (const PrinterSession::Result written = session.writeParameterList();
        written != PrinterSession::Result::Ok)
        return failed(written, session);
    for (const QString &line : qAsConst(changes))
        print(line);
    print(QStringLiteral("Save Successful"));
    return CtlExit::Ok;
}

int CtlJob::importParameters(PrinterSession &session)
{
    ParameterList::LoadReport report;
    QString detail;
    if (session.parameters().load(m_import.data, true, &report, &detail)
        != ParameterList::Status::Ok) {
        error(QStringLiteral("%1: %2").arg(m_options.arguments.first(), detail));
        return CtlExit::Refused;
    }
    int changed = 0;
    for (const ParameterList::Page &page : session.parameters().pages()) {
        for (const ParameterList::Parameter &parameter : page.parameters)
            changed += parameter.changed() ? 1 : 0;
    }
    print(QStringLiteral("Import Successfully: %1 value(s) differ from the printer's settings")
              .arg(changed));
    if (report.unmatched + report.unknown > 0)
        print(QStringLiteral("%1 value(s) of the file are no option of this printer and were left "
                             "as they are.")
                  .arg(report.unmatched + report.unknown));
    if (changed == 0)
        return CtlExit::Ok;
    if (const PrinterSession::Result written = session.writeParameterList();
        written != PrinterSession::Result::Ok)
        return failed(written, session);
    print(QStringLiteral("Save Successful"));
    return CtlExit::Ok;
}
