#include "connect_ui/connectconfig.h"

#include <QComboBox>
#include <QFormLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "core/configfile.h"
#include "comm/bluetoothclient.h"
#include "comm/portchoices.h"

using namespace portchoices;

namespace {
constexpr int kPanelMargin = 12;
constexpr int kMaxTcpPort = 65535;
const QString kAbsent = QStringLiteral("-1");

QString buttonStyle()
{
    return QStringLiteral("QPushButton{background:#049372;color:white;font-weight:bold;border:none;"
                          "border-radius:4px;min-height:30px;padding:0 16px;}"
                          "QPushButton:hover{background:#1BBC98;}"
                          "QPushButton:disabled{background:#BDC3C7;}");
}

QPushButton *makeButton(const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setStyleSheet(buttonStyle());
    return b;
}

QLabel *makeTitle(const QString &text, QWidget *parent)
{
    auto *l = new QLabel(QStringLiteral("<b>%1</b>").arg(text), parent);
    l->setStyleSheet(QStringLiteral("font-size:15px;color:#34495E;"));
    return l;
}

// A stored list position, or the first entry when it is absent or out of range.
int storedPosition(const ConfigFile *config, const QString &key, int count)
{
    const int position = config->readInt(key);
    return position >= 0 && position < count ? position : 0;
}
} // namespace

ConnectConfig::ConnectConfig(ConfigFile *config, QWidget *parent)
    : QWidget(parent)
    , m_config(config)
{
    setObjectName(QStringLiteral("ConnectConfig"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#ConnectConfig{background:#ECF0F1;}"));

    // Shown texts are translated; the hash keeps the numbers when entries are removed.
    const QStringList shown { tr("USB"), tr("Serial Port"), tr("LPT"), tr("Wifi"), tr("Bluetooth"),
        tr("Network") };
    for (int i = 0; i < shown.size(); ++i)
        m_typeByText.insert(shown.at(i), i);
    m_portType = new QComboBox(this);
    m_portType->addItems(shown);

    m_panels = new QStackedWidget(this);
    m_panels->addWidget(makeUsbPanel());
    m_panels->addWidget(makeSerialPanel());
    m_panels->addWidget(makeLptPanel());
    m_panels->addWidget(makeWifiPanel());
    m_panels->addWidget(makeBluetoothPanel());
    m_panels->addWidget(makeNetworkPanel());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(kPanelMargin, 20, kPanelMargin, kPanelMargin);
    layout->addWidget(makeTitle(tr("Port Config"), this), 0, Qt::AlignHCenter);
    layout->addSpacing(10);
    layout->addWidget(new QLabel(tr("Port Type"), this));
    layout->addWidget(m_portType);
    layout->addSpacing(10);
    layout->addWidget(m_panels, 1);

    connect(this, &ConnectConfig::showUSBConfig, this, [this] { m_panels->setCurrentIndex(Usb); });
    connect(this, &ConnectConfig::showSerialConfig, this,
        [this] { m_panels->setCurrentIndex(Serial); });
    connect(this, &ConnectConfig::showLPTCofig, this, [this] { m_panels->setCurrentIndex(Lpt); });
    connect(
        this, &ConnectConfig::showWifiConfig, this, [this] { m_panels->setCurrentIndex(Wifi); });
    connect(this, &ConnectConfig::showBluetoothConfig, this,
        [this] { m_panels->setCurrentIndex(Bluetooth); });
    connect(this, &ConnectConfig::showNetworkConfig, this,
        [this] { m_panels->setCurrentIndex(Network); });
    connect(m_portType, &QComboBox::textActivated, this, &ConnectConfig::connectPortSwitch);
}

QWidget *ConnectConfig::makeUsbPanel()
{
    auto *panel = new QWidget;
    auto *confirm = makeButton(tr("Confirm"), panel);
    auto *layout = new QVBoxLayout(panel);
    layout->addWidget(makeTitle(tr("USB Port"), panel));
    layout->addStretch();
    layout->addWidget(confirm);
    connect(confirm, &QPushButton::clicked, this, &ConnectConfig::USBConfirmClicked);
    return panel;
}

QWidget *ConnectConfig::makeSerialPanel()
{
    auto *panel = new QWidget;
    m_serialPort = new QComboBox(panel);
    m_serialPort->addItems(serialPortNames());
    m_baud = new QComboBox(panel);
    m_baud->addItems(baudRateNames());
    m_parity = new QComboBox(panel);
    m_parity->addItems({ tr("No Parity"), tr("Even Parity"), tr("Odd Parity") });
    m_dataBits = new QComboBox(panel);
    m_dataBits->addItems(dataBitsNames());
    m_stopBits = new QComboBox(panel);
    m_stopBits->addItems({ tr("One Stop"), tr("One and Half Stop"), tr("Two Stop") });
    m_flow = new QComboBox(panel);
    m_flow->addItems({ tr("No Flow Control"), tr("HardWare Control"), tr("Software Control") });
    auto *form = new QFormLayout;
    form->addRow(tr("Port"), m_serialPort);
    form->addRow(tr("Baud Rate"), m_baud);
    form->addRow(tr("Parity"), m_parity);
    form->addRow(tr("Data Bits"), m_dataBits);
    form->addRow(tr("Stop Bits"), m_stopBits);
    form->addRow(tr("Flow Control"), m_flow);
    auto *note = new QLabel(tr("Note: When using the serial port,it is recommended to set 115200\n"
                               "baud rate for fast, safe and accurate data transmission"),
        panel);
    note->setWordWrap(true);
    note->setStyleSheet(QStringLiteral("color:#67809F;"));
    auto *reset = makeButton(tr("Reset"), panel);
    auto *confirm = makeButton(tr("Confirm"), panel);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(reset);
    buttons->addWidget(confirm);
    auto *layout = new QVBoxLayout(panel);
    layout->addWidget(makeTitle(tr("Serial Port"), panel));
    layout->addLayout(form);
    layout->addWidget(note);
    layout->addStretch();
    layout->addLayout(buttons);
    connect(reset, &QPushButton::clicked, this, &ConnectConfig::serialResetClicked);
    connect(confirm, &QPushButton::clicked, this, &ConnectConfig::serialConfirmClicked);
    return panel;
}

QWidget *ConnectConfig::makeLptPanel()
{
    auto *panel = new QWidget;
    m_lpt = new QComboBox(panel);
    m_lpt->addItems({ QStringLiteral("LPT1"), QStringLiteral("LPT2"), QStringLiteral("LPT3") });
    auto *confirm = makeButton(tr("Confirm"), panel);
    auto *form = new QFormLayout;
    form->addRow(tr("LPT Ports"), m_lpt);
    auto *layout = new QVBoxLayout(panel);
    layout->addWidget(makeTitle(tr("LPT Config"), panel));
    layout->addLayout(form);
    layout->addStretch();
    layout->addWidget(confirm);
    connect(confirm, &QPushButton::clicked, this, &ConnectConfig::lptConfirmClicked);
    return panel;
}

QWidget *ConnectConfig::makeWifiPanel()
{
    auto *panel = new QWidget;
    m_wifiAddress = new QLineEdit(panel);
    m_wifiPort = new QLineEdit(panel);
    m_wifiPort->setValidator(new QIntValidator(1, kMaxTcpPort, m_wifiPort));
    auto *confirm = makeButton(tr("Confirm"), panel);
    auto *form = new QFormLayout;
    form->addRow(tr("Server IP:"), m_wifiAddress);
    form->addRow(tr("Port:"), m_wifiPort);
    auto *layout = new QVBoxLayout(panel);
    layout->addWidget(makeTitle(tr("Wifi Config"), panel));
    layout->addLayout(form);
    layout->addStretch();
    layout->addWidget(confirm);
    connect(confirm, &QPushButton::clicked, this, &ConnectConfig::WifiConfirmClicked);
    return panel;
}

QWidget *ConnectConfig::makeBluetoothPanel()
{
    auto *panel = new QWidget;
    m_bluetoothList = new QListWidget(panel);
    auto *refresh = makeButton(tr("Refresh"), panel);
    auto *confirm = makeButton(tr("Confirm"), panel);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(refresh);
    buttons->addWidget(confirm);
    auto *layout = new QVBoxLayout(panel);
    layout->addWidget(makeTitle(tr("Bluetooth Device Select"), panel));
    layout->addWidget(m_bluetoothList, 1);
    layout->addLayout(buttons);
    connect(refresh, &QPushButton::clicked, this, &ConnectConfig::BluetoothRefreshClicked);
    connect(confirm, &QPushButton::clicked, this, &ConnectConfig::BluetoothConfirmClicked);
    return panel;
}

QWidget *ConnectConfig::makeNetworkPanel()
{
    auto *panel = new QWidget;
    m_networkAddress = new QLineEdit(panel);
    auto *confirm = makeButton(tr("Confirm"), panel);
    auto *form = new QFormLayout;
    form->addRow(tr("Printer IP:"), m_networkAddress);
    auto *layout = new QVBoxLayout(panel);
    layout->addWidget(makeTitle(tr("Network Config"), panel));
    layout->addLayout(form);
    layout->addStretch();
    layout->addWidget(confirm);
    connect(confirm, &QPushButton::clicked, this, &ConnectConfig::NetworkConfirmClicked);
    return panel;
}

QString ConnectConfig::storedAddress(const QString &key) const
{
    const QString text = m_config->readText(key).trimmed();
    return text.isEmpty() || text == kAbsent ? QLatin1String(kDefaultAddress) : text;
}

void ConnectConfig::loadConfig()
{
    const QList<int> offered
        = offeredPortTypes(m_config->readInt(QStringLiteral("PortSelect/porttype")));
    for (int i = m_portType->count() - 1; i >= 0; --i) {
        if (!offered.contains(m_typeByText.value(m_portType->itemText(i))))
            m_portType->removeItem(i);
    }

    m_serialPort->setCurrentIndex(
        storedPosition(m_config, QStringLiteral("SerialPort/port"), m_serialPort->count()));
    m_baud->setCurrentIndex(
        storedPosition(m_config, QStringLiteral("SerialPort/baudrate"), m_baud->count()));
    m_parity->setCurrentIndex(
        storedPosition(m_config, QStringLiteral("SerialPort/parity"), m_parity->count()));
    m_dataBits->setCurrentIndex(
        storedPosition(m_config, QStringLiteral("SerialPort/databit"), m_dataBits->count()));
    m_stopBits->setCurrentIndex(
        storedPosition(m_config, QStringLiteral("SerialPort/stopbit"), m_stopBits->count()));
    m_flow->setCurrentIndex(
        storedPosition(m_config, QStringLiteral("SerialPort/flowcontrol"), m_flow->count()));
    m_lpt->setCurrentIndex(storedPosition(m_config, QStringLiteral("LPT/LPT"), m_lpt->count()));

    m_wifiAddress->setText(storedAddress(QStringLiteral("Wifi/serverip")));
    const QString port = m_config->readText(QStringLiteral("Wifi/port")).trimmed();
    m_wifiPort->setText(port.isEmpty() || port == kAbsent ? QLatin1String(kDefaultPort) : port);
    m_networkAddress->setText(storedAddress(QStringLiteral("Network/serverip")));

    // A stored type that is not offered (or unknown) falls back to USB.
    int type = portchoices::portTypeOf(m_config->readText(QStringLiteral("Port/type")));
    int row = -1;
    for (int i = 0; i < m_portType->count(); ++i) {
        if (m_typeByText.value(m_portType->itemText(i)) == type)
            row = i;
    }
    if (row < 0) {
        type = Usb;
        row = 0;
    }
    m_portType->setCurrentIndex(row);
    connectPortSwitch(m_portType->itemText(row));
    switch (type) {
    case Network:
        emit wifiConfigChanged(m_networkAddress->text(), kNetworkPort);
        break;
    case Wifi:
        // Without this a stored Wi-Fi printer would need a Confirm after every start.
        emit wifiConfigChanged(m_wifiAddress->text(), m_wifiPort->text().toInt());
        break;
    default:
        break; // serial and LPT were announced by the switch
    }
}

void ConnectConfig::refreshPorts()
{
    const int current = m_serialPort->currentIndex();
    m_serialPort->clear();
    m_serialPort->addItems(serialPortNames());
    m_serialPort->setCurrentIndex(qMax(0, current));
}

void ConnectConfig::setPortChangeEnabled(bool enabled)
{
    m_portType->setEnabled(enabled);
    m_serialPort->setEnabled(enabled);
}

int ConnectConfig::currentPortType() const
{
    return portTypeOf(m_portType->currentText());
}

void ConnectConfig::connectPortSwitch(const QString &currentPort)
{
    const int type = portTypeOf(currentPort);
    emit connectPortChanged(type);
    emit resetConfig();
    switch (type) {
    case Usb:
        emit showUSBConfig();
        break;
    case Serial:
        emit showSerialConfig();
        announceSerial();
        break;
    case Lpt:
        emit showLPTCofig();
        emit lptPortChanged(m_lpt->currentText());
        break;
    case Wifi:
        emit showWifiConfig();
        break;
    case Bluetooth:
        emit showBluetoothConfig();
        break;
    case Network:
        emit showNetworkConfig();
        break;
    default:
        break;
    }
}

void ConnectConfig::announceSerial()
{
    emit serialConfigChanged(m_serialPort->currentText(), m_baud->currentText().toInt(),
        parityValue(m_parity->currentIndex()), m_dataBits->currentText().toInt(),
        stopBitsValue(m_stopBits->currentIndex()), flowControlValue(m_flow->currentIndex()));
}

void ConnectConfig::writeSerialPositions()
{
    const QString group = QStringLiteral("SerialPort");
    m_config->writeValue(
        group, QStringLiteral("port"), QString::number(m_serialPort->currentIndex()));
    m_config->writeValue(
        group, QStringLiteral("baudrate"), QString::number(m_baud->currentIndex()));
    m_config->writeValue(
        group, QStringLiteral("parity"), QString::number(m_parity->currentIndex()));
    m_config->writeValue(
        group, QStringLiteral("databit"), QString::number(m_dataBits->currentIndex()));
    m_config->writeValue(
        group, QStringLiteral("stopbit"), QString::number(m_stopBits->currentIndex()));
    m_config->writeValue(
        group, QStringLiteral("flowcontrol"), QString::number(m_flow->currentIndex()));
}

void ConnectConfig::serialConfirmClicked()
{
    announceSerial();
    m_config->writeValue(
        QStringLiteral("Port"), QStringLiteral("type"), portTypeNames().at(Serial));
    writeSerialPositions();
    emit Portsettingok();
}

void ConnectConfig::serialResetClicked()
{
    m_serialPort->clear();
    m_serialPort->addItems(serialPortNames());
    m_baud->setCurrentText(QStringLiteral("38400"));
    m_dataBits->setCurrentText(QStringLiteral("8"));
    m_parity->setCurrentIndex(0);
    m_stopBits->setCurrentIndex(0);
    m_flow->setCurrentIndex(m_flow->count() - 1);
}

void ConnectConfig::lptConfirmClicked()
{
    emit lptPortChanged(m_lpt->currentText());
    m_config->writeValue(QStringLiteral("Port"), QStringLiteral("type"), portTypeNames().at(Lpt));
    m_config->writeValue(
        QStringLiteral("LPT"), QStringLiteral("LPT"), QString::number(m_lpt->currentIndex()));
    emit Portsettingok();
}

void ConnectConfig::USBConfirmClicked()
{
    m_config->writeValue(QStringLiteral("Port"), QStringLiteral("type"), portTypeNames().at(Usb));
    emit Portsettingok();
}

void ConnectConfig::WifiConfirmClicked()
{
    const QString address = m_wifiAddress->text();
    if (!isFourPartAddress(address)) {
        emit sendMessagebox(0, tr("Please input the correct server IP."));
        return;
    }
    emit wifiConfigChanged(address, m_wifiPort->text().toInt());
    m_config->writeValue(QStringLiteral("Port"), QStringLiteral("type"), portTypeNames().at(Wifi));
    m_config->writeValue(QStringLiteral("Wifi"), QStringLiteral("serverip"), address);
    m_config->writeValue(QStringLiteral("Wifi"), QStringLiteral("port"), m_wifiPort->text());
    emit Portsettingok();
}

void ConnectConfig::NetworkConfirmClicked()
{
    const QString address = m_networkAddress->text();
    if (!isFourPartAddress(address)) {
        emit sendMessagebox(0, tr("Please input the correct server IP."));
        return;
    }
    emit wifiConfigChanged(address, kNetworkPort);
    m_config->writeValue(
        QStringLiteral("Port"), QStringLiteral("type"), portTypeNames().at(Network));
    m_config->writeValue(QStringLiteral("Network"), QStringLiteral("serverip"), address);
    emit Portsettingok();
}

void ConnectConfig::BluetoothConfirmClicked()
{
    // Confirming an empty choice would later try to connect to no device at all.
    if (m_bluetoothList->currentRow() < 0) {
        emit sendMessagebox(0, tr("Please select the bluetooth device."));
        return;
    }
    m_config->writeValue(
        QStringLiteral("Port"), QStringLiteral("type"), portTypeNames().at(Bluetooth));
    emit bluetoothSelected(m_bluetoothList->currentRow());
    emit Portsettingok();
}

void ConnectConfig::BluetoothRefreshClicked()
{
    emit BluetoothRefresh();
}

void ConnectConfig::setBluetoothDevices(QStringList *names)
{
    m_bluetoothList->clear();
    if (names)
        m_bluetoothList->addItems(*names);
}

void ConnectConfig::showBluetoothFailure(int failure)
{
    QString text;
    switch (failure) {
    case BluetoothClient::NoBluetoothService:
        text = tr("No Bluetooth service is running on this computer (bluetoothd), so no Bluetooth printer can be found.");
        break;
    case BluetoothClient::NoAdapter:
        text = tr("This computer has no Bluetooth adapter, so no Bluetooth printer can be found.");
        break;
    case BluetoothClient::AdapterOff:
        text = tr("The Bluetooth adapter is switched off. Switch it on and refresh again.");
        break;
    default:
        text = tr("The Bluetooth search failed. Refresh again.");
        break;
    }
    emit sendMessagebox(0, text);
}
