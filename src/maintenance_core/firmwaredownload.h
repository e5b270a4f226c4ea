#pragma once

#include <QByteArray>
#include <QString>

class DataDispatcher;

// Firmware download, the dispatcher's operation 8: the printer is switched to its download
// mode and given time to get there, takes the file and is waited for through its restart.
// Shared by the firmware page and rkctl.
class FirmwareDownload
{
public:
    static constexpr int kModeSwitchReplyLength = 3; // the printer repeats the command
    static constexpr int kEnterDownloadModeMs = 12000;
    static constexpr int kUsbReplyDelayMs = 100;
    static constexpr int kReplyDelayMs = 500;
    static constexpr int kSerialSettleMs = 5000;
    static constexpr int kRestartTimeLimitMs = 100;
    // Far above any firmware of these printers; keeps progress counts within an int.
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

    enum class Outcome {
        Complete, // every byte was taken by the printer's port
        Failed, // a step failed; the communication error has been reported
        NothingSent, // no error was reported, yet not every byte went out
    };

    // What a download came to.
    struct Result
    {
        bool ran = false;
        bool failed = false;
        qint64 size = 0;
        qint64 sent = 0;

        Outcome outcome() const;
    };

    // Reads a firmware file whole. False (with the reason) for a file that cannot be opened or
    // read, an empty one, or one too large to be a firmware.
    static bool readFile(const QString &path, QByteArray *data, QString *reason);
    // Mode 7 when the identification text names "QT52" exactly once, mode 6 otherwise.
    static int bulkModeFor(const QString &identification);
    // The file size as the page shows it: whole kilobytes, rounded down, and " kb".
    static QString sizeText(qint64 bytes);
    // The message of an outcome (translation context "FirmwareDownload") and its box type.
    static const char *outcomeText(Outcome outcome);
    static int outcomeMessageType(Outcome outcome);
    // "Firmware cannot be read!".
    static const char *unreadableText();
    // "Do you want to update firmware ?".
    static const char *questionText();

    explicit FirmwareDownload(DataDispatcher &dispatcher);
    Result run(const QByteArray &firmware);

private:
    bool switchToDownloadMode();
    bool sendFile(const QByteArray &firmware, Result *result);
    void awaitRestart();

    DataDispatcher &m_dispatcher;
};
