#include "settings_ui/adoptioncombobox.h"

#include <QLabel>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QWheelEvent>

namespace {
constexpr int kWidth = 180;
constexpr int kHeight = 25;
constexpr int kEmulationValueStep = 2; // printer values 0, 2, 4 are items 0, 1, 2
constexpr int kEmulationItems = 3;
constexpr int kEmulateSetFirstValue = 1;
constexpr int kPrintSpeedFirstValue = 2;
constexpr int kWepShortKeyIndex = 1;
constexpr int kWepLongKeyIndex = 2;
constexpr int kPskFirstIndex = 3;
constexpr int kPskLastIndex = 5;

const QStringList &authenticationFull()
{
    static const QStringList list { QStringLiteral("Open"), QStringLiteral("Share"),
        QStringLiteral("WPAPSK"), QStringLiteral("WPA2PSK") };
    return list;
}
const QStringList &authenticationReduced()
{
    static const QStringList list { QStringLiteral("Open"), QStringLiteral("WPA2PSK") };
    return list;
}
const QStringList &securityFull()
{
    static const QStringList list { QStringLiteral("NONE"), QStringLiteral("WEP_A"),
        QStringLiteral("TKIP"), QStringLiteral("AES") };
    return list;
}
const QStringList &securityReduced()
{
    static const QStringList list { QStringLiteral("NONE"), QStringLiteral("AES") };
    return list;
}
} // namespace

AdOptionCombobox::AdOptionCombobox(QWidget *parent)
    : QComboBox(parent)
    , m_state(this)
{
    setFixedSize(kWidth, kHeight);
    setCursor(Qt::PointingHandCursor);
    // The wheel belongs to the page (it turns the sections) unless the box was clicked first.
    setFocusPolicy(Qt::StrongFocus);
    setStyleSheet(OptionControlState::styleSheetFor("AdOptionCombobox"));
    connect(this, &AdOptionCombobox::ClickedCombo, this, &AdOptionCombobox::toolsCombobox);
    connect(this, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &AdOptionCombobox::onchangeComboboxItem);
}

void AdOptionCombobox::setOptions(const SettingRules::OptionList &options)
{
    if (options == m_options && count() == options.size())
        return;
    QSignalBlocker blocker(this);
    rebuild(options);
}

void AdOptionCombobox::rebuild(const SettingRules::OptionList &options)
{
    clear();
    m_values.clear();
    m_indexTexts.clear();
    m_options = options;
    m_addedDefine = false;
    for (int i = 0; i < options.size(); ++i) {
        addItem(options.at(i).text);
        m_values.insert(options.at(i).text, options.at(i).value);
        m_indexTexts.insert(i, options.at(i).text);
    }
}

bool AdOptionCombobox::selectValue(int value)
{
    for (const SettingRules::OptionEntry &entry : qAsConst(m_options)) {
        if (entry.value == value) {
            const int index = findText(entry.text);
            if (index >= 0) {
                setCurrentIndex(index);
                return true;
            }
        }
    }
    return false;
}

void AdOptionCombobox::acceptCurrent()
{
    m_state.setReferenceText(currentText());
    m_state.setChanged(false);
}

void AdOptionCombobox::toolsCombobox(QString tools)
{
    emit showComment(tools);
}

void AdOptionCombobox::onclickedCombobox(QString anno)
{
    m_state.setAnnotation(anno);
}

void AdOptionCombobox::onchangeComboboxItem(int)
{
    if (currentText().isEmpty())
        return;
    m_state.compareWithReference(currentText());
}

void AdOptionCombobox::onchangeWifiMode(int index)
{
    if (index == 0)
        setEnabled(true);
    else if (index == 1)
        setEnabled(false);
}

void AdOptionCombobox::onchangeWifiModeDHCP(int index)
{
    if (index == 0) {
        setEnabled(false);
        setCurrentIndex(0);
    } else if (index == 1) {
        setEnabled(true);
    }
}

void AdOptionCombobox::onchangeBlack(int value)
{
    setEnabled(value != 0);
}

void AdOptionCombobox::onchangeDarkness(QString text)
{
    bool ok = false;
    const int index = text.toInt(&ok) - 1;
    setEnabled(true);
    // A number without an item would clear the selection; leave it as it is instead.
    if (ok && index >= 0 && index < count())
        setCurrentIndex(index);
    setEnabled(false);
}

void AdOptionCombobox::onchangeChecked(int indx)
{
    const QString define = tr("Define");
    if (indx != 0) {
        m_savedText = currentText();
        int index = findText(define);
        if (index < 0) {
            addItem(define);
            m_addedDefine = true;
            index = count() - 1;
        }
        setCurrentIndex(index);
        return;
    }
    if (m_savedText.isEmpty())
        return;
    const int index = findText(m_state.referenceText());
    if (index >= 0)
        setCurrentIndex(index);
    if (m_addedDefine) {
        removeItem(findText(define));
        m_addedDefine = false;
    }
}

void AdOptionCombobox::onchangeWifiSecurity0101(int index)
{
    QString anno;
    if (index == kWepShortKeyIndex)
        anno = tr("Please input 5 number password!");
    else if (index == kWepLongKeyIndex)
        anno = tr("Please input 13 number password!");
    else if (index >= kPskFirstIndex && index <= kPskLastIndex)
        anno = tr("Please input 8~23 number password!");
    else
        return;
    m_state.setAnnotation(anno);
    emit ClickedCombo(anno);
}

void AdOptionCombobox::applyWifiList(const QStringList &full, const QStringList &reduced, int value)
{
    if (value != 0 && value != 1)
        return;
    const QStringList &target = value == 1 ? full : reduced;
    // The full list is built anew every time, so its first item is selected again.
    if (value == 0 && count() == reduced.size())
        return;
    // Each text keeps the byte it stood for; new texts stand for their place in the full list.
    SettingRules::OptionList options;
    for (const QString &text : target)
        options.append({ text, m_values.value(text, full.indexOf(text)) });
    // Not quietly: whoever depends on this box hears of the new selection.
    rebuild(options);
    setCurrentIndex(0);
}

void AdOptionCombobox::onchangeAuthentication_0701(int value)
{
    applyWifiList(authenticationFull(), authenticationReduced(), value);
}

void AdOptionCombobox::onchangePageAu_0701(int value)
{
    if (m_pageFlag) {
        m_pageFlag = false;
        applyWifiList(authenticationFull(), authenticationReduced(), 0);
    }
    applyWifiList(authenticationFull(), authenticationReduced(), value);
}

void AdOptionCombobox::onchangeSecurity0701(int value)
{
    applyWifiList(securityFull(), securityReduced(), value);
}

void AdOptionCombobox::onchangePageSe_0701(int value)
{
    if (m_pageFlag) {
        m_pageFlag = false;
        applyWifiList(securityFull(), securityReduced(), 0);
    }
    applyWifiList(securityFull(), securityReduced(), value);
}

void AdOptionCombobox::selectIndex(int index)
{
    if (index >= 0 && index < count())
        setCurrentIndex(index);
    // The printer's own value is no change of the user's.
    m_state.setReferenceText(m_indexTexts.value(currentIndex()));
    m_state.compareWithReference(currentText());
}

void AdOptionCombobox::emulateMode(int index)
{
    if (index % kEmulationValueStep == 0 && index / kEmulationValueStep < kEmulationItems)
        selectIndex(index / kEmulationValueStep);
    else
        selectIndex(-1);
}

void AdOptionCombobox::emulateSet(int value)
{
    selectIndex(value - kEmulateSetFirstValue);
}

void AdOptionCombobox::printSpeed(int value)
{
    selectIndex(value - kPrintSpeedFirstValue);
}

void AdOptionCombobox::showDefaultItem(int index, int value, QLabel *label)
{
    if (label && m_indexTexts.contains(index))
        label->setText(m_indexTexts.value(index));
    m_defaultValue = value;
}

void AdOptionCombobox::emulateModeDefault(int index, QLabel *defaultItem)
{
    const bool known = index % kEmulationValueStep == 0
        && index / kEmulationValueStep < kEmulationItems && index >= 0;
    showDefaultItem(known ? index / kEmulationValueStep : -1, index, defaultItem);
}

void AdOptionCombobox::emulateSetDefault(int value, QLabel *defaultItem)
{
    showDefaultItem(value - kEmulateSetFirstValue, value, defaultItem);
}

void AdOptionCombobox::printSpeedDefault(int value, QLabel *defaultItem)
{
    showDefaultItem(value - kPrintSpeedFirstValue, value, defaultItem);
}

void AdOptionCombobox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit ClickedCombo(m_state.annotation());
    QComboBox::mousePressEvent(event);
}

void AdOptionCombobox::wheelEvent(QWheelEvent *event)
{
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}
