// Connect -> settings shown, and save, against the simulated printer over TCP, beside the
// printer-facing delays those operations require (the floor).
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
constexpr int kRounds = 5;
constexpr int kEngineCloseDelayMs = 1000; // the busy indicator's pause after loading pages

int sum(const QVector<int> &values)
{
    return std::accumulate(values.begin(), values.end(), 0);
}

double median(QVector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.at(v.size() / 2);
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

    SimProcess sim;
    if (!sim.start({QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"), QStringLiteral("--profile"),
                    QStringLiteral("zn470kw")})) {
        out << "simulator did not start: " << sim.errorText() << Qt::endl;
        return 1;
    }
    {
        ConfigFile config;
        config.checkVersion();
        config.writeValue(QStringLiteral("PortSelect"), QStringLiteral("porttype"), QStringLiteral("9"));
        config.writeValue(QStringLiteral("Port"), QStringLiteral("type"), QStringLiteral("Wifi"));
        config.writeValue(QStringLiteral("Wifi"), QStringLiteral("serverip"), QStringLiteral("127.0.0.1"));
        config.writeValue(QStringLiteral("Wifi"), QStringLiteral("port"), QString::number(sim.tcpPort()));
    }

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
            out << "the settings page did not open" << Qt::endl;
            return 1;
        }

        delay.clear();
        if (auto *combo = window.findChild<QComboBox *>())
            combo->setCurrentIndex((combo->currentIndex() + 1) % qMax(1, combo->count()));
        timer.restart();
        emit window.userSettingsPage()->saveSettings(false);
        saveTimes << timer.nsecsElapsed() / 1e6;
        saveFloors << sum(delay.requested());
    }

    auto line = [&](const char *what, const QVector<double> &times, const QVector<double> &floors) {
        const double t = median(times);
        const double f = median(floors);
        out << QStringLiteral("%1: %2 ms (floor %3 ms, %4x), median of %5")
                   .arg(QLatin1String(what))
                   .arg(t, 0, 'f', 1)
                   .arg(f, 0, 'f', 1)
                   .arg(f > 0 ? t / f : 0.0, 0, 'f', 3)
                   .arg(kRounds)
            << Qt::endl;
    };
    line("connect -> settings shown", showTimes, showFloors);
    line("save", saveTimes, saveFloors);
    return 0;
}
