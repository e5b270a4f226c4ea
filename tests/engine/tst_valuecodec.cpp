#include <QTextCodec>
#include <QtTest>

#include "engine/formulaevaluator.h"
#include "engine/valuecodec.h"

class tst_ValueCodec : public QObject
{
    Q_OBJECT

private:
    FormulaEvaluator m_evaluator;

private slots:
    void readValue_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");
        QTest::addColumn<double>("expected");
        QTest::newRow("single") << "H*256+L" << 1 << 2 << 258.0;
        QTest::newRow("single uses H above 126") << "H/10" << 200 << 0 << 20.0;
        QTest::newRow("126 takes the first") << "H;H-256" << 126 << 0 << 126.0;
        QTest::newRow("127 takes the second") << "H;H-256" << 127 << 0 << -129.0;
        QTest::newRow("255 takes the second")
            << "(H*256+L)/10;(H*256+L-65536)/10" << 255 << 246 << -1.0;
        QTest::newRow("capital letters everywhere") << "Math.max(H,L)" << 3 << 9 << 9.0;
        QTest::newRow("conditional") << "H>L?H:L" << 1 << 4 << 4.0;
    }

    void readValue()
    {
        QFETCH(QString, formula);
        QFETCH(int, high);
        QFETCH(int, low);
        QFETCH(double, expected);
        bool ok = false;
        QCOMPARE(
            ValueCodec::readValue(m_evaluator, formula, quint8(high), quint8(low), &ok), expected);
        QVERIFY(ok);
    }

    void writeValue_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("high");
        QTest::addColumn<int>("low");
        QTest::newRow("positive") << "H=Math.floor(value*10/256);L=value*10%256" << 30.0 << 1 << 44;
        QTest::newRow("two decimals") << "H=value*100;L=0" << 1.237 << 124 << 0;
        // On the v>0 branch "7--0.00" would not even parse.
        QTest::newRow("zero takes the v<=0 branch") << "H=7--value;L=value--1" << 0.0 << 7 << 255;
        // "--" only becomes "-" on the v<=0 branch: H=-(-3.50)... would be 3, the rule gives -3.
        QTest::newRow("negative, -- replaced") << "H=0-value;L=1-value" << -3.5 << 253 << 254;
        QTest::newRow("256 stores 0") << "H=value;L=value+1" << 255.0 << 255 << 0;
        QTest::newRow("-1 stores 255") << "H=value;L=value" << -1.0 << 255 << 255;
        QTest::newRow("truncation toward zero") << "H=value/2;L=0-value/2" << 3.0 << 1 << 255;
        QTest::newRow("huge") << "H=value*1e20;L=0" << 1.0 << 0 << 0;
    }

    void writeValue()
    {
        QFETCH(QString, formula);
        QFETCH(double, value);
        QFETCH(int, high);
        QFETCH(int, low);
        const ValueCodec::WrittenBytes bytes = ValueCodec::writeValue(m_evaluator, formula, value);
        QVERIFY(bytes.highOk);
        QVERIFY(bytes.lowOk);
        QCOMPARE(int(bytes.high), high);
        QCOMPARE(int(bytes.low), low);
    }

    void failingFormulasStoreNothing_data()
    {
        QTest::addColumn<QString>("formula");
        QTest::addColumn<bool>("highOk");
        QTest::addColumn<bool>("lowOk");
        QTest::newRow("syntax error") << "H=value*;L=0" << false << true;
        QTest::newRow("unknown name") << "H=value;L=nothing" << true << false;
        QTest::newRow("single part") << "H=value" << true << false;
        QTest::newRow("division by zero") << "H=value/0;L=0" << false << true;
    }

    void failingFormulasStoreNothing()
    {
        QFETCH(QString, formula);
        QFETCH(bool, highOk);
        QFETCH(bool, lowOk);
        const ValueCodec::WrittenBytes bytes = ValueCodec::writeValue(m_evaluator, formula, 7.0);
        QCOMPARE(bytes.highOk, highOk);
        QCOMPARE(bytes.lowOk, lowOk);
        bool ok = true;
        ValueCodec::readValue(m_evaluator, QStringLiteral("H+"), 1, 2, &ok);
        QVERIFY(!ok);
    }

    // A reused script engine must not let one formula see what an earlier one assigned.
    void evaluationsAreIndependent()
    {
        FormulaEvaluator evaluator;
        bool ok = false;
        QCOMPARE(evaluator.evaluate(QStringLiteral("H=12.00"), &ok), 12.0);
        QVERIFY(ok);
        QCOMPARE(evaluator.evaluate(QStringLiteral("typeof H == 'undefined' ? 1 : 2")), 1.0);
        evaluator.evaluate(QStringLiteral("H+1"), &ok);
        QVERIFY(!ok);
        evaluator.evaluate(QStringLiteral("var q = 5; function f() { return 1; } q"), &ok);
        QVERIFY(ok);
        evaluator.evaluate(QStringLiteral("q + f()"), &ok);
        QVERIFY(!ok);
        // Built-ins changed, replaced or added to are as new for the next formula (each check is
        // its own text, so that none comes from the cache).
        const char *changes[] = { "Math.floor=function(x){return 7;}; 1", "Math=0; 1",
            "Math.q=3; 1", "NaN=1; parseInt=0; 1",
            "Object.defineProperty(Math, 'floor', { value: Math.ceil }), 1" };
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(evaluator.evaluate(QString::fromLatin1(changes[i]), &ok), 1.0);
            const QString tag = QStringLiteral(" + 0*%1").arg(i);
            QCOMPARE(evaluator.evaluate(QStringLiteral("Math.floor(2.5) + (Math.q ? 10 : 0)") + tag),
                2.0);
            QCOMPARE(evaluator.evaluate(QStringLiteral("parseInt('4') + (isNaN(NaN) ? 0 : 10)") + tag),
                4.0);
        }
        // Cached results are the same numbers and do not run the engine again.
        const int runs = evaluator.engineRuns();
        QCOMPARE(evaluator.evaluate(QStringLiteral("H=12.00")), 12.0);
        QCOMPARE(evaluator.engineRuns(), runs);
    }

    void shortestNumberText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("integer") << 5.0 << "5";
        QTest::newRow("no trailing zeros") << 2.50 << "2.5";
        QTest::newRow("six digits") << 1234.5678 << "1234.57";
        QTest::newRow("negative") << -0.25 << "-0.25";
    }

    void shortestNumberText()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(ValueCodec::shortestNumberText(value), text);
    }

    void readTextField_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("text");
        const QByteArray zhong
            = QTextCodec::codecForName("GB18030")->fromUnicode(QStringLiteral("中"));
        QTest::newRow("exactly length, no terminator")
            << QByteArray("xxABCDEFGHIJyy") << 2 << 10 << "ABCDEFGHIJ";
        QTest::newRow("ends at 0") << QByteArray("AB\0CD", 5) << 0 << 5 << "AB";
        QTest::newRow("first byte 0") << QByteArray("\0CD", 3) << 0 << 3 << "";
        QTest::newRow("two-byte character")
            << (QByteArray("a") + zhong + "b") << 0 << 4 << QStringLiteral("a中b");
        QTest::newRow("last lead byte read with the byte after the field")
            << (QByteArray("ab") + zhong + "c") << 0 << 3 << QStringLiteral("ab中");
        QTest::newRow("lead byte at the end of the block")
            << (QByteArray("ab") + zhong.left(1)) << 0 << 3 << "ab";
        QTest::newRow("position beyond the block") << QByteArray("abc") << 3 << 5 << "";
        QTest::newRow("field runs past the block") << QByteArray("abc") << 1 << 5 << "bc";
        QTest::newRow("byte 0x80 is one character")
            << QByteArray("\x80z", 2) << 0 << 2 << (QString(QChar(0x80)) + QLatin1Char('z'));
    }

    void readTextField()
    {
        QFETCH(QByteArray, block);
        QFETCH(int, position);
        QFETCH(int, length);
        QFETCH(QString, text);
        QCOMPARE(ValueCodec::readTextField(block, position, length), text);
    }

    void textFieldRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("ascii") << "Printer" << 16 << "Printer";
        QTest::newRow("chinese") << QStringLiteral("打印机A") << 16 << QStringLiteral("打印机A");
        QTest::newRow("full length") << "0123456789" << 10 << "0123456789";
        QTest::newRow("cut at a character")
            << QStringLiteral("ab打印") << 5 << QStringLiteral("ab打");
        QTest::newRow("four-byte character")
            << QStringLiteral("a\U00020000b") << 8 << QStringLiteral("a\U00020000b");
    }

    void textFieldRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(int, length);
        QFETCH(QString, readBack);
        const QByteArray bytes = ValueCodec::encodeTextField(text, length);
        QCOMPARE(bytes.size(), length);
        QCOMPARE(ValueCodec::readTextField(bytes, 0, length), readBack);
    }

    void networkForms()
    {
        const QByteArray v6 = QByteArray::fromHex("0A0B0C0D0E0F1011");
        QCOMPARE(ValueCodec::ipv6LinkLocalText(v6, 0), QStringLiteral("FE80::ab:cd:ef:1011/64"));
        const QByteArray mac = QByteArray::fromHex("001AFF0b0c0d");
        QCOMPARE(ValueCodec::hexByteText(mac, true), QStringLiteral("00.1A.FF.0B.0C.0D"));
        QCOMPARE(ValueCodec::hexByteText(mac, false), QStringLiteral("001AFF0B0C0D"));
        QCOMPARE(ValueCodec::parseHexByteText(QStringLiteral("00.1A.FF.0B.0C.0D"), 6), mac);
        QVERIFY(ValueCodec::parseHexByteText(QStringLiteral("00.1A.FF.0B.0C"), 6).isEmpty());
        QVERIFY(ValueCodec::parseHexByteText(QStringLiteral("00.1A.FF.0B.0C.0G"), 6).isEmpty());
        const QByteArray ip = QByteArray::fromHex("C0A80164");
        QCOMPARE(ValueCodec::ipv4Text(ip, 0), QStringLiteral("192.168.1.100"));
        QCOMPARE(ValueCodec::parseIpv4Text(QStringLiteral("192.168.1.100")), ip);
        QVERIFY(ValueCodec::parseIpv4Text(QStringLiteral("192.168.1.")).isEmpty());
        QVERIFY(ValueCodec::parseIpv4Text(QStringLiteral("192.168.1.256")).isEmpty());
        QVERIFY(ValueCodec::parseIpv4Text(QStringLiteral("192.168.1")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_ValueCodec)
#include "tst_valuecodec.moc"
