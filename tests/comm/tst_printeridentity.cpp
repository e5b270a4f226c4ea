#include <QtTest>

#include "comm/printeridentity.h"
#include "connect_ui/printerinfo.h"

class tst_PrinterIdentity : public QObject
{
    Q_OBJECT

private slots:
    void firmwareNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("number");
        QTest::newRow("V1.24") << "V1.24"
                               << "24";
        QTest::newRow("leading zero") << "V1.05"
                                      << "5";
        QTest::newRow("20..24 is 25") << "2024"
                                      << "25";
        QTest::newRow("20..23 stays") << "2023"
                                      << "23";
        QTest::newRow("24 without 20") << "1924"
                                       << "24";
        QTest::newRow("not a number") << "V1.AB"
                                      << "0";
        QTest::newRow("empty") << ""
                               << "0";
        QTest::newRow("one character") << "7"
                                       << "7";
    }

    void firmwareNumber()
    {
        QFETCH(QString, text);
        QFETCH(QString, number);
        QCOMPARE(PrinterIdentity::firmwareNumberOf(text), number);
    }

    void identify_data()
    {
        QTest::addColumn<QString>("record");
        QTest::addColumn<QString>("eds");
        QTest::addColumn<bool>("newer");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("firmware");
        QTest::addColumn<QString>("mainId");
        const QString rk = QStringLiteral("RK5200;PNP1;V1.24;B1;BI;CG;SN42;Maker;1FC9;2016;x");
        QTest::newRow("older") << rk << "EDS;RK;00;00" << false << "RK5200"
                               << "24"
                               << "0000";
        QTest::newRow("newer: brand word, no firmware") << "QP-80;P;V4.00;B;I;C;S;M;V;P;x"
                                                        << "EDS;QP;09;04" << true << "QuenbyQP-80"
                                                        << ""
                                                        << "0904";
        QTest::newRow("eds part 3 missing") << rk << "EDS;RK;07" << false << "RK5200"
                                            << "24"
                                            << "";
        QTest::newRow("eds part 2 empty") << rk << "EDS;RK;;01" << false << "RK5200"
                                          << "24"
                                          << "";
        QTest::newRow("short record") << "RK5200"
                                      << "" << false << "RK5200"
                                      << "0"
                                      << "";
    }

    void identify()
    {
        QFETCH(QString, record);
        QFETCH(QString, eds);
        QFETCH(bool, newer);
        QFETCH(QString, model);
        QFETCH(QString, firmware);
        QFETCH(QString, mainId);
        PrinterIdentity identity;
        if (newer)
            identity.identifyNewer(record, eds);
        else
            QCOMPARE(identity.identify(record, eds), firmware);
        QCOMPARE(identity.modelName(), model);
        QCOMPARE(identity.firmwareNumber(), firmware);
        QCOMPARE(identity.mainIdentifier(), mainId);
    }

    void pageNeedsElevenParts_data()
    {
        QTest::addColumn<int>("parts");
        QTest::addColumn<bool>("newer");
        QTest::addColumn<bool>("filled");
        for (const bool newer : { false, true }) {
            const char *layout = newer ? "newer" : "older";
            QTest::addRow("%s, 10 parts", layout) << 10 << newer << false;
            QTest::addRow("%s, 11 parts", layout) << 11 << newer << true;
            QTest::addRow("%s, 12 parts", layout) << 12 << newer << false;
            QTest::addRow("%s, 11 empty parts", layout) << -11 << newer << true;
        }
    }

    void pageNeedsElevenParts()
    {
        QFETCH(int, parts);
        QFETCH(bool, newer);
        QFETCH(bool, filled);
        PrinterInfo info;
        const QStringList before { "OLD", "A", "B", "C", "D", "E", "F", "G", "H", "I", "J" };
        info.showInfo(before.join(QLatin1Char(';')), QStringLiteral("EDS;X;07;01"));
        QStringList record;
        for (int i = 0; i < qAbs(parts); ++i)
            record << (parts < 0 ? QString() : QStringLiteral("p%1").arg(i));
        const QString text = record.join(QLatin1Char(';'));
        if (newer)
            info.showInfoNewer(text, QStringLiteral("EDS;X;;01"));
        else
            info.showInfo(text, QStringLiteral("EDS;X;;01"));
        // Parts 0-9 fill "Model" to "PID"; part 10 is not shown.
        for (int field = 0; field < 10; ++field) {
            QString expected = filled ? record.at(field) : before.at(field);
            if (field == 0 && filled && newer)
                expected.prepend(QStringLiteral("Quenby"));
            QCOMPARE(info.fieldText(field), expected);
        }
        // EDSID follows every record and is emptied when part 2 is empty.
        QCOMPARE(info.fieldText(10), QString());
    }
};

QTEST_MAIN(tst_PrinterIdentity)
#include "tst_printeridentity.moc"
