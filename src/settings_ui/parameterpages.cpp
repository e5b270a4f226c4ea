#include "settings_ui/parameterpages.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QWidget>

#include "engine/parameterlist.h"
#include "settings_ui/adoptioncombobox.h"
#include "settings_ui/adoptionlabel.h"

namespace {
constexpr int kPageMargin = 30;
// Narrow sides, so that the three columns fit the settings area of the smallest window.
constexpr int kPageSide = 10;
constexpr int kCaptionColumn = 0;
constexpr int kValueColumn = 1;
constexpr int kDefaultColumn = 2;
const char kGridName[] = "Layout0";
const char kHeadStyle[] = "font-weight:bold;color:#34495E;";
const char kDefaultStyle[] = "color:#7f8c8d;";

QLabel *headLabel(const QString &text, int width)
{
    auto *label = new QLabel(text);
    label->setObjectName(QStringLiteral("parameterHead"));
    label->setStyleSheet(QLatin1String(kHeadStyle));
    label->setAlignment(Qt::AlignCenter);
    label->setFixedSize(width, ParameterPages::kRowHeight);
    return label;
}

// A page whose captions do not fit the usual width gets wider, wrapped captions throughout.
bool largeLayout(const ParameterList::Page &page, const QFontMetrics &metrics)
{
    for (const ParameterList::Parameter &parameter : page.parameters) {
        if (metrics.horizontalAdvance(parameter.tip) > ParameterPages::kLabelWidth)
            return true;
    }
    return false;
}

void select(AdOptionCombobox *combo, const ParameterList::Parameter &parameter, bool asRead)
{
    QSignalBlocker blocker(combo);
    combo->setCurrentIndex(parameter.current);
    // A value that is none of the options is shown as the printer gave it, and stays so.
    combo->setPlaceholderText(parameter.current < 0 ? parameter.currentText() : QString());
    if (asRead)
        combo->acceptCurrent();
    else
        combo->state().compareWithReference(combo->currentText());
}
} // namespace

ParameterPages::~ParameterPages()
{
    clear();
}

void ParameterPages::clear()
{
    for (const QPointer<QWidget> &page : qAsConst(m_pages))
        delete page.data();
    m_pages.clear();
    m_titles.clear();
    m_combos.clear();
}

void ParameterPages::build(const ParameterList &list)
{
    clear();
    for (const ParameterList::Page &page : list.pages()) {
        auto *widget = new QWidget;
        widget->setObjectName(page.title);
        auto *column = new QVBoxLayout(widget);
        column->setContentsMargins(kPageSide, kPageMargin, kPageSide, kPageMargin);
        auto *grid = new QGridLayout;
        grid->setObjectName(QLatin1String(kGridName));
        column->addLayout(grid);
        column->addStretch();

        const bool large = largeLayout(page, widget->fontMetrics());
        const int labelWidth = large ? kLargeLabelWidth : kLabelWidth;
        grid->addWidget(headLabel(QCoreApplication::translate("ParameterPages", "Parameters"),
                            labelWidth),
            0, kCaptionColumn);
        grid->addWidget(
            headLabel(QCoreApplication::translate("ParameterPages", "Current Values"), labelWidth),
            0, kValueColumn);
        if (page.showsDefaults)
            grid->addWidget(
                headLabel(QCoreApplication::translate("ParameterPages", "Defaults"), labelWidth), 0,
                kDefaultColumn);

        QVector<QPointer<AdOptionCombobox>> combos;
        for (int i = 0; i < page.parameters.size(); ++i) {
            const ParameterList::Parameter &parameter = page.parameters.at(i);
            auto *caption = new AdoptionLabel;
            caption->setText(parameter.tip);
            caption->setToolTip(parameter.tip);
            if (large) {
                caption->setFixedWidth(kLargeLabelWidth);
                caption->setMinimumHeight(kRowHeight);
                caption->setWordWrap(true);
                caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            } else {
                caption->setFixedSize(kLabelWidth, kRowHeight);
                caption->setAlignment(Qt::AlignCenter);
            }
            grid->addWidget(caption, i + 1, kCaptionColumn);

            auto *combo = new AdOptionCombobox;
            combo->setObjectName(parameter.key);
            SettingRules::OptionList options;
            for (const ParameterList::Option &option : parameter.options)
                options.append({ option.text, option.value });
            combo->setOptions(options);
            combo->setEnabled(!options.isEmpty());
            select(combo, parameter, true);
            grid->addWidget(combo, i + 1, kValueColumn);
            combos.append(combo);

            if (page.showsDefaults) {
                auto *defaults = new QLabel(parameter.defaultText());
                defaults->setObjectName(QStringLiteral("defaultText"));
                defaults->setStyleSheet(QLatin1String(kDefaultStyle));
                defaults->setAlignment(Qt::AlignCenter);
                defaults->setFixedSize(labelWidth, kRowHeight);
                grid->addWidget(defaults, i + 1, kDefaultColumn);
            }
        }
        widget->setStyleSheet(QStringLiteral("background:white"));
        m_pages.append(widget);
        m_combos.append(combos);
        m_titles.append(
            QCoreApplication::translate("ParameterList", page.englishTitle.toUtf8().constData()));
    }
}

void ParameterPages::showValues(const ParameterList &list, bool asRead)
{
    const QVector<ParameterList::Page> &pages = list.pages();
    for (int p = 0; p < pages.size() && p < m_combos.size(); ++p) {
        const QVector<ParameterList::Parameter> &parameters = pages.at(p).parameters;
        for (int i = 0; i < parameters.size() && i < m_combos.at(p).size(); ++i) {
            if (AdOptionCombobox *combo = m_combos.at(p).at(i))
                select(combo, parameters.at(i), asRead);
        }
    }
}

void ParameterPages::collect(ParameterList &list) const
{
    for (int p = 0; p < m_combos.size(); ++p) {
        for (int i = 0; i < m_combos.at(p).size(); ++i) {
            if (const AdOptionCombobox *combo = m_combos.at(p).at(i))
                list.setCurrent(p, i, combo->currentIndex());
        }
    }
}

bool ParameterPages::hasUnsavedChanges() const
{
    for (const QVector<QPointer<AdOptionCombobox>> &combos : m_combos) {
        for (const QPointer<AdOptionCombobox> &combo : combos) {
            if (combo && combo->state().isChanged())
                return true;
        }
    }
    return false;
}

QList<QWidget *> ParameterPages::pages() const
{
    QList<QWidget *> list;
    for (const QPointer<QWidget> &page : m_pages) {
        if (page)
            list.append(page);
    }
    return list;
}

AdOptionCombobox *ParameterPages::comboAt(int page, int parameter) const
{
    if (page < 0 || page >= m_combos.size() || parameter < 0
        || parameter >= m_combos.at(page).size())
        return nullptr;
    return m_combos.at(page).at(parameter);
}
