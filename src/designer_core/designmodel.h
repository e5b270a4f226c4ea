#pragma once

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

#include "database/designstore.h"
#include "designer_core/optionproperty.h"

// The designer's record of a page: its names and the condition under which its first section
// applies. The show type says how the condition is entered: "Common" none, "OnePosiType" one byte
// position, "TwoPosiType" two, "MulPosiType" any number joined by "+"; "Value" is what those
// bytes must hold.
struct OptionWidgetProperty
{
    enum ShowType { Common = 0, OnePosiType = 1, TwoPosiType = 2, MulPosiType = 3 };

    QString chinese;
    QString english;
    int showType = Common;
    QString positionOne;
    QString positionTwo;
    QString positionMul;
    QString value;

    // The section's stored texts (rppl_byteposition, rppl_valid).
    QString bytePosition() const;
    QString valid() const;
    // The entries that a show type fills: PositionOne, PositionTwo, PositionMul, Value.
    static QList<bool> entriesOf(int showType);
    static const QStringList &showTypeNames();
    // How the dialog shows a stored condition.
    static OptionWidgetProperty fromStored(const DesignSection &section);
};

// One page of the designer: its sections (at least one) and its controls.
struct DesignerPage
{
    QList<DesignSection> sections;
    QList<OptionProperty> controls; // by row, then column

    OptionWidgetProperty property() const;
    // The names go to every section of the page, the condition to the first.
    void setProperty(const OptionWidgetProperty &property);
    QString title(int language) const;
    int rowCount() const;
    int indexOf(int row, int col) const;
};

// A printer type's design while the designer edits it: pages in list order, rows of controls on
// each page. Page numbers and section numbers are given anew when the design is stored.
class DesignModel
{
    Q_DECLARE_TR_FUNCTIONS(DesignModel)

public:
    static DesignModel fromDesign(const PrinterDesign &design);
    PrinterDesign toDesign() const;

    QList<DesignerPage> &pages() { return m_pages; }
    const QList<DesignerPage> &pages() const { return m_pages; }
    int pageCount() const { return m_pages.size(); }
    bool isEmpty() const { return m_pages.isEmpty(); }
    void clear() { m_pages.clear(); }

    // A page "新建页面"/"New Page" with one empty section, appended or at a position.
    int addPage();
    int insertPage(int at);
    bool deletePage(int at);

    // A new row: a label and an edit box. Appended, or before the row, moving it and the rows
    // after it down.
    int addRow(int page);
    bool insertRow(int page, int row);
    // Swaps the row with the one above (step -1) or below (step 1).
    bool moveRow(int page, int row, int step);
    // Removes the row's controls; the rows below move up.
    bool deleteRow(int page, int row);
    // Removes one control.
    bool removeControl(int page, int row, int col);

    // Why a page's new names are refused (message box type 2), or an empty text.
    static QString checkPageNames(const OptionWidgetProperty &stored, const QString &chinese,
        const QString &english);

private:
    DesignerPage *page(int index);
    static QList<OptionProperty> newRow(int row);

    QList<DesignerPage> m_pages;
};
