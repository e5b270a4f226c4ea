// Whole exchanges of every reply-awaiting mode on a block port (USB) and a stream port
// (Bluetooth), with the printer's answers taken from the input: any bytes, in any pieces, then
// silence or a failing port.
//
// Input: mode (receive, send-receive, framed, framed list, framed slow), flags (1 Bluetooth,
// 2 the port fails once the answers are gone), command size and bytes, echo size and bytes, the
// expected reply length and payload length (2 bytes each, FFFF: any payload), then the answers
// (size byte, bytes; size 0: the rest). A run that reports success must hand over exactly the
// payload its frame announced, and a failed one must say why.

#include <QList>
#include <QObject>

#include "comm/bluetoothclient.h"
#include "comm/commerror.h"
#include "comm/communication.h"
#include "comm/delayservice.h"
#include "comm/usbport.h"
#include "fuzzsupport.h"

namespace {

// The printer's side: the answers still to come, and how it behaves once they are gone.
struct Script
{
    QList<QByteArray> answers;
    bool failsWhenDone = false;

    QByteArray next()
    {
        if (!answers.isEmpty())
            return answers.takeFirst();
        if (failsWhenDone)
            throw READ_PORT_ERROR;
        return QByteArray();
    }
};
Script script;

class ScriptedUsb : public UsbPort
{
public:
    void setTimeout(int) override { }
    void setPollInterval(int) override { }
    int open() override { return 1; }
    void close() override { }
    bool write(const QByteArray &) override { return true; }
    bool writeWait(const QByteArray &) override { return true; }
    QByteArray read(int) override { return script.next(); }
    void rememberSelected() override { }
    void reselect() override { }
    void selectByPosition(int) override { }
    QByteArray deviceId() override { return QByteArray(); }
    QString modelName() override { return QString(); }
    void queryStatus() override { }
};

class ScriptedBluetooth : public BluetoothClient
{
public:
    void select(int) override { }
    int connectDevice() override { return 0; }
    int send(const QByteArray &data) override { return data.size(); }
    QByteArray receive() override { return script.next(); }
    void search() override { emit searchFinished(); }
};

class NoDelay : public DelayService
{
public:
    void sleep(int) override { }
};

struct Outcome
{
    bool result = false;
    int errors = 0;
    int deliveries = 0;
    QByteArray delivered;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::init();
    static NoDelay delay;
    static Communication *comm = nullptr;
    static Outcome outcome;
    if (!comm) {
        comm = new Communication(delay, nullptr, new ScriptedUsb, new ScriptedBluetooth);
        QObject::connect(
            comm, &Communication::communicateResult, [](bool ok) { outcome.result = ok; });
        QObject::connect(comm, &Communication::communicateError, [](int) { ++outcome.errors; });
        QObject::connect(comm, &Communication::receivedData, [](const QByteArray &bytes) {
            ++outcome.deliveries;
            outcome.delivered = bytes;
        });
    }

    fuzz::Reader in(data, size);
    static const int kModes[] = { Communication::ModeReceive, Communication::ModeSendReceive,
        Communication::ModeFramed, Communication::ModeFramedList, Communication::ModeFramedSlow };
    const int mode = kModes[in.byte() % 5];
    const int flags = in.byte();
    comm->setPortType(flags & 1 ? Communication::PortBluetooth : Communication::PortUsb);
    script.failsWhenDone = flags & 2;
    comm->setMode(mode);
    comm->setTimeout(60000);
    comm->setReplyDelay(0);
    comm->setSendBuffer(in.take(size_t(in.byte() % 7)));
    QByteArray echo = in.take(size_t(in.byte() % 5));
    comm->setExpectedLength(in.u16() % 1101);
    if (comm->expectedLength() > 0)
        echo.truncate(comm->expectedLength());
    comm->setExpectedEcho(echo);
    const int field = in.u16();
    const int payload = field == 0xFFFF ? ReplyCheck::kAnyLength : field % 1101;
    comm->setExpectedPayload(payload);
    script.answers.clear();
    while (!in.atEnd() && script.answers.size() < 64)
        script.answers.append(in.piece());

    outcome = Outcome();
    comm->communicate();

    if (!outcome.result) {
        // A failure is never silent, and hands nothing over as a reply. Only a plain receive
        // (open the port, take what is there) may find nothing without it being an error.
        const bool nothingThere = mode == Communication::ModeReceive && comm->received().isEmpty();
        FUZZ_CHECK(nothingThere || outcome.errors > 0 || comm->lastError() != COMM_NO_ERROR);
        FUZZ_CHECK(outcome.deliveries == 0);
        return 0;
    }
    FUZZ_CHECK(outcome.errors == 0);
    if (mode == Communication::ModeReceive)
        return 0;
    FUZZ_CHECK(outcome.deliveries == 1);
    FUZZ_CHECK(outcome.delivered == comm->received());
    if (mode == Communication::ModeSendReceive) {
        const int expected = comm->expectedLength();
        if (expected > 0)
            FUZZ_CHECK(outcome.delivered.size() == expected);
        FUZZ_CHECK(outcome.delivered.startsWith(echo));
    } else if (payload != ReplyCheck::kAnyLength) {
        FUZZ_CHECK(outcome.delivered.size() == payload);
    }
    return 0;
}
