// rkctl firmware FILE: the firmware page's download on the command line.
#include <cstdio>

#include <QElapsedTimer>
#include <QFileInfo>
#include <QMutex>

#include "comm/communication.h"
#include "engine/datadispatcher.h"
#include "engine/printersession.h"
#include "maintenance_core/firmwaredownload.h"
#include "rkctl/ctljob.h"
#include "rkctl/terminal.h"

namespace {
constexpr int kBarWidth = 30;
constexpr int kLineStepPercent = 10;
constexpr int kPercent = 100;
constexpr double kBytesPerMegabyte = 1024.0 * 1024.0;
constexpr double kMsPerSecond = 1000.0;

// Shows how far a download has come: a bar redrawn on a terminal, or a line per 10 %. Reports
// arrive on the communication thread.
class ProgressDisplay
{
public:
    ProgressDisplay(const QString &label, qint64 total, bool bar)
        : m_label(label)
        , m_total(total)
        , m_bar(bar)
    {
    }

    void report(qint64 count)
    {
        QMutexLocker lock(&m_mutex);
        if (!m_clock.isValid()) {
            m_clock.start();
            m_first = count;
        }
        const int percent = m_total > 0 ? int(count * kPercent / m_total) : kPercent;
        if (m_bar) {
            const int filled = percent * kBarWidth / kPercent;
            // Padded so that a shorter rate leaves nothing of a longer one behind.
            const QString line = QStringLiteral("\r[%1%2] %3 %  %4     ")
                                     .arg(QString(filled, QLatin1Char('#')),
                                         QString(kBarWidth - filled, QLatin1Char(' ')))
                                     .arg(percent, 3)
                                     .arg(rate(count));
            std::fputs(line.toUtf8().constData(), stderr);
            std::fflush(stderr);
            m_drawn = true;
            return;
        }
        while (m_nextLine <= percent) {
            const QString line = QStringLiteral("%1firmware %2 % (%3 of %4 bytes)\n")
                                     .arg(m_label.isEmpty() ? QString() : m_label + QStringLiteral(": "))
                                     .arg(m_nextLine)
                                     .arg(count)
                                     .arg(m_total);
            std::fputs(line.toUtf8().constData(), stderr);
            m_nextLine += kLineStepPercent;
        }
        std::fflush(stderr);
    }

    void finish()
    {
        QMutexLocker lock(&m_mutex);
        if (m_drawn)
            std::fputs("\n", stderr);
    }

private:
    QString rate(qint64 count) const
    {
        const qint64 ms = m_clock.elapsed();
        if (ms <= 0 || count <= m_first)
            return QString();
        const double perSecond = double(count - m_first) * kMsPerSecond / double(ms);
        return QStringLiteral("%1 MB/s").arg(perSecond / kBytesPerMegabyte, 0, 'f', 2);
    }

    QMutex m_mutex;
    QString m_label;
    qint64 m_total;
    bool m_bar;
    bool m_drawn = false;
    int m_nextLine = kLineStepPercent;
    QElapsedTimer m_clock;
    qint64 m_first = 0;
};
} // namespace

int CtlJob::readFirmware()
{
    const QString path = m_options.arguments.first();
    QString reason;
    if (FirmwareDownload::readFile(path, &m_firmware, &reason))
        return CtlExit::Ok;
    error(QString::fromLatin1(FirmwareDownload::unreadableText()));
    error(QStringLiteral("%1: %2").arg(path, reason));
    return CtlExit::LocalFailure;
}

int CtlJob::firmwareCommand(DataDispatcher &dispatcher, const PrinterSession &session)
{
    const bool several = !m_fileTag.isEmpty();
    const QString label = several ? m_connection.label() : QString();
    std::fputs(QStringLiteral("%1sending %2 (%3) to %4; the printer first takes %5 s to enter "
                              "its download mode\n")
                   .arg(several ? label + QStringLiteral(": ") : QString(),
                       QFileInfo(m_options.arguments.first()).fileName(),
                       FirmwareDownload::sizeText(m_firmware.size()),
                       session.modelRecord().section(QLatin1Char(';'), 0, 0))
                   .arg(FirmwareDownload::kEnterDownloadModeMs / int(kMsPerSecond))
                   .toUtf8()
                   .constData(),
        stderr);
    std::fflush(stderr);

    // Several printers at once each get lines of their own; a bar is for one printer.
    ProgressDisplay progress(label, m_firmware.size(), !several && Terminal::errorIsTerminal());
    Communication *comm = dispatcher.communication();
    const QMetaObject::Connection reports = QObject::connect(
        comm, &Communication::transferDataCount, comm,
        [&progress](int count) { progress.report(count); }, Qt::DirectConnection);
    dispatcher.setOperation(DataDispatcher::OpFirmware, m_firmware);
    dispatcher.run();
    QObject::disconnect(reports);
    progress.finish();

    const FirmwareDownload::Outcome outcome = dispatcher.firmwareResult().outcome();
    const QString text = QString::fromLatin1(FirmwareDownload::outcomeText(outcome));
    if (outcome == FirmwareDownload::Outcome::Complete) {
        print(text);
        return CtlExit::Ok;
    }
    if (dispatcher.printerChanged()) {
        error(QStringLiteral("Printer has changed!"));
        return CtlExit::Refused;
    }
    for (const QString &message : session.errorMessages())
        error(message);
    error(text);
    return CtlExit::Communication;
}
