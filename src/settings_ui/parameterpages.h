#pragma once

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QVector>

#include "settings_ui/adoptioncombobox.h"

class ParameterList;
class QWidget;

// The settings pages of a parameter-list printer, built from its list: per page a caption row
// ("Parameters", "Current Values" and, where the printer gives defaults, "Defaults"), then one
// row per parameter with its caption and a combo box of its options. The pages belong to this
// object; the settings page only borrows them.
class ParameterPages
{
public:
    // Captions wider than this make a page use the large layout (wider, wrapped captions).
    static constexpr int kLabelWidth = 170;
    static constexpr int kLargeLabelWidth = 200;
    static constexpr int kRowHeight = 25;

    ParameterPages() = default;
    ~ParameterPages();
    ParameterPages(const ParameterPages &) = delete;
    ParameterPages &operator=(const ParameterPages &) = delete;

    // Replaces the pages by those of the list, showing its values as the ones last read.
    void build(const ParameterList &list);
    void clear();
    // Shows the list's values; asRead makes them the reference, otherwise the values that
    // differ from the last read show as changes (an imported file). The list must have the
    // shape the pages were built from.
    void showValues(const ParameterList &list, bool asRead);
    // Copies the options chosen on the pages into the list.
    void collect(ParameterList &list) const;
    bool hasUnsavedChanges() const;

    QList<QWidget *> pages() const;
    // The pages' titles in the interface's language.
    QStringList titles() const { return m_titles; }
    // The combo box of parameter i of page p; null when there is none.
    AdOptionCombobox *comboAt(int page, int parameter) const;

private:
    QList<QPointer<QWidget>> m_pages;
    QStringList m_titles;
    QVector<QVector<QPointer<AdOptionCombobox>>> m_combos;
};
