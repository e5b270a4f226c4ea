#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class ConfigFile;
class DelayService;

// A parallel port, opened exclusively. Throws COMM_ERROR_CODE values on failure; a read
// that times out returns an empty result instead.
class LptPort : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LptPort)

public:
    static constexpr int kDefaultTimeoutMs = 10000;
    static constexpr int kDefaultRetryDelayMs = 1000;

    LptPort(DelayService &delay, const ConfigFile *config, QObject *parent = nullptr);
    ~LptPort() override;

    // "LPT1", "LPT2", "LPT3" (or a device path).
    void setPortName(const QString &name) { m_portName = name; }
    QString portName() const { return m_portName; }
    // Deadline of a write and of the first read attempt.
    void setTimeout(int ms) { m_timeout = ms; }
    // How long the second read attempt waits.
    void setRetryDelay(int ms) { m_retryDelay = ms; }

    bool open();
    void close();
    bool isOpen() const { return m_fd >= 0; }
    bool write(const QByteArray &data);
    QByteArray read(int length);
    // Pulses the printer's INIT line.
    void initPrinter();

private:
    QByteArray m_received;
    int m_timeout = kDefaultTimeoutMs;
    int m_retryDelay = kDefaultRetryDelayMs;
    int m_fd = -1;
    QString m_portName;
    DelayService &m_delay;
    const ConfigFile *m_config;
};
