#pragma once

#include <QLineEdit>

#include "settings_ui/optioncontrolstate.h"

// A setting entered as text: a number, a name, a key or an address.
class AdOptionEdit : public QLineEdit
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AdOptionEdit)

public:
    explicit AdOptionEdit(QWidget *parent = nullptr);

    OptionControlState &state() { return m_state; }
    const OptionControlState &state() const { return m_state; }

    // Shows the current text as the value last read: no longer a change.
    void acceptCurrent();
    // Whether an empty reference text is compared as well (clear when created).
    void setCompareWhenEmpty(bool compare) { m_compareWhenEmpty = compare; }
    bool isHexMode() const { return m_hexMode; }
    double lowerBound() const { return m_lowerBound; }
    double upperBound() const { return m_upperBound; }
    void setBounds(double lower, double upper);

signals:
    void ClickedEdit(QString tools);
    void showEditComment(QString tools);

public slots:
    void toolsEdit(QString tools);
    void onclickedEdit(QString anno);
    void onchangeSecurityWEP(int index);
    void onchangeSecurityPSK(int index);
    void onchangeDHCPIP(int index);
    void onchangeBlack(int indx);
    void onchangeBlack2(int indx);
    void onchangePSKPassWord0701(int index);
    void onchangHEX(bool isCheck);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private slots:
    void detectChange();

private:
    OptionControlState m_state;
    bool m_compareWhenEmpty = false;
    bool m_hexMode = false;
    double m_lowerBound = 0.0;
    double m_upperBound = 0.0;
};
