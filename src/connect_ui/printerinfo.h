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

private:
    void fill(const QString &record, const QString &edsRecord, bool newer);

    PrinterIdentity m_identity;
    QList<QLineEdit *> m_fields;
};
