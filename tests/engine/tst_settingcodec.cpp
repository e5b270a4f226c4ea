#include <QTextCodec>
#include <QtTest>

#include "definitionbuilder.h"
#include "engine/formulaevaluator.h"
#include "engine/settingcodec.h"

namespace {
const QString kTwoByteRead = QStringLiteral("(H*256+L)/10");
const QString kTwoByteWrite
    = QStringLiteral("H=Math.floor(Math.round(value*10)/256);L=Math.round(value*10)%256");
} // namespace

class tst_SettingCodec : public QObject
{
    Q_OBJECT

private:
    FormulaEvaluator m_evaluator;

private slots:
    // What a spin box shows for its bytes and what its shown value writes back.
    void spinValues_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("read");
        QTest::addColumn<QString>("write");
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<double>("shown");
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("entered");
        QTest::addColumn<QByteArray>("written");
        QTest::newRow("0501 at 282 shows 10, writes 37")
            << "0501" << 282 << "H"
            << "H=value;L=0" << 1 << QByteArray::fromHex("25") << 10.0 << "10.00 mm" << 10.0
            << QByteArray::fromHex("25");
        QTest::newRow("0501 at 284 takes 43 off")
            << "0501" << 284 << "H"
            << "H=value;L=0" << 1 << QByteArray::fromHex("30") << 5.0 << "5.00 mm" << 6.0
            << QByteArray::fromHex("31");
        QTest::newRow("same position, other code")
            << "0000" << 282 << "H"
            << "H=value;L=0" << 1 << QByteArray::fromHex("25") << 37.0 << "37.00 mm" << 37.0
            << QByteArray::fromHex("25");
        QTest::newRow("two bytes, tenths")
            << "0000" << 112 << kTwoByteRead << kTwoByteWrite << 2 << QByteArray::fromHex("0AEA")
            << 279.4 << "279.40 mm" << 300.0 << QByteArray::fromHex("0BB8");
        QTest::newRow("0302 whole steps truncate")
            << "0302" << 146 << "H/4"
            << "H=value*4;L=0" << 1 << QByteArray::fromHex("0B") << 2.0 << "2" << 3.0
            << QByteArray::fromHex("0C");
        QTest::newRow("0901 one decimal") << "0901" << 150 << "H/4"
                                          << "H=value*4;L=0" << 1 << QByteArray::fromHex("0B")
                                          << 2.8 << "2.8 mm" << 2.8 << QByteArray::fromHex("0B");
        QTest::newRow("0B01 truncates") << "0B01" << 150 << "H/4"
                                        << "H=value*4;L=0" << 1 << QByteArray::fromHex("0B") << 2.0
                                        << "2 mm" << 2.0 << QByteArray::fromHex("08");
        QTest::newRow("signed alternatives")
            << "0000" << 116 << "(H*256+L)/10;(H*256+L-65536)/10" << kTwoByteWrite << 2
            << QByteArray::fromHex("FFE2") << -3.0 << "-3.00 mm" << -3.0
            << QByteArray::fromHex("FFE2");
        QTest::newRow("no formulas, two bytes")
            << "0000" << 130 << ""
            << "" << 2 << QByteArray::fromHex("0102") << 258.0 << "258.00 mm" << 513.0
            << QByteArray::fromHex("0201");
    }

    void spinValues()
    {
        QFETCH(QString, code);
        QFETCH(int, position);
        QFETCH(QString, read);
        QFETCH(QString, write);
        QFETCH(int, length);
        QFETCH(QByteArray, bytes);
        QFETCH(double, entered);
        QFETCH(QByteArray, written);
        DefinitionBuilder b({ QStringLiteral("Page") });
        b.add(DefinitionBuilder::spin(position, length, read, write, -100, 600));
        SettingCodec codec(b.def, code, m_evaluator);
        const ControlRow row = b.def.valueRows.value(position);

        QByteArray block(1024, '\x5a');
        block.replace(position, bytes.size(), bytes);
        const SettingCodec::Spin spin = codec.spinValue(row, block);
        QVERIFY(spin.ok);
        QTEST(spin.shown, "shown");
        QTEST(SettingCodec::spinText(spin), "text");

        QVERIFY(codec.storeSpin(row, entered, block));
        QCOMPARE(block.mid(position, written.size()), written);
        // Neither neighbour is touched; a one-byte value leaves p + 1 alone.
        QCOMPARE(block.at(position - 1), '\x5a');
        QCOMPARE(block.at(position + length), '\x5a');
    }

    void spinRangeAndBrokenFormulas()
    {
        DefinitionBuilder b({ QStringLiteral("Page") });
        b.add(DefinitionBuilder::spin(10, 1, QStringLiteral("H"), QStringLiteral("H=value;L=0")));
        b.add(DefinitionBuilder::spin(20, 1, QStringLiteral("H+"), QStringLiteral("H=value*;L=0"))
                  .at(0, 1));
        SettingCodec codec(b.def, QStringLiteral("0000"), m_evaluator);
        QByteArray block(1024, '\0');
        block[10] = char(200);
        block[20] = char(7);
        // Bounds left empty by the designer do not pin the value to 0.
        const SettingCodec::Spin open = codec.spinValue(b.def.valueRows.value(10), block);
        QCOMPARE(open.shown, 200.0);
        QVERIFY(open.maximum > 200);

        const SettingCodec::Spin broken = codec.spinValue(b.def.valueRows.value(20), block);
        QVERIFY(!broken.ok);
        QVERIFY(SettingCodec::spinText(broken).isEmpty());
        const QByteArray before = block;
        QVERIFY(!codec.storeSpin(b.def.valueRows.value(20), 3, block));
        QCOMPARE(block, before);
    }

    void editTexts_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("length");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        const QByteArray gb
            = QTextCodec::codecForName("GB18030")->fromUnicode(QStringLiteral("打印"));
        QTest::newRow("ssid of exactly 24 characters")
            << "SSID"
            << "0701" << 320 << 24 << QByteArray("ABCDEFGHIJKLMNOPQRSTUVWXYZ")
            << "ABCDEFGHIJKLMNOPQRSTUVWX";
        QTest::newRow("gb18030 name")
            << "Ethernet Name"
            << "0701" << 452 << 16 << (QByteArray("RK-") + gb + QByteArray(2, '\0')) << "RK-打印";
        QTest::newRow("bluetooth model 0701 at 659")
            << "BlueToothModel"
            << "0701" << 659 << 1 << QByteArray("12345678901234567890XYZ")
            << "12345678901234567890";
        QTest::newRow("wep key in hexadecimal")
            << "WEP"
            << "0701" << 344 << 15 << QByteArray("0a1b2c3d4e\0", 11) << "0x0a1b2c3d4e";
        QTest::newRow("wep key as text")
            << "WEP"
            << "0701" << 344 << 15 << QByteArray("abcde\0", 6) << "abcde";
        QTest::newRow("ipv4") << "Ethernet Basic Setup"
                              << "0701" << 440 << 4 << QByteArray::fromHex("C0A80164")
                              << "192.168.1.100";
        QTest::newRow("mac") << "MAC"
                             << "0701" << 410 << 6 << QByteArray::fromHex("00158C2A3B50")
                             << "00.15.8C.2A.3B.50";
        QTest::newRow("port without formula")
            << "NetwordPort"
            << "0701" << 408 << 2 << QByteArray::fromHex("238C") << "9100";
    }

    void editTexts()
    {
        QFETCH(QString, caption);
        QFETCH(QString, code);
        QFETCH(int, position);
        QFETCH(int, length);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        DefinitionBuilder b({ QStringLiteral("Page") });
        b.add(DefinitionBuilder::edit(position, length, caption));
        SettingCodec codec(b.def, code, m_evaluator);
        const ControlRow row = b.def.valueRows.value(position);
        QByteArray block(1024, '\0');
        block.replace(position, bytes.size(), bytes);
        bool ok = false;
        QCOMPARE(codec.editText(row, block, &ok), text);
        QVERIFY(ok);

        // The text written back gives the same field.
        QByteArray rewritten(1024, '\0');
        QVERIFY(codec.storeEdit(row, text, rewritten));
        QCOMPARE(codec.editText(row, rewritten), text);
    }

    void invalidEntriesKeepTheBytes_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("entered");
        QTest::newRow("letters in a number") << "Copies" << 1 << "abc";
        QTest::newRow("address with an empty part") << "Ethernet Basic Setup" << 4 << "192.168.1.";
        QTest::newRow("address part too big") << "Ethernet Basic Setup" << 4 << "192.168.1.300";
        QTest::newRow("mac too short") << "MAC" << 6 << "00.11.22";
        QTest::newRow("ipv6 is shown only") << "IPv6 Setup" << 8 << "FE80::1:2:3:4/64";
    }

    void invalidEntriesKeepTheBytes()
    {
        QFETCH(QString, caption);
        QFETCH(int, length);
        QFETCH(QString, entered);
        DefinitionBuilder b({ QStringLiteral("Page") });
        b.add(DefinitionBuilder::edit(300, length, caption));
        SettingCodec codec(b.def, QStringLiteral("0000"), m_evaluator);
        QByteArray block(1024, '\x11');
        const QByteArray before = block;
        QVERIFY(!codec.storeEdit(b.def.valueRows.value(300), entered, block));
        QCOMPARE(block, before);
    }

    void positionZeroIsNeverWritten()
    {
        DefinitionBuilder b({ QStringLiteral("Page") });
        const int id = b.add(DefinitionBuilder::edit(0, 1, QStringLiteral("Copies")));
        SettingCodec codec(b.def, QStringLiteral("0000"), m_evaluator);
        QByteArray block(1024, '\x11');
        QVERIFY(!codec.storeEdit(b.def.controlRows.value(id), QStringLiteral("5"), block));
        QVERIFY(!codec.storeSpin(b.def.controlRows.value(id), 5, block));
        QCOMPARE(block, QByteArray(1024, '\x11'));
    }

    // Every value row of every delivered printer type shows a value that writes back the very
    // bytes it was read from.
    void everyDeliveredRowEncodesBackToItsBytes_data()
    {
        QTest::addColumn<QString>("typeName");
        QTest::addColumn<QString>("code");
        for (const auto &type : deliveredTypes())
            QTest::newRow(qPrintable(type.first)) << type.first << type.second;
    }

    void everyDeliveredRowEncodesBackToItsBytes()
    {
        QFETCH(QString, typeName);
        QFETCH(QString, code);
        DeliveredDatabase db;
        const SettingsDefinition def = loadSettingsDefinitionByName(db.location(), typeName, 1);
        QVERIFY2(def.printerType.pritId() != 0, qPrintable(typeName));
        QVERIFY(!def.valueRows.isEmpty());
        SettingCodec codec(def, code, m_evaluator);
        const QByteArray block = plausibleBlock(def, codec);
        int checked = 0;
        for (const ControlRow &row : def.valueRows) {
            QByteArray copy = block;
            const QString where
                = typeName + QStringLiteral(" position ") + QString::number(row.bytePosition());
            switch (def.kindOf(row)) {
            case KindSpinBox: {
                const SettingCodec::Spin spin = codec.spinValue(row, block);
                QVERIFY2(spin.ok, qPrintable(where));
                QVERIFY2(codec.storeSpin(row, spin.shown, copy), qPrintable(where));
                break;
            }
            case KindEdit: {
                if (codec.editField(row).form == SettingRules::FieldForm::Ipv6LinkLocal)
                    continue;
                bool ok = false;
                const QString text = codec.editText(row, block, &ok);
                QVERIFY2(ok && !text.isEmpty(), qPrintable(where));
                QVERIFY2(codec.storeEdit(row, text, copy), qPrintable(where));
                break;
            }
            case KindComboBox: {
                const SettingRules::OptionList options = codec.options(row, block);
                const QString text = SettingCodec::optionText(
                    options, ValueCodec::byteAt(block, row.bytePosition()));
                QVERIFY2(!text.isEmpty(), qPrintable(where));
                break;
            }
            default:
                continue;
            }
            QVERIFY2(copy == block, qPrintable(where));
            ++checked;
        }
        QVERIFY(checked > 0);
    }
};

QTEST_GUILESS_MAIN(tst_SettingCodec)
#include "tst_settingcodec.moc"
