#pragma once

#include <functional>

#include <QObject>

class DataDispatcher;
class QThread;
class UpdateFirmware;

// The download behind the firmware page's Start: reads the file, runs the dispatcher's
// firmware operation on its thread while the page shows the progress, and reports the outcome.
class FirmwareFlow : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FirmwareFlow)

public:
    // Shows a message box of the program (type, text); returns 1 when confirmed.
    using ShowMessage = std::function<int(int, const QString &)>;

    FirmwareFlow(UpdateFirmware *page, DataDispatcher *dispatcher, QThread *dispatcherThread,
        ShowMessage showMessage, QObject *parent = nullptr);

signals:
    // The download and its outcome box are over.
    void downloadFinished();

public slots:
    void onUpdateFirmwareStarted();

private:
    void download();

    UpdateFirmware *m_page;
    DataDispatcher *m_dispatcher;
    QThread *m_thread;
    ShowMessage m_showMessage;
};
