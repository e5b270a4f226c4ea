#include "comm/printeridentity.h"

#include <QDebug>

namespace {
constexpr int kModelPart = 0;
constexpr int kFirmwarePart = 2;
constexpr int kEdsFirstPart = 2;
constexpr int kEdsSecondPart = 3;
const QLatin1Char kSeparator(';');
} // namespace

void PrinterIdentity::store(const QString &record, const QString &edsRecord)
{
    qDebug() << "PrinterName :" << record;
    qDebug() << "printeredsid :" << edsRecord;
    m_record = record.split(kSeparator);
    m_eds = edsRecord.split(kSeparator);
    m_mainIdentifier = mainIdentifierOf(m_eds);
}

QString PrinterIdentity::identify(const QString &record, const QString &edsRecord)
{
    store(record, edsRecord);
    m_modelName = m_record.value(kModelPart);
    m_firmwareNumber = firmwareNumberOf(m_record.value(kFirmwarePart));
    qDebug() << "fwNum :" << m_firmwareNumber;
    return m_firmwareNumber;
}

void PrinterIdentity::identifyNewer(const QString &record, const QString &edsRecord)
{
    store(record, edsRecord);
    m_modelName = QLatin1String(kBrandWord) + m_record.value(kModelPart);
    m_firmwareNumber.clear();
}

void PrinterIdentity::clear()
{
    m_record.clear();
    m_eds.clear();
    m_modelName.clear();
    m_firmwareNumber.clear();
    m_mainIdentifier.clear();
}

QString PrinterIdentity::firmwareNumberOf(const QString &firmwareText)
{
    int number = firmwareText.right(2).toInt();
    // Firmware "20..24" is the later build of 24.
    if (firmwareText.startsWith(QLatin1String("20")) && number == 24)
        number = 25;
    return QString::number(number);
}

QString PrinterIdentity::mainIdentifierOf(const QStringList &edsParts)
{
    const QString first = edsParts.value(kEdsFirstPart);
    const QString second = edsParts.value(kEdsSecondPart);
    if (first.isEmpty() || second.isEmpty())
        return QString();
    return first + second;
}

QString PrinterIdentity::edsIdOf(const QStringList &edsParts)
{
    const QString first = edsParts.value(kEdsFirstPart);
    if (first.isEmpty())
        return QString();
    return first + edsParts.value(kEdsSecondPart);
}
