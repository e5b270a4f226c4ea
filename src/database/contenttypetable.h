#pragma once

#include <QMap>

#include "database/records.h"
#include "database/tableaccess.h"

// Texts in both languages. language: 0 Simplified Chinese, 1 English. Changes by text affect
// every row that has the text in that language.
class ContentTypeTable : public TableAccess
{
public:
    using TableAccess::TableAccess;

    DbResult insertContent(const QString &chinese, const QString &english);
    // The pair form "Chinese-!!-English", split at the first separator.
    DbResult insertContent(const QString &pair);
    DbResult updateContentText(int language, const QString &oldText, const QString &newText);
    DbResult deleteContentByText(int language, const QString &text);
    // Of several rows with the text, the one with the highest ctnt_id; a new record when none.
    ContentRecord findContentByText(int language, const QString &text);
    QMap<int, ContentRecord> allContents(int language);
};
