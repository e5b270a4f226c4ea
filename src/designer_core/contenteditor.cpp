#include "designer_core/contenteditor.h"

#include "database/databasehandler.h"

ContentEditor::ContentEditor(DataBaseHandler &database)
    : m_database(database)
{
}

void ContentEditor::setLanguage(int language)
{
    if (language == kChinese || language == kEnglish)
        m_language = language;
}

QString ContentEditor::pendingText(int language) const
{
    return language == kChinese || language == kEnglish ? m_pending[language] : QString();
}

void ContentEditor::setPendingText(const QString &text)
{
    m_pending[m_language] = text;
}

QStringList ContentEditor::texts()
{
    return m_database.contentTexts(m_language);
}

EditOutcome ContentEditor::confirmEdit(const QString &selected, const QString &newText)
{
    if (newText.isEmpty())
        return EditOutcome::refused(tr("Edit content Null."));
    // An empty text names every content that lacks this language: renaming it would give all of
    // them the one new text.
    if (selected.isEmpty())
        return EditOutcome::refused(tr("Select a content first."));
    return EditOutcome::answered(m_database.updateContent(m_language, selected, newText),
        m_database, tr("DUpdate content Success."));
}

EditOutcome ContentEditor::confirmNew(const QString &boxText)
{
    if (boxText.isEmpty())
        return EditOutcome::refused(tr("Edite content Null."));
    const QString &chinese = m_pending[kChinese];
    const QString &english = m_pending[kEnglish];
    if (chinese.isEmpty())
        return EditOutcome::refused(tr("New Chinese content Null"));
    if (english.isEmpty())
        return EditOutcome::refused(tr("New English content Null"));
    if (m_database.findContent(kChinese, chinese) == DbFound)
        return EditOutcome::refused(tr("New Chinese content existed"));
    if (m_database.findContent(kEnglish, english) == DbFound)
        return EditOutcome::refused(tr("New English content existed"));
    // The two texts are bound apart, so a text with the pair separator in it is stored whole.
    const EditOutcome outcome = EditOutcome::answered(
        m_database.insertContent(chinese, english), m_database, tr("Create content success."));
    if (outcome.kind == EditOutcome::Stored) {
        m_pending[kChinese].clear();
        m_pending[kEnglish].clear();
    }
    return outcome;
}

EditOutcome ContentEditor::remove(const QString &selected)
{
    // As for renaming: an empty text would delete every content that lacks this language.
    if (selected.isEmpty())
        return EditOutcome::refused(tr("Select a content first."));
    return EditOutcome::answered(
        m_database.deleteContent(m_language, selected), m_database, tr("Delete content Success"));
}
