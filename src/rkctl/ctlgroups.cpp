#include "rkctl/ctlgroups.h"

#include <QLocale>

#include "core/configfile.h"
#include "engine/formulaevaluator.h"
#include "engine/printersession.h"
#include "engine/settingcodec.h"
#include "engine/settingsmodel.h"
#include "rkctl/ctljob.h"

namespace {
const QLatin1Char kAssignment('=');

GroupValue fromItem(const SettingItem &item, const QString &text)
{
    GroupValue value;
    value.present = true;
    value.text = text;
    if (item.kind == KindComboBox)
        value.index = item.choices.indexOf(text);
    if (item.kind == KindSpinBox)
        value.number = QLocale::c().toDouble(text.section(QLatin1Char(' '), 0, 0));
    return value;
}
} // namespace

CtlGroups::CtlGroups(const SettingsModel &model)
    : m_model(model)
    , m_evaluator(std::make_unique<FormulaEvaluator>())
    , m_codec(std::make_unique<SettingCodec>(model.definition(), model.typeCode(), *m_evaluator))
    , m_groups(std::make_unique<SettingGroups>(model.definition(), *m_codec))
{
}

CtlGroups::~CtlGroups() = default;

CtlGroups::Take CtlGroups::take(const QString &assignment, QString *message)
{
    SettingItem item;
    QString value;
    bool found = false;
    // Names may hold "=" themselves: the first split whose left side names a control wins.
    for (int at = assignment.indexOf(kAssignment); at >= 0 && !found;
         at = assignment.indexOf(kAssignment, at + 1)) {
        found = m_model.find(assignment.left(at), &item);
        value = assignment.mid(at + 1);
    }
    if (!found)
        return Take::NotAGroup;
    const QString group = m_groups->groupOf(item.rpcaId);
    if (!SettingGroups::hasOwnWrite(group))
        return Take::NotAGroup;
    if (item.kind == KindComboBox) {
        QString chosen;
        for (const QString &choice : qAsConst(item.choices)) {
            if (choice.compare(value.trimmed(), Qt::CaseInsensitive) == 0)
                chosen = choice;
        }
        if (chosen.isEmpty()) {
            *message = QStringLiteral("\"%1\" is no choice of \"%2\"; choices: %3")
                           .arg(value, item.name, item.choices.join(QStringLiteral(", ")));
            return Take::Invalid;
        }
        value = chosen;
    } else if (item.kind == KindEdit
        && m_codec->editField(m_model.definition().controlRows.value(item.rpcaId)).form
            == SettingRules::FieldForm::Ipv6LinkLocal) {
        *message = QStringLiteral("\"%1\" is shown only").arg(item.name);
        return Take::Invalid;
    }
    m_entered.insert(item.rpcaId, fromItem(item, value));
    m_touched.insert(group);
    if (item.valueKnown && value == item.value) {
        *message = QStringLiteral("%1: %2 (unchanged)").arg(item.name, item.value);
        return Take::Unchanged;
    }
    *message = QStringLiteral("%1: %2 -> %3").arg(item.name, item.value, value);
    return Take::Changed;
}

GroupValue CtlGroups::shownValue(const ControlRow &row, const QHash<int, SettingItem> &shown) const
{
    const auto entered = m_entered.constFind(row.rpcaId());
    if (entered != m_entered.constEnd())
        return entered.value();
    const auto item = shown.constFind(row.rpcaId());
    if (item != shown.constEnd())
        return fromItem(item.value(), item->value);
    // Switches without a value of their own (the hexadecimal key box) start off on the page.
    return GroupValue();
}

bool CtlGroups::encode(QByteArray &block, const ConfigFile *config, QString *message) const
{
    QHash<int, SettingItem> shown;
    const QVector<SettingItem> items = m_model.items();
    for (const SettingItem &item : items)
        shown.insert(item.rpcaId, item);
    QByteArray encoded = block;
    for (const QString &group : qAsConst(m_touched)) {
        const int code = m_groups->encode(group,
            [this, &shown](const ControlRow &row) { return shownValue(row, shown); }, encoded,
            SettingGroups::ethernetSaveFlagPosition(config, m_model.definition().printerTypeName));
        if (code == SettingGroups::Ok)
            continue;
        const char *text = SettingGroups::message(group, code);
        *message = text ? QString::fromUtf8(text)
                        : QStringLiteral("The %1 settings were refused (%2).").arg(group).arg(code);
        return false;
    }
    block = encoded;
    return true;
}

int CtlJob::networkCommand(PrinterSession &session)
{
    if (m_options.command == QLatin1String("ip")) {
        QString address;
        if (const auto read = session.readAddress(&address); read != PrinterSession::Result::Ok)
            return failed(read, session);
        if (address.isEmpty()) {
            error(QStringLiteral("The printer did not report a network address."));
            return CtlExit::Communication;
        }
        print(address);
        return CtlExit::Ok;
    }
    if (m_options.macAddress.isEmpty()) {
        QByteArray mac;
        if (const auto read = session.readMac(&mac); read != PrinterSession::Result::Ok)
            return failed(read, session);
        if (mac.isEmpty()) {
            error(QStringLiteral("The printer did not report a MAC address."));
            return CtlExit::Communication;
        }
        print(NetworkText::macText(mac));
        return CtlExit::Ok;
    }
    const QByteArray mac = NetworkText::parseMac(m_options.macAddress);
    if (mac.isEmpty()) {
        error(QStringLiteral("Please input the correct MAC address."));
        return CtlExit::Usage;
    }
    if (const auto written = session.writeMac(mac); written != PrinterSession::Result::Ok)
        return failed(written, session);
    print(QStringLiteral("Save Successful"));
    return CtlExit::Ok;
}
