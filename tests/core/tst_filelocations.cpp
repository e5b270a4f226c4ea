#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "core/filelocations.h"

class tst_FileLocations : public QObject
{
    Q_OBJECT

private slots:
    void exportProposal_data()
    {
        QTest::addColumn<bool>("desktopExists");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("file"); // in the folder the dialog opens
        QTest::newRow("desktop") << true << "ZN-470 KW" << "desktop/ZN-470 KW.cfg";
        QTest::newRow("no desktop folder: home") << false << "RP-58S" << "home/RP-58S.cfg";
        QTest::newRow("separators in the name") << true << "A/B\\C" << "desktop/A_B_C.cfg";
        QTest::newRow("no model") << true << "" << "desktop/settings.cfg";
        QTest::newRow("dot dot") << true << ".." << "desktop/settings.cfg";
    }

    void exportProposal()
    {
        QFETCH(bool, desktopExists);
        QFETCH(QString, model);
        QFETCH(QString, file);
        QTemporaryDir root;
        const QString desktop = root.filePath(QStringLiteral("desktop"));
        const QString home = root.filePath(QStringLiteral("home"));
        QVERIFY(QDir().mkpath(home));
        if (desktopExists)
            QVERIFY(QDir().mkpath(desktop));
        const QString folder = filelocations::dialogFolder(desktop, home);
        QCOMPARE(filelocations::proposedExportFile(folder, model), root.filePath(file));
    }
};

QTEST_GUILESS_MAIN(tst_FileLocations)
#include "tst_filelocations.moc"
