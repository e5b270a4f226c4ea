#pragma once

#include <functional>
#include <memory>

#include <QByteArray>
#include <QObject>
#include <QString>

#include "engine/settinggroups.h"

class ConfigFile;
class DataDispatcher;
class WidgetDispose;
class WidgetEngine;

// The buttons of the special groups on the settings page: Write of Wi-Fi, Ethernet and Bluetooth,
// the network address and MAC address, the Wi-Fi combo boxes' kept values, and dot adjustment.
// Every write goes behind the printer check, and a group's values enter the engine's block only
// once the printer has confirmed them.
class GroupFlow : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GroupFlow)

public:
    // What the flow needs of the main window.
    struct Host
    {
        // Runs a dispatcher operation behind the busy indicator; false when it reported a
        // communication error.
        std::function<bool(int operation, const QByteArray &data)> run;
        // Shows a message box of the given type (the message box's numbers).
        std::function<void(int type, const QString &text)> message;
        // The printer check before a write; false (its message shown) when it failed.
        std::function<bool()> printerAnswers;
        // Leaves the settings pages when the last operation found another printer.
        std::function<bool()> leaveIfChanged;
    };

    GroupFlow(WidgetEngine *engine, DataDispatcher *dispatcher, ConfigFile *config, Host host,
        QObject *parent = nullptr);
    ~GroupFlow() override;

    // The pages were built and filled: their group controls are wired anew.
    void pagesFilled();
    // A settings file was shown: the pairs follow the values it brought.
    void imported();
    // The controls were filled anew (factory defaults): every group rule is applied again.
    void refilled();
    WidgetDispose *dispose() const { return m_dispose.get(); }

    // What a control of a group shows.
    GroupValue valueOf(const ControlRow &row) const;

public slots:
    void onButtonAction(const QString &action);

private:
    void writeGroup(const QString &group);
    void readAddress();
    void readMac();
    void writeMac();
    void restoreWifi(bool defaults);
    void restoreDots(bool defaults);
    void writeDots();
    void testDots();
    void acceptGroup(const QString &group);
    bool confirmedWrite(int operation, const QByteArray &data);

    WidgetEngine *m_engine;
    DataDispatcher *m_dispatcher;
    ConfigFile *m_config;
    Host m_host;
    std::unique_ptr<WidgetDispose> m_dispose;
};
