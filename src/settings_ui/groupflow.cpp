#include "settings_ui/groupflow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QLineEdit>

#include "app/tipwidget.h"
#include "engine/datadispatcher.h"
#include "engine/settingcodec.h"
#include "engine/valuecodec.h"
#include "settings_ui/adoptioncombobox.h"
#include "settings_ui/adoptionedit.h"
#include "settings_ui/adoptionspinbox.h"
#include "settings_ui/widgetdispose.h"
#include "settings_ui/widgetengine.h"

namespace {
constexpr int kWifiMac = 18;
constexpr int kWifiMode = 1;
constexpr int kWifiSecurity = 5;
constexpr int kMacLength = 6;

QString groupMessage(const QString &group, int code)
{
    const char *text = SettingGroups::message(group, code);
    return text ? QCoreApplication::translate(SettingGroups::kTranslationContext, text) : QString();
}
} // namespace

GroupFlow::GroupFlow(WidgetEngine *engine, DataDispatcher *dispatcher, ConfigFile *config,
    Host host, QObject *parent)
    : QObject(parent)
    , m_engine(engine)
    , m_dispatcher(dispatcher)
    , m_config(config)
    , m_host(std::move(host))
{
}

GroupFlow::~GroupFlow() = default;

void GroupFlow::pagesFilled()
{
    m_dispose.reset();
    m_dispose = std::make_unique<WidgetDispose>(m_engine->groupRegistry(),
        m_engine->identity().typeCode, m_engine->printerTypeName(), m_engine->settingBlockRef(),
        m_engine, m_config);
}

void GroupFlow::imported()
{
    if (m_dispose)
        m_dispose->applyPairs();
}

void GroupFlow::refilled()
{
    if (m_dispose)
        m_dispose->applyAll();
}

GroupValue GroupFlow::valueOf(const ControlRow &row) const
{
    GroupValue value;
    QWidget *control = m_engine->controlOf(row.rpcaId());
    value.present = control != nullptr;
    if (auto *combo = qobject_cast<QComboBox *>(control)) {
        value.text = combo->currentText();
        value.index = combo->currentIndex();
    } else if (auto *box = qobject_cast<QCheckBox *>(control)) {
        value.checked = box->isChecked();
    } else if (auto *spin = qobject_cast<QDoubleSpinBox *>(control)) {
        value.number = spin->value();
        value.text = QString::number(spin->value());
    } else if (auto *edit = qobject_cast<QLineEdit *>(control)) {
        value.text = edit->text();
    }
    return value;
}

void GroupFlow::onButtonAction(const QString &action)
{
    if (!m_engine->codec())
        return;
    if (action == QLatin1String("Wifi Write"))
        writeGroup(SettingGroups::kWifi);
    else if (action == QLatin1String("Bluetooth Write"))
        writeGroup(SettingGroups::kBluetooth);
    else if (action == QLatin1String("Ethernet Write"))
        writeGroup(SettingGroups::kEthernet);
    else if (action == QLatin1String("Wifi IP Read"))
        readAddress();
    else if (action == QLatin1String("Wifi Mac Read"))
        readMac();
    else if (action == QLatin1String("Wifi Mac Write"))
        writeMac();
    else if (action == QLatin1String("Wifi Default"))
        restoreWifi(true);
    else if (action == QLatin1String("Wifi Reset"))
        restoreWifi(false);
    else if (action == QLatin1String("Dot adjustment write"))
        writeDots();
    else if (action == QLatin1String("Dot adjustment check"))
        m_host.run(DataDispatcher::OpDotAdjustCheck, QByteArray());
    else if (action == QLatin1String("Dot adjustment default values"))
        restoreDots(true);
    else if (action == QLatin1String("Dot adjustment undo"))
        restoreDots(false);
    else if (action == QLatin1String("Dot adjustment test"))
        testDots();
}

bool GroupFlow::confirmedWrite(int operation, const QByteArray &data)
{
    const bool ran = m_host.run(operation, data);
    if (m_host.leaveIfChanged())
        return false;
    return ran && m_dispatcher->saved();
}

void GroupFlow::writeGroup(const QString &group)
{
    const SettingGroups groups(m_engine->definition(), *m_engine->codec());
    // The Ethernet check asks the printer first: a changed printer leaves the pages at once.
    if (group == SettingGroups::kEthernet && !m_host.printerAnswers())
        return;
    QByteArray block = m_engine->settingBlock();
    const int code = groups.encode(group, [this](const ControlRow &row) { return valueOf(row); },
        block, SettingGroups::ethernetSaveFlagPosition(m_config, m_engine->printerTypeName()));
    if (code != SettingGroups::Ok) {
        const QString text = groupMessage(group, code);
        if (!text.isEmpty())
            m_host.message(TipWidget::Error, text);
        return;
    }
    if (group != SettingGroups::kEthernet && !m_host.printerAnswers())
        return;
    if (!confirmedWrite(DataDispatcher::OpWriteSettings, block))
        return;
    m_engine->setSettingBlock(block);
    acceptGroup(group);
    m_host.message(TipWidget::Success, tr("Save Successful"));
}

void GroupFlow::acceptGroup(const QString &group)
{
    const QMap<int, QWidget *> controls = m_engine->groupRegistry().value(group);
    for (QWidget *control : controls) {
        if (auto *combo = qobject_cast<AdOptionCombobox *>(control))
            combo->acceptCurrent();
        else if (auto *edit = qobject_cast<AdOptionEdit *>(control))
            edit->acceptCurrent();
        else if (auto *spin = qobject_cast<AdoptionSpinBox *>(control))
            spin->acceptCurrent();
    }
}

void GroupFlow::readAddress()
{
    if (!m_host.run(DataDispatcher::OpAddressRead, QByteArray()) || m_host.leaveIfChanged())
        return;
    const QString address = NetworkText::addressText(m_dispatcher->addressReply());
    if (address.isEmpty()) {
        m_host.message(TipWidget::Error, tr("The printer did not report a network address."));
        return;
    }
    m_host.message(TipWidget::Success, tr("IP:address=") + address);
}

void GroupFlow::readMac()
{
    if (!m_host.run(DataDispatcher::OpMacRead, QByteArray()) || m_host.leaveIfChanged())
        return;
    const QByteArray mac = m_dispatcher->macReply();
    if (mac.size() != kMacLength) {
        m_host.message(TipWidget::Error, tr("The printer did not report a MAC address."));
        return;
    }
    // The field shows what the printer has now.
    if (auto *field = qobject_cast<AdOptionEdit *>(
            m_engine->groupRegistry().value(SettingGroups::kWifi).value(kWifiMac))) {
        field->setText(ValueCodec::hexByteText(mac, true));
        field->acceptCurrent();
    }
    m_host.message(TipWidget::Success, tr("address = ") + NetworkText::macText(mac));
}

void GroupFlow::writeMac()
{
    auto *field = qobject_cast<QLineEdit *>(
        m_engine->groupRegistry().value(SettingGroups::kWifi).value(kWifiMac));
    const QByteArray mac = field ? NetworkText::parseMac(field->text()) : QByteArray();
    if (mac.isEmpty()) {
        m_host.message(TipWidget::Error, tr("Please input the correct MAC address."));
        return;
    }
    if (!m_host.printerAnswers() || !confirmedWrite(DataDispatcher::OpMacWrite, mac))
        return;
    // Later writes of the Wi-Fi area carry the new address, not the old one.
    const SettingGroups groups(m_engine->definition(), *m_engine->codec());
    const ControlRow row = groups.rows(SettingGroups::kWifi).value(kWifiMac);
    QByteArray block = m_engine->settingBlock();
    if (row.bytePosition() > 0 && row.bytePosition() + kMacLength <= block.size()) {
        block.replace(row.bytePosition(), kMacLength, mac);
        m_engine->setSettingBlock(block);
    }
    if (auto *edit = qobject_cast<AdOptionEdit *>(field))
        edit->acceptCurrent();
    m_host.message(TipWidget::Success, tr("Save Successful"));
}

void GroupFlow::restoreWifi(bool defaults)
{
    const QMap<int, QWidget *> controls = m_engine->groupRegistry().value(SettingGroups::kWifi);
    for (QWidget *control : controls) {
        auto *combo = qobject_cast<AdOptionCombobox *>(control);
        if (!combo)
            continue;
        combo->setEnabled(true);
        const int index = combo->findText(
            defaults ? combo->state().defaultText() : combo->state().referenceText());
        if (index >= 0)
            combo->setCurrentIndex(index);
    }
    // The fields that depend on the restored choices follow them again.
    if (m_dispose) {
        auto indexOf = [&controls](int role) {
            auto *combo = qobject_cast<QComboBox *>(controls.value(role));
            return combo ? combo->currentIndex() : -1;
        };
        m_dispose->onchangeWifiModeSK(indexOf(kWifiMode));
        m_dispose->onchangeSecuritySK(indexOf(kWifiSecurity));
    }
}

void GroupFlow::restoreDots(bool defaults)
{
    const SettingGroups groups(m_engine->definition(), *m_engine->codec());
    const QMap<int, QWidget *> controls
        = m_engine->groupRegistry().value(SettingGroups::kDotAdjustment);
    for (int role : groups.dotRoles()) {
        auto *combo = qobject_cast<AdOptionCombobox *>(controls.value(role));
        if (!combo)
            continue;
        const int index = combo->findText(
            defaults ? combo->state().defaultText() : combo->state().referenceText());
        if (index >= 0)
            combo->setCurrentIndex(index);
    }
}

void GroupFlow::writeDots()
{
    const SettingGroups groups(m_engine->definition(), *m_engine->codec());
    const auto valueOfRow = [this](const ControlRow &row) { return valueOf(row); };
    if (groups.dotChosenCount(valueOfRow) == 0) {
        m_host.message(TipWidget::Warning, tr("Please choose!"));
        return;
    }
    if (!m_host.printerAnswers()
        || !confirmedWrite(DataDispatcher::OpDotAdjustWrite, groups.dotWriteData(valueOfRow)))
        return;
    const QMap<int, QWidget *> controls
        = m_engine->groupRegistry().value(SettingGroups::kDotAdjustment);
    for (int role : groups.dotRoles()) {
        if (auto *combo = qobject_cast<AdOptionCombobox *>(controls.value(role)))
            combo->acceptCurrent();
    }
    m_host.message(TipWidget::Success, tr("Save Successful"));
}

void GroupFlow::testDots()
{
    const SettingGroups groups(m_engine->definition(), *m_engine->codec());
    const auto valueOfRow = [this](const ControlRow &row) { return valueOf(row); };
    if (groups.dotChosenCount(valueOfRow) == 0) {
        m_host.message(TipWidget::Warning, tr("Please choose!"));
        return;
    }
    const int number = m_dispose ? m_dispose->testNumber() : 1;
    m_host.run(DataDispatcher::OpDotAdjustPrint, groups.dotTestData(valueOfRow, number));
    m_host.leaveIfChanged();
}
