#pragma once

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>

#include <atomic>

#include "comm/replycheck.h"
#include "maintenance_core/firmwaredownload.h"

class BluetoothClient;
class Communication;
class ConfigFile;
class DelayService;
class QThread;
class UsbPort;

// Carries out every printer operation of the settings, test and firmware pages: one operation
// per run of its own thread, each exchange on the communication engine's thread.
class DataDispatcher : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DataDispatcher)

public:
    // Operation numbers the main window and the pages start.
    enum Operation : int {
        OpIdentify = 0,
        OpLeave = 1,
        OpReadSettings = 2,
        OpWriteSettings = 3,
        OpRestoreDefaults = 4,
        OpSendData = 5,
        OpOpenPort = 6,
        OpSendAwait = 7,
        OpFirmware = 8,
        OpEnterHexMode = 9,
        OpPrintFwInfo = 10,
        OpPrintInformation = 11,
        OpPrintMenu = 12,
        OpAddressRead = 13,
        OpDetectHeadTemperature = 14,
        OpPinTest = 15,
        OpSensorRead = 21,
        OpElectricalCheck = 22,
        OpDotAdjustWrite = 23,
        OpDotAdjustCheck = 24,
        OpDotAdjustPrint = 25,
        OpMacRead = 26,
        OpMacWrite = 27,
        OpHandshake = 28,
        OpSendTwo = 29,
        OpPrinterCheck = 30,
    };

    static constexpr int kModeByteParameterList = 68; // 'D'
    static constexpr int kNoModeByte = -1000;
    static constexpr int kBlockSize = 1024;
    static constexpr int kDefaultTimeLimitMs = 10000;
    static constexpr int kPaperPollMs = 200;
    static constexpr int kSendTwoPauseMs = 500;
    static const QByteArray kModelMarker;

    // usb and bluetooth may be null (no such devices); the engine takes them over.
    DataDispatcher(DelayService &delay, ConfigFile *config, UsbPort *usb = nullptr,
                   BluetoothClient *bluetooth = nullptr, QObject *parent = nullptr);
    ~DataDispatcher() override;

    void setOperation(int operation);
    void setOperation(int operation, const QByteArray &data1);
    void setOperation(int operation, const QByteArray &data1, const QByteArray &data2);

    QString modelName() const { return m_modelName; }
    QString secondIdentity() const { return m_secondIdentity; }
    bool markerSeen() const { return m_markerSeen; }
    int modeByte() const { return m_modeByte; }
    bool printerChanged() const { return m_printerChanged; }
    // The printer check saw the identified printer answer with its model: only then may a write
    // follow. False after any failure of the check, as well as for a changed printer.
    bool printerConfirmed() const { return m_printerConfirmed; }
    bool saved() const { return m_saved; }
    bool handshakeResult() const { return m_handshakeResult; }
    QByteArray settingBlock() const { return m_settingBlock; }
    QByteArray defaultBlock() const { return m_defaultBlock; }
    QByteArray testResult() const { return m_testResult; }
    // What the last firmware download (operation 8) came to.
    FirmwareDownload::Result firmwareResult() const { return m_firmwareResult; }
    QByteArray sensorData() const { return m_sensorData; }
    // The replies of the network address read (13) and the MAC address read (26).
    QByteArray addressReply() const { return m_addressReply; }
    QByteArray macReply() const { return m_macReply; }
    void setPrinterTypeCode(const QString &code) { m_typeCode = code; }
    QString printerTypeCode() const { return m_typeCode; }
    int timeLimit() const { return m_timeLimit; }

    // The paper-needed handshake of the device test.
    void setPaperWait();
    void clearPaperWait(bool continuePrinting);
    bool paperAnswer() const { return m_paperAnswer; }
    bool paperWaiting() const { return m_paperWait; }
    // Blocks the dispatcher's thread while the flag is set.
    void waitForPaper();

    Communication *communication() const { return m_comm; }
    QByteArray command(int key) const { return m_commands.value(key); }
    static QMap<int, QByteArray> commandTable();

    // Transport choices from the connection panel.
    void setPortType(int portType);
    void setSerialConfig(const QString &portName, int baudRate, int parity, int dataBits,
                         int stopBits, int flowControl);
    void setLptPort(const QString &name);
    void setWifiConfig(const QString &address, int port);
    void startBluetoothSearch();
    void selectBluetoothDevice(int position);

    // The port type stored in the configuration ("Port/type"), as a number.
    static int portTypeFromConfig(const ConfigFile *config);

signals:
    void dispatchCompleted();
    void deviceTestResult(int result);
    void lackOfPaperToContinue();
    void compensationsClicked();
    void brokenCheckClicked();

public slots:
    // Runs the operation set before; connected to the dispatcher thread's started.
    void run();

private:
    friend class DeviceTestExchange;
    friend class FirmwareDownload;

    void perform(int operation);
    // What the reply of one exchange must be; every exchange states it afresh.
    struct Expect
    {
        int replyLength = 0; // send and await: the reply's bytes (0: any)
        QByteArray echo; // send and await: what the reply starts with
        int payloadLength = ReplyCheck::kAnyLength; // framed reads
        QByteArray preamble; // goes again before the bytes when they are re-sent
    };
    bool exchange(const QByteArray &bytes, int mode, int replyDelay, const Expect &expect);
    bool sendOnly(const QByteArray &bytes);
    bool sendAwait(const QByteArray &bytes, int replyDelay, int replyLength,
                   const QByteArray &preamble = QByteArray());
    bool readBlock(const QByteArray &command, int replyDelay, int payloadLength,
                   bool parameterList = false);
    bool openAndReceive();
    bool handshake();
    bool readModel(QString *model, bool *marker);
    void identify();
    void readSettings();
    void writeSettings(const QByteArray &data);
    void restoreDefaults();
    void checkPrinter();
    // The special groups' operations (13, 23-27); false for any other number.
    bool performGroupOperation(int operation);
    void evaluateTestAnswer();
    bool isSerial() const;
    bool isUsb() const;

    DelayService &m_delay;
    ConfigFile *m_config;
    Communication *m_comm;
    QThread *m_commThread;
    QMap<int, QByteArray> m_commands;
    QString m_modelName;
    bool m_markerSeen = false;
    QString m_secondIdentity;
    int m_modeByte = 0;
    // The mode byte identification saw; a printer that later answers another one has changed.
    int m_sessionModeByte = kNoModeByte;
    bool m_printerChanged = false;
    bool m_printerConfirmed = false;
    bool m_saved = false;
    bool m_handshakeResult = false;
    QByteArray m_settingBlock;
    QByteArray m_defaultBlock;
    QString m_typeCode;
    int m_operation = -1;
    QByteArray m_data1;
    QByteArray m_data2;
    int m_timeLimit = kDefaultTimeLimitMs;
    std::atomic<bool> m_paperWait {false};
    std::atomic<bool> m_paperAnswer {false};
    QByteArray m_testResult;
    QByteArray m_sensorData;
    QByteArray m_addressReply;
    QByteArray m_macReply;
    FirmwareDownload::Result m_firmwareResult;
};
