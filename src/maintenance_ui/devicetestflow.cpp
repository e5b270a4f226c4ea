#include "maintenance_ui/devicetestflow.h"

#include <QCoreApplication>
#include <QDialog>
#include <QThread>

#include "engine/datadispatcher.h"
#include "maintenance_core/devicetest.h"
#include "maintenance_ui/devicetest.h"

namespace {
constexpr int kErrorBox = 0;
constexpr int kQuestionBox = 3;
constexpr int kFirstSensorType = 5;
constexpr int kLastSensorType = 8;
// How long to look again when the indicator closed before the worker asked its question.
constexpr unsigned long kLookAgainMs = 50;
} // namespace

DeviceTestFlow::DeviceTestFlow(DeviceTest *page, DataDispatcher *dispatcher,
    QThread *dispatcherThread, Host host, QObject *parent)
    : QObject(parent)
    , m_page(page)
    , m_dispatcher(dispatcher)
    , m_thread(dispatcherThread)
    , m_host(std::move(host))
{
    connect(m_page, &DeviceTest::deviceTestCmd, this, &DeviceTestFlow::onDeviceTestCmd);
    connect(m_dispatcher, &DataDispatcher::deviceTestResult, this, [this] { m_resultSeen = true; });
}

void DeviceTestFlow::openPage(int testType)
{
    m_page->setTestType(testType);
    // Before the first read there is nothing to show: an empty reply would read as every
    // sensor broken.
    const QByteArray last = m_dispatcher->sensorData();
    if (testType >= kFirstSensorType && testType <= kLastSensorType && !last.isEmpty())
        m_page->showSensors(last);
}

void DeviceTestFlow::onDeviceTestCmd(int cmdNum)
{
    const devicetest::TestInfo *test = devicetest::findRequest(cmdNum);
    if (!test)
        return;
    const bool sensors = cmdNum == devicetest::RefreshSensors;
    m_resultSeen = false;
    m_cancelled = false;
    m_host.runOperation(test->operation, sensors ? kSensorCloseDelayMs : 0);
    finishOperation();
    // The result and the errors come queued from the worker: let them all arrive first.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
    if (sensors) {
        m_page->showSensors(m_dispatcher->sensorData());
        return;
    }
    // A test that ended without a result, an error or a cancel would otherwise end in silence
    // (an answer the printer's protocol does not have).
    if (!m_resultSeen && !m_cancelled && !(m_host.errorReported && m_host.errorReported()))
        m_host.showMessage(kErrorBox, tr("The printer reported no test result."));
}

void DeviceTestFlow::finishOperation()
{
    // The indicator closes early only when the worker waits for the paper answer.
    while (m_thread->isRunning()) {
        if (!m_dispatcher->paperWaiting()) {
            m_thread->wait(kLookAgainMs);
            continue;
        }
        const bool go
            = m_host.showMessage(kQuestionBox, tr("Paper is Needed.")) == QDialog::Accepted;
        m_dispatcher->clearPaperWait(go);
        m_cancelled = m_cancelled || !go;
        // Going on, or cancelling the test on the printer.
        m_host.runBusy(0);
    }
}
