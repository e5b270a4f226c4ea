#include "comm/serialport.h"

#include <QDebug>

#include "comm/commerror.h"
#include "comm/delayservice.h"
#include "comm/devicemap.h"

namespace {

// A one-byte answer is only glanced for: it is there almost at once or not at all.
constexpr int kSingleByteWaitMs = 10;
constexpr int kWriteWaitMs = 1000000;
constexpr int kDtrPulses = 5;
constexpr int kDtrStepMs = 100;

} // namespace

SerialPort::SerialPort(DelayService &delay, const ConfigFile *config, QObject *parent)
    : QObject(parent)
    , m_port(new QSerialPort(this))
    , m_delay(delay)
    , m_config(config)
{
}

void SerialPort::setPortName(const QString &name)
{
    m_port->setPortName(devicePath(m_config, name));
}

void SerialPort::setBaudRate(int baud)
{
    m_port->setBaudRate(baud, QSerialPort::AllDirections);
}

void SerialPort::setParity(int parity)
{
    m_port->setParity(QSerialPort::Parity(parity));
}

void SerialPort::setDataBits(int bits)
{
    m_port->setDataBits(QSerialPort::DataBits(bits));
}

void SerialPort::setStopBits(int bits)
{
    m_port->setStopBits(QSerialPort::StopBits(bits));
}

void SerialPort::setFlowControl(int flow)
{
    m_port->setFlowControl(QSerialPort::FlowControl(flow));
}

bool SerialPort::open()
{
    m_port->clearError();
    if (m_port->open(QIODevice::ReadWrite)) {
        // Bytes left over from an earlier exchange would be taken for this one's reply.
        m_port->clear(QSerialPort::Input);
        m_port->clearError();
        return true;
    }
    qDebug() << "error:" << m_port->error();
    throw OPEN_PORT_ERROR;
}

bool SerialPort::write(const QByteArray &data)
{
    if (m_port->write(data) == data.size()) {
        // One wait moves only what the line took at once; the rest would be lost at close.
        while (m_port->bytesToWrite() > 0) {
            if (!m_port->waitForBytesWritten(kWriteWaitMs))
                break;
        }
        if (m_port->bytesToWrite() == 0)
            return true;
    }
    qDebug() << "write error:" << m_port->error();
    throw WRITE_PORT_ERROR;
}

QByteArray SerialPort::read(int expected)
{
    if (expected == 1) {
        m_port->waitForReadyRead(kSingleByteWaitMs);
    } else if (!m_port->waitForReadyRead(m_timeout)) {
        qDebug() << "read time out1~";
        throw READ_PORT_ERROR;
    }
    qDebug() << "Timeout: " << m_timeout;
    QByteArray result = m_port->readAll();
    qDebug() << "Serial Port Read Data: " << result.toHex(' ');
    if (result.size() >= expected || expected == 1)
        return result;
    // One more wait completes a reply that came in two parts; a third part is not awaited.
    if (!m_port->waitForReadyRead(m_timeout)) {
        qDebug() << "read time out2~";
        throw READ_PORT_ERROR;
    }
    result.append(m_port->readAll());
    qDebug() << "Serial Port Read Data2: " << result.toHex(' ');
    return result;
}

void SerialPort::close()
{
    m_port->close();
}

bool SerialPort::isOpen() const
{
    return m_port->isOpen();
}

bool SerialPort::pulseDtr()
{
    for (int i = 0; i < kDtrPulses; ++i) {
        setDtr(false);
        m_delay.sleep(kDtrStepMs);
        setDtr(true);
        m_delay.sleep(kDtrStepMs);
    }
    setDtr(false);
    return true;
}

void SerialPort::setDtr(bool on)
{
    // Pseudo-terminals have no modem lines; a real port has them, so the failure is harmless.
    if (!m_port->setDataTerminalReady(on))
        m_port->clearError();
}
