#include "settings_ui/widgetdispose.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QSignalBlocker>

#include "core/configfile.h"
#include "engine/settinggroups.h"
#include "engine/valuecodec.h"
#include "settings_ui/adoptioncheckbox.h"
#include "settings_ui/adoptionedit.h"
#include "settings_ui/adoptionspinbox.h"
#include "settings_ui/widgetengine.h"

namespace {
const QString kBlackMark = QStringLiteral("Black Mark");
const QString kSinglePage = QStringLiteral("Single Page");
const QString kPosition0901 = QStringLiteral("Position_0901");
const QString kLanguage = QStringLiteral("Language");
const QString kEmulation = QStringLiteral("Emulation Mode");

struct Pair
{
    int box;
    int spin;
};
const QVector<Pair> kBlackMarkPairs { { 4, 5 }, { 6, 7 }, { 8, 9 }, { 10, 11 } };
const QVector<Pair> kSinglePagePairs { { 38, 39 }, { 41, 42 }, { 43, 44 }, { 45, 46 }, { 26, 27 },
    { 29, 30 }, { 32, 33 }, { 35, 36 }, { 47, 48 }, { 49, 50 }, { 51, 52 }, { 53, 54 },
    { 55, 56 } };
const QVector<Pair> kPositionPairs { { 1, 2 }, { 3, 4 }, { 5, 6 } };

// Wi-Fi roles.
constexpr int kWifiMode = 1;
constexpr int kWifiDhcp = 2;
constexpr int kWifiSecurity = 5;
constexpr int kWifiWep = 7;
constexpr int kWifiPsk = 8;
constexpr int kWifiAddress = 10;
constexpr int kWifiMask = 11;
constexpr int kWifiGateway = 12;
constexpr int kWifiDns = 13;
constexpr int kWifiStart = 14;
constexpr int kWifiHexKey = 15;
constexpr int kModeAccessPoint = 1;
// Ethernet roles.
constexpr int kEthernetDhcp = 6;
constexpr int kEthernetIpv6 = 7;
constexpr int kEthernetIpv6Fields[] = { 9, 10 };
// Others.
constexpr int kTearCheckBox = 55;
constexpr int kTearCheckPosition0302 = 160;
constexpr int kCutSheetLock0302 = 223;
constexpr int kFirstCutSheetBox = 26;
constexpr int kLastCutSheetBox = 53;
constexpr int kEmulationChoice = 1;
constexpr int kLanguageChoice = 1;
constexpr int kLanguageHidden = 8;
constexpr int kCheckedState = Qt::Checked;
constexpr int kDotRoleLast = 20;

void enable(QWidget *w, bool on)
{
    if (w)
        w->setEnabled(on);
}

QGridLayout *gridOf(QWidget *control, int *row)
{
    if (!control || !control->parentWidget())
        return nullptr;
    const auto grids = control->parentWidget()->findChildren<QGridLayout *>();
    for (QGridLayout *grid : grids) {
        const int at = grid->indexOf(control);
        if (at < 0)
            continue;
        int column = 0;
        int rowSpan = 0;
        int columnSpan = 0;
        grid->getItemPosition(at, row, &column, &rowSpan, &columnSpan);
        return grid;
    }
    return nullptr;
}
} // namespace

void setGroupRowShown(QWidget *control, bool shown)
{
    if (!control)
        return;
    int row = 0;
    QGridLayout *grid = gridOf(control, &row);
    if (!grid) {
        control->setVisible(shown);
        control->setEnabled(shown);
        return;
    }
    for (int column = 0; column < grid->columnCount(); ++column) {
        QLayoutItem *item = grid->itemAtPosition(row, column);
        if (item && item->widget())
            item->widget()->setVisible(shown);
    }
    // A hidden field takes no part in what is entered.
    control->setEnabled(shown);
}

WidgetDispose::WidgetDispose(GroupRegistry &groups, const QString &typeCode,
    const QString &typeName, const QByteArray &block, WidgetEngine *engine, ConfigFile *config,
    QObject *parent)
    : QObject(parent)
    , m_groups(groups)
    , m_typeCode(typeCode)
    , m_typeName(typeName)
    , m_block(block)
    , m_engine(engine)
    , m_config(config)
{
    wire();
    hideByType();
    applyAll();
}

QWidget *WidgetDispose::control(const QString &group, int role) const
{
    return m_groups.value(group).value(role);
}

int WidgetDispose::indexOf(const QString &group, int role) const
{
    auto *combo = qobject_cast<QComboBox *>(control(group, role));
    return combo ? combo->currentIndex() : -1;
}

void WidgetDispose::wire()
{
    const QString wifi = SettingGroups::kWifi;
    if (auto *mode = qobject_cast<QComboBox *>(control(wifi, kWifiMode)))
        connect(mode, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &WidgetDispose::onchangeWifiModeSK);
    if (auto *dhcp = qobject_cast<QComboBox *>(control(wifi, kWifiDhcp)))
        connect(dhcp, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { onchangeWifiModeSK(indexOf(SettingGroups::kWifi, kWifiMode)); });
    if (auto *security = qobject_cast<QComboBox *>(control(wifi, kWifiSecurity)))
        connect(security, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &WidgetDispose::onchangeSecuritySK);
    auto *hexKey = qobject_cast<QCheckBox *>(control(wifi, kWifiHexKey));
    auto *wep = qobject_cast<AdOptionEdit *>(control(wifi, kWifiWep));
    if (hexKey && wep)
        connect(hexKey, &QCheckBox::toggled, wep, &AdOptionEdit::onchangHEX);

    const QString ethernet = SettingGroups::kEthernet;
    if (auto *dhcp = qobject_cast<QComboBox *>(control(ethernet, kEthernetDhcp)))
        connect(dhcp, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &WidgetDispose::dhcpChange);
    if (auto *ipv6 = qobject_cast<QComboBox *>(control(ethernet, kEthernetIpv6)))
        connect(ipv6, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &WidgetDispose::IPv6SwitchChange);

    const QString dot = SettingGroups::kDotAdjustment;
    if (auto *type = qobject_cast<QComboBox *>(control(dot, SettingGroups::kDotTypeRole))) {
        if (m_typeName.contains(QLatin1String("QT52")))
            connect(type, qOverload<int>(&QComboBox::currentIndexChanged), this,
                &WidgetDispose::dotTypeChangeQT52);
        else if (m_typeName.contains(QLatin1String("QY30")))
            connect(type, qOverload<int>(&QComboBox::currentIndexChanged), this,
                &WidgetDispose::dotTypeChangeQY30);
    }
    if (auto *number
        = qobject_cast<QDoubleSpinBox *>(control(dot, SettingGroups::kDotTestNumberRole))) {
        // Test numbers are whole numbers; the design gives their range.
        number->setDecimals(0);
        for (const CommandBinding &b : m_engine->definition().commandBindings) {
            if (b.cmd() == dot && b.paramPosition() == SettingGroups::kDotTestNumberRole) {
                const ControlRow row = m_engine->definition().controlRows.value(b.rpcaId());
                if (row.maxLength() > row.minLength())
                    number->setRange(row.minLength(), row.maxLength());
            }
        }
        // The test number is no printer setting: its first value is nothing to save.
        if (auto *spin = qobject_cast<AdoptionSpinBox *>(number))
            spin->acceptCurrent();
        m_testNumber = int(number->value());
        connect(number, qOverload<double>(&QDoubleSpinBox::valueChanged), this,
            [this](double value) { testNumChange(QString::number(value)); });
    }

    if (auto *language = qobject_cast<QComboBox *>(control(kLanguage, kLanguageChoice)))
        connect(language, qOverload<int>(&QComboBox::currentIndexChanged), this,
            &WidgetDispose::onchangeLanguage);

    const QVector<QPair<QString, QVector<Pair>>> pairs { { kBlackMark, kBlackMarkPairs },
        { kSinglePage, kSinglePagePairs }, { kPosition0901, kPositionPairs } };
    for (const auto &group : pairs) {
        for (const Pair &pair : group.second) {
            auto *box = qobject_cast<QCheckBox *>(control(group.first, pair.box));
            if (!box)
                continue;
            const QString name = group.first;
            connect(box, &QCheckBox::stateChanged, this,
                [this, name, pair] { applyPair(name, pair.box, pair.spin); });
        }
    }
    if (auto *tear = qobject_cast<QCheckBox *>(control(kSinglePage, kTearCheckBox))) {
        // The engine lives on its worker thread, idle now: the state is stored at once.
        WidgetEngine *engine = m_engine;
        connect(tear, &QCheckBox::stateChanged, this,
            [engine](int state) { engine->onchangeTearCheck(state); });
    }
}

void WidgetDispose::applyAll()
{
    if (m_typeCode == QLatin1String("0302") && m_config) {
        const ControlRow row = m_engine->definition().valueRows.value(kTearCheckPosition0302);
        if (auto *box = qobject_cast<QCheckBox *>(m_engine->controlOf(row.rpcaId()))) {
            const QSignalBlocker blocker(box);
            box->setChecked(m_config->readInt(QStringLiteral("TearCheck/ischeck")) != 0);
        }
    }
    // A key the printer keeps in hexadecimal form is entered as one, or the key length of a
    // typed key would cut it.
    auto *hexKey = qobject_cast<QCheckBox *>(control(SettingGroups::kWifi, kWifiHexKey));
    auto *wep = qobject_cast<QLineEdit *>(control(SettingGroups::kWifi, kWifiWep));
    if (hexKey && wep && wep->text().startsWith(QLatin1String("0x")))
        hexKey->setChecked(true);
    onchangeWifiModeSK(indexOf(SettingGroups::kWifi, kWifiMode));
    onchangeSecuritySK(indexOf(SettingGroups::kWifi, kWifiSecurity));
    dhcpChange(indexOf(SettingGroups::kEthernet, kEthernetDhcp));
    if (control(SettingGroups::kEthernet, kEthernetIpv6) && !ipv6Hidden())
        IPv6SwitchChange(indexOf(SettingGroups::kEthernet, kEthernetIpv6));
    if (control(kLanguage, kLanguageChoice))
        onchangeLanguage(indexOf(kLanguage, kLanguageChoice));
    applyPairs();
}

bool WidgetDispose::ipv6Hidden() const
{
    return SettingGroups::ethernetPositionsConfigured(m_config, m_typeName);
}

void WidgetDispose::hideByType()
{
    if (ipv6Hidden()) {
        setGroupRowShown(control(SettingGroups::kEthernet, kEthernetIpv6), false);
        for (int role : kEthernetIpv6Fields)
            setGroupRowShown(control(SettingGroups::kEthernet, role), false);
    }
    const auto *choice = qobject_cast<QComboBox *>(control(kEmulation, kEmulationChoice));
    if (!choice)
        return;
    const QMap<int, QWidget *> controls = m_groups.value(kEmulation);
    for (auto it = controls.cbegin(); it != controls.cend(); ++it) {
        if (it.key() >= 2 && it.key() - 2 >= choice->count())
            setGroupRowShown(it.value(), false);
    }
}

void WidgetDispose::applyPairs()
{
    for (const Pair &pair : kBlackMarkPairs)
        applyPair(kBlackMark, pair.box, pair.spin);
    for (const Pair &pair : kSinglePagePairs)
        applyPair(kSinglePage, pair.box, pair.spin);
    for (const Pair &pair : kPositionPairs)
        applyPair(kPosition0901, pair.box, pair.spin);
}

void WidgetDispose::applyPair(const QString &group, int boxRole, int spinRole)
{
    auto *box = qobject_cast<QCheckBox *>(control(group, boxRole));
    QWidget *value = control(group, spinRole);
    if (!box || !value)
        return;
    bool on = box->isChecked();
    if (group == kSinglePage && m_typeCode == QLatin1String("0302") && boxRole >= kFirstCutSheetBox
        && boxRole <= kLastCutSheetBox)
        on = on && ValueCodec::byteAt(m_block, kCutSheetLock0302) == 0;
    if (auto *spin = qobject_cast<AdoptionSpinBox *>(value))
        spin->onchangeBlackSpin(on ? kCheckedState : 0);
    else
        value->setEnabled(on);
}

void WidgetDispose::onchangeWifiModeSK(int index)
{
    const QString wifi = SettingGroups::kWifi;
    const bool accessPoint = index == kModeAccessPoint;
    const bool dhcpOn = !accessPoint && indexOf(wifi, kWifiDhcp) > 0;
    enable(control(wifi, kWifiDhcp), !accessPoint);
    enable(control(wifi, kWifiAddress), !dhcpOn);
    enable(control(wifi, kWifiMask), !dhcpOn);
    enable(control(wifi, kWifiGateway), !accessPoint && !dhcpOn);
    enable(control(wifi, kWifiDns), !accessPoint && !dhcpOn);
    enable(control(wifi, kWifiStart), accessPoint);
}

void WidgetDispose::onchangeSecuritySK(int index)
{
    const QString wifi = SettingGroups::kWifi;
    QWidget *wep = control(wifi, kWifiWep);
    if (auto *edit = qobject_cast<AdOptionEdit *>(wep))
        edit->onchangeSecurityWEP(index);
    else
        enable(wep, index == 1 || index == 2);
    QWidget *psk = control(wifi, kWifiPsk);
    if (auto *edit = qobject_cast<AdOptionEdit *>(psk))
        edit->onchangeSecurityPSK(index);
    else
        enable(psk, index >= 3 && index <= 5);
    if (auto *hex = qobject_cast<AdOptionCheckbox *>(control(wifi, kWifiHexKey))) {
        hex->onchangWEPHEX(index);
        // Its caption goes with it.
        setGroupRowShown(hex, index == 1);
    }
}

void WidgetDispose::setDotRanges(int type, double firstSpan, double secondSpan)
{
    const double span = type == 0 ? firstSpan : secondSpan;
    for (int role = 1; role <= kDotRoleLast; ++role) {
        if (auto *spin = qobject_cast<QDoubleSpinBox *>(control(SettingGroups::kDotAdjustment, role))) {
            spin->setDecimals(0);
            spin->setRange(0, span);
        }
    }
}

void WidgetDispose::dotTypeChangeQT52(int type)
{
    setDotRanges(type, 60, 120);
}

void WidgetDispose::dotTypeChangeQY30(int type)
{
    setDotRanges(type, 60, 140);
}

void WidgetDispose::dhcpChange(int index)
{
    const bool manual = index == 0;
    for (int role = 1; role <= 3; ++role)
        enable(control(SettingGroups::kEthernet, role), manual);
}

void WidgetDispose::IPv6SwitchChange(int index)
{
    for (int role : kEthernetIpv6Fields)
        setGroupRowShown(control(SettingGroups::kEthernet, role), index > 0);
}

void WidgetDispose::testNumChange(QString text)
{
    m_testNumber = int(text.toDouble());
}

void WidgetDispose::onchangeLanguage(int index)
{
    const QMap<int, QWidget *> controls = m_groups.value(kLanguage);
    for (auto it = controls.cbegin(); it != controls.cend(); ++it) {
        if (it.key() != kLanguageChoice)
            setGroupRowShown(it.value(), index != kLanguageHidden);
    }
}
