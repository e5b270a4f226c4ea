#include "rkctl/hostsrunner.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRunnable>
#include <QNetworkSession>
#include <QSharedPointer>
#include <QThreadPool>
#include <QVector>

#include "rkctl/ctljob.h"

namespace {
constexpr int kColumnGap = 2;
constexpr double kMsPerSecond = 1000.0;

QString seconds(qint64 ms)
{
    return QStringLiteral("%1 s").arg(double(ms) / kMsPerSecond, 0, 'f', 2);
}

// The label made safe for a file name.
QString fileTagOf(const QString &label)
{
    QString tag = label;
    tag.remove(QLatin1Char('[')).remove(QLatin1Char(']'));
    tag.replace(QLatin1Char(':'), QLatin1Char('-'));
    tag.replace(QLatin1Char('/'), QLatin1Char('-'));
    return tag;
}
} // namespace

int runHosts(const CtlOptions &options, QTextStream &out, QTextStream &err)
{
    QFile file(options.hostsFile);
    if (!file.open(QIODevice::ReadOnly)) {
        err << QStringLiteral("rkctl: cannot read %1: %2")
                   .arg(options.hostsFile, file.errorString())
            << Qt::endl;
        return CtlExit::LocalFailure;
    }
    QList<QPair<QString, int>> hosts;
    QString problem;
    if (!parseHostsFile(
            QString::fromUtf8(file.readAll()), options.connection.tcpPort, &hosts, &problem)) {
        err << QStringLiteral("rkctl: %1: %2").arg(options.hostsFile, problem) << Qt::endl;
        return CtlExit::Usage;
    }

    QVector<CtlConnection> connections;
    for (const auto &host : qAsConst(hosts)) {
        CtlConnection c = options.connection;
        c.host = host.first;
        c.tcpPort = host.second;
        connections.append(c);
    }
    QVector<CtlOutcome> outcomes(connections.size());

    // Qt registers this type with the first connection; jobs racing to do that would warn.
    // The type is deprecated, but the sockets still use it underneath.
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    qRegisterMetaType<QSharedPointer<QNetworkSession>>();
    QT_WARNING_POP
    QElapsedTimer timer;
    timer.start();
    // Every printer gets a job of its own (its own dispatcher and connection) on a pool thread.
    QThreadPool pool;
    pool.setMaxThreadCount(options.jobs);
    for (int i = 0; i < connections.size(); ++i) {
        const CtlConnection connection = connections.at(i);
        CtlOutcome *slot = &outcomes[i];
        pool.start(QRunnable::create([options, connection, slot] {
            CtlJob job(options, connection, fileTagOf(connection.label()));
            *slot = job.run();
        }));
    }
    pool.waitForDone();
    const qint64 total = timer.elapsed();

    int exitCode = CtlExit::Ok;
    int succeeded = 0;
    for (const CtlOutcome &outcome : qAsConst(outcomes)) {
        exitCode = qMax(exitCode, outcome.exitCode);
        succeeded += outcome.exitCode == CtlExit::Ok ? 1 : 0;
    }

    if (options.json) {
        QJsonArray results;
        for (int i = 0; i < connections.size(); ++i) {
            const CtlOutcome &o = outcomes.at(i);
            QJsonObject r;
            r.insert(QStringLiteral("host"), connections.at(i).label());
            r.insert(QStringLiteral("result"), o.result());
            r.insert(QStringLiteral("exitCode"), o.exitCode);
            r.insert(QStringLiteral("seconds"), double(o.elapsedMs) / kMsPerSecond);
            r.insert(QStringLiteral("output"), o.json);
            r.insert(QStringLiteral("errors"), QJsonArray::fromStringList(o.errors));
            results.append(r);
        }
        QJsonObject doc;
        doc.insert(QStringLiteral("results"), results);
        doc.insert(QStringLiteral("succeeded"), succeeded);
        doc.insert(QStringLiteral("total"), connections.size());
        doc.insert(QStringLiteral("seconds"), double(total) / kMsPerSecond);
        out << QString::fromUtf8(QJsonDocument(doc).toJson()) << Qt::flush;
        return exitCode;
    }

    for (int i = 0; i < connections.size(); ++i) {
        const CtlOutcome &o = outcomes.at(i);
        const QString label = connections.at(i).label();
        if (!o.out.isEmpty())
            out << QStringLiteral("== %1 ==\n").arg(label) << o.out;
        for (const QString &line : o.errors)
            err << label << QStringLiteral(": ") << line << Qt::endl;
    }
    out << Qt::flush;
    err << Qt::flush;

    const QString hostHead = QStringLiteral("HOST");
    const QString resultHead = QStringLiteral("RESULT");
    int hostWidth = hostHead.size();
    int resultWidth = resultHead.size();
    for (int i = 0; i < connections.size(); ++i) {
        hostWidth = qMax(hostWidth, connections.at(i).label().size());
        resultWidth = qMax(resultWidth, outcomes.at(i).result().size());
    }
    hostWidth += kColumnGap;
    resultWidth += kColumnGap;
    out << hostHead.leftJustified(hostWidth) << resultHead.leftJustified(resultWidth)
        << QStringLiteral("TIME\n");
    for (int i = 0; i < connections.size(); ++i) {
        out << connections.at(i).label().leftJustified(hostWidth)
            << outcomes.at(i).result().leftJustified(resultWidth)
            << seconds(outcomes.at(i).elapsedMs) << '\n';
    }
    out << QStringLiteral("%1 of %2 printers succeeded in %3\n")
               .arg(succeeded)
               .arg(connections.size())
               .arg(seconds(total))
        << Qt::flush;
    return exitCode;
}
