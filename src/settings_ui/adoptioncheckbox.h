#pragma once

#include <QCheckBox>

#include "settings_ui/optioncontrolstate.h"

// A setting that is on or off, or the switch that enables another control.
class AdOptionCheckbox : public QCheckBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AdOptionCheckbox)

public:
    explicit AdOptionCheckbox(QWidget *parent = nullptr);

    OptionControlState &state() { return m_state; }
    const OptionControlState &state() const { return m_state; }

signals:
    void ClickedEdit(QString tools);
    void showEditComment(QString tools);

public slots:
    void toolsEdit(QString tools);
    void onclickedEdit(QString anno);
    void onchangeState(QString content);
    void onchangWEPHEX(int index);
    void onclickedBlackMaskEnable(int indx);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    OptionControlState m_state;
};
