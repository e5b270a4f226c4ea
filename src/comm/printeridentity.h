#pragma once

#include <QString>
#include <QStringList>

// What the printer's identification records say: model name, firmware number and the main
// identifier (the printer type code), in the older and the newer record layout.
class PrinterIdentity
{
public:
    static constexpr int kRecordParts = 11;
    static constexpr const char *kBrandWord = "Quenby";

    // Older layout; returns the firmware number text.
    QString identify(const QString &record, const QString &edsRecord);
    // Newer layout (the model reply began with the marker): brand word in front, no firmware
    // number.
    void identifyNewer(const QString &record, const QString &edsRecord);
    void clear();

    QString modelName() const { return m_modelName; }
    QString firmwareNumber() const { return m_firmwareNumber; }
    QString mainIdentifier() const { return m_mainIdentifier; }
    QStringList recordParts() const { return m_record; }
    QStringList edsParts() const { return m_eds; }

    // The firmware number derived from a firmware text such as "V1.24".
    static QString firmwareNumberOf(const QString &firmwareText);
    // Part 2 followed by part 3 of the EDS record when both are there.
    static QString mainIdentifierOf(const QStringList &edsParts);
    // The text shown as EDSID: part 2 and part 3, empty when part 2 is empty.
    static QString edsIdOf(const QStringList &edsParts);

private:
    void store(const QString &record, const QString &edsRecord);

    QStringList m_record;
    QStringList m_eds;
    QString m_modelName;
    QString m_firmwareNumber;
    QString m_mainIdentifier;
};
