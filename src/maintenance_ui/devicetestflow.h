#pragma once

#include <functional>

#include <QObject>

class DataDispatcher;
class DeviceTest;
class QThread;

// The device test page's printer flow: each button's request becomes a dispatcher operation
// behind the busy indicator, with the paper question while a running test needs paper, and the
// sensor table filled after a sensor read.
class DeviceTestFlow : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DeviceTestFlow)

public:
    // What the main window lends the flow.
    struct Host
    {
        // Runs a dispatcher operation behind the busy indicator (with its close delay); returns
        // when the indicator closes.
        std::function<void(int operation, int closeDelayMs)> runOperation;
        // Shows the busy indicator until the running operation ends.
        std::function<void(int closeDelayMs)> runBusy;
        // Shows a message box; returns 1 when the user confirmed.
        std::function<int(int type, const QString &text)> showMessage;
        // Whether a communication error was shown since the last runOperation started.
        std::function<bool()> errorReported;
    };

    static constexpr int kSensorCloseDelayMs = 500;

    DeviceTestFlow(DeviceTest *page, DataDispatcher *dispatcher, QThread *dispatcherThread,
        Host host, QObject *parent = nullptr);

    // Builds the page for the printer's test type, with the sensor data read last for the
    // types that show sensors.
    void openPage(int testType);

public slots:
    // One button's request (the page's deviceTestCmd).
    void onDeviceTestCmd(int cmdNum);

private:
    // Answers paper questions until the operation has ended.
    void finishOperation();

    DeviceTest *m_page;
    DataDispatcher *m_dispatcher;
    QThread *m_thread;
    Host m_host;
    bool m_resultSeen = false;
    bool m_cancelled = false;
};
