#pragma once

#include <QString>

// A content's two texts travel between the designer and the database as one string:
// the Chinese text, "-!!-", the English text.
struct ContentPair
{
    QString chinese;
    QString english;
};

namespace ContentLanguage {
inline constexpr int kChinese = 0;
inline constexpr int kEnglish = 1;
// The ContentType column that holds texts of the language: 0 Chinese, anything else English.
QString column(int language);
} // namespace ContentLanguage

inline constexpr char kContentSeparator[] = "-!!-";

// Splits at the first separator; without one the whole text is the Chinese part.
ContentPair splitContentPair(const QString &pair);
QString joinContentPair(const QString &chinese, const QString &english);
