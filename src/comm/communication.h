#pragma once

#include <atomic>
#include <functional>

#include <QByteArray>
#include <QObject>
#include <QString>

#include "comm/replycheck.h"

class BluetoothClient;
class ConfigFile;
class DelayService;
class LptPort;
class QThread;
class SerialPort;
class TcpClient;
class UsbPort;

// One complete command/response exchange with the printer per run: open the chosen port,
// send, collect the reply as the mode asks, close, report. Runs on a worker thread of its own.
class Communication : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Communication)

public:
    // Port types, in the order of the connection panel.
    enum PortType : int {
        PortUsb = 0,
        PortSerial = 1,
        PortLpt = 2,
        PortWifi = 3,
        PortBluetooth = 4,
        PortNetwork = 5,
    };

    // Exchange modes chosen per request.
    enum ExchangeMode : int {
        ModeSend = 0,
        ModeReceive = 1,
        ModeSendReceive = 2,
        ModeFramed = 3, // reply: echo, 2-byte length, payload
        ModeFramedList = 4, // reply: echo, 0, 3-byte length, payload
        ModeFramedSlow = 5, // as 3, for printers that need a slow start
        ModeBulk = 6,
        ModeBulkNoRescan = 7,
        ModeWaitRestart = 8,
    };

    static constexpr int kDefaultTimeoutMs = 10000;
    static constexpr int kDefaultReplyDelayMs = 500;
    static constexpr int kDefaultPollIntervalMs = 100;
    static constexpr int kDefaultLptReadDelayMs = 1500;
    static constexpr int kSlowStartMs = 2000;
    static constexpr int kEchoRetryMs = 100;
    static constexpr int kFrameRetryMs = 300;
    static constexpr int kSerialRestartWaitMs = 7000;
    static constexpr int kLptRestartWaitMs = 5000;

    // The engine takes ownership of the USB port and the Bluetooth client; without them it
    // uses the "no devices" ones. The configuration maps port names to device paths.
    explicit Communication(DelayService &delay, const ConfigFile *config = nullptr,
        UsbPort *usb = nullptr, BluetoothClient *bluetooth = nullptr, QObject *parent = nullptr);
    ~Communication() override;

    void setPortType(int type) { m_portType = type; }
    int portType() const { return m_portType; }
    void setMode(int mode) { m_mode = mode; }
    int mode() const { return m_mode; }
    void setSendBuffer(const QByteArray &data) { m_sendBuffer = data; }
    QByteArray sendBuffer() const { return m_sendBuffer; }
    void setReplyDelay(int ms) { m_replyDelay = ms; }
    int replyDelay() const { return m_replyDelay; }
    void setTimeout(int ms) { m_timeout = ms; }
    int timeout() const { return m_timeout; }
    void setExpectedLength(int length) { m_expectedLength = length; }
    int expectedLength() const { return m_expectedLength; }
    // What a send-and-receive reply must start with (empty: anything).
    void setExpectedEcho(const QByteArray &echo) { m_expectedEcho = echo; }
    QByteArray expectedEcho() const { return m_expectedEcho; }
    // The payload length a framed reply must carry (ReplyCheck::kAnyLength: any).
    void setExpectedPayload(int length) { m_expectedPayload = length; }
    int expectedPayload() const { return m_expectedPayload; }
    // Bytes an earlier exchange sent that must go again in front of the send buffer when the
    // Network port re-sends it on a new connection (a block write's announcement).
    void setResendPreamble(const QByteArray &bytes) { m_resendPreamble = bytes; }
    QByteArray resendPreamble() const { return m_resendPreamble; }
    // The check the current mode applies to a reply.
    ReplyCheck replyCheck() const;
    void setSerialParameters(const QString &portName, int baudRate, int parity, int dataBits,
        int stopBits, int flowControl);
    QString serialPortName() const { return m_serialPortName; }
    int baudRate() const { return m_baudRate; }
    int parity() const { return m_parity; }
    int dataBits() const { return m_dataBits; }
    int stopBits() const { return m_stopBits; }
    int flowControl() const { return m_flowControl; }
    void setLptPortName(const QString &name) { m_lptPortName = name; }
    QString lptPortName() const { return m_lptPortName; }
    void setServer(const QString &address, quint16 port);
    void setPollInterval(int ms) { m_pollInterval = ms; }
    int pollInterval() const { return m_pollInterval; }
    void setLptReadDelay(int ms) { m_lptReadDelay = ms; }
    int lptReadDelay() const { return m_lptReadDelay; }
    void setBusy(bool busy) { m_busy = busy; }
    bool isBusy() const { return m_busy; }
    int lastError() const { return m_lastError; }
    void setQuietOpenFailure(bool quiet) { m_quietOpenFailure = quiet; }
    bool quietOpenFailure() const { return m_quietOpenFailure; }
    // Set from another thread to end a slow-start wait early.
    void setAbortWait(bool abort) { m_abortWait = abort; }
    bool isPortOpen() const { return m_portOpen; }
    QByteArray received() const { return m_received; }
    // Bytes of the last send the port took (all of them unless the send failed).
    qint64 bytesAccepted() const { return m_bytesAccepted; }
    QString receivedText() const;

    void startBluetoothSearch();
    void selectBluetoothDevice(int position);
    BluetoothClient *bluetooth() const { return m_bluetooth; }
    TcpClient *tcpClient() const { return m_tcp; }
    SerialPort *serialPort() const { return m_serial; }

signals:
    void communicateError(int err_code);
    void communicateResult(bool isSuccess);
    void receivedData(QByteArray data);
    void transferDataCount(int count);

public slots:
    bool initializePort();
    void communicate();
    bool communicateAgain();
    bool communicateNetwork();
    void closePort();
    void setPortOpen(bool open) { m_portOpen = open; }

private:
    // `report` false leaves a failure untold, for a caller that tries again.
    bool send(bool report = true);
    bool sendBytes(const QByteArray &bytes, bool report = true);
    bool sendAfterPreamble(bool newConnection, bool report = true);
    void sendBlocks(int blockSize, const std::function<void(const QByteArray &)> &writer);
    bool isBulkMode() const { return m_mode == ModeBulk || m_mode == ModeBulkNoRescan; }
    bool readPort(int n, QByteArray *bytes, const char *errorPrefix);
    bool receive(int n);
    bool collect(int missing = 0);
    bool sendReceive();
    bool awaitReply(ReplyCheck::Verdict *verdict);
    bool acceptReply(const ReplyCheck &check);
    void replyMissing(ReplyCheck::Verdict verdict);
    bool framedOnBlockPort();
    bool framedOnStream();
    bool frameComplete() const;
    bool frameInvalid() const;
    int headerSize() const;
    bool bulkSend();
    void waitForRestart();
    void raise(int code, const char *prefix);
    void dropTcpConnection();
    bool isBlockPort() const { return m_portType == PortUsb || m_portType == PortLpt; }
    bool isTcpPort() const { return m_portType == PortWifi || m_portType == PortNetwork; }
    void pause(int ms);

    DelayService &m_delay;
    const ConfigFile *m_config;
    bool m_portOpen = false;
    QByteArray m_received;
    BluetoothClient *m_bluetooth;
    int m_pollInterval = kDefaultPollIntervalMs;
    int m_lptReadDelay = kDefaultLptReadDelayMs;
    UsbPort *m_usb;
    bool m_quietOpenFailure = false;
    int m_expectedLength = 0;
    QByteArray m_expectedEcho;
    int m_expectedPayload = ReplyCheck::kAnyLength;
    QByteArray m_resendPreamble;
    bool m_tcpConnected = false;
    std::atomic<bool> m_abortWait { false };
    int m_portType = PortUsb;
    int m_mode = ModeSend;
    int m_timeout = kDefaultTimeoutMs;
    std::atomic<int> m_lastError { 0 };
    QString m_serialPortName;
    int m_baudRate = 0;
    int m_parity = 0;
    int m_dataBits = 0;
    int m_stopBits = 0;
    int m_flowControl = 0;
    QString m_lptPortName;
    bool m_runOpen = false;
    std::atomic<bool> m_busy { false };
    int m_replyDelay = kDefaultReplyDelayMs;
    int m_runReplyDelay = kDefaultReplyDelayMs; // the reply delay of the run in progress
    QByteArray m_sendBuffer;
    std::atomic<qint64> m_bytesAccepted { 0 };
    QThread *m_bluetoothThread;
    SerialPort *m_serial;
    LptPort *m_lpt;
    TcpClient *m_tcp;
};
