#pragma once

// What every harness needs once per process: a core application (plugins, codecs), silence
// instead of the debug log the code writes for each odd reply, and a private folder for the
// readers that take a file name.

#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstdlib>

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace fuzz {

inline void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // A fatal message is a finding: let it end the run where libFuzzer sees it.
    if (type == QtFatalMsg) {
        fprintf(stderr, "qFatal: %s\n", qPrintable(message));
        abort();
    }
}

inline void init()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = { name, nullptr };
    static QCoreApplication *app = nullptr;
    if (!app) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quiet);
        app = new QCoreApplication(argc, argv);
    }
}

inline QByteArray bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), int(size));
}

// A file in a private folder that lives as long as the process, holding `content`.
inline QString fileWith(const QString &name, const QByteArray &content)
{
    // In memory where there is such a folder: the writers sync their files, and a disk would
    // make each run wait for it.
    // Removed when the run ends as it should (a crash leaves it for the finding's sake).
    static QTemporaryDir dir(QFileInfo(QStringLiteral("/dev/shm")).isWritable()
            ? QStringLiteral("/dev/shm/rkfuzz-XXXXXX")
            : QDir::tempPath() + QStringLiteral("/rkfuzz-XXXXXX"));
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(content) != content.size())
        abort();
    return path;
}

// Reads a harness's input front to back; past its end every value is 0 and every run empty.
// The layouts are simple on purpose: seeds are real replies behind a few header bytes.
class Reader
{
public:
    Reader(const uint8_t *data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    bool atEnd() const { return m_at >= m_size; }
    int byte() { return atEnd() ? 0 : m_data[m_at++]; }
    int u16()
    {
        const int high = byte();
        return (high << 8) | byte();
    }
    QByteArray take(size_t count)
    {
        count = std::min(count, m_size - m_at);
        const QByteArray bytes(reinterpret_cast<const char *>(m_data + m_at), int(count));
        m_at += count;
        return bytes;
    }
    QByteArray rest() { return take(m_size - m_at); }
    // A reply piece as a port hands it over: a size byte, then that many bytes (0: all the rest).
    QByteArray piece()
    {
        const int size = byte();
        return size == 0 ? rest() : take(size_t(size));
    }

private:
    const uint8_t *m_data;
    size_t m_size;
    size_t m_at = 0;
};

// A finding that is not a crash: the code broke one of its own promises.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);          \
            abort();                                                                               \
        }                                                                                          \
    } while (0)

} // namespace fuzz
