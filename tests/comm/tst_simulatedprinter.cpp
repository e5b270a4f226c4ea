#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

#include "printercommands.h"
#include "printerprofile.h"
#include "simulatedprinter.h"

namespace {

QByteArray hex(const char *text)
{
    return QByteArray::fromHex(text);
}

PrinterProfile profile(const QString &id)
{
    PrinterProfile p;
    QString error;
    if (!PrinterProfile::load(id, &p, &error))
        qFatal("%s", qPrintable(error));
    return p;
}

// Splits a framed reply into echo, length field and payload, checking the declared length.
bool unframe(const QByteArray &reply, int echo, int header, QByteArray *payload)
{
    if (reply.size() < echo + header)
        return false;
    quint32 length = 0;
    for (int i = header == 2 ? 0 : 1; i < header; ++i)
        length = (length << 8) | quint8(reply.at(echo + i));
    if (header == 4 && reply.at(echo) != 0)
        return false;
    *payload = reply.mid(echo + header);
    return quint32(payload->size()) == length;
}

} // namespace

class tst_SimulatedPrinter : public QObject
{
    Q_OBJECT

private slots:
    // The profiles must play exactly the printers the database describes.
    void profilesMatchThePrinterFamily_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<bool>("marker");
        QTest::addColumn<QString>("typeCode");
        QTest::addColumn<int>("modeByte");
        QTest::newRow("rk5200-legacy") << "rk5200-legacy"
                                       << "RK5200"
                                       << "V1.24" << false << "0000" << 67;
        QTest::newRow("rk5200-new") << "rk5200-new"
                                    << "RK5200"
                                    << "V2.31" << false << "0000" << 67;
        QTest::newRow("mv4410c") << "mv4410c"
                                 << "MV-4410C"
                                 << "V1.10" << false << "0302" << 67;
        QTest::newRow("zn470kw") << "zn470kw"
                                 << "ZN-470 KW"
                                 << "V3.05" << false << "0701" << 67;
        QTest::newRow("rp0501") << "rp0501"
                                << "RP-58S"
                                << "V1.02" << false << "0501" << 67;
        QTest::newRow("qp80") << "qp80"
                              << "QP-80"
                              << "V4.00" << true << "0904" << 67;
        QTest::newRow("rk7300") << "rk7300"
                                << "RK-7300"
                                << "V1.00" << false << "0901" << 67;
        QTest::newRow("pl100") << "pl100"
                               << "PL-100"
                               << "V1.00" << false << "0B01" << 68;
    }

    void profilesMatchThePrinterFamily()
    {
        QFETCH(QString, id);
        QFETCH(QString, model);
        QFETCH(QString, firmware);
        QFETCH(bool, marker);
        QFETCH(QString, typeCode);
        QFETCH(int, modeByte);
        SimulatedPrinter printer(profile(id));

        const QByteArray handshake = printer.feed(simCommand(SimCommand::Handshake).bytes);
        QCOMPARE(handshake.size(), 10);
        QCOMPARE(int(quint8(handshake.at(9))), modeByte);

        QByteArray model_reply;
        QVERIFY(unframe(printer.feed(simCommand(SimCommand::ReadModel).bytes), 4, 2, &model_reply));
        QCOMPARE(model_reply.startsWith(modelReplyMarker()), marker);
        if (marker)
            model_reply.remove(0, modelReplyMarker().size());
        const QStringList parts = QString::fromUtf8(model_reply).split(QLatin1Char(';'));
        QCOMPARE(parts.size(), 11);
        QCOMPARE(parts.at(0), model);
        QCOMPARE(parts.at(2), firmware);

        QByteArray eds;
        QVERIFY(unframe(printer.feed(simCommand(SimCommand::ReadEds).bytes), 4, 2, &eds));
        const QStringList edsParts = QString::fromUtf8(eds).split(QLatin1Char(';'));
        QCOMPARE(edsParts.value(0), QStringLiteral("EDS"));
        QCOMPARE(edsParts.value(2) + edsParts.value(3), typeCode);

        QByteArray block;
        QVERIFY(unframe(printer.feed(simCommand(SimCommand::ReadSettings).bytes), 3, 2, &block));
        QCOMPARE(block.size(), kBlockSize);
        QVERIFY(unframe(printer.feed(simCommand(SimCommand::ReadDefaults).bytes), 3, 2, &block));
        QCOMPARE(block.size(), kBlockSize);

        QByteArray list;
        QVERIFY(
            unframe(printer.feed(simCommand(SimCommand::ReadParameterList).bytes), 3, 4, &list));
        if (modeByte == 68) {
            QVERIFY(QJsonDocument::fromJson(list).isObject());
            // The program shows the pages in the order the printer sends them.
            QVERIFY(list.startsWith("{\"System Setup\":"));
        }
    }

    void framedRepliesAnswerEvenWhenCommandsArriveByteByByte_data()
    {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<int>("header");
        QTest::addColumn<int>("payloadSize");
        QTest::newRow("settings") << simCommand(SimCommand::ReadSettings).bytes << 2 << 1024;
        QTest::newRow("defaults") << simCommand(SimCommand::ReadDefaults).bytes << 2 << 1024;
        QTest::newRow("sensors") << simCommand(SimCommand::ReadSensors).bytes << 2 << 20;
        QTest::newRow("mac") << simCommand(SimCommand::ReadMac).bytes << 2 << 6;
        QTest::newRow("address") << simCommand(SimCommand::ReadAddress).bytes << 2 << 12;
        QTest::newRow("parameter list")
            << simCommand(SimCommand::ReadParameterList).bytes << 4 << -1;
    }

    void framedRepliesAnswerEvenWhenCommandsArriveByteByByte()
    {
        QFETCH(QByteArray, command);
        QFETCH(int, header);
        QFETCH(int, payloadSize);
        SimulatedPrinter whole(profile(QStringLiteral("pl100")));
        SimulatedPrinter pieces(profile(QStringLiteral("pl100")));
        const QByteArray expected = whole.feed(command);
        QByteArray got;
        for (char c : command)
            got += pieces.feed(QByteArray(1, c));
        QCOMPARE(got, expected);
        QByteArray payload;
        QVERIFY(unframe(got, command.size(), header, &payload));
        if (payloadSize >= 0)
            QCOMPARE(payload.size(), payloadSize);
        QCOMPARE(pieces.log().size(), 1);
    }

    void unknownBytesAreSkippedAndLogged()
    {
        SimulatedPrinter printer(profile(QStringLiteral("zn470kw")));
        const QByteArray reply
            = printer.feed(hex("AABB1D07") + simCommand(SimCommand::PinTest).bytes);
        QCOMPARE(reply, hex("00"));
        QCOMPARE(printer.log().value(0), QStringLiteral("UNKNOWN 4 aabb1d07"));
        QCOMPARE(printer.log().value(1), QStringLiteral("CMD pinTest 1d0124"));
    }

    void blockWriteIsKeptAndDefaultsRestoreIt()
    {
        QTemporaryDir dir;
        const QString statePath = dir.filePath(QStringLiteral("state.json"));
        QByteArray written(kBlockSize, '\0');
        for (int i = 0; i < kBlockSize; ++i)
            written[i] = char(i * 7);
        QByteArray defaults;
        {
            SimulatedPrinter printer(profile(QStringLiteral("zn470kw")));
            QString error;
            QVERIFY2(printer.setStateFile(statePath, &error), qPrintable(error));
            defaults = printer.state().defaultBlock;
            QVERIFY(printer.feed(simCommand(SimCommand::AnnounceBlock).bytes).isEmpty());
            // The block arrives in two parts; the answer comes only after the last byte.
            QVERIFY(printer.feed(written.left(600)).isEmpty());
            QCOMPARE(printer.feed(written.mid(600)), hex("01"));
            QByteArray block;
            QVERIFY(
                unframe(printer.feed(simCommand(SimCommand::ReadSettings).bytes), 3, 2, &block));
            QCOMPARE(block, written);
        }
        // A new simulator run on the same state file still has the written block.
        SimulatedPrinter again(profile(QStringLiteral("zn470kw")));
        QString error;
        QVERIFY2(again.setStateFile(statePath, &error), qPrintable(error));
        QCOMPARE(again.state().settingBlock, written);
        QCOMPARE(again.feed(simCommand(SimCommand::RestoreDefaults).bytes), hex("01"));
        QCOMPARE(again.state().settingBlock, defaults);
        QVERIFY(defaults != written);
    }

    void stateFileOfAnotherProfileIsRefused()
    {
        QTemporaryDir dir;
        const QString statePath = dir.filePath(QStringLiteral("state.json"));
        QString error;
        SimulatedPrinter first(profile(QStringLiteral("zn470kw")));
        QVERIFY(first.setStateFile(statePath, &error));
        SimulatedPrinter other(profile(QStringLiteral("qp80")));
        QVERIFY(!other.setStateFile(statePath, &error));
        QVERIFY(error.contains(QLatin1String("another profile")));
    }

    // Printer type 0501 on a serial line takes writes and resets without answering.
    void quietCommandsOnSerial_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<int>("link");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("0501 serial") << "rp0501" << int(SimLink::Serial) << QByteArray();
        QTest::newRow("0501 lpt") << "rp0501" << int(SimLink::Lpt) << hex("0101");
        QTest::newRow("0501 tcp") << "rp0501" << int(SimLink::Tcp) << hex("0101");
        QTest::newRow("0701 serial") << "zn470kw" << int(SimLink::Serial) << hex("0101");
    }

    void quietCommandsOnSerial()
    {
        QFETCH(QString, id);
        QFETCH(int, link);
        QFETCH(QByteArray, expected);
        SimulatedPrinter printer(profile(id));
        printer.setLink(SimLink(link));
        QByteArray reply = printer.feed(simCommand(SimCommand::RestoreDefaults).bytes);
        reply += printer.feed(
            simCommand(SimCommand::AnnounceBlock).bytes + QByteArray(kBlockSize, '\x05'));
        QCOMPARE(reply, expected);
        QCOMPARE(printer.state().settingBlock, QByteArray(kBlockSize, '\x05'));
    }

    void testPolling_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QByteArray>("exchange");
        QTest::addColumn<QByteArray>("answers");
        const QByteArray menu = simCommand(SimCommand::PrintMenu).bytes;
        const QByteArray poll = simCommand(SimCommand::PollTest).bytes;
        const QByteArray cancel = simCommand(SimCommand::CancelTest).bytes;
        QTest::newRow("running then done, last answer repeats")
            << "zn470kw" << QByteArray(menu + poll + poll + poll + poll) << hex("0202000000");
        QTest::newRow("paper needed")
            << "mv4410c" << QByteArray(menu + poll + poll + poll) << hex("02030200");
        QTest::newRow("cancel ends the test")
            << "mv4410c" << QByteArray(menu + cancel + poll) << hex("020100");
        QTest::newRow("poll without a test") << "zn470kw" << poll << hex("00");
        QTest::newRow("pin test") << "zn470kw" << simCommand(SimCommand::PinTest).bytes
                                  << hex("00");
    }

    void testPolling()
    {
        QFETCH(QString, id);
        QFETCH(QByteArray, exchange);
        QFETCH(QByteArray, answers);
        SimulatedPrinter printer(profile(id));
        QCOMPARE(printer.feed(exchange).toHex(), answers.toHex());
    }

    void parameterListWriteKeepsOrderAndOnlyKnownValues()
    {
        SimulatedPrinter printer(profile(QStringLiteral("pl100")));
        const QByteArray text
            = R"({"Paper Setup":{"paperType":{"val":"Label+2"},"bogus":{"val":"x+1"}},)"
              R"("System Setup":{"density":{"val":"6+6"}},"Nope":{"a":{"val":"b+1"}}})";
        QByteArray header(4, '\0');
        header[2] = char(text.size() >> 8);
        header[3] = char(text.size() & 0xFF);
        QVERIFY(printer.feed(simCommand(SimCommand::WriteParameterList).bytes + header + text)
                    .isEmpty());
        QCOMPARE(printer.log().last(),
            QStringLiteral("DATA writeParameterList %1 values=2").arg(text.size()));
        QByteArray list;
        QVERIFY(
            unframe(printer.feed(simCommand(SimCommand::ReadParameterList).bytes), 3, 4, &list));
        QVERIFY(list.startsWith("{\"System Setup\":"));
        const QJsonObject root = QJsonDocument::fromJson(list).object();
        const QJsonObject paper = root.value(QStringLiteral("Paper Setup")).toObject();
        QCOMPARE(paper.value(QStringLiteral("paperType"))
                     .toObject()
                     .value(QStringLiteral("val"))
                     .toString(),
            QStringLiteral("Label+2"));
        QVERIFY(
            paper.value(QStringLiteral("paperType")).toObject().contains(QStringLiteral("tip")));
        QVERIFY(!paper.contains(QStringLiteral("bogus")));
        QVERIFY(!root.contains(QStringLiteral("Nope")));
    }

    void macWriteIsReadBack()
    {
        SimulatedPrinter printer(profile(QStringLiteral("zn470kw")));
        QCOMPARE(
            printer.feed(simCommand(SimCommand::WriteMac).bytes + hex("A1B2C3D4E5F6")), hex("01"));
        QByteArray mac;
        QVERIFY(unframe(printer.feed(simCommand(SimCommand::ReadMac).bytes), 3, 2, &mac));
        QCOMPARE(mac, hex("A1B2C3D4E5F6"));
    }

    void firmwareDownload_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("pieces");
        QTest::addColumn<bool>("endsItself");
        QTest::addColumn<QString>("verdict");
        const QByteArray good = "S00600004844521B\r\n"
                                "S1130000285F245F2212226A000424290008237C2A\r\n"
                                "S9030000FC\r\n";
        QByteArray bad = good;
        bad.replace("237C2A", "237C2B");
        QTest::newRow("s-records") << good << 1 << true << "srec-ok";
        QTest::newRow("s-records in pieces") << good << 7 << true << "srec-ok";
        QTest::newRow("bad checksum") << bad << 1 << true << "srec-bad";
        QTest::newRow("no data record")
            << QByteArray("S00600004844521B\nS9030000FC\n") << 1 << true << "srec-bad";
        QTest::newRow("no end record") << good.left(60) << 1 << false << "srec-bad";
        QTest::newRow("binary") << QByteArray(3000, '\x7F') << 3 << false << "raw";
    }

    void firmwareDownload()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, pieces);
        QFETCH(bool, endsItself);
        QFETCH(QString, verdict);
        SimulatedPrinter printer(profile(QStringLiteral("zn470kw")));
        QCOMPARE(printer.feed(simCommand(SimCommand::FirmwareMode).bytes),
            simCommand(SimCommand::FirmwareMode).bytes);
        const int step = (data.size() + pieces - 1) / pieces;
        for (int i = 0; i < data.size(); i += step)
            QVERIFY(printer.feed(data.mid(i, step)).isEmpty());
        QCOMPARE(!printer.inFirmwareMode(), endsItself);
        printer.endOfData();
        QVERIFY(!printer.inFirmwareMode());
        QCOMPARE(printer.state().firmwareDownloads, 1);
        QCOMPARE(printer.state().lastFirmwareSize, data.size());
        QCOMPARE(printer.state().lastFirmwareCheck, verdict);
        // Back to commands afterwards.
        QCOMPARE(printer.feed(simCommand(SimCommand::PinTest).bytes), hex("00"));
    }

    void hostileFaults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("line"); // SimReply::Line of the faulty exchange
        QTest::addColumn<QByteArray>("reply"); // "" : none; "=" : the healthy reply
        QTest::addColumn<bool>("blockWritten");
        const QByteArray read = simCommand(SimCommand::ReadSettings).bytes;
        const QByteArray hs = simCommand(SimCommand::Handshake).bytes;
        const QByteArray write = simCommand(SimCommand::AnnounceBlock).bytes + QByteArray(1024, '\x05');
        const int send = int(SimReply::Line::Send);
        QTest::newRow("drop, acts") << "drop@writeBlock" << write << send << QByteArray() << true;
        QTest::newRow("silent, does not act") << "silent@writeBlock" << write << send << QByteArray() << false;
        QTest::newRow("close after the announcement drops the rest")
            << "close@announceBlock" << write << int(SimReply::Line::Close) << QByteArray() << false;
        QTest::newRow("split") << "split@handshake" << hs << int(SimReply::Line::Split) << QByteArray("=") << false;
        QTest::newRow("pad") << "pad@readSettings" << read << send << QByteArray("=+") << false;
        QTest::newRow("list mode") << "list-mode@handshake" << hs << send << hs.left(9) + "D" << false;
        QTest::newRow("empty frame") << "empty@readSettings" << read << send << read + hex("0000") << false;
        QTest::newRow("second time only") << "garbage@handshake#2" << hs + hs << send << QByteArray("==")
                                          << false;
    }

    // Each fault touches its exchange only, the way the program will meet it.
    void hostileFaults()
    {
        QFETCH(QString, fault);
        QFETCH(QByteArray, input);
        QFETCH(int, line);
        QFETCH(QByteArray, reply);
        QFETCH(bool, blockWritten);
        const PrinterProfile p = profile(QStringLiteral("zn470kw"));
        SimulatedPrinter healthy(p);
        const QByteArray whole = healthy.feed(input);
        SimulatedPrinter printer(p);
        HostileFault f;
        QString error;
        QVERIFY2(HostileFault::parse(fault, &f, &error), qPrintable(error));
        printer.addHostileFault(f);
        const QVector<SimReply> replies = printer.feedExchanges(input);
        QByteArray got;
        for (const SimReply &r : replies)
            got += r.bytes;
        if (reply == "=")
            QCOMPARE(got.toHex(), whole.toHex());
        else if (reply == "=+")
            QCOMPARE(got.toHex(), (whole + simCommand(SimCommand::RestoreDefaults).bytes).toHex());
        else if (reply == "==")
            QVERIFY(got.startsWith(whole.left(10)) && got.size() == 20 && got.mid(10) != whole.mid(10));
        else
            QCOMPARE(got.toHex(), reply.toHex());
        QVERIFY(!replies.isEmpty());
        QCOMPARE(int(replies.last().line), line);
        QCOMPARE(printer.state().settingBlock != p.settingBlock, blockWritten);
        QCOMPARE(printer.log().filter(QStringLiteral("FAULT ")).size(), 1);
    }

    void hostileFaultSpelling_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("no exchange") << "drop";
        QTest::newRow("unknown kind") << "explode@handshake";
        QTest::newRow("unknown exchange") << "drop@print";
        QTest::newRow("zeroth time") << "drop@handshake#0";
    }

    void hostileFaultSpelling()
    {
        QFETCH(QString, text);
        HostileFault f;
        QString error;
        QVERIFY(!HostileFault::parse(text, &f, &error));
        QVERIFY(error.contains(QLatin1String("KIND@EXCHANGE")));
    }

    void newSessionDropsHalfReceivedData()
    {
        SimulatedPrinter printer(profile(QStringLiteral("zn470kw")));
        const QByteArray before = printer.state().settingBlock;
        printer.feed(simCommand(SimCommand::AnnounceBlock).bytes + QByteArray(100, '\x09'));
        printer.beginSession();
        QCOMPARE(printer.feed(simCommand(SimCommand::PinTest).bytes), hex("00"));
        QCOMPARE(printer.state().settingBlock, before);
    }
};

QTEST_GUILESS_MAIN(tst_SimulatedPrinter)
#include "tst_simulatedprinter.moc"
