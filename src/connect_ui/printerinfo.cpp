#include "connect_ui/printerinfo.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
constexpr int kShownRecordParts = 10; // part 10 of the record is not shown
constexpr int kEdsField = 10;
} // namespace

PrinterInfo::PrinterInfo(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PrinterInfo"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral(
        "#PrinterInfo{background:#ECF0F1;}"
        "QLineEdit{background:white;border:1px solid #BDC3C7;border-radius:3px;padding:2px 4px;}"));
    auto *title = new QLabel(QStringLiteral("<b>%1</b>").arg(tr("Printer Info")), this);
    title->setStyleSheet(QStringLiteral("font-size:16px;color:#34495E;"));
    const QStringList names { tr("Model"), tr("PnP ID"), tr("FW"), tr("BOOT Ver"), tr("BOOT ID"),
        tr("CG Ver"), tr("Serial No."), tr("Manufacturer"), tr("VID"), tr("PID"), tr("EDSID") };
    auto *form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignRight);
    for (const QString &name : names) {
        auto *field = new QLineEdit(this);
        field->setReadOnly(true);
        field->setFocusPolicy(Qt::NoFocus);
        form->addRow(name, field);
        m_fields.append(field);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(15, 20, 15, 20);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addSpacing(15);
    layout->addLayout(form);
    layout->addStretch();
}

QString PrinterInfo::identify(const QString &record, const QString &edsRecord)
{
    return m_identity.identify(record, edsRecord);
}

void PrinterInfo::identifyNewer(const QString &record, const QString &edsRecord)
{
    m_identity.identifyNewer(record, edsRecord);
}

void PrinterInfo::showInfo(const QString &record, const QString &edsRecord)
{
    fill(record, edsRecord, false);
}

void PrinterInfo::showInfoNewer(const QString &record, const QString &edsRecord)
{
    fill(record, edsRecord, true);
}

void PrinterInfo::fill(const QString &record, const QString &edsRecord, bool newer)
{
    const QStringList parts = record.split(QLatin1Char(';'));
    if (parts.size() == PrinterIdentity::kRecordParts) {
        for (int i = 0; i < kShownRecordParts; ++i)
            m_fields.at(i)->setText(parts.at(i));
        if (newer)
            m_fields.at(0)->setText(QLatin1String(PrinterIdentity::kBrandWord) + parts.at(0));
    }
    m_fields.at(kEdsField)->setText(PrinterIdentity::edsIdOf(edsRecord.split(QLatin1Char(';'))));
}

void PrinterInfo::clearInfo()
{
    m_identity.clear();
    for (QLineEdit *field : qAsConst(m_fields))
        field->clear();
}

QString PrinterInfo::fieldText(int index) const
{
    return m_fields.value(index) ? m_fields.at(index)->text() : QString();
}
