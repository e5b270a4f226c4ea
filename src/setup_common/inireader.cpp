#include "setup_common/inireader.h"

#include <limits>

#include <QFile>
#include <QTextCodec>
#include <QVector>

namespace {

QStringRef unquoted(const QStringRef &value)
{
    if (value.size() >= 2 && (value.front() == QLatin1Char('"') || value.front() == QLatin1Char('\''))
        && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

} // namespace

IniReader::IniReader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    m_exists = true;
    // A package's INI file is a few kilobytes: a bigger file, or a device that never ends, is
    // read no further than its first MiB. In pieces, since a read of the whole limit at once
    // would set aside a MiB for every small file.
    QByteArray data;
    char piece[16384];
    while (data.size() < kMaxFileSize) {
        const qint64 got = file.read(piece, qMin<qint64>(sizeof piece, kMaxFileSize - data.size()));
        if (got <= 0)
            break;
        data.append(piece, int(got));
    }
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    // Package files written on Windows are often in its ANSI code page rather than UTF-8. Codecs
    // live as long as the program; looking one up by name costs more than reading a small file.
    static QTextCodec *const utf8 = QTextCodec::codecForName("UTF-8");
    static QTextCodec *const ansi = QTextCodec::codecForName("Windows-1252");
    QTextCodec::ConverterState state;
    QString text = utf8->toUnicode(data.constData(), data.size(), &state);
    if (state.invalidChars > 0)
        text = ansi->toUnicode(data);
    // Views into the text: a file of many short lines would otherwise cost several strings a line.
    QString section;
    bool inSection = false;
    const QVector<QStringRef> lines = text.splitRef(QLatin1Char('\n'));
    for (const QStringRef &raw : lines) {
        const QStringRef line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const int end = line.indexOf(QLatin1Char(']'));
            section = (end < 0 ? line.mid(1) : line.mid(1, end - 1)).trimmed().toString();
            inSection = true;
            continue;
        }
        if (!inSection)
            continue;
        const int equals = line.indexOf(QLatin1Char('='));
        const QStringRef key = (equals < 0 ? line : line.left(equals)).trimmed();
        const QStringRef value
            = equals < 0 ? QStringRef() : unquoted(line.mid(equals + 1).trimmed());
        m_entries.append({ section, key.toString(), value.toString() });
    }
}

QString IniReader::value(const QString &section, const QString &key, const QString &defaultValue) const
{
    for (const Entry &entry : m_entries) {
        if (entry.section.compare(section, Qt::CaseInsensitive) == 0
            && entry.key.compare(key, Qt::CaseInsensitive) == 0)
            return entry.value.left(kMaxValueLength);
    }
    return defaultValue.left(kMaxValueLength);
}

int IniReader::intValue(const QString &section, const QString &key) const
{
    const QString text = value(section, key, QString());
    int i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    qint64 number = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        number = number * 10 + (text[i].unicode() - '0');
        if (number > std::numeric_limits<int>::max())
            return 0;
    }
    return int(negative ? -number : number);
}

bool IniReader::isMissing(const QString &value)
{
    return value.isEmpty() || value == missingValue();
}
