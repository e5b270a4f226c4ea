#pragma once

#include <QCoreApplication>
#include <QStringList>

#include "designer_core/editoutcome.h"

class DataBaseHandler;

// The rules of the content editor: texts of both languages are edited in place, and a new content
// is typed one language at a time, each language's text kept until the content is created.
class ContentEditor
{
    Q_DECLARE_TR_FUNCTIONS(ContentEditor)

public:
    static constexpr int kChinese = 0;
    static constexpr int kEnglish = 1;

    explicit ContentEditor(DataBaseHandler &database);

    int language() const { return m_language; }
    // 0 Simplified Chinese, 1 English; other values are ignored.
    void setLanguage(int language);
    // The text typed for a new content in the language, kept across language changes.
    QString pendingText(int language) const;
    // Keeps the text as the current language's text of the new content.
    void setPendingText(const QString &text);

    // Every content's text in the current language, in the database's order.
    QStringList texts();

    // Renames the selected text of the current language in every content that has it.
    EditOutcome confirmEdit(const QString &selected, const QString &newText);
    // Creates the content from the two pending texts; boxText is what the new-content box shows.
    EditOutcome confirmNew(const QString &boxText);
    // Deletes every content whose current-language text is the selected one.
    EditOutcome remove(const QString &selected);

private:
    DataBaseHandler &m_database;
    int m_language = kChinese;
    QString m_pending[2];
};
