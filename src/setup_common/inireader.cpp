#include "setup_common/inireader.h"

#include <limits>

#include <QFile>
#include <QTextCodec>

namespace {

QString unquoted(const QString &value)
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
    QByteArray data = file.readAll();
    if (data.startsWith("\xEF\xBB\xBF"))
        data.remove(0, 3);
    // Package files written on Windows are often in its ANSI code page rather than UTF-8.
    QTextCodec::ConverterState state;
    QString text = QTextCodec::codecForName("UTF-8")->toUnicode(data.constData(), data.size(), &state);
    if (state.invalidChars > 0)
        text = QTextCodec::codecForName("Windows-1252")->toUnicode(data);
    QString section;
    bool inSection = false;
    for (const QString &raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const int end = line.indexOf(QLatin1Char(']'));
            section = (end < 0 ? line.mid(1) : line.mid(1, end - 1)).trimmed();
            inSection = true;
            continue;
        }
        if (!inSection)
            continue;
        const int equals = line.indexOf(QLatin1Char('='));
        const QString key = (equals < 0 ? line : line.left(equals)).trimmed();
        const QString value = equals < 0 ? QString() : unquoted(line.mid(equals + 1).trimmed());
        m_entries.append({ section, key, value });
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
