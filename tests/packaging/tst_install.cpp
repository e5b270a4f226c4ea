#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include "simprocess.h"

// `cmake --install` into a private DESTDIR, as the package is made: the FHS layout, and the
// installed programs finding their data in share/rkmenu rather than in the build tree.
class tst_Install : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QString m_prefix; // m_root + /usr

    struct Run
    {
        int code = -1;
        QString out;
        QString err;
    };
    Run run(const QString &program, const QStringList &args, const QString &dataHome,
        const QByteArray &input = QByteArray())
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.start(program, args);
        process.write(input);
        process.closeWriteChannel();
        Run result;
        if (!process.waitForFinished(60000)) {
            process.kill();
            process.waitForFinished();
            return result;
        }
        result.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.out = QString::fromUtf8(process.readAllStandardOutput());
        result.err = QString::fromUtf8(process.readAllStandardError());
        return result;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_root.isValid());
        QProcess install;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DESTDIR"), m_root.path());
        install.setProcessEnvironment(env);
        install.start(QStringLiteral(RK_CMAKE_COMMAND),
            { QStringLiteral("--install"), QStringLiteral(RK_BUILD_DIR), QStringLiteral("--prefix"),
                QStringLiteral("/usr") });
        QVERIFY(install.waitForFinished(120000));
        QVERIFY2(install.exitCode() == 0, install.readAllStandardError().constData());
        m_prefix = m_root.filePath(QStringLiteral("usr"));
    }

    void layout_data()
    {
        QTest::addColumn<QString>("path"); // under the prefix
        QTest::addColumn<QString>("kind"); // program, file, absent

        for (const char *program : { "RKMENU", "rkctl", "RKSETUP", "RKSELECT" })
            QTest::newRow(program) << QStringLiteral("bin/") + QLatin1String(program) << "program";
        QTest::newRow("no simulator") << "bin/rkprinter-sim" << "absent";
        QTest::newRow("database") << "share/rkmenu/SWTDatabase.db" << "file";
        QTest::newRow("translation") << "share/rkmenu/Setwright.qm" << "file";
        QTest::newRow("no duplicate translation") << "share/rkmenu/Setwright_zh_CN.qm" << "absent";
        // Every help document the build writes, whatever its language.
        const QStringList helps = QDir(QStringLiteral(RK_BIN_DIR))
                                      .entryList({ QStringLiteral("help*.html") }, QDir::Files);
        QVERIFY(helps.contains(QStringLiteral("help.html")));
        for (const QString &help : helps)
            QTest::newRow(qPrintable(help)) << QStringLiteral("share/rkmenu/") + help << "file";
        QTest::newRow("RKMENU entry") << "share/applications/rkmenu.desktop" << "file";
        QTest::newRow("RKSELECT entry") << "share/applications/rkselect.desktop" << "file";
        QTest::newRow("RKMENU icon") << "share/icons/hicolor/64x64/apps/rkmenu.png" << "file";
        QTest::newRow("RKSELECT icon") << "share/icons/hicolor/scalable/apps/rkselect.svg" << "file";
        QTest::newRow("udev rule") << "lib/udev/rules.d/60-rkmenu-printers.rules" << "file";
    }

    void layout()
    {
        QFETCH(QString, path);
        QFETCH(QString, kind);
        const QFileInfo info(QDir(m_prefix).filePath(path));
        if (kind == QLatin1String("absent")) {
            QVERIFY2(!info.exists(), qPrintable(path));
            return;
        }
        QVERIFY2(info.isFile() && info.size() > 0, qPrintable(path));
        QCOMPARE(info.isExecutable(), kind == QLatin1String("program"));
        // The delivered files are the system's: nobody else may change them.
        QVERIFY(!(info.permissions() & (QFile::WriteGroup | QFile::WriteOther)));
    }

    // The desktop entries start installed programs and name installed icons.
    void desktopEntries_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("RKMENU") << "rkmenu.desktop";
        QTest::newRow("RKSELECT") << "rkselect.desktop";
    }

    void desktopEntries()
    {
        QFETCH(QString, entry);
        QFile file(m_prefix + QStringLiteral("/share/applications/") + entry);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QStringList execs;
        QString icon;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            if (line.startsWith(QLatin1String("Exec=")))
                execs << line.mid(5).section(QLatin1Char(' '), 0, 0);
            if (line.startsWith(QLatin1String("Icon=")))
                icon = line.mid(5);
        }
        QVERIFY(!execs.isEmpty());
        for (const QString &program : execs)
            QVERIFY2(QFileInfo(m_prefix + QStringLiteral("/bin/") + program).isExecutable(),
                qPrintable(program));
        QDirIterator icons(m_prefix + QStringLiteral("/share/icons"), QDir::Files,
            QDirIterator::Subdirectories);
        bool found = false;
        while (!found && icons.hasNext())
            found = QFileInfo(icons.next()).completeBaseName() == icon;
        QVERIFY2(found, qPrintable(icon));
    }

    // The installed programs read share/rkmenu, or the user's copy once there is one.
    void installedProgramsFindData()
    {
        QTemporaryDir home;
        const QString dataHome = home.filePath(QStringLiteral("data"));
        const QString delivered = m_prefix + QStringLiteral("/share/rkmenu/SWTDatabase.db");

        // RKMENU names the database it read when asked for a type that is not there.
        const Run preview = run(m_prefix + QStringLiteral("/bin/RKMENU"),
            { QStringLiteral("--preview"), QStringLiteral("No Such Printer") }, dataHome);
        QCOMPARE(preview.code, 2);
        QVERIFY2(preview.err.contains(delivered), qPrintable(preview.err));
        QVERIFY2(preview.err.contains(QLatin1String("ZN-470 KW")), qPrintable(preview.err));

        SimProcess sim;
        QVERIFY2(sim.start({ QStringLiteral("--tcp"), QStringLiteral("127.0.0.1:0"),
                     QStringLiteral("--profile"), QStringLiteral("zn470kw") }),
            qPrintable(sim.errorText()));
        const QStringList connection { QStringLiteral("--host"), QStringLiteral("127.0.0.1"),
            QStringLiteral("--tcp-port"), QString::number(sim.tcpPort()) };
        const QString rkctl = m_prefix + QStringLiteral("/bin/rkctl");
        const Run read = run(rkctl, connection + QStringList { QStringLiteral("read") }, dataHome);
        QVERIFY2(read.code == 0, qPrintable(read.err));
        QVERIFY2(read.out.contains(QLatin1String("Print Setup")), qPrintable(read.out));

        // The designer's change goes to the user's copy, which is read from then on; the
        // delivered file stays as it was.
        const QString copy = dataHome + QStringLiteral("/rkmenu/SWTDatabase.db");
        QFile deliveredFile(delivered);
        QVERIFY(deliveredFile.open(QIODevice::ReadOnly));
        const QByteArray before = deliveredFile.readAll();
        deliveredFile.close();
        const Run copied = run(rkctl,
            { QStringLiteral("copy-type"), QStringLiteral("ZN-470 KW"), QStringLiteral("ZN-470 Mine"),
                QStringLiteral("--user"), QStringLiteral("designer") },
            dataHome, "Setwright@2016\n");
        QVERIFY2(copied.code == 0, qPrintable(copied.err));
        QVERIFY(QFileInfo(copy).isFile());
        QVERIFY(deliveredFile.open(QIODevice::ReadOnly));
        QVERIFY(deliveredFile.readAll() == before);
        const Run types = run(rkctl, { QStringLiteral("types") }, dataHome);
        QVERIFY2(types.out.contains(QLatin1String("ZN-470 Mine")), qPrintable(types.out));

        // A broken copy is reported with its path, not passed over.
        QFile broken(copy);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(QByteArray(4096, 'x'));
        broken.close();
        const Run refused = run(rkctl, connection + QStringList { QStringLiteral("read") }, dataHome);
        QCOMPARE(refused.code, 1);
        QVERIFY2(refused.err.contains(copy), qPrintable(refused.err));
    }
};

QTEST_GUILESS_MAIN(tst_Install)
#include "tst_install.moc"
