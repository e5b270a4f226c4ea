#pragma once

#include <QByteArray>
#include <QObject>
#include <QSerialPort>

class ConfigFile;
class DelayService;

// A COM port. Throws COMM_ERROR_CODE values on failure. (It wraps a QSerialPort rather than
// deriving from it, because its bool write() would clash with QIODevice::write.)
class SerialPort : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SerialPort)

public:
    static constexpr int kDefaultTimeoutMs = 10000;

    SerialPort(DelayService &delay, const ConfigFile *config, QObject *parent = nullptr);

    void setTimeout(int ms) { m_timeout = ms; }
    int timeout() const { return m_timeout; }

    // The line parameters, as QSerialPort enumeration values; the name is "COMn" or a path.
    void setPortName(const QString &name);
    void setBaudRate(int baud);
    void setParity(int parity);
    void setDataBits(int bits);
    void setStopBits(int bits);
    void setFlowControl(int flow);

    bool open();
    bool write(const QByteArray &data);
    QByteArray read(int expected);
    void close();
    bool isOpen() const;
    // Wakes a restarting printer by toggling DTR.
    bool pulseDtr();

    const QSerialPort &port() const { return *m_port; }

private:
    void setDtr(bool on);

    QSerialPort *m_port;
    DelayService &m_delay;
    const ConfigFile *m_config;
    int m_timeout = kDefaultTimeoutMs;
};
