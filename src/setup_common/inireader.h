#pragma once

#include <QVector>
#include <QString>

// Reads a package's INI file the way the Windows profile functions do, which is what the files
// shipped with the driver packages were written against: section and key names are compared
// without regard to case, the first occurrence wins, blanks around names and values are dropped,
// one pair of matching quotes around a value is removed, and a value is cut to 255 characters.
// Lines starting with ';' are comments; a ';' later in a line is part of the value.
class IniReader
{
public:
    static constexpr int kMaxValueLength = 255;
    static constexpr qint64 kMaxFileSize = 1 << 20;

    // Reads the file once; a missing or unreadable file behaves as an empty one.
    explicit IniReader(const QString &path);

    bool fileExists() const { return m_exists; }

    // The value, or `defaultValue` when the section or key is absent.
    QString value(const QString &section, const QString &key,
        const QString &defaultValue = missingValue()) const;

    // Leading decimal digits of the value (after an optional sign), 0 when absent or not a number.
    int intValue(const QString &section, const QString &key) const;

    // The default the programs read with; a value equal to it, or empty, counts as missing.
    static QString missingValue() { return QStringLiteral("unknown"); }
    static bool isMissing(const QString &value);

private:
    struct Entry {
        QString section;
        QString key;
        QString value;
    };
    QVector<Entry> m_entries;
    bool m_exists = false;
};
