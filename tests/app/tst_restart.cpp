#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

#include "core/restart.h"

namespace {
QStringList commandLineOf(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList parts;
    for (const QByteArray &part : file.readAll().split('\0'))
        parts << QString::fromLocal8Bit(part);
    if (!parts.isEmpty() && parts.last().isEmpty())
        parts.removeLast();
    return parts;
}

bool running(qint64 pid)
{
    return QFile::exists(QStringLiteral("/proc/%1").arg(pid));
}
} // namespace

// Restart as a user meets it: the real program presses its Restart button and a new copy of it
// runs with the same arguments.
class tst_Restart : public QObject
{
    Q_OBJECT

private slots:
    void restartStartsTheProgramAgain_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("English") << QStringList{QStringLiteral("--lang"), QStringLiteral("en")};
        QTest::newRow("Chinese") << QStringList{QStringLiteral("--lang"), QStringLiteral("zh")};
    }

    void restartStartsTheProgramAgain()
    {
        QFETCH(QStringList, arguments);
        QTemporaryDir config;
        QProcess first;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
        env.insert(QStringLiteral("RKMENU_INSTANCE_KEY"),
                   QStringLiteral("RKMENU_restart_%1_%2")
                       .arg(QCoreApplication::applicationPid())
                       .arg(QDateTime::currentMSecsSinceEpoch()));
        env.insert(QStringLiteral("RKMENU_DISMISS_MESSAGES_MS"), QStringLiteral("0"));
        env.insert(QStringLiteral("RKMENU_RESTART_AFTER_MS"), QStringLiteral("300"));
        first.setProcessEnvironment(env);
        first.start(QStringLiteral(RK_BIN_DIR "/RKMENU"), arguments);
        QVERIFY(first.waitForStarted(5000));
        QVERIFY(first.waitForFinished(30000));
        const QString said = QString::fromLocal8Bit(first.readAllStandardError());
        QCOMPARE(first.exitStatus(), QProcess::NormalExit);
        QVERIFY2(first.exitCode() == 0, qPrintable(said));
        const QRegularExpressionMatch match
            = QRegularExpression(QStringLiteral("started again as process (\\d+)")).match(said);
        QVERIFY2(match.hasMatch(), qPrintable(said));
        const qint64 pid = match.captured(1).toLongLong();
        QVERIFY(pid != first.processId());

        // The new copy keeps running (the restart switch is not passed on) with the same
        // arguments.
        QTest::qWait(1500);
        const bool alive = running(pid);
        const QStringList commandLine = commandLineOf(pid);
        ::kill(pid_t(pid), SIGTERM);
        QVERIFY(alive);
        QCOMPARE(commandLine, QStringList{QStringLiteral(RK_BIN_DIR "/RKMENU")} + arguments);
        QTRY_VERIFY_WITH_TIMEOUT(!running(pid) || commandLineOf(pid).isEmpty(), 10000);
    }

    void unstartableProgramSaysWhy()
    {
        QString why;
        QCOMPARE(restart::startAgain(QStringLiteral("/nonexistent/RKMENU"), {}, QDir::tempPath(), &why), 0);
        QVERIFY(!why.isEmpty());
    }
};

QTEST_GUILESS_MAIN(tst_Restart)
#include "tst_restart.moc"
