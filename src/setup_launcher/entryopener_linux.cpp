#include "setup_launcher/entryopener.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

extern char **environ;

namespace {

constexpr int kPollMs = 100;
constexpr int kReapMs = 1000;

// Programs are files the system can execute itself; a document with the executable bit (common
// on FAT media) is still a document.
bool isProgram(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isFile() || !info.isExecutable())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(4);
    return head == "\x7f" "ELF" || head.startsWith("#!");
}

qint64 spawn(const QString &folder, const QStringList &command, int *error)
{
    QList<QByteArray> arguments;
    for (const QString &argument : command)
        arguments << QFile::encodeName(argument);
    QVector<char *> argv;
    for (QByteArray &argument : arguments)
        argv << argument.data();
    argv << nullptr;
    const QByteArray directory = QFile::encodeName(folder);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, directory.constData());
    pid_t pid = -1;
    *error = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return *error == 0 ? pid : -1;
}

} // namespace

EntryOpener::EntryOpener(QObject *parent)
    : QObject(parent)
{
    const QString opener = qEnvironmentVariable("RKSELECT_OPENER");
    m_opener = QProcess::splitCommand(opener.isEmpty() ? QStringLiteral("xdg-open") : opener);
    m_reaper.setInterval(kReapMs);
    connect(&m_reaper, &QTimer::timeout, this, &EntryOpener::reapFinished);
}

EntryOpener::~EntryOpener()
{
    // Documents still open stay open; their processes are the system's to collect from here on.
    reapFinished();
}

EntryOpener::Opened EntryOpener::open(const QString &folder, const QString &path)
{
    Opened opened;
    if (!QFileInfo(folder).isDir() || !QFileInfo::exists(path)) {
        opened.errorText = path + QStringLiteral(": ") + qt_error_string(ENOENT);
        return opened;
    }
    QStringList command;
    if (isProgram(path)) {
        command << QFileInfo(path).absoluteFilePath();
    } else {
        command = m_opener;
        command << QFileInfo(path).absoluteFilePath();
        opened.throughOpener = true;
    }
    int error = 0;
    opened.pid = spawn(folder, command, &error);
    if (opened.pid < 0) {
        opened.errorText = command.first() + QStringLiteral(": ") + qt_error_string(error);
        return opened;
    }
    m_running << opened.pid;
    m_reaper.start();
    return opened;
}

bool EntryOpener::waitFor(qint64 pid, int timeoutMs, int *exitCode)
{
    QElapsedTimer elapsed;
    elapsed.start();
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid_t(pid), &status, WNOHANG);
        if (done == pid_t(pid) || (done < 0 && errno == ECHILD)) {
            m_running.removeAll(pid);
            if (exitCode)
                *exitCode = done == pid_t(pid) && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            return true;
        }
        if (timeoutMs >= 0 && elapsed.elapsed() >= timeoutMs)
            return false;
        QEventLoop loop;
        QTimer::singleShot(kPollMs, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
}

void EntryOpener::reapFinished()
{
    for (int i = m_running.size() - 1; i >= 0; --i) {
        int status = 0;
        const pid_t done = ::waitpid(pid_t(m_running[i]), &status, WNOHANG);
        if (done != 0)
            m_running.removeAt(i);
    }
    if (m_running.isEmpty())
        m_reaper.stop();
}
