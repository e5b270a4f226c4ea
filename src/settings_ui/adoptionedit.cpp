#include "settings_ui/adoptionedit.h"

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
        setMaxLength(m_hexMode ? kWepShortKeyHex : kWepShortKey);
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
    const QString digits = text();
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
