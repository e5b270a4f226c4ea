#pragma once

#include <QWidget>

#include "comm/printeridentity.h"

class QLineEdit;

// Read-only page with the connected printer's identification.
class PrinterInfo : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PrinterInfo)

public:
    static constexpr int kFieldCount = 11;
    static constexpr int kFirmwareField = 2;

    explicit PrinterInfo(QWidget *parent = nullptr);

    // Older layout; returns the firmware number text.
    QString identify(const QString &record, const QString &edsRecord);
    void identifyNewer(const QString &record, const QString &edsRecord);
    void showInfo(const QString &record, const QString &edsRecord);
    void showInfoNewer(const QString &record, const QString &edsRecord);
    // Forgets the printer: empty model name means "not connected".
    void clearInfo();

    const PrinterIdentity &identity() const { return m_identity; }
    QString modelName() const { return m_identity.modelName(); }
    QString firmwareNumber() const { return m_identity.firmwareNumber(); }
    QString mainIdentifier() const { return m_identity.mainIdentifier(); }
    // Text of field i in the order "Model" … "EDSID".
    QString fieldText(int index) const;
    // The firmware as the panel's "FW" field shows it (e.g. "V3.05"), for the user to compare
    // with what the printer prints itself.
    QString firmwareText() const { return fieldText(kFirmwareField); }

private:
    void fill(const QString &record, const QString &edsRecord, bool newer);

    PrinterIdentity m_identity;
    QList<QLineEdit *> m_fields;
};
