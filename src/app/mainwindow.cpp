#include "app/mainwindow.h"

#include <cmath>

#include <QApplication>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <QWindow>

#include "app/configfile.h"
#include "app/dialogplacement.h"
#include "app/logobar.h"
#include "app/optionbar.h"
#include "app/slidearea.h"
#include "app/tipwidget.h"
#include "app/waittingdlg.h"
#include "app/windowhandler.h"
#include "comm/connectconfig.h"
#include "comm/connectpanel.h"
#include "comm/printerinfo.h"
#include "components/helpaboutpage.h"

namespace {
constexpr int kModeLocked = 3;
constexpr int kDragStripHeight = 30;
constexpr int kDragFollowHeight = 70;
constexpr int kConfigPanelWidth = 304;
constexpr int kInfoPanelWidth = 300;
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

MainWindow::MainWindow(int language, QWidget *parent)
    : QMainWindow(parent)
    , m_language(language)
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
    resize(kWidth, kHeight);
    setMinimumSize(kWidth, kHeight);
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    setProperty("canMove", true);
    setWindowTitle(QStringLiteral("RKMENU"));
    setWindowIcon(QIcon(QStringLiteral(":/config/source/logo.png")));

    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    buildUi();
}

MainWindow::~MainWindow() = default;

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
    m_userSettingsPage = makePlaceholderPage(tr("Printer Settings"));
    m_designerPage = makePlaceholderPage(tr("Admin Printer Settings"));
    m_deviceTestPage = makePlaceholderPage(tr("Printer Testing"));
    m_firmwarePage = makePlaceholderPage(tr("Upgrade Firmware"));
    m_helpPage = new HelpAboutPage;
    m_stack->addWidget(m_helpPage);
    connect(m_helpPage, &HelpAboutPage::helpFailed, this,
            [this](const QString &message) { showMessage(TipWidget::Error, message); });

    buildSidePanels();

    connect(m_connectPanel, &ConnectPanel::connectPrinter, this, &MainWindow::onConnectPrinter);
    connect(m_connectPanel, &ConnectPanel::disconnectPrinter, this, &MainWindow::onDisconnectPrinter);
    connect(m_connectPanel, &ConnectPanel::showConnectConfig, this, &MainWindow::onShowConnectConfig);
    connect(m_connectPanel, &ConnectPanel::restarting, this, [] { QApplication::exit(888); });

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
    m_tip->setMessage(text, type);
    m_tip->move(dialogPosition(m_tip->size(), offset));
    return m_tip->exec();
}

void MainWindow::onPortSettingOk()
{
    if (showMessageAt(TipWidget::Success, tr("Port setting successful."), placement::kPortSettingOffset)
        == QDialog::Accepted) {
        showNormal();
        emit resetMainWidget();
    }
}

void MainWindow::runBusy(int delayMs)
{
    m_waitDialog->move(dialogPosition(m_waitDialog->size(), placement::kBusyOffset));
    m_waitDialog->setCloseDelay(delayMs);
    m_waitDialog->exec();
}

QPoint MainWindow::dialogPosition(const QSize &dialog, const QPoint &offset) const
{
    return placement::dialogPosition(geometry(), m_availableArea, dialog, offset);
}

void MainWindow::showPage(QWidget *page, bool maximized)
{
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

void MainWindow::onConnectPrinter()
{
    // The printer layer (identification through the dispatcher) hooks in here; until a printer
    // has been identified the panel stays disconnected.
    m_errorReported = false;
    m_connectPanel->setConnected(!m_connectedModel.isEmpty());
}

void MainWindow::onDisconnectPrinter()
{
    disconnectPrinter();
}

void MainWindow::disconnectPrinter()
{
    emit resetMainWidget();
    m_printerInfo->clearInfo();
    m_connectedModel.clear();
    m_connectPanel->setConnected(false);
    if (m_mode == kModeLocked)
        m_connectConfig->setPortChangeEnabled(false);
}

void MainWindow::onShowConnectConfig()
{
    m_connectConfig->show();
    emit resetMainWidget();
    emit showConnectConfig();
    m_connectConfig->refreshPorts();
}

void MainWindow::onShowSettings()
{
    if (!requirePrinter())
        return;
    showPage(m_userSettingsPage);
    m_settingsShowing = true;
}

void MainWindow::onShowTestings()
{
    if (!requirePrinter())
        return;
    showPage(m_deviceTestPage);
}

void MainWindow::onShowUpgradeFw()
{
    if (!requirePrinter())
        return;
    showPage(m_firmwarePage);
}

void MainWindow::onShowAbout()
{
    showPage(m_helpPage);
}

void MainWindow::onShowEdit()
{
    if (!m_contentsPage)
        m_contentsPage = makePlaceholderPage(tr("Setwright Tool"));
    showPage(m_contentsPage, false);
}

void MainWindow::onShowAdminSettings()
{
    showPage(m_designerPage);
}

void MainWindow::onBackToHome()
{
    m_stack->setCurrentWidget(m_homePage);
    m_titleBar->setAtHome(true);
    showNormal();
    m_settingsShowing = false;
}

void MainWindow::onCloseWindow()
{
    if (!m_connectedModel.isEmpty())
        disconnectPrinter();
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
