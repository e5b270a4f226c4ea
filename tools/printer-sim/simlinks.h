#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

class QTcpSocket;

// One byte stream between the program and a simulated printer. Replies are queued so that
// delays and pieces can be played without blocking the other printers of the process.
class ByteLink : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ByteLink)

public:
    explicit ByteLink(QObject *parent = nullptr);

    // Sends bytes once delayMs have passed after the previous queued item went out.
    void schedule(const QByteArray &bytes, int delayMs);
    void scheduleHangUp(int delayMs);
    // Reply bytes queued on this link since it was opened.
    qint64 scheduledBytes() const { return m_scheduled; }
    virtual QString describe() const = 0;

signals:
    void received(const QByteArray &bytes);
    void closed();

protected:
    virtual void writeNow(const QByteArray &bytes) = 0;
    virtual void hangUpNow() = 0;

private:
    struct Item
    {
        QByteArray bytes;
        int delayMs;
        bool hangUp;
    };
    void startNext();
    void sendCurrent();

    QList<Item> m_items;
    QTimer m_timer;
    qint64 m_scheduled = 0;
};

class TcpLink : public ByteLink
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TcpLink)

public:
    explicit TcpLink(QTcpSocket *socket, QObject *parent = nullptr);
    QString describe() const override;
    // Takes at most this many bytes a second off the connection, as a printer that writes what
    // it receives into flash memory; the sender is held back by the connection's flow control.
    void limitReadRate(int bytesPerSecond);

protected:
    void writeNow(const QByteArray &bytes) override;
    void hangUpNow() override;

private:
    QTcpSocket *m_socket;
};

// The master side of a pseudo-terminal; the program opens the slave as its serial or
// parallel device.
class PtyLink : public ByteLink
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PtyLink)

public:
    explicit PtyLink(QObject *parent = nullptr);
    ~PtyLink() override;

    bool open(QString *error);
    // Holds an exclusive lock on the device, as another program holding the port would.
    bool lockDevice(QString *error);
    QString slavePath() const { return m_slavePath; }
    QString describe() const override;

protected:
    void writeNow(const QByteArray &bytes) override;
    void hangUpNow() override;

private:
    void readMaster();
    void flushOutput();

    int m_master = -1;
    int m_slave = -1; // kept open so the master never sees a hang-up between the program's opens
    QString m_slavePath;
    QByteArray m_output;
    class QSocketNotifier *m_readNotifier = nullptr;
    class QSocketNotifier *m_writeNotifier = nullptr;
};
