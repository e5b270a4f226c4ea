#pragma once

#include <QDoubleSpinBox>

#include "settings_ui/optioncontrolstate.h"

// A numeric setting with limits, decimals and a unit.
class AdoptionSpinBox : public QDoubleSpinBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AdoptionSpinBox)

public:
    explicit AdoptionSpinBox(QWidget *parent = nullptr);

    OptionControlState &state() { return m_state; }
    const OptionControlState &state() const { return m_state; }

    double referenceNumber() const { return m_referenceNumber; }
    // Shows the current value as the value last read: no longer a change.
    void acceptCurrent();

signals:
    void ClickedEdit(QString tools);
    void showEditComment(QString tools);

public slots:
    void toolsEdit(QString tools);
    void onclickedEdit(QString anno);
    void onchangeEdittext(QString text);
    void onchangeBlackSpin(int indx);
    void onchangeBlackSpin2(int indx);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void restoreReference();

    OptionControlState m_state;
    double m_referenceNumber = 0.0;
};
