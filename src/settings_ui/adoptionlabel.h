#pragma once

#include <QLabel>

#include "settings_ui/optioncontrolstate.h"

// A caption or explanation on a settings section.
class AdoptionLabel : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AdoptionLabel)

public:
    explicit AdoptionLabel(QWidget *parent = nullptr);

    OptionControlState &state() { return m_state; }
    const OptionControlState &state() const { return m_state; }

signals:
    void ClickedLabel(QString tools);
    void showLabelComment(QString tools);

public slots:
    void toolsLabel(QString tools);
    void onclickedLabel(QString anno);
    void onchangePSKPassWord0701(int index);

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    OptionControlState m_state;
};
