#include "database/contentpair.h"

QString ContentLanguage::column(int language)
{
    return language == kChinese ? QStringLiteral("ctnt_chinese") : QStringLiteral("ctnt_english");
}

ContentPair splitContentPair(const QString &pair)
{
    const QString separator = QLatin1String(kContentSeparator);
    const int at = pair.indexOf(separator);
    if (at < 0)
        return { pair, QString() };
    return { pair.left(at), pair.mid(at + separator.size()) };
}

QString joinContentPair(const QString &chinese, const QString &english)
{
    return chinese + QLatin1String(kContentSeparator) + english;
}
