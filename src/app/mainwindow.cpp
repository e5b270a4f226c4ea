#include "app/mainwindow.h"

#include <cmath>

#include <QApplication>
#include <QComboBox>
#include <QDebug>
#include <QFileDialog>
#include <QThread>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QWindow>

#include "core/configfile.h"
#include "core/dialogplacement.h"
#include "core/filelocations.h"
#include "app/listwidget.h"
#include "app/logobar.h"
#include "app/optionbar.h"
#include "app/slidearea.h"
#include "app/messagequeue.h"
#include "core/restart.h"
#include "app/tipwidget.h"
#include "app/waittingdlg.h"
#include "app/windowhandler.h"
#include "comm/bluetoothclient.h"
#include "comm/classdriverusbport.h"
#include "connect_ui/connectconfig.h"
#include "connect_ui/connectpanel.h"
#include "connect_ui/printerinfo.h"
#include "comm/commerror.h"
#include "comm/communication.h"
#include "comm/delayservice.h"
#include "comm/portchoices.h"
#include "components/helpaboutpage.h"
#include "app/databaseerrorbox.h"
#include "database/printertypetable.h"
#include "maintenance_ui/firmwareflow.h"
#include "maintenance_ui/updatefirmware.h"
#include "engine/datadispatcher.h"
#include "engine/printersession.h"
#include "engine/settingsfile.h"
#include "engine/settingsmodel.h"
#include "settings_ui/groupflow.h"
#include "settings_ui/widgetengine.h"
#include "settings_ui/adminsettingswidget.h"
#include "settings_ui/parameterlistflow.h"
#include "designer_ui/dbmanagewidget.h"
#include "designer_ui/designerflow.h"
#include "designer_ui/settingswidget.h"
#include "maintenance_core/devicetest.h"
#include "maintenance_ui/devicetest.h"
#include "maintenance_ui/devicetestflow.h"
#include "maintenance_ui/testpagesetting.h"

namespace {
constexpr int kModeLocked = 3;
constexpr int kDragStripHeight = 30;
constexpr int kDragFollowHeight = 70;
constexpr int kConfigPanelWidth = 304;
constexpr int kInfoPanelWidth = 300;
constexpr int kEngineCloseDelayMs = 1000;
} // namespace

// The images live in a static library, so they are registered by hand (outside any namespace).
static void initResources()
{
    static bool done = false;
    if (!done) {
        Q_INIT_RESOURCE(resources);
        done = true;
    }
}

MainWindow::MainWindow(int language, const QString &databaseFile, DelayService *delay,
                       QWidget *parent)
    : QMainWindow(parent)
    , m_language(language)
    , m_database(databaseFile.isEmpty() ? DatabaseLocation::delivered(databaseErrorBox())
                                        : DatabaseLocation(databaseFile, databaseErrorBox()))
    , m_ownDelay(delay ? nullptr : std::make_unique<SleepingDelayService>())
    , m_delay(delay ? delay : m_ownDelay.get())
{
    initResources();
    m_config = new ConfigFile(this);
    m_config->checkVersion();
    m_mode = m_config->readInt(QStringLiteral("Mode/mode"));
    if (m_mode == -1)
        m_mode = kModeLocked;

    m_waitDialog = new WaittingDlg(this);
    m_waitDialog->hide();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        m_availableArea = screen->availableGeometry();
    m_tip = new TipWidget(this);
    m_messages = std::make_unique<MessageQueue>(m_tip);
    resize(kWidth, kHeight);
    setMinimumSize(kWidth, kHeight);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setProperty("canMove", true);
    setWindowTitle(QStringLiteral("RKMENU"));
    setWindowIcon(QIcon(QStringLiteral(":/config/source/logo.png")));

    createWorkers();
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    buildUi();
}

MainWindow::~MainWindow()
{
    // Both threads are idle: the close flow waited for the port to close.
    m_dispatcherThread->quit();
    m_dispatcherThread->wait();
    delete m_dispatcher;
    delete m_dispatcherThread;
    m_engineThread->quit();
    m_engineThread->wait();
    delete m_engine;
    delete m_engineThread;
}

void MainWindow::createWorkers()
{
    // Worker objects cannot move to a thread while they have a parent; the window deletes them.
    m_usb = new ClassDriverUsbPort(m_config, Communication::kDefaultTimeoutMs);
    m_dispatcher = new DataDispatcher(*m_delay, m_config, m_usb, makeBluetoothClient(m_config));
    m_dispatcherThread = new QThread;
    m_dispatcher->moveToThread(m_dispatcherThread);
    connect(m_dispatcherThread, &QThread::started, m_dispatcher, &DataDispatcher::run);
    connect(m_dispatcher, &DataDispatcher::dispatchCompleted, m_dispatcherThread, &QThread::quit,
            Qt::DirectConnection);
    connect(m_dispatcherThread, &QThread::finished, m_waitDialog, &WaittingDlg::finish);
    connect(m_dispatcher, &DataDispatcher::lackOfPaperToContinue, m_waitDialog, &QDialog::close);
    connect(m_dispatcher->communication(), &Communication::communicateError, this,
            &MainWindow::onCommunicateError, Qt::QueuedConnection);
    connect(m_dispatcher, &DataDispatcher::deviceTestResult, this, &MainWindow::onDeviceTestResult,
            Qt::QueuedConnection);

    m_engine = new WidgetEngine(m_database, m_config);
    m_engineThread = new QThread;
    m_engine->moveToThread(m_engineThread);
    connect(m_engineThread, &QThread::started, m_engine, &WidgetEngine::run);
    connect(m_engine, &WidgetEngine::workCompleted, m_engineThread, &QThread::quit,
            Qt::DirectConnection);
    connect(m_engineThread, &QThread::finished, m_waitDialog, &WaittingDlg::finish);
    createGroupFlow();
}

void MainWindow::createGroupFlow()
{
    GroupFlow::Host host;
    host.run = [this](int operation, const QByteArray &data) {
        m_errorReported = false;
        runOperation(operation, data);
        return !m_errorReported;
    };
    host.message = [this](int type, const QString &text) { showMessage(type, text); };
    host.printerAnswers = [this] { return identifiedPrinterAnswers(); };
    host.leaveIfChanged = [this] { return leaveChangedPrinter(); };
    m_groupFlow = new GroupFlow(m_engine, m_dispatcher, m_config, host, this);
    connect(m_engine, &WidgetEngine::buttonAction, m_groupFlow, &GroupFlow::onButtonAction);
}

void MainWindow::buildUi()
{
    m_homePage = new QWidget;
    m_homePage->setObjectName(QStringLiteral("homePage"));
    m_homePage->setAttribute(Qt::WA_StyledBackground);
    m_homePage->setStyleSheet(QStringLiteral("#homePage{background:white;}"));
    m_logoBar = new LogoBar(m_homePage);
    m_connectPanel = new ConnectPanel(m_homePage);
    m_connectPanel->setConnected(false);
    m_optionBar = new OptionBar(m_mode, m_homePage);
    auto *column = new QVBoxLayout;
    column->setAlignment(Qt::AlignTop);
    column->setContentsMargins(2, 0, 1, 2);
    column->addWidget(m_logoBar, 0, Qt::AlignHCenter);
    column->addWidget(m_connectPanel);
    column->addWidget(m_optionBar);
    auto *outer = new QHBoxLayout(m_homePage);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addStretch();
    outer->addLayout(column);
    outer->addStretch();

    m_stack = new QStackedWidget(this);
    m_stack->addWidget(m_homePage);

    m_titleBar = new WindowHandler(this);
    m_titleBar->setFixedHeight(kTitleHeight);
    m_titleBar->setAttribute(Qt::WA_StyledBackground);
    m_titleBar->setStyleSheet(QStringLiteral("WindowHandler{background:#34495E;}"));
    setMenuWidget(m_titleBar);

    // Pages of the printer flows; they are filled in by the settings, maintenance and designer
    // parts of the program.
    m_userSettingsPage = new AdminSettingsWidget;
    m_stack->addWidget(m_userSettingsPage);
    connect(m_userSettingsPage, &AdminSettingsWidget::saveSettings, this, &MainWindow::onSaveSettings);
    connect(m_userSettingsPage, &AdminSettingsWidget::refreshSettings, this,
            &MainWindow::onRefreshSettings);
    connect(m_userSettingsPage, &AdminSettingsWidget::resetSettings, this, &MainWindow::onResetSettings);
    connect(m_userSettingsPage, &AdminSettingsWidget::exportSettings, this, &MainWindow::onExportSettings);
    connect(m_userSettingsPage, &AdminSettingsWidget::importSettings, this, &MainWindow::onImportSettings);
    createParameterListFlow();
    m_deviceTestPage = new DeviceTest;
    m_stack->addWidget(m_deviceTestPage);
    DeviceTestFlow::Host host;
    host.runOperation = [this](int op, int closeDelayMs) {
        m_errorReported = false;
        runOperation(op, QByteArray(), closeDelayMs);
    };
    host.errorReported = [this] { return m_errorReported; };
    host.runBusy = [this](int closeDelayMs) { runBusy(closeDelayMs); };
    host.showMessage = [this](int type, const QString &text) { return showMessage(type, text); };
    m_deviceTestFlow = new DeviceTestFlow(m_deviceTestPage, m_dispatcher, m_dispatcherThread, host, this);
    m_firmwarePage = new UpdateFirmware;
    m_stack->addWidget(m_firmwarePage);
    m_firmwareFlow = new FirmwareFlow(m_firmwarePage, m_dispatcher, m_dispatcherThread,
        [this](int type, const QString &text) { return showMessage(type, text); }, this);
    connect(m_firmwareFlow, &FirmwareFlow::downloadFinished, this, [this] { leaveChangedPrinter(); });
    m_designerFlow = new DesignerFlow(m_database, m_stack, this);
    m_designerPage = m_designerFlow->makeDesigner(
        m_engine, [this](int workMode) {
            runEngine(workMode, workMode == WidgetEngine::LoadDesign ? kEngineCloseDelayMs : 0);
        },
        [this](int type, const QString &text) { return showMessage(type, text); }, m_language);
    m_helpPage = new HelpAboutPage(m_language);
    m_stack->addWidget(m_helpPage);
    connect(m_helpPage, &HelpAboutPage::helpFailed, this,
            [this](const QString &message) { showMessage(TipWidget::Error, message); });

    buildSidePanels();
    m_deviceList = new ListWidget(this);
    // Its list names the test types, for the designer page as for the designer's own dialog.
    m_testPageSetup = new TestPageSetting(this);

    connect(m_connectPanel, &ConnectPanel::connectPrinter, this, &MainWindow::onConnectPrinter);
    connect(m_connectPanel, &ConnectPanel::disconnectPrinter, this, &MainWindow::onDisconnectPrinter);
    connect(m_connectPanel, &ConnectPanel::showConnectConfig, this, &MainWindow::onShowConnectConfig);
    connect(m_connectPanel, &ConnectPanel::restarting, this, [] { QApplication::exit(restart::kExitCode); });

    connect(m_optionBar, &OptionBar::showSettings, this, &MainWindow::onShowSettings);
    connect(m_optionBar, &OptionBar::showTestings, this, &MainWindow::onShowTestings);
    connect(m_optionBar, &OptionBar::showUpgradeFw, this, &MainWindow::onShowUpgradeFw);
    connect(m_optionBar, &OptionBar::showAbout, this, &MainWindow::onShowAbout);
    connect(m_optionBar, &OptionBar::showEdit, this, &MainWindow::onShowEdit);
    connect(m_optionBar, &OptionBar::showAdminSettings, this, &MainWindow::onShowAdminSettings);
    connect(this, &MainWindow::freshAdmin, this, &MainWindow::onShowSettings);
    connect(this, &MainWindow::moveNormal, this, &QWidget::showNormal);
    connect(this, &MainWindow::closeConfig, this, &MainWindow::onBackToHome);

    connect(m_titleBar, &WindowHandler::closeWindow, this, &MainWindow::onCloseWindow);
    connect(m_titleBar, &WindowHandler::maximizeWindow, this, &QWidget::showMaximized);
    connect(m_titleBar, &WindowHandler::doubleClickMax, this, &QWidget::showMaximized);
    connect(m_titleBar, &WindowHandler::minimizeWindow, this, &QWidget::showMinimized);
    connect(m_titleBar, &WindowHandler::normalWindow, this, &QWidget::showNormal);
    connect(m_titleBar, &WindowHandler::doubleClickNormal, this, &QWidget::showNormal);
    connect(m_titleBar, &WindowHandler::backToHome, this, &MainWindow::onBackToHome);
}

void MainWindow::buildSidePanels()
{
    m_connectConfig = new ConnectConfig(m_config);
    connect(m_connectConfig, &ConnectConfig::Portsettingok, this, &MainWindow::onPortSettingOk);
    connect(m_connectConfig, &ConnectConfig::sendMessagebox, this,
            [this](int type, const QString &msg) { showMessage(type, msg); });
    wireConnectConfig();
    m_connectConfig->loadConfig();

    m_printerInfo = new PrinterInfo;
    m_slideArea = new SlideArea(m_stack, m_printerInfo, kInfoPanelWidth, m_connectConfig,
                                kConfigPanelWidth, this);
    setCentralWidget(m_slideArea);
    connect(this, &MainWindow::showPrinterInfo, m_slideArea, &SlideArea::openLeft);
    connect(this, &MainWindow::showConnectConfig, m_slideArea, &SlideArea::openRight);
    connect(this, &MainWindow::resetMainWidget, m_slideArea, &SlideArea::closePanels);
}

QWidget *MainWindow::makePlaceholderPage(const QString &title)
{
    auto *page = new QWidget;
    page->setAttribute(Qt::WA_StyledBackground);
    page->setStyleSheet(QStringLiteral("background:white;"));
    auto *label = new QLabel(QStringLiteral("<h2>%1</h2>").arg(title), page);
    label->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(page);
    layout->addWidget(label);
    m_stack->addWidget(page);
    return page;
}

int MainWindow::showMessage(int type, const QString &text)
{
    return showMessageAt(type, text, placement::kMessageOffset);
}

int MainWindow::showMessageAt(int type, const QString &text, const QPoint &offset)
{
    return m_messages->show(type, text, dialogPosition(m_tip->size(), offset));
}

void MainWindow::onPortSettingOk()
{
    if (showMessageAt(TipWidget::Success, tr("Port setting successful."), placement::kPortSettingOffset)
        == QDialog::Accepted) {
        showNormal();
        emit resetMainWidget();
    }
}

void MainWindow::wireConnectConfig()
{
    DataDispatcher *d = m_dispatcher;
    connect(m_connectConfig, &ConnectConfig::connectPortChanged, this,
            [d](int type) { d->setPortType(type); });
    connect(m_connectConfig, &ConnectConfig::serialConfigChanged, this,
            [d](const QString &name, int baud, int parity, int dataBits, int stopBits, int flow) {
                d->setSerialConfig(name, baud, parity, dataBits, stopBits, flow);
            });
    connect(m_connectConfig, &ConnectConfig::lptPortChanged, this,
            [d](const QString &name) { d->setLptPort(name); });
    connect(m_connectConfig, &ConnectConfig::wifiConfigChanged, this,
            [d](const QString &address, int port) { d->setWifiConfig(address, port); });
    connect(m_connectConfig, &ConnectConfig::BluetoothRefresh, this, [d] { d->startBluetoothSearch(); });
    connect(m_connectConfig, &ConnectConfig::bluetoothSelected, this,
            [d](int index) { d->selectBluetoothDevice(index); });
    // The client finds devices on its own thread; the list reaches the panel on this one.
    connect(m_dispatcher->communication()->bluetooth(), &BluetoothClient::searchListFinished,
            m_connectConfig, &ConnectConfig::setBluetoothDevices, Qt::QueuedConnection);
    connect(m_dispatcher->communication()->bluetooth(), &BluetoothClient::searchFailed,
            m_connectConfig, &ConnectConfig::showBluetoothFailure, Qt::QueuedConnection);
}

void MainWindow::runOperation(int operation, const QByteArray &data1, int closeDelayMs)
{
    // A disconnect may still be closing the port; operations never overlap.
    m_dispatcherThread->wait();
    // Its end may still be on its way to the busy indicator; let it arrive before the new wait.
    QCoreApplication::sendPostedEvents(m_waitDialog, QEvent::MetaCall);
    m_dispatcher->setOperation(operation, data1);
    m_dispatcherThread->start(QThread::InheritPriority);
    runBusy(closeDelayMs);
}

void MainWindow::runEngine(int workMode, int closeDelayMs)
{
    m_engineThread->wait();
    QCoreApplication::sendPostedEvents(m_waitDialog, QEvent::MetaCall);
    m_engine->setWorkMode(workMode);
    m_engineThread->start(QThread::InheritPriority);
    runBusy(closeDelayMs);
}

void MainWindow::runBusy(int delayMs)
{
    m_waitDialog->move(dialogPosition(m_waitDialog->size(), placement::kBusyOffset));
    m_waitDialog->setCloseDelay(delayMs);
    m_waitDialog->runModal();
}

QPoint MainWindow::dialogPosition(const QSize &dialog, const QPoint &offset) const
{
    return placement::dialogPosition(geometry(), m_availableArea, dialog, offset);
}

void MainWindow::showPage(QWidget *page, bool maximized)
{
    m_slideArea->snapClosed();
    m_stack->setCurrentWidget(page);
    m_titleBar->setAtHome(false);
    if (maximized)
        showMaximized();
    else
        showNormal();
}

bool MainWindow::requirePrinter()
{
    if (!m_connectedModel.isEmpty())
        return true;
    showMessage(TipWidget::Error, tr("Please Connect To A Printer."));
    return false;
}

void MainWindow::onCommunicateError(int code)
{
    m_errorReported = true;
    if (code == READ_PORT_ERROR)
        m_dispatcher->communication()->setAbortWait(true);
    const char *text = commErrorMessage(code);
    showMessage(TipWidget::Error, tr("communicate Error: ")
                                      + (text ? QCoreApplication::translate("Communication", text) : QString()));
}

void MainWindow::onDeviceTestResult(int result)
{
    switch (result) {
    case 0:
        showMessage(TipWidget::Success, tr("Test success."));
        break;
    case 1:
        showMessage(TipWidget::Error, tr("Device Test Failed."));
        break;
    case 255:
        showMessage(TipWidget::Error, tr("Out Of Paper."));
        break;
    default:
        break;
    }
}

bool MainWindow::prepareUsb()
{
    // The port belongs to the communication engine, whose thread is idle between operations.
    m_dispatcherThread->wait();
    int count = 0;
    try {
        count = m_usb->open();
    } catch (COMM_ERROR_CODE) {
        count = 0;
    }
    if (count == 0) {
        showMessage(TipWidget::Error, tr("communicate Error:Open Port Error"));
        return false;
    }
    QStringList names;
    if (m_mode == kModeLocked) {
        PrinterTypeTable types(m_database);
        names = m_usb->listSupportedDevices(count, [&types](const QString &model) {
            return !types.findPrinterType(model).pritName().isEmpty();
        });
        if (names.isEmpty()) {
            showMessage(TipWidget::Error, tr("This model does not support setup"));
            m_usb->close();
            return false;
        }
    } else if (count > 1) {
        names = m_usb->listDeviceNames(count);
    }
    if (names.size() <= 1) {
        // A selection left from an earlier session may point past the printers there are now.
        m_usb->selectByPosition(0);
        return true;
    }
    m_deviceList->setNames(names);
    m_deviceList->move(geometry().center() - m_deviceList->rect().center());
    const int choice = m_deviceList->exec();
    if (choice == ListWidget::kNoChoice) {
        m_usb->close();
        return false;
    }
    m_usb->selectByPosition(choice);
    return true;
}

bool MainWindow::databaseUsable()
{
    const DatabaseCheck check = checkSettingsDatabase(m_database);
    if (check.usable())
        return true;
    showUnusableDatabaseBox(m_database.filePath(), check);
    return false;
}

void MainWindow::onConnectPrinter()
{
    // A broken database would read as one without this printer's type.
    if (!databaseUsable())
        return;
    const int portType = m_connectConfig->currentPortType();
    if (portType == portchoices::Bluetooth
        && !m_dispatcher->communication()->bluetooth()->isSelected()) {
        showMessage(TipWidget::Error, tr("Please select the bluetooth device."));
        return;
    }
    if (portType == portchoices::Usb && !prepareUsb())
        return;

    m_errorReported = false;
    runOperation(DataDispatcher::OpIdentify);
    if (m_errorReported) {
        m_connectPanel->setConnected(false);
        m_errorReported = false;
        return;
    }

    const QString record = m_dispatcher->modelName();
    const QString eds = m_dispatcher->secondIdentity();
    const bool newer = m_dispatcher->markerSeen();
    // Nothing of an earlier printer may carry over to this one.
    m_firmwareNumber.clear();
    m_legacyVariant = false;
    if (newer)
        m_printerInfo->identifyNewer(record, eds);
    else
        m_firmwareNumber = m_printerInfo->identify(record, eds);

    const PrinterTypeRecord type = lookUpPrinterType();
    // A printer that sends its own parameter list needs no printer type of the database.
    if (type.pritName().isEmpty() && m_dispatcher->modeByte() != DataDispatcher::kModeByteParameterList) {
        showMessage(TipWidget::Error, tr("This model does not support setup"));
        m_printerInfo->clearInfo();
        m_connectPanel->setConnected(false);
        m_errorReported = false;
        return;
    }
    m_currentPrinterType = type;
    m_currentTypeName = type.pritName();
    m_connectedModel = m_printerInfo->modelName();
    m_dispatcher->setPrinterTypeCode(m_printerInfo->mainIdentifier());
    m_connectPanel->setConnected(true);
    if (newer)
        m_printerInfo->showInfoNewer(record, eds);
    else
        m_printerInfo->showInfo(record, eds);
    emit resetMainWidget();
    emit showPrinterInfo();
}

PrinterTypeRecord MainWindow::lookUpPrinterType()
{
    return PrinterSession::findPrinterType(m_printerInfo->identity(), m_database, &m_legacyVariant);
}

void MainWindow::onDisconnectPrinter()
{
    disconnectPrinter();
}

void MainWindow::disconnectPrinter()
{
    m_dispatcherThread->wait();
    // Reset while no exchange uses the port; the leave command then finds the printers anew.
    m_usb->resetEnumeration();
    m_dispatcher->setOperation(DataDispatcher::OpLeave);
    m_dispatcherThread->start(QThread::InheritPriority);
    emit resetMainWidget();
    m_printerInfo->clearInfo();
    m_connectedModel.clear();
    // The port type stays choosable in every mode: after a disconnect the user may want another.
    m_connectPanel->setConnected(false);
}

void MainWindow::onShowConnectConfig()
{
    emit resetMainWidget();
    emit showConnectConfig();
    m_connectConfig->refreshPorts();
}

void MainWindow::onShowSettings()
{
    if (!requirePrinter() || !databaseUsable())
        return;
    runOperation(DataDispatcher::OpHandshake);
    if (leaveChangedPrinter() || !m_dispatcher->handshakeResult())
        return;
    showSettingsPage();
}

void MainWindow::showSettingsPage()
{
    SettingsIdentity identity;
    identity.modelName = m_printerInfo->modelName();
    identity.headVariant = m_firmwareNumber;
    identity.typeCode = m_printerInfo->mainIdentifier();
    identity.modeByte = m_dispatcher->modeByte();
    identity.language = m_language;
    m_engine->setIdentity(identity);
    m_engine->setLegacyVariant(m_legacyVariant);
    if (identity.modeByte == DataDispatcher::kModeByteParameterList) {
        // Printers that describe their settings themselves have no database pages.
        if (!m_parameterFlow->read())
            return;
        m_userSettingsPage->setHeaderTexts(m_connectedModel, m_printerInfo->firmwareText(),
                                           m_connectConfig->portTypeBox()->currentText());
        showPage(m_userSettingsPage);
        m_settingsShowing = true;
        return;
    }
    runEngine(WidgetEngine::LoadDefinitions, kEngineCloseDelayMs);
    m_engine->buildPages();
    m_errorReported = false;
    runOperation(DataDispatcher::OpReadSettings);
    if (m_errorReported || leaveChangedPrinter())
        return;
    m_engine->setSettingBlock(m_dispatcher->settingBlock());
    m_engine->setDefaultBlock(m_dispatcher->defaultBlock());
    m_engine->fillControls();
    m_parameterFlow->release();
    m_groupFlow->pagesFilled();
    m_userSettingsPage->setSections(m_engine->pageTitles());
    m_userSettingsPage->setPages(m_engine->pages());
    m_userSettingsPage->setHeaderTexts(m_connectedModel, m_printerInfo->firmwareText(),
                                       m_connectConfig->portTypeBox()->currentText());
    showPage(m_userSettingsPage);
    m_settingsShowing = true;
}

bool MainWindow::identifiedPrinterAnswers()
{
    m_errorReported = false;
    runOperation(DataDispatcher::OpPrinterCheck);
    if (leaveChangedPrinter())
        return false;
    // A check that did not see the printer (its error is already shown) stops the write too.
    if (!m_dispatcher->printerConfirmed()) {
        if (!m_errorReported)
            showMessage(TipWidget::Error, tr("communicate Error: "));
        return false;
    }
    return true;
}

bool MainWindow::leaveChangedPrinter()
{
    if (!m_dispatcher->printerChanged())
        return false;
    goHome();
    disconnectPrinter();
    showMessage(TipWidget::Error, tr("Printer has changed!"));
    return true;
}

QPair<int, int> MainWindow::preservedPositions() const
{
    return PrinterSession::preservedPositions(m_config);
}

void MainWindow::createParameterListFlow()
{
    ParameterListFlow::Window window;
    window.runOperation = [this](int operation, const QByteArray &data) {
        m_errorReported = false;
        runOperation(operation, data);
        return !m_errorReported;
    };
    window.identifiedPrinterAnswers = [this] { return identifiedPrinterAnswers(); };
    window.leaveChangedPrinter = [this] { return leaveChangedPrinter(); };
    window.showMessage = [this](int type, const QString &text) { return showMessage(type, text); };
    m_parameterFlow = new ParameterListFlow(m_dispatcher, m_userSettingsPage, window, this);
}

bool MainWindow::hasUnsavedChanges() const
{
    return m_parameterFlow->isActive() ? m_parameterFlow->hasUnsavedChanges()
                                       : m_engine->hasUnsavedChanges();
}

void MainWindow::onSaveSettings(bool restoring)
{
    if (m_parameterFlow->isActive()) {
        m_parameterFlow->save();
        return;
    }
    if (!identifiedPrinterAnswers())
        return;
    QByteArray block;
    if (!restoring) {
        m_engine->collect();
        block = m_engine->settingBlock();
    } else {
        block = m_engine->settingBlock();
        const QPair<int, int> at = preservedPositions();
        if (at.first >= 0 && at.first < block.size())
            block[at.first] = static_cast<char>(m_preservedByte1);
        if (at.second >= 0 && at.second < block.size())
            block[at.second] = static_cast<char>(m_preservedByte2);
        m_engine->setSettingBlock(block);
    }
    m_errorReported = false;
    runOperation(DataDispatcher::OpWriteSettings, block);
    if (leaveChangedPrinter())
        return;
    if (!restoring && m_dispatcher->saved() && !m_errorReported)
        showMessage(TipWidget::Success, tr("Save Successful"));
}

void MainWindow::onRefreshSettings()
{
    if (hasUnsavedChanges()
        && showMessage(TipWidget::Question, tr("Some paramter has channge\nDo you want to save ？"))
               == QDialog::Accepted) {
        onSaveSettings(false);
        return;
    }
    emit freshAdmin();
}

void MainWindow::onResetSettings()
{
    // Parameter-list printers keep no default block to restore from here.
    if (m_parameterFlow->isActive())
        return;
    if (!identifiedPrinterAnswers())
        return;
    const bool preserving = PrinterSession::preservesInterfaceBytes(m_printerInfo->mainIdentifier());
    if (preserving) {
        const QByteArray block = m_engine->settingBlock();
        const QPair<int, int> at = preservedPositions();
        m_preservedByte1 = at.first >= 0 && at.first < block.size() ? quint8(block.at(at.first)) : 0;
        m_preservedByte2 = at.second >= 0 && at.second < block.size() ? quint8(block.at(at.second)) : 0;
    }
    if (showMessage(TipWidget::Question, tr("Please confirm whether to restore the\nfactory default value"))
        != QDialog::Accepted)
        return;
    runOperation(DataDispatcher::OpRestoreDefaults);
    if (leaveChangedPrinter() || !m_dispatcher->handshakeResult())
        return;
    m_engine->setSettingBlock(m_dispatcher->settingBlock());
    m_engine->setDefaultBlock(m_dispatcher->defaultBlock());
    m_engine->fillControls();
    m_groupFlow->refilled();
    if (preserving) {
        onSaveSettings(true);
        emit freshAdmin();
        return;
    }
    runOperation(DataDispatcher::OpReadSettings);
    m_engine->setSettingBlock(m_dispatcher->settingBlock());
    m_engine->setDefaultBlock(m_dispatcher->defaultBlock());
    m_engine->fillControls();
    m_groupFlow->refilled();
}

void MainWindow::onExportSettings()
{
    const QString name = QFileDialog::getSaveFileName(this, tr("Save as"),
        filelocations::proposedExportFile(filelocations::dialogFolder(), m_connectedModel),
        QStringLiteral("cfg(*.cfg)"));
    if (name.isEmpty())
        return; // cancelled: no failure
    exportSettingsTo(SettingsFile::withExtension(name));
}

void MainWindow::exportSettingsTo(const QString &fileName)
{
    // The page's current values go into a copy; the engine's block stays as read.
    const SettingsFile::Content content{m_connectedModel,
                                        m_parameterFlow->isActive()
                                            ? m_parameterFlow->settingsData()
                                            : m_engine->collectedBlock(m_engine->settingBlock())};
    QString detail;
    if (SettingsFile::save(fileName, content, &detail) != SettingsFile::Status::Ok) {
        qDebug() << "export:" << detail;
        showMessage(TipWidget::Error, tr("Export fail"));
        return;
    }
    showMessage(TipWidget::Success, tr("Export Successfully"));
}

void MainWindow::onImportSettings()
{
    const QString name = QFileDialog::getOpenFileName(
        this, tr("load"), filelocations::dialogFolder(),
        QStringLiteral("cfg(*.cfg)"));
    if (name.isEmpty() || !SettingsFile::hasExtension(name))
        return;
    importSettingsFrom(name);
}

void MainWindow::importSettingsFrom(const QString &fileName)
{
    SettingsFile::Content content;
    QString detail;
    const SettingsFile::Status loaded = SettingsFile::load(fileName, &content, &detail);
    if (loaded == SettingsFile::Status::CannotOpen) {
        qDebug() << "open fail~" << detail;
        return;
    }
    if (m_parameterFlow->isActive()) {
        if (loaded == SettingsFile::Status::Ok && content.modelName != m_connectedModel)
            showMessage(TipWidget::Warning, tr("Printer type different!"));
        else if (loaded != SettingsFile::Status::Ok || !m_parameterFlow->importData(content.data))
            showMessage(TipWidget::Warning, tr("This is not a settings file."));
        else
            showMessage(TipWidget::Success, tr("Import Successfully"));
        return;
    }
    QByteArray block = m_engine->settingBlock();
    const SettingsFile::Status imported = loaded == SettingsFile::Status::Ok
        ? SettingsFile::importBlock(content, m_connectedModel, m_legacyVariant, &block, &detail)
        : loaded;
    switch (imported) {
    case SettingsFile::Status::Ok:
        break;
    case SettingsFile::Status::ModelDiffers:
        showMessage(TipWidget::Warning, tr("Printer type different!"));
        return;
    default:
        // Not a settings file, or one without a whole block: nothing is loaded.
        qDebug() << "import:" << detail;
        showMessage(TipWidget::Warning, tr("This is not a settings file."));
        return;
    }
    // What the controls can show of the file, as they would save it: the block rkctl writes.
    const SettingsModel model(m_engine->definition(), m_engine->identity().typeCode, m_legacyVariant);
    m_engine->showImportedBlock(model.importedBlock(m_engine->settingBlock(), block));
    m_groupFlow->imported();
    showMessage(TipWidget::Success, tr("Import Successfully"));
}

void MainWindow::onShowTestings()
{
    if (!requirePrinter())
        return;
    runOperation(DataDispatcher::OpHandshake);
    if (leaveChangedPrinter() || !m_dispatcher->handshakeResult())
        return;
    const int testType = devicetest::testTypeOf(m_currentPrinterType, m_connectedModel,
                                                m_printerInfo->mainIdentifier(), m_database);
    if (testType == 0) {
        showMessage(TipWidget::Error, tr("This model does not support testing."));
        return;
    }
    m_deviceTestFlow->openPage(testType);
    showPage(m_deviceTestPage);
}

void MainWindow::onShowUpgradeFw()
{
    if (!requirePrinter())
        return;
    runOperation(DataDispatcher::OpHandshake);
    if (!leaveChangedPrinter() && m_dispatcher->handshakeResult())
        showPage(m_firmwarePage);
}

void MainWindow::onShowAbout()
{
    showPage(m_helpPage);
}

void MainWindow::onShowEdit()
{
    // The login and the editors read the database: a broken one is told as such, not as a
    // wrong password.
    if (!databaseUsable())
        return;
    if (QWidget *contents = m_designerFlow->enterContents())
        showPage(contents, false);
}

void MainWindow::onShowAdminSettings()
{
    if (!databaseUsable())
        return;
    showPage(m_designerPage);
    m_designerFlow->enterDesigner(m_currentTypeName);
}

void MainWindow::onBackToHome()
{
    if (m_settingsShowing && hasUnsavedChanges()
        && showMessage(TipWidget::Question, tr("Some paramter not be saved\nDo you want to save ？"))
               == QDialog::Accepted) {
        onSaveSettings(false);
        return;
    }
    goHome();
}

void MainWindow::goHome()
{
    m_stack->setCurrentWidget(m_homePage);
    m_titleBar->setAtHome(true);
    showNormal();
    m_settingsShowing = false;
}

void MainWindow::onCloseWindow()
{
    if (!m_connectedModel.isEmpty()) {
        disconnectPrinter();
        runBusy(0);
    }
    close();
}

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    if (event->pos().y() < kDragStripHeight) {
        QWindow *handle = windowHandle();
        if (handle && handle->startSystemMove()) {
            m_dragOffset = QPoint();
            event->ignore();
        } else {
            // No window manager to hand the drag to: follow the mouse ourselves.
            m_dragOffset = event->globalPos() - frameGeometry().topLeft();
        }
        emit moveNormal();
        return;
    }
    m_dragOffset = QPoint();
    QMainWindow::mousePressEvent(event);
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    if (event->pos().y() < kDragFollowHeight && !m_dragOffset.isNull()
        && (event->buttons() & Qt::LeftButton)) {
        const QPointF target = event->screenPos() - QPointF(m_dragOffset);
        move(static_cast<int>(std::round(target.x())), static_cast<int>(std::round(target.y())));
        return;
    }
    QMainWindow::mouseMoveEvent(event);
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (m_mode == kModeLocked && event->key() == Qt::Key_J
        && event->modifiers() == (Qt::ControlModifier | Qt::AltModifier)) {
        m_optionBar->enableTestAndUpgrade();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange)
        m_titleBar->syncMaximizeIcon(isMaximized());
    QMainWindow::changeEvent(event);
}
