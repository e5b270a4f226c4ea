#pragma once

#include <memory>

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

#include "engine/settingsdefinition.h"

class FormulaEvaluator;
class SettingCodec;

// One value control of the settings pages, as the page shows it for the current blocks.
struct SettingItem
{
    int rpcaId = 0;
    int position = 0;
    int length = 0; // bytes of the block the value takes
    ControlKind kind = KindNone;
    int page = -1;
    QString pageTitle;
    // The text the page shows beside the control (the label left of it, else its own caption).
    QString caption;
    // "Page/Caption"; a caption that repeats on its page is numbered from the second on
    // ("Caption#2", "Caption#3"), in the order of the page's grid.
    QString name;
    QString value;
    // False when the bytes stand for no value of the control: no option has the byte, or the
    // read formula fails. The page then keeps showing whatever it showed before.
    bool valueKnown = true;
    QString defaultValue;
    QStringList choices; // the options of a combo box
    QString hint; // what a value of the control looks like
    bool visible = true;
    bool enabled = true;
    // False for values the page's Save leaves to a group's own Write button.
    bool savedWithPage = true;
};

// The settings page without widgets: for a printer type's definition, its type code and the
// printer's blocks, the value of every control as the page shows it, and the bytes a value
// entered for a control is written as, through the same codec and rules as the page. The
// command line uses it; the settings page can take its texts from it too.
class SettingsModel
{
public:
    enum class Apply {
        Changed,
        Unchanged, // the control shows that value already: nothing is written
        UnknownName,
        InvalidValue, // no value the control would accept
        NotSettable, // hidden, disabled or left out of the page's Save
    };

    SettingsModel(
        const SettingsDefinition &definition, const QString &typeCode, bool legacyVariant = false);
    ~SettingsModel();
    SettingsModel(const SettingsModel &) = delete;
    SettingsModel &operator=(const SettingsModel &) = delete;

    const SettingsDefinition &definition() const { return m_definition; }
    QString typeCode() const { return m_typeCode; }

    void setSettingBlock(const QByteArray &block) { m_block = block; }
    QByteArray settingBlock() const { return m_block; }
    void setDefaultBlock(const QByteArray &block) { m_defaults = block; }
    QByteArray defaultBlock() const { return m_defaults; }

    // Every value control in page order (page, grid row, grid column), hidden ones included.
    QVector<SettingItem> items() const;
    // Only those the page shows.
    QVector<SettingItem> visibleItems() const;

    // The control a name stands for: "Page/Caption", "Page/Caption#n", or "@position" for the
    // control of a byte position. Case does not matter. False with the reason otherwise.
    bool find(const QString &name, SettingItem *item, QString *why = nullptr) const;

    // Enters a value into the named control and writes it into the setting block, as the page's
    // Save would; the message says what happened or why nothing did.
    Apply apply(const QString &name, const QString &value, QString *message = nullptr);
    // The same for "Page/Caption=value".
    Apply applyAssignment(const QString &assignment, QString *message = nullptr);

    // Writes every control's shown value into the setting block, as the page's Save does, so
    // what is shown is what is saved.
    void collect();

    // The longest text the page's edit box takes for a row.
    int editLimit(const ControlRow &row) const;

    // The settings page's Import without the page: `imported` is the printer's block `current`
    // with a settings file's data copied in (SettingsFile::importBlock). A control that cannot
    // show the file's bytes keeps the printer's bytes, as the page keeps showing the printer's
    // value there; then every control is collected as it shows its value. So nothing is imported
    // that no control can show, and the page and rkctl write the same block.
    QByteArray importedBlock(const QByteArray &current, const QByteArray &imported) const;
    // The page's Save without the page: `block` with every control the Save collects written as
    // the value it shows for `block`. A control that cannot encode what it shows (a gated edit
    // box whose switch is off, an empty text, a formula without bytes) keeps its bytes.
    QByteArray collectedBlock(const QByteArray &block) const;

private:
    struct Entry
    {
        int rpcaId = 0;
        int page = -1;
        QString caption;
        QString name;
        QStringList aliases; // lower-case names the entry also answers to
    };

    void buildEntries();
    SettingItem itemFor(const Entry &entry) const;
    SettingItem itemFor(const Entry &entry, const QByteArray &block) const;
    // The bytes from the row's position on that its value takes.
    int spanOf(const ControlRow &row) const;
    int entryIndex(const QString &name) const;
    bool hasCheckBoxRightOf(const ControlRow &row) const;
    Apply applyCombo(
        const ControlRow &row, const SettingItem &item, const QString &value, QString *message);
    Apply applySpin(
        const ControlRow &row, const SettingItem &item, const QString &value, QString *message);
    Apply applyEdit(
        const ControlRow &row, const SettingItem &item, const QString &value, QString *message);

    SettingsDefinition m_definition;
    QString m_typeCode;
    bool m_legacyVariant = false;
    std::unique_ptr<FormulaEvaluator> m_evaluator;
    std::unique_ptr<SettingCodec> m_codec;
    QByteArray m_block;
    QByteArray m_defaults;
    QVector<Entry> m_entries;
    QHash<QString, int> m_byName; // lower-case name or alias -> entry index
};
