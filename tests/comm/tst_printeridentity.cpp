#include <QtTest>

#include "comm/printeridentity.h"
#include "comm/printerinfo.h"

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
        QTest::addColumn<bool>("filled");
        QTest::newRow("10 parts") << 10 << false;
        QTest::newRow("11 parts") << 11 << true;
        QTest::newRow("12 parts") << 12 << false;
    }

    void pageNeedsElevenParts()
    {
        QFETCH(int, parts);
        QFETCH(bool, filled);
        PrinterInfo info;
        info.showInfo(QStringLiteral("OLD;A;B;C;D;E;F;G;H;I;J"), QStringLiteral("EDS;X;07;01"));
        QStringList record;
        for (int i = 0; i < parts; ++i)
            record << QStringLiteral("p%1").arg(i);
        info.showInfoNewer(record.join(QLatin1Char(';')), QStringLiteral("EDS;X;;01"));
        QCOMPARE(info.fieldText(0), filled ? QStringLiteral("Quenbyp0") : QStringLiteral("OLD"));
        QCOMPARE(info.fieldText(9), filled ? QStringLiteral("p9") : QStringLiteral("I"));
        // EDSID follows every record and is emptied when part 2 is empty.
        QCOMPARE(info.fieldText(10), QString());
    }
};

QTEST_MAIN(tst_PrinterIdentity)
#include "tst_printeridentity.moc"
