#include "settings_ui/adoptionedit.h"

#include <cctype>

#include <QMouseEvent>

namespace {
constexpr int kWidth = 180;
constexpr int kHeight = 25;
constexpr int kWepShortKey = 5;
constexpr int kWepShortKeyHex = 10;
constexpr int kWepLongKey = 13;
constexpr int kPskLongest = 23;
constexpr int kWepShortKeyIndex = 1;
constexpr int kWepLongKeyIndex = 2;
constexpr int kPskFirstIndex = 3;
constexpr int kPskLastIndex = 5;
constexpr int kHexBase = 16;
constexpr int kHexDigitsPerByte = 2;
constexpr int kByteMask = 0xff;
// A key the printer keeps in hexadecimal form is shown with this in front of its digits.
const QString kHexPrefix = QStringLiteral("0x");

bool isHexFormKey(const QString &text)
{
    if (!text.startsWith(kHexPrefix) || text.size() != kHexPrefix.size() + kWepShortKeyHex)
        return false;
    for (QChar c : text.mid(kHexPrefix.size())) {
        if (!isxdigit(c.toLatin1()))
            return false;
    }
    return true;
}
} // namespace

AdOptionEdit::AdOptionEdit(QWidget *parent)
    : QLineEdit(parent)
    , m_state(this)
{
    setFixedSize(kWidth, kHeight);
    setStyleSheet(OptionControlState::styleSheetFor("AdOptionEdit"));
    connect(this, &AdOptionEdit::ClickedEdit, this, &AdOptionEdit::toolsEdit);
    connect(this, &QLineEdit::textChanged, this, &AdOptionEdit::detectChange);
}

void AdOptionEdit::acceptCurrent()
{
    m_state.setReferenceText(text());
    m_state.setChanged(false);
}

void AdOptionEdit::setBounds(double lower, double upper)
{
    m_lowerBound = lower;
    m_upperBound = upper;
}

void AdOptionEdit::toolsEdit(QString tools)
{
    emit showEditComment(tools);
}

void AdOptionEdit::onclickedEdit(QString anno)
{
    m_state.setAnnotation(anno);
}

void AdOptionEdit::detectChange()
{
    if (m_state.referenceText().isEmpty() && !m_compareWhenEmpty)
        return;
    m_state.compareWithReference(text());
}

void AdOptionEdit::onchangeSecurityWEP(int index)
{
    if (index == kWepShortKeyIndex) {
        setEnabled(true);
        // Never cut a key shown in hexadecimal form to the length of a typed one.
        const int prefix = m_hexMode && text().startsWith(kHexPrefix) ? kHexPrefix.size() : 0;
        setMaxLength(m_hexMode ? prefix + kWepShortKeyHex : kWepShortKey);
        setToolTip(tr("Please input 5 number password!"));
    } else if (index == kWepLongKeyIndex) {
        setEnabled(true);
        setMaxLength(kWepLongKey);
        setToolTip(tr("Please input 13 number password!"));
    } else {
        setEnabled(false);
        return;
    }
    detectChange();
}

void AdOptionEdit::onchangeSecurityPSK(int index)
{
    if (index < kPskFirstIndex || index > kPskLastIndex) {
        setEnabled(false);
        return;
    }
    setEnabled(true);
    setMaxLength(kPskLongest);
    setToolTip(tr("Please input 8~23 number password!"));
    detectChange();
}

void AdOptionEdit::onchangeDHCPIP(int index)
{
    if (index == 0)
        setEnabled(false);
    else if (index == 1)
        setEnabled(true);
}

void AdOptionEdit::onchangeBlack(int indx)
{
    setEnabled(indx != 0);
}

void AdOptionEdit::onchangeBlack2(int indx)
{
    setEnabled(indx == 0);
}

void AdOptionEdit::onchangePSKPassWord0701(int index)
{
    if (index == 0)
        hide();
    else if (index == 1)
        show();
}

void AdOptionEdit::onchangHEX(bool isCheck)
{
    // Converting twice would turn the digits themselves into digits.
    if (isCheck == m_hexMode)
        return;
    m_hexMode = isCheck;
    // The printer's key is already in hexadecimal form: these are its digits, not its text.
    if (isCheck && isHexFormKey(text())) {
        setMaxLength(kHexPrefix.size() + kWepShortKeyHex);
        return;
    }
    if (isCheck) {
        QByteArray bytes = text().toUtf8().left(kWepShortKey);
        bytes.append(QByteArray(kWepShortKey - bytes.size(), '\0'));
        QString digits;
        for (char c : qAsConst(bytes))
            digits += QStringLiteral("%1").arg(
                static_cast<quint8>(c), kHexDigitsPerByte, kHexBase, QLatin1Char('0'));
        setMaxLength(kWepShortKeyHex);
        setText(digits);
        return;
    }
    QString digits = text();
    if (digits.startsWith(kHexPrefix))
        digits = digits.mid(kHexPrefix.size());
    QString key;
    for (int i = 0; i < kWepShortKeyHex; i += kHexDigitsPerByte) {
        bool ok = false;
        const int value = digits.mid(i, kHexDigitsPerByte).toInt(&ok, kHexBase) & kByteMask;
        // A zero byte is the end of a short key, not a character of it.
        if (!ok || value == 0)
            break;
        key.append(QChar(value));
    }
    setMaxLength(kWepShortKey);
    setText(key);
}

void AdOptionEdit::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit ClickedEdit(m_state.annotation());
    QLineEdit::mousePressEvent(event);
}
