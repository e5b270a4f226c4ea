#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// The settings of a parameter-list printer (mode byte 68): pages, parameters and option lists
// from the JSON text the printer sends, the values chosen for them, and the JSON text that goes
// back. Widget-free, so that the settings page and the command line share it.
//
// Choices where the printer's text leaves room:
// - Defaults: a parameter may carry a "def" member in the form of "val" ("text+value"); a page
//   shows the Defaults column when one of its parameters has one. Printers that send none show
//   no Defaults column. "def" is never written back.
// - A range whose start lies above its end counts down from start to end by step, so every
//   value the printer names stays reachable. A step that is not a positive number gives no
//   options, and a range is cut at kMaxOptions options.
// - An enumeration item without "+" (or with no whole number after its last "+") has no value
//   to send back and gives no option. Texts may hold "+": the value follows the last one.
// - A parameter whose "val" matches none of its options keeps the printer's own "val" in the
//   write text, so that nothing the printer holds is lost or replaced by a guess.
class ParameterList
{
public:
    static constexpr int kMaxOptions = 10000;
    // The write header carries the length in two bytes.
    static constexpr int kMaxWriteLength = 0xFFFF;

    struct Option
    {
        QString text;
        int value = 0;
    };

    struct Parameter
    {
        QString key; // the member name in the printer's text
        QString tip; // the caption shown
        QString listText;
        QVector<Option> options;
        QString name; // "Page/Caption", numbered "#2", "#3" when a caption repeats on its page
        QString rawValue; // "val" as the printer (or the file) gave it
        int current = -1; // the option chosen; -1 when "val" matched none
        int lastRead = -1; // the option last read from the printer
        int defaultOption = -1; // from "def"; -1 when the printer gives none

        QString currentText() const;
        QString defaultText() const;
        QStringList optionTexts() const;
        bool changed() const { return current != lastRead; }
        int optionIndex(const QString &text) const;
    };

    struct Page
    {
        QString title; // as in the printer's text
        QString englishTitle;
        QString chineseTitle;
        bool showsDefaults = false;
        QVector<Parameter> parameters;
    };

    enum class Status {
        Ok,
        NotJson, // not a JSON text, or its root is not an object
        NoPages, // JSON, but none of its members is a page this program shows
    };

    enum class Apply { Changed, Unchanged, UnknownName, InvalidValue };

    struct LoadReport
    {
        int matched = 0;
        int unmatched = 0; // "val" texts that name no option: those parameters keep their value
        int unknown = 0; // parameters the pages do not have
    };

    // Replaces the pages by those of the printer's text, with their values read from it.
    Status build(const QByteArray &text, QString *why = nullptr);
    // Selects the values of `text` (the printer's reply, or an imported file's data); from the
    // printer, they also become the values last read.
    Status load(const QByteArray &text, bool fromFile, LoadReport *report = nullptr,
        QString *why = nullptr);
    // The pages' chosen values as unformatted JSON in UTF-8, with only "val" members.
    QByteArray writeText() const;
    // 00 00 and the text's length, high byte first; empty when the text is too long for it.
    static QByteArray writeHeader(int textLength);

    const QVector<Page> &pages() const { return m_pages; }
    bool isEmpty() const { return m_pages.isEmpty(); }
    bool hasChanges() const;
    // Chooses a parameter's option; -1 chooses none, so that the value the printer gave stays.
    void setCurrent(int page, int parameter, int option);
    // The same pages, parameters and option lists: the values of one fit the pages of the other.
    bool sameShape(const ParameterList &other) const;
    // Whether these pages (read back from the printer) hold every value changed in `written`.
    bool holdsChangesOf(const ParameterList &written) const;
    // A write of `written` counts when the list read back after it is a parameter list holding
    // its changed values; that list goes to `readBack`.
    static bool writeConfirmed(
        const ParameterList &written, const QByteArray &readBackText, ParameterList *readBack);

    // A parameter by "Page/Caption" (or "Page/key"), without regard to case; the page part may
    // be the page's title in either language.
    const Parameter *find(const QString &name, QString *why = nullptr) const;
    Apply apply(const QString &name, const QString &value, QString *message = nullptr);
    Apply applyAssignment(const QString &assignment, QString *message = nullptr);

    // The option list of a "list" text.
    static QVector<Option> parseOptions(const QString &list);
    // The English title of a page this program shows (either language), or an empty text.
    static QString englishTitleOf(const QString &title);
    static QString chineseTitleOf(const QString &englishTitle);
    // The English titles of the pages shown, for translation.
    static QStringList englishTitles();

private:
    Parameter *findMutable(const QString &name, QString *why);
    void index();

    QVector<Page> m_pages;
    QHash<QString, QPair<int, int>> m_byName; // lower-case name -> page, parameter
};
