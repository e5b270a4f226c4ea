#pragma once

#include <memory>

#include <QMainWindow>
#include <QPoint>
#include <QRect>

#include "database/records.h"
#include "database/settingsdatabase.h"

class QStackedWidget;
class QThread;
class AdminSettingsWidget;
class DataDispatcher;
class DelayService;
class DesignerFlow;
class DeviceTest;
class DeviceTestFlow;
class GroupFlow;
class FirmwareFlow;
class WidgetEngine;
class ConfigFile;
class ConnectConfig;
class ConnectPanel;
class HelpAboutPage;
class ListWidget;
class LogoBar;
class MessageQueue;
class OptionBar;
class ParameterListFlow;
class PrinterInfo;
class SlideArea;
class TestPageSetting;
class TipWidget;
class UpdateFirmware;
class UsbPort;
class WaittingDlg;
class WindowHandler;

// The frameless main window: home page, title bar, side panels and the flows between pages.
class MainWindow : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 720;
    static constexpr int kTitleHeight = 30;

    // language: 0 Simplified Chinese, 1 English (the language of the database texts).
    // databaseFile: the settings database; empty for SWTDatabase.db beside the program.
    // delay: where printer-facing pauses go (not owned); null for real sleeping.
    explicit MainWindow(int language = 1, const QString &databaseFile = QString(),
                        DelayService *delay = nullptr, QWidget *parent = nullptr);
    ~MainWindow() override;

    // Shows the message box modally; returns 1 when the user confirmed.
    int showMessage(int type, const QString &text);
    int showMessageAt(int type, const QString &text, const QPoint &offset);
    // Shows the busy indicator until the worker started just before finishes (plus delayMs).
    void runBusy(int delayMs);
    // Where a dialog of this size goes, by the window's state.
    QPoint dialogPosition(const QSize &dialog, const QPoint &offset) const;

    // The settings page's Export and Import without their file dialogs.
    void exportSettingsTo(const QString &fileName);
    void importSettingsFrom(const QString &fileName);

    // Sets the dispatcher operation, starts its thread and waits in the busy indicator.
    void runOperation(int operation, const QByteArray &data1 = QByteArray(), int closeDelayMs = 0);

    int mode() const { return m_mode; }
    int language() const { return m_language; }
    QString connectedModel() const { return m_connectedModel; }
    QString currentTypeName() const { return m_currentTypeName; }
    PrinterTypeRecord currentPrinterType() const { return m_currentPrinterType; }
    bool legacyVariant() const { return m_legacyVariant; }
    bool settingsShowing() const { return m_settingsShowing; }

    ConfigFile *config() const { return m_config; }
    TipWidget *tip() const { return m_tip; }
    WaittingDlg *waitDialog() const { return m_waitDialog; }
    WindowHandler *titleBar() const { return m_titleBar; }
    QStackedWidget *stack() const { return m_stack; }
    QWidget *homePage() const { return m_homePage; }
    LogoBar *logoBar() const { return m_logoBar; }
    ConnectPanel *connectPanel() const { return m_connectPanel; }
    OptionBar *optionBar() const { return m_optionBar; }
    ConnectConfig *connectConfig() const { return m_connectConfig; }
    PrinterInfo *printerInfo() const { return m_printerInfo; }
    HelpAboutPage *helpPage() const { return m_helpPage; }
    SlideArea *slideArea() const { return m_slideArea; }
    DataDispatcher *dispatcher() const { return m_dispatcher; }
    WidgetEngine *engine() const { return m_engine; }
    GroupFlow *groupFlow() const { return m_groupFlow; }
    AdminSettingsWidget *userSettingsPage() const { return m_userSettingsPage; }
    ParameterListFlow *parameterListFlow() const { return m_parameterFlow; }
    DesignerFlow *designerFlow() const { return m_designerFlow; }
    ListWidget *deviceList() const { return m_deviceList; }
    UsbPort *usbPort() const { return m_usb; }
    TestPageSetting *testPageSetup() const { return m_testPageSetup; }
    DeviceTest *deviceTestPage() const { return m_deviceTestPage; }
    UpdateFirmware *firmwarePage() const { return m_firmwarePage; }

signals:
    void resetMainWidget();
    void showConnectConfig();
    void showPrinterInfo();
    void hideWaitDlg();
    void showDialogs();
    void closeConfig();
    void freshAdmin();
    void moveNormal();
    void savePrinterCompleted();

private slots:
    void onConnectPrinter();
    void onDisconnectPrinter();
    void onShowConnectConfig();
    void onShowSettings();
    void onShowTestings();
    void onShowUpgradeFw();
    void onShowAbout();
    void onShowEdit();
    void onShowAdminSettings();
    void onBackToHome();
    void onCloseWindow();
    void onPortSettingOk();
    void onCommunicateError(int code);
    void onDeviceTestResult(int result);
    void onSaveSettings(bool restoring);
    void onRefreshSettings();
    void onResetSettings();
    void onExportSettings();
    void onImportSettings();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildUi();
    void buildSidePanels();
    QWidget *makePlaceholderPage(const QString &title);
    void showPage(QWidget *page, bool maximized = true);
    // Pages that talk to a printer refuse to open while none is connected.
    bool requirePrinter();
    // Shows the database error box when the settings database cannot be used.
    bool databaseUsable();
    void disconnectPrinter();
    void createWorkers();
    void createGroupFlow();
    void wireConnectConfig();
    void goHome();
    // The USB steps before identification; false when the connect flow stops.
    bool prepareUsb();
    // The printer type row for the identified printer; empty name when unsupported.
    PrinterTypeRecord lookUpPrinterType();
    void showSettingsPage();
    void createParameterListFlow();
    // Whether the settings page shows values not yet written, on either kind of page.
    bool hasUnsavedChanges() const;
    void runEngine(int workMode, int closeDelayMs);
    // Setting-block positions of the two bytes a factory reset keeps.
    QPair<int, int> preservedPositions() const;
    // The printer check before a write: false (with its message shown) when another printer
    // answers or the check failed.
    bool identifiedPrinterAnswers();
    // Leaves a printer the last operation found to be another than the identified one.
    bool leaveChangedPrinter();

    ConfigFile *m_config = nullptr;
    int m_mode = 0;
    int m_language = 1;
    WaittingDlg *m_waitDialog = nullptr;
    TipWidget *m_tip = nullptr;
    std::unique_ptr<MessageQueue> m_messages;
    QRect m_availableArea;
    WindowHandler *m_titleBar = nullptr;
    QStackedWidget *m_stack = nullptr;
    QWidget *m_homePage = nullptr;
    LogoBar *m_logoBar = nullptr;
    ConnectPanel *m_connectPanel = nullptr;
    OptionBar *m_optionBar = nullptr;
    ConnectConfig *m_connectConfig = nullptr;
    PrinterInfo *m_printerInfo = nullptr;
    AdminSettingsWidget *m_userSettingsPage = nullptr;
    ParameterListFlow *m_parameterFlow = nullptr;
    QWidget *m_designerPage = nullptr;
    DeviceTest *m_deviceTestPage = nullptr;
    DeviceTestFlow *m_deviceTestFlow = nullptr;
    UpdateFirmware *m_firmwarePage = nullptr;
    FirmwareFlow *m_firmwareFlow = nullptr;
    DesignerFlow *m_designerFlow = nullptr;
    GroupFlow *m_groupFlow = nullptr;
    HelpAboutPage *m_helpPage = nullptr;
    SlideArea *m_slideArea = nullptr;
    ListWidget *m_deviceList = nullptr;
    TestPageSetting *m_testPageSetup = nullptr;
    DatabaseLocation m_database;
    std::unique_ptr<DelayService> m_ownDelay;
    DelayService *m_delay = nullptr;
    UsbPort *m_usb = nullptr; // owned by the communication engine
    DataDispatcher *m_dispatcher = nullptr;
    QThread *m_dispatcherThread = nullptr;
    WidgetEngine *m_engine = nullptr;
    QThread *m_engineThread = nullptr;
    PrinterTypeRecord m_currentPrinterType;
    QString m_firmwareNumber;
    bool m_legacyVariant = false;
    int m_preservedByte1 = 0;
    int m_preservedByte2 = 0;
    QString m_connectedModel;
    QString m_currentTypeName;
    bool m_errorReported = false;
    bool m_settingsShowing = false;
    QPoint m_dragOffset;
};
