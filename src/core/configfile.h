#pragma once

#include <QObject>
#include <QSettings>
#include <QString>

// The per-user INI file that keeps the connection choices and a few switches.
class ConfigFile : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ConfigFile)

public:
    static constexpr const char *kVersion = "1.0.30";

    explicit ConfigFile(QObject *parent = nullptr);

    void writeValue(const QString &group, const QString &key, const QString &text);
    // The stored text, or a single space when the key is absent.
    QString readText(const QString &path) const;
    // The stored text as a number; 0 when absent or not a number.
    int readInt(const QString &path) const;
    bool contains(const QString &path) const;
    QString fileName() const;
    // Rewrites the default key set when the file is from another version (or new).
    void checkVersion();

private:
    QSettings m_settings;
};
