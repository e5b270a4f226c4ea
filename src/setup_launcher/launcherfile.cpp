#include "setup_launcher/launcherfile.h"

namespace {

QString itemSection(int number)
{
    return QStringLiteral("ITEM%1").arg(number);
}

} // namespace

LauncherFile::LauncherFile(const QString &path)
    : m_ini(path)
{
}

bool LauncherFile::entries(QList<Entry> *entries) const
{
    entries->clear();
    const int count = m_ini.intValue(QStringLiteral("LANCHAPPNUM"), QStringLiteral("NUM"));
    if (count <= 0)
        return false;
    for (int number = 1; number <= count; ++number) {
        Entry entry;
        entry.appName = m_ini.value(itemSection(number), QStringLiteral("APPNAME"));
        entry.comment = m_ini.value(itemSection(number), QStringLiteral("COMMENT"));
        if (IniReader::isMissing(entry.appName) || IniReader::isMissing(entry.comment))
            return false;
        entries->append(entry);
    }
    return true;
}

bool LauncherFile::target(int row, Target *target) const
{
    target->appPath = m_ini.value(itemSection(row + 1), QStringLiteral("APPPATH"));
    target->exeName = m_ini.value(itemSection(row + 1), QStringLiteral("EXENAME"));
    return !IniReader::isMissing(target->appPath) && !IniReader::isMissing(target->exeName);
}
