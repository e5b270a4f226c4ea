#include <QtTest>

#include "comm/replycheck.h"

using Verdict = ReplyCheck::Verdict;
using Framing = ReplyCheck::Framing;
Q_DECLARE_METATYPE(Verdict)
Q_DECLARE_METATYPE(Framing)

// The one check every awaited reply passes: echo, length, end of the reply.
class tst_ReplyCheck : public QObject
{
    Q_OBJECT

private slots:
    void verdicts_data()
    {
        QTest::addColumn<Framing>("framing");
        QTest::addColumn<QByteArray>("echo");
        QTest::addColumn<int>("length"); // plain: reply bytes; framed: payload bytes
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<Verdict>("verdict");
        QTest::addColumn<QByteArray>("data");
        const QByteArray read = QByteArray::fromHex("1d0302");
        const QByteArray block(1024, '\x11');
        const QByteArray header = read + QByteArray::fromHex("0400");
        const QByteArray hs = QByteArray::fromHex("1d1a1b1c1d4d4f4445");
        const auto P = Framing::Plain;
        const auto F16 = Framing::Length16;
        const auto F24 = Framing::Length24;
        const int any = ReplyCheck::kAnyLength;

        QTest::newRow("block whole")
            << F16 << read << 1024 << header + block << Verdict::Complete << block;
        QTest::newRow("stray bytes after the block are not data")
            << F16 << read << 1024 << header + block + QByteArray::fromHex("1d0240")
            << Verdict::Complete << block;
        QTest::newRow("block cut short") << F16 << read << 1024 << header + block.left(500)
                                         << Verdict::Incomplete << QByteArray();
        QTest::newRow("nothing yet")
            << F16 << read << 1024 << QByteArray() << Verdict::Incomplete << QByteArray();
        QTest::newRow("half an echo")
            << F16 << read << 1024 << read.left(2) << Verdict::Incomplete << QByteArray();
        QTest::newRow("wrong echo, seen at its first byte")
            << F16 << read << 1024 << QByteArray::fromHex("00") << Verdict::Invalid << QByteArray();
        QTest::newRow("zeros: no echo, length 0")
            << F16 << read << 1024 << QByteArray(1029, '\0') << Verdict::Invalid << QByteArray();
        QTest::newRow("a 2048-byte block")
            << F16 << read << 1024 << read + QByteArray::fromHex("0800") + block + block
            << Verdict::Invalid << QByteArray();
        QTest::newRow("empty default block")
            << F16 << read << 1024 << read + QByteArray::fromHex("0000") << Verdict::Invalid
            << QByteArray();
        QTest::newRow("wrong length known before the payload")
            << F16 << read << 1024 << read + QByteArray::fromHex("0800") << Verdict::Invalid
            << QByteArray();
        QTest::newRow("model of any length") << F16 << QByteArray::fromHex("1d030700") << any
                                             << QByteArray::fromHex("1d030700"
                                                                    "0003"
                                                                    "414243"
                                                                    "ff")
                                             << Verdict::Complete << QByteArray("ABC");
        QTest::newRow("empty model is a reply")
            << F16 << QByteArray::fromHex("1d030700") << any << QByteArray::fromHex("1d0307000000")
            << Verdict::Complete << QByteArray();
        QTest::newRow("parameter list") << F24 << QByteArray::fromHex("1d0501") << any
                                        << QByteArray::fromHex("1d0501"
                                                               "00000002"
                                                               "7b7d")
                                        << Verdict::Complete << QByteArray("{}");
        QTest::newRow("parameter list header short")
            << F24 << QByteArray::fromHex("1d0501") << any << QByteArray::fromHex("1d050100")
            << Verdict::Incomplete << QByteArray();
        QTest::newRow("handshake") << P << hs << 10 << hs + QByteArray("\x00", 1)
                                   << Verdict::Complete << hs + QByteArray("\x00", 1);
        QTest::newRow("handshake, 9 of 10")
            << P << hs << 10 << hs << Verdict::Incomplete << QByteArray();
        QTest::newRow("handshake of garbage")
            << P << hs << 10 << QByteArray("0123456789") << Verdict::Invalid << QByteArray();
        QTest::newRow("handshake with more behind it")
            << P << hs << 10 << hs + QByteArray("D\x01\x02") << Verdict::Complete << hs + "D";
        QTest::newRow("acknowledgement") << P << QByteArray() << 1 << QByteArray("\x06\x06")
                                         << Verdict::Complete << QByteArray("\x06");
        QTest::newRow("no acknowledgement")
            << P << QByteArray() << 1 << QByteArray() << Verdict::Incomplete << QByteArray();
        QTest::newRow("any reply, none came")
            << P << QByteArray() << 0 << QByteArray() << Verdict::Incomplete << QByteArray();
        QTest::newRow("any reply") << P << QByteArray() << 0 << QByteArray("xyz")
                                   << Verdict::Complete << QByteArray("xyz");
        // Found by fuzz_replycheck: the first byte of an echo was taken as the whole reply.
        QTest::newRow("any reply after an echo, part of the echo")
            << P << hs << 0 << hs.left(1) << Verdict::Incomplete << QByteArray();
        QTest::newRow("any reply after an echo, the echo")
            << P << hs << 0 << hs << Verdict::Complete << hs;
    }

    void verdicts()
    {
        QFETCH(Framing, framing);
        QFETCH(QByteArray, echo);
        QFETCH(int, length);
        QFETCH(QByteArray, received);
        QFETCH(Verdict, verdict);
        QFETCH(QByteArray, data);
        const ReplyCheck check = framing == Framing::Plain
            ? ReplyCheck::plain(length, echo)
            : ReplyCheck::framed(framing, echo, length);
        QCOMPARE(check.verdict(received), verdict);
        QCOMPARE(check.data(received).toHex(), data.toHex());
        // Every reply that is not taken says why, for the log.
        QCOMPARE(check.explain(received).isEmpty(),
            verdict == Verdict::Complete && check.replySize(received) == received.size());
    }
};

QTEST_APPLESS_MAIN(tst_ReplyCheck)
#include "tst_replycheck.moc"
