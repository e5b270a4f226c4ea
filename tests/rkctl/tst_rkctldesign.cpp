#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "database/designstore.h"
#include "database/printertypetable.h"
#include "database/settingsdatabase.h"
#include "rkctlrun.h"

namespace {
const QString kDelivered = QStringLiteral(RK_BIN_DIR "/SWTDatabase.db");
const QByteArray kPassword = QByteArrayLiteral("Setwright@2016\n");

QByteArray digestOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}
} // namespace

// rkctl's printer type commands on a copy of the delivered database, as a script runs them.
class tst_RkctlDesign : public QObject
{
    Q_OBJECT

private slots:
    void types()
    {
        const RkctlRun run = rkctl({ QStringLiteral("types"), QStringLiteral("--database"), kDelivered });
        QCOMPARE(run.code, 0);
        QVERIFY2(run.out.contains(QStringLiteral("ZN-470 KW\tMV900\n")), qPrintable(run.out));
        QVERIFY2(run.out.contains(QStringLiteral("QuenbyQP-80\tQR70\n")), qPrintable(run.out));
    }

    void changes_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input"); // standard input: the password
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text"); // on standard output for 0, else standard error
        QTest::addColumn<QStringList>("typesAfter"); // present afterwards; "-NAME": absent

        const QString zn = QStringLiteral("ZN-470 KW");
        QTest::newRow("copy") << QStringList { "copy-type", zn, "ZN-470 COPY", "--user", "designer" }
                              << kPassword << 0 << "Save Successful"
                              << QStringList { zn, "ZN-470 COPY" };
        QTest::newRow("wrong password")
            << QStringList { "copy-type", zn, "ZN-470 COPY", "--user", "designer" }
            << QByteArray("guess\n") << 4 << "Login failed: wrong user name or password."
            << QStringList { "-ZN-470 COPY" };
        QTest::newRow("no password at all")
            << QStringList { "copy-type", zn, "ZN-470 COPY", "--user", "designer" } << QByteArray()
            << 4 << "Login failed" << QStringList { "-ZN-470 COPY" };
        QTest::newRow("no login") << QStringList { "copy-type", zn, "ZN-470 COPY" } << kPassword << 2
                                  << "needs the designer's login" << QStringList { "-ZN-470 COPY" };
        QTest::newRow("copy over an existing type")
            << QStringList { "copy-type", zn, "RP-58S", "--user", "designer" } << kPassword << 4
            << "exists already" << QStringList { "RP-58S" };
        QTest::newRow("copy of an unknown type")
            << QStringList { "copy-type", "NO SUCH", "ZN-470 COPY", "--user", "designer" }
            << kPassword << 2 << "no printer type \"NO SUCH\"" << QStringList { "-ZN-470 COPY" };
        QTest::newRow("delete")
            << QStringList { "delete-type", "RP-58S", "main_0901", "--user", "designer", "--yes" }
            << kPassword << 0 << "Delete successfully"
            << QStringList { "-RP-58S", "-main_0901", zn };
        QTest::newRow("delete without --yes and no one to ask")
            << QStringList { "delete-type", "RP-58S", "--user", "designer" } << kPassword << 2
            << "give --yes" << QStringList { "RP-58S" };
        QTest::newRow("delete with one unknown name deletes nothing")
            << QStringList { "delete-type", "RP-58S", "NO SUCH", "--user", "designer", "--yes" }
            << kPassword << 2 << "no printer type \"NO SUCH\"" << QStringList { "RP-58S" };
    }

    // A refused command leaves the file byte for byte as it was.
    void changes()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        QFETCH(int, code);
        QFETCH(QString, text);
        QFETCH(QStringList, typesAfter);

        QTemporaryDir dir;
        const QString db = dir.filePath(QStringLiteral("SWTDatabase.db"));
        QVERIFY(QFile::copy(kDelivered, db));
        const QByteArray before = digestOf(db);
        const RkctlRun run = rkctl(args + QStringList { QStringLiteral("--database"), db }, input);
        QVERIFY2(run.code == code, qPrintable(run.err));
        QVERIFY2((code == 0 ? run.out : run.err).contains(text), qPrintable(run.out + run.err));
        if (code != 0)
            QCOMPARE(digestOf(db), before);

        const DatabaseLocation location(db);
        PrinterTypeTable types(location);
        for (const QString &name : typesAfter) {
            const bool absent = name.startsWith(QLatin1Char('-'));
            QCOMPARE(types.findPrinterType(absent ? name.mid(1) : name).pritId() == 0, absent);
        }
        if (args.first() == QLatin1String("copy-type") && code == 0) {
            // The copy has the source's test page and the same design.
            const PrinterTypeRecord source = types.findPrinterType(args.at(1));
            const PrinterTypeRecord copy = types.findPrinterType(args.at(2));
            QCOMPARE(copy.pritTest(), source.pritTest());
            DesignStore store(location);
            const PrinterDesign original = store.readDesign(source.pritId());
            QVERIFY(!original.controls.isEmpty());
            QVERIFY(store.readDesign(copy.pritId()) == original);
        }
    }
};

QTEST_GUILESS_MAIN(tst_RkctlDesign)
#include "tst_rkctldesign.moc"
