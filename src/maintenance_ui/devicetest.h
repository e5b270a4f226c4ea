#pragma once

#include <QByteArray>
#include <QVector>
#include <QWidget>

class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;

// The device test page: the printer's test buttons, its sensor states and a picture of it, as
// the printer's test type has them. It only asks for tests; the flow beside it runs them.
class DeviceTest : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DeviceTest)

public:
    explicit DeviceTest(QWidget *parent = nullptr);

    // Builds the page anew for a test type (an empty group for types without a page).
    void setTestType(int type);
    int testType() const { return m_testType; }
    // Fills the sensor table from a sensor reply; only the page of test type 5 has one.
    void showSensors(const QByteArray &sensorData);
    // The last sensor reply told that paper is there (code 1) or not (code 3).
    bool paperPresent() const { return m_paperPresent; }

    QGroupBox *groupBox() const { return m_group; }
    // The button of a request number; null when the page has none.
    QPushButton *button(int request) const;
    // The labels of sensor row 1..7 (null outside the table or on a page without one).
    QLabel *statusLabel(int row) const;
    QLabel *valueLabel(int row) const;
    QLabel *nameLabel(int row) const;

signals:
    void deviceTestCmd(int cmdNum);
    void brokenSum(int sum);
    void deviceTestCmdParam(int cmdNum, QByteArray parameter);

public slots:
    void onClickedEnterHexMode();
    void onClickedPrintFwInfo();
    void onClickedPrintDevInfo();
    void onClickedPrintMenu();
    void onClickedDetectHeadTmp();
    void onClickedPinTest();
    void onClickedRefreshSnsrValue();
    void onClickedElectricalChk();

private:
    struct SensorLabels
    {
        QLabel *name = nullptr;
        QLabel *status = nullptr;
        QLabel *value = nullptr;
    };

    void clearGroup();
    void buildQr70Page();
    QPushButton *makeButton(int request);
    QWidget *buildSensorTable();

    int m_testType = 0;
    bool m_paperPresent = false;
    QGroupBox *m_group = nullptr;
    QWidget *m_content = nullptr; // everything inside the group, rebuilt per test type
    QVector<QPair<int, QPushButton *>> m_buttons;
    QVector<SensorLabels> m_rows; // the header row at 0, sensors at 1..7
};
