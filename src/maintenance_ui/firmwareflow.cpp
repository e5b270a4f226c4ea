#include "maintenance_ui/firmwareflow.h"

#include <QCoreApplication>
#include <QDebug>
#include <QThread>

#include "comm/communication.h"
#include "engine/datadispatcher.h"
#include "maintenance_core/firmwaredownload.h"
#include "maintenance_ui/updatefirmware.h"

namespace {
constexpr int kBoxError = 0;
constexpr int kBoxQuestion = 3;
constexpr int kConfirmed = 1;

QString translated(const char *text)
{
    return QCoreApplication::translate("FirmwareDownload", text);
}
} // namespace

FirmwareFlow::FirmwareFlow(UpdateFirmware *page, DataDispatcher *dispatcher,
    QThread *dispatcherThread, ShowMessage showMessage, QObject *parent)
    : QObject(parent)
    , m_page(page)
    , m_dispatcher(dispatcher)
    , m_thread(dispatcherThread)
    , m_showMessage(std::move(showMessage))
{
    connect(page, &UpdateFirmware::updateFirmwareStarted, this,
        &FirmwareFlow::onUpdateFirmwareStarted);
    page->setQuestion([this](const QString &question) {
        return m_showMessage(kBoxQuestion, question) == kConfirmed;
    });
}

void FirmwareFlow::onUpdateFirmwareStarted()
{
    // The progress follows the download only while it runs.
    const QMetaObject::Connection progress = connect(m_dispatcher->communication(),
        &Communication::transferDataCount, m_page, &UpdateFirmware::onProgress);
    const QMetaObject::Connection ended
        = connect(m_thread, &QThread::finished, m_page, &UpdateFirmware::onDownloadEnded);
    download();
    disconnect(progress);
    disconnect(ended);
    emit downloadFinished();
}

void FirmwareFlow::download()
{
    QByteArray firmware;
    QString reason;
    if (!FirmwareDownload::readFile(m_page->filePath(), &firmware, &reason)) {
        qDebug() << "firmware file" << m_page->filePath() << reason;
        m_showMessage(kBoxError, translated(FirmwareDownload::unreadableText()));
        return;
    }
    const int size = firmware.size();
    m_page->showFileSize(size);
    // Operations never overlap; one that is ending still owns the dispatcher.
    m_thread->wait();
    m_dispatcher->setOperation(DataDispatcher::OpFirmware, firmware);
    firmware.clear();
    m_thread->start(QThread::InheritPriority);
    m_page->showProgress(size);
    m_thread->wait();
    const FirmwareDownload::Outcome outcome = m_dispatcher->firmwareResult().outcome();
    const int answer = m_showMessage(FirmwareDownload::outcomeMessageType(outcome),
        translated(FirmwareDownload::outcomeText(outcome)));
    if (answer == kConfirmed && outcome == FirmwareDownload::Outcome::Complete)
        m_page->hideFileSize();
}
