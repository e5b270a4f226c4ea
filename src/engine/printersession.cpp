#include "engine/printersession.h"

#include <QCoreApplication>
#include <QMutexLocker>

#include "core/configfile.h"
#include "comm/commerror.h"
#include "comm/communication.h"
#include "database/printertypetable.h"
#include "engine/datadispatcher.h"

namespace {
const QString kLegacyModel = QStringLiteral("RK5200");
const QString kLegacyFirmware = QStringLiteral("24");
const QString kLegacyTypeName = QStringLiteral("RK-5200");
const QString kNewTypeName = QStringLiteral("RK-5200_NEW");
const QString kFallbackPrefix = QStringLiteral("main_");
const QString kPreservingTypeCode = QStringLiteral("0302");
const QString kFirstPositionKey = QStringLiteral("EXPort/EX1");
const QString kSecondPositionKey = QStringLiteral("EXPort/EX2");
constexpr int kPreservedPosition1 = 578;
constexpr int kPreservedPosition2 = 579;
} // namespace

PrinterSession::PrinterSession(
    DataDispatcher &dispatcher, const DatabaseLocation &database, const ConfigFile *config)
    : m_dispatcher(dispatcher)
    , m_database(database)
    , m_config(config)
{
    Communication *comm = dispatcher.communication();
    // Reported on the communication thread while this one waits for it.
    m_errorConnection = QObject::connect(
        comm, &Communication::communicateError, comm,
        [this, comm](int code) {
            // As the main window does: a read failure ends a slow-start wait at once.
            if (code == READ_PORT_ERROR)
                comm->setAbortWait(true);
            QMutexLocker lock(&m_errorMutex);
            m_errors.append(code);
        },
        Qt::DirectConnection);
}

PrinterSession::~PrinterSession()
{
    QObject::disconnect(m_errorConnection);
}

QString PrinterSession::errorMessage(int code)
{
    const char *text = commErrorMessage(code);
    return QStringLiteral("communicate Error: ")
        + (text ? QCoreApplication::translate("Communication", text) : QString());
}

QStringList PrinterSession::errorMessages() const
{
    QMutexLocker lock(&m_errorMutex);
    QStringList messages;
    for (int code : m_errors)
        messages.append(errorMessage(code));
    return messages;
}

bool PrinterSession::run(int operation, const QByteArray &data)
{
    {
        QMutexLocker lock(&m_errorMutex);
        m_errors.clear();
    }
    m_dispatcher.setOperation(operation, data);
    m_dispatcher.run();
    QMutexLocker lock(&m_errorMutex);
    return m_errors.isEmpty();
}

int PrinterSession::modeByte() const
{
    return m_dispatcher.modeByte();
}

PrinterSession::Result PrinterSession::identify()
{
    m_printerType = PrinterTypeRecord();
    // A printer that does not answer must not pass for the one identified before.
    m_identity.clear();
    m_record.clear();
    m_eds.clear();
    m_newer = false;
    m_legacyVariant = false;
    m_settingBlock.clear();
    m_defaultBlock.clear();
    m_parameters = ParameterList();
    if (!run(DataDispatcher::OpIdentify))
        return Result::CommunicationFailed;
    m_record = m_dispatcher.modelName();
    m_eds = m_dispatcher.secondIdentity();
    m_newer = m_dispatcher.markerSeen();
    if (m_newer)
        m_identity.identifyNewer(m_record, m_eds);
    else
        m_identity.identify(m_record, m_eds);

    m_printerType = findPrinterType(m_identity, m_database, &m_legacyVariant);
    m_dispatcher.setPrinterTypeCode(m_identity.mainIdentifier());
    return m_printerType.pritName().isEmpty() ? Result::Unsupported : Result::Ok;
}

PrinterTypeRecord PrinterSession::findPrinterType(
    const PrinterIdentity &identity, const DatabaseLocation &database, bool *legacyVariant)
{
    QString name = identity.modelName();
    bool legacy = false;
    if (name == kLegacyModel) {
        legacy = identity.firmwareNumber() == kLegacyFirmware;
        name = legacy ? kLegacyTypeName : kNewTypeName;
    }
    if (legacyVariant)
        *legacyVariant = legacy;
    PrinterTypeTable types(database);
    PrinterTypeRecord record = types.findPrinterType(name);
    if (record.pritName().isEmpty())
        record = types.findPrinterType(kFallbackPrefix + identity.mainIdentifier());
    return record;
}

QPair<int, int> PrinterSession::preservedPositions(const ConfigFile *config)
{
    // A printer whose interface bytes sit elsewhere names them in the configuration.
    if (config && config->contains(kFirstPositionKey) && config->contains(kSecondPositionKey))
        return { config->readInt(kFirstPositionKey), config->readInt(kSecondPositionKey) };
    return { kPreservedPosition1, kPreservedPosition2 };
}

bool PrinterSession::preservesInterfaceBytes(const QString &typeCode)
{
    return typeCode == kPreservingTypeCode;
}

bool PrinterSession::supportsSetup() const
{
    return !m_printerType.pritName().isEmpty()
        && modeByte() != DataDispatcher::kModeByteParameterList;
}

SettingsIdentity PrinterSession::settingsIdentity(int language) const
{
    SettingsIdentity identity;
    identity.modelName = m_identity.modelName();
    identity.headVariant = m_identity.firmwareNumber();
    identity.typeCode = m_identity.mainIdentifier();
    identity.modeByte = modeByte();
    identity.language = language;
    return identity;
}

PrinterSession::Result PrinterSession::readSettings()
{
    if (!run(DataDispatcher::OpReadSettings))
        return Result::CommunicationFailed;
    if (m_dispatcher.printerChanged())
        return Result::PrinterChanged;
    m_settingBlock = m_dispatcher.settingBlock();
    m_defaultBlock = m_dispatcher.defaultBlock();
    return Result::Ok;
}

bool PrinterSession::parameterList() const
{
    return modeByte() == DataDispatcher::kModeByteParameterList;
}

PrinterSession::Result PrinterSession::readParameterList(QString *detail)
{
    const Result read = readSettings();
    if (read != Result::Ok)
        return read;
    if (m_parameters.build(m_settingBlock, detail) != ParameterList::Status::Ok)
        return Result::NoParameters;
    return Result::Ok;
}

PrinterSession::Result PrinterSession::writeParameterList()
{
    const QByteArray text = m_parameters.writeText();
    const Result written = writeSettings(text);
    if (written != Result::Ok)
        return written;
    if (!run(DataDispatcher::OpReadSettings))
        return Result::CommunicationFailed;
    if (m_dispatcher.printerChanged())
        return Result::PrinterChanged;
    ParameterList readBack;
    if (!ParameterList::writeConfirmed(m_parameters, m_dispatcher.settingBlock(), &readBack))
        return Result::NotAcknowledged;
    m_settingBlock = m_dispatcher.settingBlock();
    m_parameters = readBack;
    return Result::Ok;
}

PrinterSession::Result PrinterSession::checkPrinter()
{
    if (!run(DataDispatcher::OpPrinterCheck))
        return Result::CommunicationFailed;
    if (m_dispatcher.printerChanged())
        return Result::PrinterChanged;
    // Nothing is written to a printer the check did not see.
    return m_dispatcher.printerConfirmed() ? Result::Ok : Result::CommunicationFailed;
}

PrinterSession::Result PrinterSession::writeSettings(const QByteArray &block)
{
    const Result check = checkPrinter();
    if (check != Result::Ok)
        return check;
    if (!run(DataDispatcher::OpWriteSettings, block))
        return Result::CommunicationFailed;
    if (m_dispatcher.printerChanged())
        return Result::PrinterChanged;
    if (!m_dispatcher.saved())
        return Result::NotAcknowledged;
    m_settingBlock = block;
    return Result::Ok;
}

bool PrinterSession::preservesInterfaceBytes() const
{
    return preservesInterfaceBytes(m_identity.mainIdentifier());
}

QPair<int, int> PrinterSession::preservedPositions() const
{
    return preservedPositions(m_config);
}

PrinterSession::Result PrinterSession::restoreDefaults()
{
    const Result check = checkPrinter();
    if (check != Result::Ok)
        return check;
    const bool preserving = preservesInterfaceBytes();
    const QPair<int, int> at = preservedPositions();
    if (preserving && m_settingBlock.isEmpty()) {
        // The bytes to keep are those the printer holds now.
        const Result read = readSettings();
        if (read != Result::Ok)
            return read;
    }
    const QByteArray before = m_settingBlock;
    auto byteAt = [&before](int position) {
        return position >= 0 && position < before.size() ? before.at(position) : '\0';
    };
    const char kept1 = byteAt(at.first);
    const char kept2 = byteAt(at.second);

    // Restoring reads both blocks again when it succeeds.
    const bool restored = run(DataDispatcher::OpRestoreDefaults);
    if (m_dispatcher.printerChanged())
        return Result::PrinterChanged;
    if (!restored || !m_dispatcher.handshakeResult())
        return Result::CommunicationFailed;
    m_settingBlock = m_dispatcher.settingBlock();
    m_defaultBlock = m_dispatcher.defaultBlock();
    if (!preserving)
        return Result::Ok;
    QByteArray block = m_settingBlock;
    if (at.first >= 0 && at.first < block.size())
        block[at.first] = kept1;
    if (at.second >= 0 && at.second < block.size())
        block[at.second] = kept2;
    return writeSettings(block);
}
