// Long runs against the simulator: 1000 connect-read-save cycles through the dispatcher the
// window uses (memory and open files after the first 50 cycles and at the end), then rkctl
// --hosts over 200 simulated printers, some silent and some hostile, beside one printer's time
// times 200 / jobs.
#include <algorithm>

#include <sys/resource.h>
#include <sys/wait.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include "comm/delayservice.h"
#include "core/automation.h"
#include "core/configfile.h"
#include "engine/datadispatcher.h"
#include "simprocess.h"

namespace {
constexpr int kCycles = 1000;
constexpr int kWarmCycles = 50;
constexpr int kSoundPrinters = 180;
constexpr int kHostilePrinters = 10;
constexpr int kSilentPrinters = 10;
constexpr int kJobs = 8;
constexpr int kSingleRuns = 3;
constexpr int kRkctlTimeoutMs = 600000;
constexpr int kChangedPosition = 224;
constexpr double kAllowedGrowth = 0.10;

QTextStream out(stdout);

qint64 rssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

int openFiles()
{
    return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::System).size());
}

// One cycle as the window does it: connect (identify), read the settings, check the printer,
// save a changed block. False with the step that failed.
bool cycle(DataDispatcher &d, int i, QString *failed)
{
    d.setOperation(DataDispatcher::OpIdentify);
    d.run();
    if (d.modelName().isEmpty()) {
        *failed = QStringLiteral("connect");
        return false;
    }
    d.setOperation(DataDispatcher::OpReadSettings);
    d.run();
    QByteArray block = d.settingBlock();
    if (block.size() != DataDispatcher::kBlockSize) {
        *failed = QStringLiteral("read");
        return false;
    }
    d.setOperation(DataDispatcher::OpPrinterCheck);
    d.run();
    if (!d.printerConfirmed()) {
        *failed = QStringLiteral("check");
        return false;
    }
    block[kChangedPosition] = char(i % 2);
    d.setOperation(DataDispatcher::OpWriteSettings, block);
    d.run();
    if (!d.saved()) {
        *failed = QStringLiteral("save");
        return false;
    }
    return true;
}

int soakCycles()
{
    SimProcess sim;
    // Two printers, taken in turn: every cycle opens a new connection and drops the old one.
    if (!sim.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--count"),
                       QStringLiteral("2") },
            2)) {
        out << "simulator: " << sim.errorText() << Qt::endl;
        return 1;
    }
    ConfigFile config;
    config.checkVersion();
    SleepingDelayService delay(automation::printerDelayScale());
    DataDispatcher d(delay, &config);
    d.setPortType(3);
    const quint16 ports[2] = { sim.tcpPort(0), sim.tcpPort(1) };

    const int filesBefore = openFiles();
    qint64 rssWarm = 0;
    int filesWarm = 0;
    int failures = 0;
    QString lastFailure;
    QElapsedTimer timer;
    timer.start();
    qint64 warmMs = 0;
    for (int i = 0; i < kCycles; ++i) {
        d.setWifiConfig(QStringLiteral("127.0.0.1"), ports[i % 2]);
        QString failed;
        if (!cycle(d, i, &failed)) {
            ++failures;
            lastFailure = QStringLiteral("cycle %1: %2").arg(i).arg(failed);
        }
        if (i + 1 == kWarmCycles) {
            rssWarm = rssKb();
            filesWarm = openFiles();
            warmMs = timer.elapsed();
        }
    }
    const qint64 totalMs = timer.elapsed();
    d.setOperation(DataDispatcher::OpLeave);
    d.run();
    const qint64 rssEnd = rssKb();
    const int filesEnd = openFiles();
    const double growth = rssWarm > 0 ? double(rssEnd - rssWarm) / double(rssWarm) : 0.0;

    out << "connect-read-save cycles through DataDispatcher over TCP (two simulated printers in turn)\n";
    out << QStringLiteral("  cycles: %1, failed: %2%3\n")
               .arg(kCycles)
               .arg(failures)
               .arg(lastFailure.isEmpty() ? QString() : QStringLiteral(" (last: %1)").arg(lastFailure));
    out << QStringLiteral("  time: %1 s in all, %2 ms a cycle (%3 ms a cycle over the first %4)\n")
               .arg(double(totalMs) / 1000.0, 0, 'f', 1)
               .arg(double(totalMs) / kCycles, 0, 'f', 1)
               .arg(double(warmMs) / kWarmCycles, 0, 'f', 1)
               .arg(kWarmCycles);
    out << QStringLiteral("  RSS: %1 KiB after %2 cycles, %3 KiB at the end (%4%5 %, limit 10 %)\n")
               .arg(rssWarm)
               .arg(kWarmCycles)
               .arg(rssEnd)
               .arg(growth >= 0 ? QStringLiteral("+") : QString())
               .arg(growth * 100.0, 0, 'f', 1);
    out << QStringLiteral("  open files: %1 before, %2 after %3 cycles, %4 at the end\n")
               .arg(filesBefore)
               .arg(filesWarm)
               .arg(kWarmCycles)
               .arg(filesEnd);
    const bool ok = failures == 0 && growth <= kAllowedGrowth && filesEnd <= filesWarm;
    out << "  verdict: " << (ok ? "ok" : "NOT OK") << "\n" << Qt::endl;
    return ok ? 0 : 1;
}

struct RkctlResult
{
    int code = -1;
    qint64 ms = 0;
    QByteArray stdOut;
};

RkctlResult rkctl(const QStringList &args)
{
    QProcess process;
    process.setProgram(QStringLiteral(RK_BIN_DIR "/rkctl"));
    process.setArguments(args);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("RKMENU_PRINTER_DELAY_SCALE")))
        env.insert(QStringLiteral("RKMENU_PRINTER_DELAY_SCALE"), QStringLiteral("0.01"));
    process.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    process.start();
    process.closeWriteChannel();
    RkctlResult r;
    if (!process.waitForFinished(kRkctlTimeoutMs)) {
        process.kill();
        process.waitForFinished();
        return r;
    }
    r.ms = timer.elapsed();
    r.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.stdOut = process.readAllStandardOutput();
    return r;
}

int hostsRun()
{
    SimProcess sound;
    SimProcess hostile;
    SimProcess silent;
    const QStringList common { QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--count") };
    // Hostile: the block read comes back as garbage. Silent: every reply is cut to nothing.
    if (!sound.start(common + QStringList { QString::number(kSoundPrinters) }, kSoundPrinters)
        || !hostile.start(common
                + QStringList { QString::number(kHostilePrinters), QStringLiteral("--hostile"),
                    QStringLiteral("garbage@readSettings#1") },
            kHostilePrinters)
        || !silent.start(common
                + QStringList { QString::number(kSilentPrinters), QStringLiteral("--truncate"),
                    QStringLiteral("0") },
            kSilentPrinters)) {
        out << "simulator: " << sound.errorText() << hostile.errorText() << silent.errorText() << Qt::endl;
        return 1;
    }
    QTemporaryDir dir;
    const QString hostsFile = dir.filePath(QStringLiteral("hosts.txt"));
    QFile file(hostsFile);
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    // Mixed through the list, as a real fleet would be.
    QStringList lines;
    for (int i = 0; i < kSoundPrinters; ++i)
        lines << QStringLiteral("127.0.0.1:%1").arg(sound.tcpPort(i));
    for (int i = 0; i < kHostilePrinters; ++i)
        lines.insert((i * 17) % lines.size(), QStringLiteral("127.0.0.1:%1").arg(hostile.tcpPort(i)));
    for (int i = 0; i < kSilentPrinters; ++i)
        lines.insert((i * 19 + 5) % lines.size(), QStringLiteral("127.0.0.1:%1").arg(silent.tcpPort(i)));
    file.write(lines.join(QLatin1Char('\n')).toUtf8() + '\n');
    file.close();

    QVector<qint64> single;
    for (int i = 0; i < kSingleRuns; ++i) {
        const RkctlResult r = rkctl({ QStringLiteral("--host"), QStringLiteral("127.0.0.1"),
            QStringLiteral("--tcp-port"), QString::number(sound.tcpPort(i)), QStringLiteral("read") });
        if (r.code != 0) {
            out << "rkctl read of one printer failed: " << r.code << Qt::endl;
            return 1;
        }
        single << r.ms;
    }
    std::sort(single.begin(), single.end());
    const qint64 one = single.at(single.size() / 2);

    const RkctlResult all = rkctl({ QStringLiteral("--hosts"), hostsFile, QStringLiteral("--jobs"),
        QString::number(kJobs), QStringLiteral("--json"), QStringLiteral("read") });
    const QJsonObject doc = QJsonDocument::fromJson(all.stdOut).object();
    struct rusage usage {};
    getrusage(RUSAGE_CHILDREN, &usage);
    const int printers = int(lines.size());
    const double expected = double(one) * printers / kJobs;

    out << "rkctl --hosts read over simulated printers\n";
    out << QStringLiteral("  printers: %1 (%2 sound, %3 hostile: garbage block read, %4 silent), --jobs %5\n")
               .arg(printers)
               .arg(kSoundPrinters)
               .arg(kHostilePrinters)
               .arg(kSilentPrinters)
               .arg(kJobs);
    out << QStringLiteral("  exit code %1, %2 of %3 succeeded\n")
               .arg(all.code)
               .arg(doc.value(QStringLiteral("succeeded")).toInt())
               .arg(doc.value(QStringLiteral("total")).toInt());
    out << QStringLiteral("  one printer (rkctl read, median of %1 runs): %2 ms\n").arg(kSingleRuns).arg(one);
    out << QStringLiteral("  all printers: %1 ms; one printer's time x %2 / %3 jobs = %4 ms (ratio %5)\n")
               .arg(all.ms)
               .arg(printers)
               .arg(kJobs)
               .arg(expected, 0, 'f', 0)
               .arg(double(all.ms) / expected, 0, 'f', 2);
    // Each kind's own time per printer, from rkctl's table.
    QMap<QString, QString> kindOf;
    for (int i = 0; i < kSoundPrinters; ++i)
        kindOf.insert(QStringLiteral("127.0.0.1:%1").arg(sound.tcpPort(i)), QStringLiteral("sound"));
    for (int i = 0; i < kHostilePrinters; ++i)
        kindOf.insert(QStringLiteral("127.0.0.1:%1").arg(hostile.tcpPort(i)), QStringLiteral("hostile"));
    for (int i = 0; i < kSilentPrinters; ++i)
        kindOf.insert(QStringLiteral("127.0.0.1:%1").arg(silent.tcpPort(i)), QStringLiteral("silent"));
    QMap<QString, QPair<double, int>> perKind;
    for (const QJsonValue &v : doc.value(QStringLiteral("results")).toArray()) {
        const QJsonObject r = v.toObject();
        auto &k = perKind[kindOf.value(r.value(QStringLiteral("host")).toString(), QStringLiteral("?"))];
        k.first += r.value(QStringLiteral("seconds")).toDouble();
        ++k.second;
    }
    for (auto it = perKind.cbegin(); it != perKind.cend(); ++it)
        out << QStringLiteral("  %1 printers: %2 ms each on average (exit codes in the table)\n")
                   .arg(it.key())
                   .arg(1000.0 * it.value().first / qMax(1, it.value().second), 0, 'f', 0);
    out << QStringLiteral("  largest rkctl resident size: %1 KiB\n").arg(usage.ru_maxrss);
    // The sound printers alone, where the jobs have no silent printer's wait to hide.
    const QString soundFile = dir.filePath(QStringLiteral("sound.txt"));
    QFile soundList(soundFile);
    if (!soundList.open(QIODevice::WriteOnly))
        return 1;
    for (int i = 0; i < kSoundPrinters; ++i)
        soundList.write(QStringLiteral("127.0.0.1:%1\n").arg(sound.tcpPort(i)).toUtf8());
    soundList.close();
    const RkctlResult soundOnly = rkctl({ QStringLiteral("--hosts"), soundFile, QStringLiteral("--jobs"),
        QString::number(kJobs), QStringLiteral("read") });
    const double soundExpected = double(one) * kSoundPrinters / kJobs;
    out << QStringLiteral("  the %1 sound printers alone: exit code %2, %3 ms; one printer's time x %1 / %4 jobs = %5 ms (ratio %6)\n")
               .arg(kSoundPrinters)
               .arg(soundOnly.code)
               .arg(soundOnly.ms)
               .arg(kJobs)
               .arg(soundExpected, 0, 'f', 0)
               .arg(double(soundOnly.ms) / soundExpected, 0, 'f', 2);
    const bool ok = soundOnly.code == 0 && doc.value(QStringLiteral("succeeded")).toInt() == kSoundPrinters
        && doc.value(QStringLiteral("total")).toInt() == printers;
    out << "  verdict: " << (ok ? "ok" : "NOT OK") << Qt::endl;
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // The bench's own configuration, never the user's.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    int failures = 0;
    if (!args.contains(QStringLiteral("--hosts-only")))
        failures += soakCycles();
    if (!args.contains(QStringLiteral("--cycles-only")))
        failures += hostsRun();
    return failures == 0 ? 0 : 1;
}
