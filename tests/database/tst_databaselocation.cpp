#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include "core/datapaths.h"
#include "database/printertypetable.h"
#include "database/settingsdatabase.h"

// Where the program reads its settings database and where the designer's changes go: beside the
// program in the build tree, from share/rkmenu when installed, changed there only in the user's
// own copy, which is made whole on the first change and read from then on.
class tst_DatabaseLocation : public QObject
{
    Q_OBJECT

    static QByteArray contents(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static bool hasType(const QString &path, const QString &name)
    {
        return PrinterTypeTable(DatabaseLocation(path)).findPrinterType(name).pritId() != 0;
    }
    static void putDatabase(const QString &path, bool writable)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QVERIFY(QFile::copy(QStringLiteral(RK_BIN_DIR "/SWTDatabase.db"), path));
        // As a package installs it: nobody but root may write it.
        QFile::setPermissions(path,
            writable ? QFile::ReadOwner | QFile::WriteOwner
                     : QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    }

private slots:
    void cleanup() { QSqlDatabase::removeDatabase(SettingsDatabase::connectionName()); }

    void lookupAndCopy_data()
    {
        QTest::addColumn<bool>("installed"); // data in share/rkmenu, else beside the program
        QTest::addColumn<bool>("besideToo"); // an installed tree with a stray file beside it
        QTest::addColumn<bool>("ownCopy"); // the user already has a copy, with a type of theirs
        QTest::addColumn<QString>("userFolder"); // "ok", "blocked" (a file in the way), "none"
        QTest::addColumn<bool>("staleStaging"); // an interrupted earlier copy left its file
        QTest::addColumn<bool>("transaction"); // the change inside a DatabaseTransaction
        QTest::addColumn<QString>("writesTo"); // "beside", "copy", or "nothing" (refused)

        QTest::newRow("build tree: changed in place") << false << false << false << "ok" << false << false << "beside";
        QTest::newRow("build tree, transaction") << false << false << false << "ok" << false << true << "beside";
        QTest::newRow("installed: first change makes the copy") << true << false << false << "ok" << false << false << "copy";
        QTest::newRow("installed, transaction") << true << false << false << "ok" << false << true << "copy";
        QTest::newRow("installed, share wins over a file beside") << true << true << false << "ok" << false << false << "copy";
        QTest::newRow("installed, copy read and kept") << true << false << true << "ok" << false << false << "copy";
        QTest::newRow("installed, copy kept in a transaction") << true << false << true << "ok" << false << true << "copy";
        QTest::newRow("installed, stale staging file") << true << false << false << "ok" << true << true << "copy";
        QTest::newRow("installed, user folder blocked") << true << false << false << "blocked" << false << false << "nothing";
        QTest::newRow("installed, blocked, transaction") << true << false << false << "blocked" << false << true << "nothing";
        QTest::newRow("installed, no home folder") << true << false << false << "none" << false << true << "nothing";
    }

    void lookupAndCopy()
    {
        QFETCH(bool, installed);
        QFETCH(bool, besideToo);
        QFETCH(bool, ownCopy);
        QFETCH(QString, userFolder);
        QFETCH(bool, staleStaging);
        QFETCH(bool, transaction);
        QFETCH(QString, writesTo);

        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString bin = root.filePath(QStringLiteral("usr/bin"));
        QVERIFY(QDir().mkpath(bin));
        const QString beside = bin + QStringLiteral("/SWTDatabase.db");
        const QString share = root.filePath(QStringLiteral("usr/share/rkmenu"));
        const QString delivered = installed ? share + QStringLiteral("/SWTDatabase.db") : beside;
        putDatabase(delivered, !installed);
        if (besideToo)
            putDatabase(beside, true);

        QString folder = root.filePath(QStringLiteral("home/.local/share/rkmenu"));
        if (userFolder == QLatin1String("blocked")) {
            QFile blocker(root.filePath(QStringLiteral("home")));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
            folder = blocker.fileName() + QStringLiteral("/rkmenu");
        } else if (userFolder == QLatin1String("none")) {
            folder.clear();
        }
        const QString copy = folder + QStringLiteral("/SWTDatabase.db");
        if (ownCopy) {
            putDatabase(copy, true);
            PrinterTypeRecord mine;
            mine.setPritName(QStringLiteral("Own Type"));
            QCOMPARE(PrinterTypeTable(DatabaseLocation(copy)).insertPrinterType(mine), DbOk);
        }
        if (staleStaging) {
            QVERIFY(QDir().mkpath(folder));
            QFile half(copy + QStringLiteral(".new"));
            QVERIFY(half.open(QIODevice::WriteOnly));
            half.write("SQLite format 3", 8); // cut short by a crash
        }

        // The other delivered files come from the same folder.
        QCOMPARE(datapaths::installedLayout(bin), installed);
        QCOMPARE(QDir(datapaths::dataFolder(bin)).canonicalPath(),
            QDir(installed ? share : bin).canonicalPath());

        const DatabaseLocation location = DatabaseLocation::delivered(bin, folder);
        QCOMPARE(QFileInfo(location.filePath()).canonicalFilePath(),
            QFileInfo(ownCopy ? copy : delivered).canonicalFilePath());
        QCOMPARE(hasType(location.filePath(), QStringLiteral("Own Type")), ownCopy);
        const QByteArray before = contents(delivered);

        PrinterTypeRecord added;
        added.setPritName(QStringLiteral("New Type"));
        DbResult result = DbOk;
        QString error;
        if (transaction) {
            DatabaseTransaction spanning(location);
            error = spanning.error();
            PrinterTypeTable table(location);
            result = spanning.isActive() ? table.insertPrinterType(added) : DbInsertFailed;
            if (result == DbOk && !spanning.commit())
                result = DbCommitFailed;
        } else {
            PrinterTypeTable table(location);
            result = table.insertPrinterType(added);
            error = table.lastError();
        }

        if (writesTo == QLatin1String("nothing")) {
            QVERIFY(result != DbOk);
            QVERIFY2(!error.isEmpty(), "a refused change says why");
            if (!folder.isEmpty())
                QVERIFY2(error.contains(copy), qPrintable(error));
            QVERIFY(!QFileInfo::exists(copy));
            QCOMPARE(location.filePath(), delivered);
        } else {
            QCOMPARE(result, DbOk);
            const QString changed = writesTo == QLatin1String("copy") ? copy : beside;
            QCOMPARE(location.filePath(), changed);
            QVERIFY(hasType(changed, QStringLiteral("New Type")));
            QCOMPARE(hasType(changed, QStringLiteral("Own Type")), ownCopy);
            // A later location (the next start, or rkctl) reads the same file.
            QCOMPARE(DatabaseLocation::delivered(bin, folder).filePath(), changed);
        }
        if (installed) {
            QCOMPARE(contents(delivered), before);
            QVERIFY(!QFileInfo::exists(copy + QStringLiteral(".new")) || writesTo == QLatin1String("nothing"));
        } else {
            QVERIFY(hasType(beside, QStringLiteral("New Type")));
            QVERIFY(!QFileInfo::exists(copy));
        }
    }
};

QTEST_GUILESS_MAIN(tst_DatabaseLocation)
#include "tst_databaselocation.moc"
