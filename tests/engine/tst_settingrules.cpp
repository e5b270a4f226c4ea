#include <QtTest>

#include "engine/settingrules.h"

using namespace SettingRules;

namespace {
QByteArray blockWith(std::initializer_list<std::pair<int, int>> bytes)
{
    QByteArray block(1024, '\0');
    for (const auto &b : bytes)
        block[b.first] = char(b.second);
    return block;
}

OptionList options(const QStringList &texts)
{
    OptionList list;
    for (int i = 0; i < texts.size(); ++i)
        list.append({ texts.at(i), i });
    return list;
}

QStringList texts(const OptionList &list)
{
    QStringList result;
    for (const OptionEntry &e : list)
        result.append(e.text);
    return result;
}
} // namespace

class tst_SettingRules : public QObject
{
    Q_OBJECT

private slots:
    void rowVisible_data()
    {
        QTest::addColumn<QString>("positions");
        QTest::addColumn<QString>("values");
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<bool>("shown");
        QTest::addColumn<bool>("countError");
        const QByteArray b = blockWith({ { 10, 3 }, { 11, 0 }, { 12, 200 } });
        QTest::newRow("no rule") << ""
                                 << "" << b << true << false;
        QTest::newRow("# set") << "10"
                               << "#" << b << true << false;
        QTest::newRow("# clear") << "11"
                                 << "#" << b << false << false;
        QTest::newRow("equal") << "10"
                               << "3" << b << true << false;
        QTest::newRow("not equal") << "10"
                                   << "4" << b << false << false;
        QTest::newRow("zero means equal to 0") << "11"
                                               << "0" << b << true << false;
        QTest::newRow("negative hides that value") << "10"
                                                   << "-3" << b << false << false;
        QTest::newRow("negative shows others") << "10"
                                               << "-4" << b << true << false;
        QTest::newRow("unsigned byte") << "12"
                                       << "200" << b << true << false;
        QTest::newRow("all: every holds") << "10+12"
                                          << "3+#" << b << true << false;
        QTest::newRow("all: one fails") << "10+11"
                                        << "3+#" << b << false << false;
        QTest::newRow("all: 0 means not 0") << "10+11"
                                            << "0+0" << b << false << false;
        QTest::newRow("all: -v means not v") << "10+11"
                                             << "-4+-1" << b << true << false;
        QTest::newRow("any: first holds") << "-10+11"
                                          << "3+#" << b << true << false;
        QTest::newRow("any: none holds") << "-10+11"
                                         << "4+#" << b << false << false;
        QTest::newRow("any: second holds") << "-10+12"
                                           << "4+200" << b << true << false;
        QTest::newRow("any written as 0") << "0+12"
                                          << "#+5" << blockWith({ { 12, 5 } }) << true << false;
        QTest::newRow("any: # counts like the others") << "-11+12"
                                                       << "#+5" << b << false << false;
        QTest::newRow("count error shows") << "10+11"
                                           << "4" << b << true << true;
        QTest::newRow("position past the block reads 0") << "2000"
                                                         << "0" << b << true << false;
    }

    void rowVisible()
    {
        QFETCH(QString, positions);
        QFETCH(QString, values);
        QFETCH(QByteArray, block);
        QFETCH(bool, shown);
        QFETCH(bool, countError);
        if (countError)
            QTest::ignoreMessage(QtDebugMsg, "count error!");
        QCOMPARE(SettingRules::rowVisible(positions, values, block), shown);
    }

    void collectSkips_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QList<int>>("skipped");
        QTest::addColumn<QList<int>>("kept");
        QTest::newRow("empty") << "" << QList<int> { 24, 79, 320, 500, 636, 660, 692 }
                               << QList<int> { 1, 23, 80, 319, 637, 659, 693, 1023 };
        QTest::newRow("0701") << "0701" << QList<int> { 316, 400, 508, 659, 679, 689 }
                              << QList<int> { 32, 96, 315, 509, 600, 658, 690, 692 };
        QTest::newRow("0901: no Bluetooth area") << "0901" << QList<int> { 316, 508 }
                                                 << QList<int> { 659, 689 };
        QTest::newRow("0B01") << "0B01" << QList<int> { 316, 508 } << QList<int> { 315, 509 };
        QTest::newRow("0703") << "0703" << QList<int> { 316, 634, 636, 1023 }
                              << QList<int> { 1, 96, 315, 635 };
        QTest::newRow("other") << "0302" << QList<int> { 32, 96, 316, 692 }
                               << QList<int> { 31, 97, 315, 693, 1023 };
        QTest::newRow("0000 is not empty")
            << "0000" << QList<int> { 32, 96 } << QList<int> { 24, 31, 97, 693 };
    }

    void collectSkips()
    {
        QFETCH(QString, code);
        QFETCH(QList<int>, skipped);
        QFETCH(QList<int>, kept);
        for (int p : skipped)
            QVERIFY2(skippedByCollect(code, p), qPrintable(QString::number(p)));
        for (int p : kept)
            QVERIFY2(!skippedByCollect(code, p), qPrintable(QString::number(p)));
    }

    void spinDisplay_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<double>("offset");
        QTest::addColumn<bool>("truncate");
        QTest::newRow("0302 whole steps") << "0302" << 146 << 0 << "" << 0.0 << true;
        QTest::newRow("0302 odd position") << "0302" << 147 << 2 << " mm" << 0.0 << false;
        QTest::newRow("0302 other") << "0302" << 162 << 2 << " mm" << 0.0 << false;
        QTest::newRow("0901") << "0901" << 10 << 1 << " mm" << 0.0 << false;
        QTest::newRow("0B01") << "0B01" << 10 << 0 << " mm" << 0.0 << true;
        QTest::newRow("0501 at 282") << "0501" << 282 << 2 << " mm" << -27.0 << false;
        QTest::newRow("0501 at 284") << "0501" << 284 << 2 << " mm" << -43.0 << false;
        QTest::newRow("0501 other") << "0501" << 286 << 2 << " mm" << 0.0 << false;
        QTest::newRow("other") << "0000" << 282 << 2 << " mm" << 0.0 << false;
    }

    void spinDisplay()
    {
        QFETCH(QString, code);
        QFETCH(int, position);
        const SpinDisplay d = SettingRules::spinDisplay(code, position);
        QTEST(d.decimals, "decimals");
        QTEST(d.suffix, "suffix");
        QTEST(d.offset, "offset");
        QTEST(d.truncate, "truncate");
    }

    void editField_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("byteLength");
        QTest::addColumn<bool>("hasFormula");
        QTest::addColumn<int>("form");
        QTest::addColumn<int>("length");
        const int text = int(FieldForm::Text);
        QTest::newRow("bt model 0701 at 659") << "BlueToothModel"
                                              << "0701" << 659 << 1 << false << text << 20;
        QTest::newRow("bt model 0701 at 679") << "BlueToothModel"
                                              << "0701" << 679 << 1 << false << text << 17;
        QTest::newRow("bt model other") << "BlueToothModel"
                                        << "0302" << 596 << 1 << false << text << 16;
        QTest::newRow("bt password 0703") << "BlueToothPassword"
                                          << "0703" << 613 << 1 << false << text << 10;
        QTest::newRow("bt password other") << "BlueToothPassword"
                                           << "0000" << 613 << 1 << false << text << 5;
        QTest::newRow("ssid") << "SSID"
                              << "0701" << 330 << 1 << false << text << 24;
        QTest::newRow("psk") << "PSK"
                             << "0701" << 360 << 1 << false << text << 25;
        QTest::newRow("wep") << "WEP"
                             << "0701" << 390 << 1 << false << text << 15;
        QTest::newRow("mac") << "MAC"
                             << "0701" << 400 << 6 << false << int(FieldForm::HexBytes) << 6;
        QTest::newRow("ipv6") << "IPv6 Setup"
                              << "0701" << 410 << 8 << false << int(FieldForm::Ipv6LinkLocal) << 8;
        QTest::newRow("ipv4") << "Ethernet Basic Setup"
                              << "0701" << 420 << 4 << false << int(FieldForm::Ipv4) << 4;
        QTest::newRow("port is a number")
            << "EthernetPort"
            << "0701" << 430 << 2 << true << int(FieldForm::Number) << 0;
        QTest::newRow("plain number") << "Line spacing"
                                      << "0000" << 100 << 2 << true << int(FieldForm::Number) << 0;
        QTest::newRow("bytes without formula") << "Header text"
                                               << "0000" << 700 << 20 << false << text << 20;
    }

    void editField()
    {
        QFETCH(QString, caption);
        QFETCH(QString, code);
        QFETCH(int, position);
        QFETCH(int, byteLength);
        QFETCH(bool, hasFormula);
        const EditField f
            = SettingRules::editField(caption, code, position, byteLength, hasFormula);
        QTEST(int(f.form), "form");
        QTEST(f.length, "length");
    }

    void gatedAndDisabled()
    {
        QVERIFY(gatedByCheckBox(QStringLiteral("0000"), 120));
        QVERIFY(gatedByCheckBox(QStringLiteral("0302"), 160));
        QVERIFY(gatedByCheckBox(QStringLiteral("0904"), 298));
        QVERIFY(!gatedByCheckBox(QStringLiteral("0904"), 127));
        QVERIFY(!gatedByCheckBox(QStringLiteral("0701"), 120));
        QVERIFY(!gatedByCheckBox(QString(), 120));
        QVERIFY(shownDisabledWhenHidden(QStringLiteral("MV-4410C"), 216));
        QVERIFY(shownDisabledWhenHidden(QStringLiteral("MV-4410C"), 234));
        QVERIFY(!shownDisabledWhenHidden(QStringLiteral("MV-4410C"), 222));
        QVERIFY(!shownDisabledWhenHidden(QStringLiteral("RK-5200"), 216));
    }

    void adjustOptionList_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("result");
        const QStringList five { "a", "b", "c", "d", "e" };
        const QStringList four { "a", "b", "c", "d" };
        QTest::newRow("216 board 80")
            << 216 << five << blockWith({ { 583, 80 }, { 216, 4 } }) << "0000"
            << "X" << QStringList { "a", "b", "c", "e" };
        QTest::newRow("216 board n")
            << 216 << five << blockWith({ { 583, 'n' }, { 216, 4 } }) << "0000"
            << "X" << five;
        QTest::newRow("216 other, value 4") << 216 << five << blockWith({ { 216, 4 } }) << "0000"
                                            << "X" << QStringList { "a", "10.6:8", "13.6:8", "e" };
        QTest::newRow("216 other, value 1") << 216 << five << blockWith({ { 216, 1 } }) << "0000"
                                            << "X" << QStringList { "a", "b", "c", "e" };
        QTest::newRow("216 four items") << 216 << four << blockWith({}) << "0000"
                                        << "X" << four;
        QTest::newRow("224 BX-580")
            << 224 << QStringList { "a", "b", "c" } << blockWith({}) << "0000"
            << "BX-580" << QStringList { "a", "b" };
        QTest::newRow("224 other") << 224 << four << blockWith({}) << "0000"
                                   << "X" << QStringList { "a", "b", "d" };
        QTest::newRow("224 0302") << 224 << four << blockWith({}) << "0302"
                                  << "X" << QStringList { "a", "d" };
        QTest::newRow("224 board n") << 224 << four << blockWith({ { 583, 'n' } }) << "0302"
                                     << "X" << four;
        QTest::newRow("224 0301 P") << 224 << four << blockWith({ { 584, 'P' } }) << "0301"
                                    << "X" << QStringList { "a", "d" };
        QTest::newRow("224 0301 other") << 224 << four << blockWith({}) << "0301"
                                        << "X" << four;
        QTest::newRow("232 no hardware info") << 232 << four << blockWith({}) << "0000"
                                              << "X" << four;
        QTest::newRow("232 mask") << 232 << four << blockWith({ { 578, 0b0101 } }) << "0000"
                                  << "X" << QStringList { "a", "c" };
        QTest::newRow("232 current kept")
            << 232 << four << blockWith({ { 578, 0b0101 }, { 232, 3 } }) << "0000"
            << "X" << QStringList { "a", "c", "d" };
        QTest::newRow("232 high byte 585 on 0302")
            << 232 << four << blockWith({ { 578, 1 }, { 579, 0xff }, { 585, 0 } }) << "0302"
            << "X" << QStringList { "a" };
        QTest::newRow("232 0C01 modules")
            << 232 << four << blockWith({ { 602, 1 }, { 614, 1 } }) << "0C01"
            << "X" << QStringList { "a", "b", "d" };
        QTest::newRow("other position") << 100 << five << blockWith({ { 583, 80 } }) << "0000"
                                        << "X" << five;
    }

    void adjustOptionList()
    {
        QFETCH(int, position);
        QFETCH(QStringList, items);
        QFETCH(QByteArray, block);
        QFETCH(QString, code);
        QFETCH(QString, name);
        QFETCH(QStringList, result);
        const OptionList adjusted
            = SettingRules::adjustOptionList(position, options(items), block, code, name);
        QCOMPARE(texts(adjusted), result);
        // Renamed or not, every entry keeps the value of the item it came from.
        for (const OptionEntry &e : adjusted) {
            if (e.text.size() == 1)
                QCOMPARE(e.value, items.indexOf(e.text));
        }
    }
};

QTEST_GUILESS_MAIN(tst_SettingRules)
#include "tst_settingrules.moc"
