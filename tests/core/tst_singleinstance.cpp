#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <csignal>

// Starts the real program, as a user would, on a private single-instance key.
class tst_SingleInstance : public QObject
{
    Q_OBJECT

    QTemporaryDir m_config;
    QString m_key;

    QProcess *start()
    {
        auto *p = new QProcess(this);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_config.path());
        env.insert(QStringLiteral("RKMENU_INSTANCE_KEY"), m_key);
        env.insert(QStringLiteral("RKMENU_DISMISS_MESSAGES_MS"), QStringLiteral("0"));
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        p->start(QStringLiteral(RK_BIN_DIR "/RKMENU"), {QStringLiteral("--lang"), QStringLiteral("en")});
        return p;
    }

    static void stop(QProcess *p)
    {
        if (p->state() != QProcess::NotRunning) {
            p->terminate();
            if (!p->waitForFinished(5000))
                p->kill();
            p->waitForFinished(5000);
        }
    }

private slots:
    void init()
    {
        m_key = QStringLiteral("RKMENU_test_%1_%2")
                    .arg(QCoreApplication::applicationPid())
                    .arg(QDateTime::currentMSecsSinceEpoch());
    }

    void threeAtOnceLeaveOne()
    {
        QList<QProcess *> copies{start(), start(), start()};
        for (QProcess *p : copies)
            QVERIFY(p->waitForStarted(5000));
        // The refused copies end by themselves with exit code 0.
        QTRY_COMPARE_WITH_TIMEOUT(
            std::count_if(copies.begin(), copies.end(),
                          [](QProcess *p) { return p->state() == QProcess::NotRunning; }),
            2L, 15000);
        QTest::qWait(500);
        int running = 0;
        for (QProcess *p : copies) {
            if (p->state() == QProcess::Running) {
                ++running;
            } else {
                QCOMPARE(p->exitStatus(), QProcess::NormalExit);
                QCOMPARE(p->exitCode(), 0);
            }
        }
        QCOMPARE(running, 1);

        // A later copy is refused too, and the first keeps running.
        QProcess *late = start();
        QVERIFY(late->waitForFinished(15000));
        QCOMPARE(late->exitCode(), 0);
        for (QProcess *p : copies)
            stop(p);
    }

    void crashedInstanceDoesNotLockOut()
    {
        QProcess *first = start();
        QVERIFY(first->waitForStarted(5000));
        QTest::qWait(1500);
        QCOMPARE(first->state(), QProcess::Running);
        ::kill(static_cast<pid_t>(first->processId()), SIGKILL);
        QVERIFY(first->waitForFinished(5000));

        QProcess *next = start();
        QVERIFY(next->waitForStarted(5000));
        QVERIFY(!next->waitForFinished(2500)); // still running: the stale segment was recovered
        stop(next);

        // After a clean end the key is free again as well.
        QProcess *third = start();
        QVERIFY(!third->waitForFinished(2500));
        stop(third);
    }
};

QTEST_GUILESS_MAIN(tst_SingleInstance)
#include "tst_singleinstance.moc"
