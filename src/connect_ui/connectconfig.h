#pragma once

#include <QHash>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QStackedWidget;
class ConfigFile;

// Side panel where the user chooses how the printer is reached. Confirm stores the choice in the
// configuration file and announces it; the main window forwards it to the communication layer.
class ConnectConfig : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConnectConfig)

public:
    ConnectConfig(ConfigFile *config, QWidget *parent = nullptr);

    // Applies the stored choices; announces the stored port type as its Confirm would.
    void loadConfig();
    // Fills the port lists again (called each time the panel opens).
    void refreshPorts();
    // Locks the port type and the serial port choice (mode 3 after a disconnect).
    void setPortChangeEnabled(bool enabled);

    // Number of a port type by its shown text; -1 for an unknown text.
    int portTypeOf(const QString &shownText) const { return m_typeByText.value(shownText, -1); }
    int currentPortType() const;

    QComboBox *portTypeBox() const { return m_portType; }
    QComboBox *serialPortBox() const { return m_serialPort; }
    QComboBox *baudBox() const { return m_baud; }
    QComboBox *parityBox() const { return m_parity; }
    QComboBox *dataBitsBox() const { return m_dataBits; }
    QComboBox *stopBitsBox() const { return m_stopBits; }
    QComboBox *flowBox() const { return m_flow; }
    QComboBox *lptBox() const { return m_lpt; }
    QLineEdit *wifiAddressEdit() const { return m_wifiAddress; }
    QLineEdit *wifiPortEdit() const { return m_wifiPort; }
    QLineEdit *networkAddressEdit() const { return m_networkAddress; }
    QListWidget *bluetoothList() const { return m_bluetoothList; }
    QStackedWidget *subPanels() const { return m_panels; }

signals:
    void showSerialConfig();
    void showLPTCofig();
    void showUSBConfig();
    void showWifiConfig();
    void showBluetoothConfig();
    void showNetworkConfig();
    void resetConfig();
    void connectPortChanged(int portType);
    void lptPortChanged(QString LptPort);
    void serialConfigChanged(
        QString portName, int baudRate, int parity, int dataBits, int stopBits, int flowCtrl);
    void wifiConfigChanged(QString serverIP, int port);
    void bluetoothSelected(int index);
    void Portsettingok();
    void sendMessagebox(int type, QString msg);
    void BluetoothRefresh();

public slots:
    void connectPortSwitch(const QString &currentPort);
    void serialConfirmClicked();
    void lptConfirmClicked();
    void USBConfirmClicked();
    void WifiConfirmClicked();
    void NetworkConfirmClicked();
    void BluetoothConfirmClicked();
    void BluetoothRefreshClicked();
    void serialResetClicked();
    // Discovery finished: the list is replaced by the new names.
    void setBluetoothDevices(QStringList *names);
    // A Bluetooth discovery that could not run (BluetoothClient::SearchFailure) says why.
    void showBluetoothFailure(int failure);

private:
    QWidget *makeUsbPanel();
    QWidget *makeSerialPanel();
    QWidget *makeLptPanel();
    QWidget *makeWifiPanel();
    QWidget *makeBluetoothPanel();
    QWidget *makeNetworkPanel();
    void announceSerial();
    void writeSerialPositions();
    QString storedAddress(const QString &key) const;

    ConfigFile *m_config = nullptr;
    QHash<QString, int> m_typeByText;
    QComboBox *m_portType = nullptr;
    QStackedWidget *m_panels = nullptr;
    QComboBox *m_serialPort = nullptr;
    QComboBox *m_baud = nullptr;
    QComboBox *m_parity = nullptr;
    QComboBox *m_dataBits = nullptr;
    QComboBox *m_stopBits = nullptr;
    QComboBox *m_flow = nullptr;
    QComboBox *m_lpt = nullptr;
    QLineEdit *m_wifiAddress = nullptr;
    QLineEdit *m_wifiPort = nullptr;
    QLineEdit *m_networkAddress = nullptr;
    QListWidget *m_bluetoothList = nullptr;
};
