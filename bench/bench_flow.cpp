// Connect -> settings shown, and save, against the simulated printer over TCP, a serial
// pseudo-terminal and the simulated USB tree, each beside the printer-facing delays those
// operations require (the floor).
#include <algorithm>
#include <numeric>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QToolButton>

#include "core/configfile.h"
#include "app/mainwindow.h"
#include "app/optionbar.h"
#include "connect_ui/connectpanel.h"
#include "comm/delayservice.h"
#include "settings_ui/widgetengine.h"
#include "settings_ui/adminsettingswidget.h"
#include "simprocess.h"

namespace {
constexpr int kRounds = 3;
constexpr int kEngineCloseDelayMs = 1000; // the busy indicator's pause after loading pages

enum class Link { Tcp, Serial, Usb };

int sum(const QVector<int> &values)
{
    return std::accumulate(values.begin(), values.end(), 0);
}

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
}

bool startSim(SimProcess &sim, Link link)
{
    QStringList args{QStringLiteral("--profile"), QStringLiteral("zn470kw")};
    switch (link) {
    case Link::Tcp:
        args << QStringLiteral("--tcp") << QStringLiteral("127.0.0.1:0");
        break;
    case Link::Serial:
        args << QStringLiteral("--pty");
        break;
    case Link::Usb:
        args << QStringLiteral("--usb-root") << sim.dir() + QStringLiteral("/usb");
        break;
    }
    return sim.start(args);
}

void configure(const SimProcess &sim, Link link)
{
    {
        ConfigFile config;
        QFile::remove(config.fileName());
    }
    ConfigFile config;
    config.checkVersion();
    config.writeValue(QStringLiteral("PortSelect"), QStringLiteral("porttype"), QStringLiteral("9"));
    switch (link) {
    case Link::Tcp:
        config.writeValue(QStringLiteral("Port"), QStringLiteral("type"), QStringLiteral("Wifi"));
        config.writeValue(QStringLiteral("Wifi"), QStringLiteral("serverip"), QStringLiteral("127.0.0.1"));
        config.writeValue(QStringLiteral("Wifi"), QStringLiteral("port"), QString::number(sim.tcpPort()));
        break;
    case Link::Serial:
        config.writeValue(QStringLiteral("Port"), QStringLiteral("type"), QStringLiteral("Serial Port"));
        config.writeValue(QStringLiteral("SerialPort"), QStringLiteral("port"), QStringLiteral("2"));
        config.writeValue(QStringLiteral("Devices"), QStringLiteral("COM3"), sim.ptyPath());
        break;
    case Link::Usb:
        config.writeValue(QStringLiteral("Port"), QStringLiteral("type"), QStringLiteral("USB"));
        config.writeValue(QStringLiteral("Mode"), QStringLiteral("mode"), QStringLiteral("0"));
        config.writeValue(QStringLiteral("Devices"), QStringLiteral("UsbSysfsRoot"),
                          sim.dir() + QStringLiteral("/usb/sys"));
        config.writeValue(QStringLiteral("Devices"), QStringLiteral("UsbDevRoot"),
                          sim.dir() + QStringLiteral("/usb/dev"));
        break;
    }
}
} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir configDir;
    qputenv("XDG_CONFIG_HOME", configDir.path().toLocal8Bit());
    qputenv("RKMENU_DISMISS_MESSAGES_MS", "0");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);

    auto line = [&](const QString &what, const QVector<double> &times, const QVector<double> &floors) {
        const double t = median(times);
        const double f = median(floors);
        out << QStringLiteral("%1: %2 ms (floor %3 ms, %4x), median of %5")
                   .arg(what)
                   .arg(t, 0, 'f', 1)
                   .arg(f, 0, 'f', 1)
                   .arg(f > 0 ? t / f : 0.0, 0, 'f', 3)
                   .arg(kRounds)
            << Qt::endl;
    };

    const struct {
        Link link;
        const char *name;
    } links[] = {{Link::Tcp, "TCP"}, {Link::Serial, "serial pty"}, {Link::Usb, "USB tree"}};
    for (const auto &l : links) {
        SimProcess sim;
        if (!startSim(sim, l.link)) {
            out << l.name << ": simulator did not start: " << sim.errorText() << Qt::endl;
            return 1;
        }
        configure(sim, l.link);
        QVector<double> showTimes, showFloors, saveTimes, saveFloors;
        for (int round = 0; round < kRounds; ++round) {
            RecordingDelayService delay(1.0); // records and really waits every printer-facing pause
            MainWindow window(1, QStringLiteral(RK_DATABASE_PATH), &delay);
            window.show();
            QElapsedTimer timer;
            timer.start();
            window.connectPanel()->connectButton()->click();
            window.optionBar()->settingsButton()->click();
            showTimes << timer.nsecsElapsed() / 1e6;
            showFloors << sum(delay.requested()) + kEngineCloseDelayMs;
            if (!window.settingsShowing()) {
                out << l.name << ": the settings page did not open" << Qt::endl;
                return 1;
            }

            delay.clear();
            if (auto *combo = window.findChild<QComboBox *>())
                combo->setCurrentIndex((combo->currentIndex() + 1) % qMax(1, combo->count()));
            timer.restart();
            emit window.userSettingsPage()->saveSettings(false);
            saveTimes << timer.nsecsElapsed() / 1e6;
            saveFloors << sum(delay.requested());
            if (sim.count(QStringLiteral("DATA writeBlock")) != round + 1) {
                out << l.name << ": the block did not reach the printer" << Qt::endl;
                return 1;
            }
        }
        line(QStringLiteral("%1 connect -> settings shown").arg(QLatin1String(l.name)), showTimes, showFloors);
        line(QStringLiteral("%1 save").arg(QLatin1String(l.name)), saveTimes, saveFloors);
    }
    return 0;
}
