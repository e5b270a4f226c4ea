#pragma once

#include <QComboBox>
#include <QHash>
#include <QMap>

#include "engine/settingrules.h"
#include "settings_ui/optioncontrolstate.h"

class QLabel;

// A setting with a list of options; each option's text stands for one byte value.
class AdOptionCombobox : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AdOptionCombobox)

public:
    explicit AdOptionCombobox(QWidget *parent = nullptr);

    OptionControlState &state() { return m_state; }
    const OptionControlState &state() const { return m_state; }

    int bytePosition() const { return m_bytePosition; }
    void setBytePosition(int position) { m_bytePosition = position; }

    // Replaces the items; the index and value maps follow. The selection is not reported as a
    // change.
    void setOptions(const SettingRules::OptionList &options);
    SettingRules::OptionList options() const { return m_options; }
    // Selects the item that stands for the value; false (selection unchanged) when none does.
    bool selectValue(int value);
    // The value recorded for the shown text; 0 when the text has none.
    int currentValue() const { return m_values.value(currentText(), 0); }
    QString indexText(int index) const { return m_indexTexts.value(index); }
    // Shows the current text as the value last read: no longer a change.
    void acceptCurrent();

    int defaultValue() const { return m_defaultValue; }
    void setPageFlag(bool set) { m_pageFlag = set; }
    bool pageFlag() const { return m_pageFlag; }

signals:
    void ClickedCombo(QString tools);
    void showComment(QString tools);

public slots:
    void toolsCombobox(QString tools);
    void onclickedCombobox(QString anno);
    void onchangeComboboxItem(int index);
    void onchangeWifiMode(int index);
    void onchangeWifiModeDHCP(int index);
    void onchangeBlack(int value);
    void onchangeDarkness(QString text);
    void onchangeChecked(int indx);
    void onchangeWifiSecurity0101(int index);
    void onchangeAuthentication_0701(int value);
    void onchangePageAu_0701(int value);
    void onchangeSecurity0701(int value);
    void onchangePageSe_0701(int value);
    void emulateMode(int index);
    void emulateSet(int value);
    void printSpeed(int value);
    void emulateModeDefault(int index, QLabel *defaultItem);
    void emulateSetDefault(int value, QLabel *defaultItem);
    void printSpeedDefault(int value, QLabel *defaultItem);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void rebuild(const SettingRules::OptionList &options);
    void selectIndex(int index);
    void showDefaultItem(int index, int value, QLabel *label);
    void applyWifiList(const QStringList &full, const QStringList &reduced, int value);

    OptionControlState m_state;
    int m_bytePosition = 0;
    SettingRules::OptionList m_options;
    QHash<QString, int> m_values;
    QMap<int, QString> m_indexTexts;
    QString m_savedText;
    bool m_addedDefine = false;
    bool m_pageFlag = false;
    int m_defaultValue = 0;
};
