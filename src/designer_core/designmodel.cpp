#include "designer_core/designmodel.h"

#include <algorithm>
#include <tuple>

namespace {
const QString kPositionSeparator = QStringLiteral("+");

bool byCell(const OptionProperty &a, const OptionProperty &b)
{
    return std::tie(a.row, a.col) < std::tie(b.row, b.col);
}
} // namespace

QString OptionWidgetProperty::bytePosition() const
{
    switch (showType) {
    case OnePosiType:
        return positionOne.trimmed();
    case TwoPosiType:
        return positionOne.trimmed() + kPositionSeparator + positionTwo.trimmed();
    case MulPosiType:
        return positionMul.trimmed();
    default:
        return QString();
    }
}

QString OptionWidgetProperty::valid() const
{
    return showType == Common ? QString() : value.trimmed();
}

QList<bool> OptionWidgetProperty::entriesOf(int showType)
{
    switch (showType) {
    case OnePosiType:
        return { true, false, false, true };
    case TwoPosiType:
        return { true, true, false, true };
    case MulPosiType:
        return { false, false, true, true };
    default:
        return { false, false, false, false };
    }
}

const QStringList &OptionWidgetProperty::showTypeNames()
{
    static const QStringList names { QStringLiteral("Common"), QStringLiteral("OnePosiType"),
        QStringLiteral("TwoPosiType"), QStringLiteral("MulPosiType") };
    return names;
}

OptionWidgetProperty OptionWidgetProperty::fromStored(const DesignSection &section)
{
    OptionWidgetProperty p;
    p.chinese = section.titleChinese;
    p.english = section.titleEnglish;
    p.value = section.valid;
    const QStringList positions
        = section.bytePosition.split(kPositionSeparator, Qt::KeepEmptyParts);
    if (section.bytePosition.isEmpty() && section.valid.isEmpty()) {
        p.showType = Common;
    } else if (positions.size() == 1) {
        p.showType = OnePosiType;
        p.positionOne = positions.first();
    } else if (positions.size() == 2) {
        p.showType = TwoPosiType;
        p.positionOne = positions.at(0);
        p.positionTwo = positions.at(1);
    } else {
        p.showType = MulPosiType;
        p.positionMul = section.bytePosition;
    }
    return p;
}

OptionWidgetProperty DesignerPage::property() const
{
    return sections.isEmpty() ? OptionWidgetProperty() : OptionWidgetProperty::fromStored(sections.first());
}

void DesignerPage::setProperty(const OptionWidgetProperty &property)
{
    if (sections.isEmpty())
        sections.append(DesignSection());
    for (DesignSection &section : sections) {
        section.titleChinese = property.chinese;
        section.titleEnglish = property.english;
    }
    sections.first().bytePosition = property.bytePosition();
    sections.first().valid = property.valid();
}

QString DesignerPage::title(int language) const
{
    if (sections.isEmpty())
        return QString();
    const DesignSection &s = sections.first();
    const QString &first = language == 0 ? s.titleChinese : s.titleEnglish;
    return first.isEmpty() ? (language == 0 ? s.titleEnglish : s.titleChinese) : first;
}

int DesignerPage::rowCount() const
{
    int rows = 0;
    for (const OptionProperty &c : controls)
        rows = qMax(rows, c.row + 1);
    return rows;
}

int DesignerPage::indexOf(int row, int col) const
{
    for (int i = 0; i < controls.size(); ++i) {
        if (controls.at(i).row == row && controls.at(i).col == col)
            return i;
    }
    return -1;
}

DesignModel DesignModel::fromDesign(const PrinterDesign &design)
{
    DesignModel model;
    QList<int> pageNumbers;
    QList<DesignSection> sections = design.sections;
    std::stable_sort(sections.begin(), sections.end(),
        [](const DesignSection &a, const DesignSection &b) {
            return std::tie(a.page, a.layout) < std::tie(b.page, b.layout);
        });
    for (const DesignSection &section : qAsConst(sections)) {
        if (!pageNumbers.contains(section.page)) {
            pageNumbers.append(section.page);
            model.m_pages.append(DesignerPage());
        }
        model.m_pages[pageNumbers.indexOf(section.page)].sections.append(section);
    }
    // A control on a page without a section is never shown by the settings page either.
    for (const DesignControl &control : design.controls) {
        const int index = pageNumbers.indexOf(control.page);
        if (index >= 0)
            model.m_pages[index].controls.append(OptionProperty(control));
    }
    for (DesignerPage &page : model.m_pages)
        std::stable_sort(page.controls.begin(), page.controls.end(), byCell);
    return model;
}

PrinterDesign DesignModel::toDesign() const
{
    PrinterDesign design;
    for (int p = 0; p < m_pages.size(); ++p) {
        const DesignerPage &page = m_pages.at(p);
        for (int s = 0; s < page.sections.size(); ++s) {
            DesignSection section = page.sections.at(s);
            section.page = p;
            section.layout = s;
            design.sections.append(section);
        }
        QList<OptionProperty> controls = page.controls;
        std::stable_sort(controls.begin(), controls.end(), byCell);
        for (const OptionProperty &control : qAsConst(controls)) {
            DesignControl stored = control;
            stored.page = p;
            design.controls.append(stored);
        }
    }
    return design;
}

int DesignModel::addPage()
{
    return insertPage(m_pages.size());
}

int DesignModel::insertPage(int at)
{
    if (at < 0 || at > m_pages.size())
        return -1;
    DesignerPage page;
    DesignSection section;
    section.titleChinese = QStringLiteral("新建页面");
    section.titleEnglish = QStringLiteral("New Page");
    page.sections.append(section);
    m_pages.insert(at, page);
    return at;
}

bool DesignModel::deletePage(int at)
{
    if (at < 0 || at >= m_pages.size())
        return false;
    m_pages.removeAt(at);
    return true;
}

DesignerPage *DesignModel::page(int index)
{
    return index >= 0 && index < m_pages.size() ? &m_pages[index] : nullptr;
}

QList<OptionProperty> DesignModel::newRow(int row)
{
    OptionProperty label;
    label.row = row;
    label.col = 0;
    label.kind = KindLabel;
    label.labelChinese = QStringLiteral("新建控件");
    label.labelEnglish = QStringLiteral("New Control");
    OptionProperty value;
    value.row = row;
    value.col = 1;
    value.kind = KindEdit;
    return { label, value };
}

int DesignModel::addRow(int index)
{
    DesignerPage *p = page(index);
    if (!p)
        return -1;
    const int row = p->rowCount();
    p->controls.append(newRow(row));
    return row;
}

bool DesignModel::insertRow(int index, int row)
{
    DesignerPage *p = page(index);
    if (!p || row < 0)
        return false;
    for (OptionProperty &c : p->controls) {
        if (c.row >= row)
            ++c.row;
    }
    p->controls.append(newRow(row));
    std::stable_sort(p->controls.begin(), p->controls.end(), byCell);
    return true;
}

bool DesignModel::moveRow(int index, int row, int step)
{
    DesignerPage *p = page(index);
    const int other = row + step;
    if (!p || (step != -1 && step != 1) || row < 0 || other < 0 || other >= p->rowCount())
        return false;
    for (OptionProperty &c : p->controls) {
        if (c.row == row)
            c.row = other;
        else if (c.row == other)
            c.row = row;
    }
    std::stable_sort(p->controls.begin(), p->controls.end(), byCell);
    return true;
}

bool DesignModel::deleteRow(int index, int row)
{
    DesignerPage *p = page(index);
    if (!p || row < 0 || row >= p->rowCount())
        return false;
    QList<OptionProperty> kept;
    for (OptionProperty c : qAsConst(p->controls)) {
        if (c.row == row)
            continue;
        if (c.row > row)
            --c.row;
        kept.append(c);
    }
    p->controls = kept;
    return true;
}

bool DesignModel::removeControl(int index, int row, int col)
{
    DesignerPage *p = page(index);
    const int at = p ? p->indexOf(row, col) : -1;
    if (at < 0)
        return false;
    p->controls.removeAt(at);
    return true;
}

QString DesignModel::checkPageNames(
    const OptionWidgetProperty &stored, const QString &chinese, const QString &english)
{
    if (chinese.isEmpty())
        return tr("Chinese Name is null!");
    if (english.isEmpty())
        return tr("English Name is null!");
    if ((chinese != stored.chinese) != (english != stored.english))
        return tr("Both English and Chinese must change simultaneously. If one is to be "
                  "modified, you can modify it in the setwright tool page");
    return QString();
}
