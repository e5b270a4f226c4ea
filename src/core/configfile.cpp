#include "core/configfile.h"

#include <utility>

namespace {

struct DefaultKey
{
    const char *group;
    const char *key;
    const char *value;
};

// Written in this order whenever the version does not match.
constexpr DefaultKey kDefaults[] = {
    {"Version", "ver", ConfigFile::kVersion},
    {"Port", "type", "USB"},
    {"SerialPort", "port", "0"},
    {"SerialPort", "baudrate", "7"},
    {"SerialPort", "parity", "0"},
    {"SerialPort", "databit", "3"},
    {"SerialPort", "stopbit", "0"},
    {"SerialPort", "flowcontrol", "1"},
    {"Option", "barhide", "0"},
    {"PortSelect", "porttype", "5"},
    {"Wifi", "serverip", "192.168.0.1"},
    {"Wifi", "port", "9100"},
    {"Mode", "mode", "3"},
    {"TearCheck", "ischeck", "2"},
    {"LPT", "LPT", "1"},
};

} // namespace

ConfigFile::ConfigFile(QObject *parent)
    : QObject(parent)
    , m_settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("RKMENU"),
                 QStringLiteral("config"))
{
    m_settings.setIniCodec("UTF-8");
}

void ConfigFile::writeValue(const QString &group, const QString &key, const QString &text)
{
    m_settings.beginGroup(group);
    m_settings.setValue(key, text);
    m_settings.endGroup();
}

QString ConfigFile::readText(const QString &path) const
{
    if (!m_settings.contains(path))
        return QStringLiteral(" ");
    return m_settings.value(path).toString();
}

int ConfigFile::readInt(const QString &path) const
{
    return m_settings.value(path).toString().trimmed().toInt();
}

bool ConfigFile::contains(const QString &path) const
{
    return m_settings.contains(path);
}

QString ConfigFile::fileName() const
{
    return m_settings.fileName();
}

void ConfigFile::checkVersion()
{
    const QString version = readText(QStringLiteral("Version/ver"));
    if (version == QLatin1String(kVersion))
        return;
    for (const DefaultKey &d : kDefaults)
        writeValue(QLatin1String(d.group), QLatin1String(d.key), QLatin1String(d.value));
}
