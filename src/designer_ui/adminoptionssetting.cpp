#include "designer_ui/adminoptionssetting.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/databaseerrorbox.h"
#include "app/tipwidget.h"
#include "database/databasehandler.h"
#include "designer_core/contenteditor.h"
#include "designer_core/formulaeditor.h"

namespace {
constexpr int kContentGroupHeight = 150;
constexpr int kFormulaGroupHeight = 300;
constexpr int kTextWidth = 300;
constexpr int kButtonWidth = 90;

QPushButton *makeButton(const QString &text, const QString &name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setFixedWidth(kButtonWidth);
    return button;
}

template<typename W> W *named(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

// Fills the combo box anew and selects the item at the index it had, or the last one.
void refill(QComboBox *combo, const QStringList &items)
{
    const int kept = combo->currentIndex();
    combo->clear();
    combo->addItems(items);
    combo->setCurrentIndex(qMin(qMax(kept, 0), combo->count() - 1));
}
} // namespace

AdminOptionsSetting::AdminOptionsSetting(const DatabaseLocation &location, QWidget *parent)
    : QWidget(parent)
    , m_database(new DataBaseHandler(location, this))
    , m_contents(std::make_unique<ContentEditor>(*m_database))
    , m_formulas(std::make_unique<FormulaEditor>(*m_database))
    , m_failureBox(showDatabaseChangeFailure)
    , m_tip(new TipWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildContentGroup());
    layout->addWidget(buildFormulaGroup());
    layout->addStretch();

    // Everything waits for a mode but the language and the mode buttons themselves.
    m_languageLabel->setEnabled(false);
    for (const Group *group : { &m_content, &m_formula })
        for (QWidget *w : std::initializer_list<QWidget *> { group->existing, group->edit,
                 group->fresh, group->remove, group->confirm, group->reset })
            w->setEnabled(false);

    // The content list is shown from the start as the formula list is, not only after the
    // language has been changed once.
    onLanguageSelectChange(m_language->currentIndex());
    fillFormulas();
}

AdminOptionsSetting::~AdminOptionsSetting() = default;

void AdminOptionsSetting::buildGroup(Group &group, const QString &name, QWidget *box,
    QGridLayout *grid, const QString &newMode, int modesColumn)
{
    const QString title = name.at(0).toUpper() + name.mid(1);
    auto *edit = named(new QRadioButton(tr("Edit"), box), name + QStringLiteral("EditMode"));
    auto *create = named(new QRadioButton(newMode, box), name + QStringLiteral("NewMode"));
    group.modes = new QButtonGroup(box);
    group.modes->addButton(edit);
    group.modes->addButton(create);
    group.existing = named(new QComboBox(box), QStringLiteral("old") + title);
    group.existing->setFixedWidth(kTextWidth);
    group.edit = named(new QLineEdit(box), name + QStringLiteral("Edit"));
    group.edit->setFixedWidth(kTextWidth);
    group.fresh = named(new QLineEdit(box), QStringLiteral("new") + title);
    group.fresh->setFixedWidth(kTextWidth);
    group.remove = makeButton(tr("Delete"), name + QStringLiteral("Delete"), box);
    group.confirm = makeButton(tr("Confirm"), name + QStringLiteral("Confirm"), box);
    group.reset = makeButton(tr("Reset"), name + QStringLiteral("Reset"), box);

    auto *modes = new QHBoxLayout;
    modes->addWidget(edit);
    modes->addWidget(create);
    modes->addStretch();
    grid->addLayout(modes, 0, modesColumn);
    grid->addWidget(group.existing, 1, 0);
    grid->addWidget(group.edit, 1, 1);
    grid->addWidget(group.remove, 1, 2);
    grid->addWidget(group.fresh, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(group.confirm);
    buttons->addWidget(group.reset);
    buttons->addStretch();
    grid->addLayout(buttons, 2, 2, 1, 2);
    grid->setColumnStretch(3, 1);
}

QWidget *AdminOptionsSetting::buildContentGroup()
{
    auto *box = new QGroupBox(tr("Content Setting"), this);
    box->setFixedHeight(kContentGroupHeight);
    auto *grid = new QGridLayout(box);
    // The mode buttons beside the language.
    buildGroup(m_content, QStringLiteral("content"), box, grid, tr("New"), 1);
    m_language = named(new QComboBox(box), QStringLiteral("contentLanguage"));
    m_language->addItem(tr("Simplified Chinese"));
    m_language->addItem(tr("English"));
    grid->addWidget(m_language, 0, 0);
    m_languageLabel = named(new QLabel(box), QStringLiteral("languageLabel"));
    grid->addWidget(m_languageLabel, 2, 0, Qt::AlignRight);

    connect(m_language, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &AdminOptionsSetting::onLanguageSelectChange);
    connect(m_content.existing, &QComboBox::currentTextChanged, this,
        &AdminOptionsSetting::onOldContentSelectChange);
    connect(
        m_content.modes, &QButtonGroup::idClicked, this, &AdminOptionsSetting::onClickContentCHbx);
    connect(m_content.fresh, &QLineEdit::textChanged, this,
        &AdminOptionsSetting::onContentNewTextChange);
    connect(m_content.confirm, &QPushButton::clicked, this, &AdminOptionsSetting::onContentConfirm);
    connect(m_content.reset, &QPushButton::clicked, this, &AdminOptionsSetting::onContentReset);
    connect(m_content.remove, &QPushButton::clicked, this, &AdminOptionsSetting::onContentDelete);
    return box;
}

QWidget *AdminOptionsSetting::buildFormulaGroup()
{
    auto *box = new QGroupBox(tr("Formula Setting"), this);
    box->setFixedHeight(kFormulaGroupHeight);
    auto *grid = new QGridLayout(box);
    buildGroup(m_formula, QStringLiteral("formula"), box, grid, tr(" New"), 0);
    grid->setRowStretch(3, 1);

    connect(
        m_formula.modes, &QButtonGroup::idClicked, this, &AdminOptionsSetting::onClickFormulaCHbx);
    connect(m_formula.existing, &QComboBox::currentTextChanged, this,
        &AdminOptionsSetting::onOldFormulaSelectChange);
    connect(m_formula.confirm, &QPushButton::clicked, this, &AdminOptionsSetting::onFormulaConfirm);
    connect(m_formula.reset, &QPushButton::clicked, this, &AdminOptionsSetting::onFormulaReset);
    connect(m_formula.remove, &QPushButton::clicked, this, &AdminOptionsSetting::onFormulaDelete);
    return box;
}

void AdminOptionsSetting::setMode(Group &group, int mode)
{
    group.mode = mode;
    const bool editing = mode == kEditMode;
    group.confirm->setEnabled(true);
    group.reset->setEnabled(true);
    group.existing->setEnabled(editing);
    group.edit->setEnabled(editing);
    group.remove->setEnabled(editing);
    group.fresh->setEnabled(!editing);
}

void AdminOptionsSetting::reset(const Group &group)
{
    if (group.mode == kEditMode)
        group.edit->setText(group.existing->currentText());
    else if (group.mode == kNewMode)
        group.fresh->clear();
}

void AdminOptionsSetting::fillContents()
{
    refill(m_content.existing, m_contents->texts());
}

void AdminOptionsSetting::fillFormulas()
{
    refill(m_formula.existing, m_formulas->formulas());
}

void AdminOptionsSetting::report(const EditOutcome &outcome)
{
    if (outcome.kind == EditOutcome::Failed) {
        if (m_failureBox)
            m_failureBox(outcome.databaseError);
        return;
    }
    m_tip->setMessage(outcome.message, outcome.messageType);
    m_tip->exec();
}

void AdminOptionsSetting::onLanguageSelectChange(int index)
{
    m_contents->setLanguage(index);
    fillContents();
    m_languageLabel->setText(m_language->currentText());
    m_content.fresh->setText(m_contents->pendingText(index));
}

void AdminOptionsSetting::onOldContentSelectChange(QString content)
{
    m_content.edit->setText(content);
}

void AdminOptionsSetting::onClickContentCHbx(int index)
{
    setMode(m_content, index);
    m_languageLabel->setEnabled(index != kEditMode);
}

void AdminOptionsSetting::onContentNewTextChange()
{
    m_contents->setPendingText(m_content.fresh->text());
}

void AdminOptionsSetting::onContentConfirm()
{
    EditOutcome outcome;
    if (m_content.mode == kEditMode)
        outcome
            = m_contents->confirmEdit(m_content.existing->currentText(), m_content.edit->text());
    else if (m_content.mode == kNewMode)
        outcome = m_contents->confirmNew(m_content.fresh->text());
    else
        return;
    if (outcome.kind == EditOutcome::Stored) {
        m_content.fresh->clear();
        fillContents();
    }
    report(outcome);
}

void AdminOptionsSetting::onContentReset()
{
    reset(m_content);
}

void AdminOptionsSetting::onContentDelete()
{
    if (m_content.mode != kEditMode)
        return;
    const EditOutcome outcome = m_contents->remove(m_content.existing->currentText());
    if (outcome.kind == EditOutcome::Stored)
        fillContents();
    report(outcome);
}

void AdminOptionsSetting::onClickFormulaCHbx(int index)
{
    setMode(m_formula, index);
}

void AdminOptionsSetting::onOldFormulaSelectChange(QString expression)
{
    m_formula.edit->setText(expression);
}

void AdminOptionsSetting::onFormulaConfirm()
{
    EditOutcome outcome;
    if (m_formula.mode == kEditMode)
        outcome
            = m_formulas->confirmEdit(m_formula.existing->currentText(), m_formula.edit->text());
    else if (m_formula.mode == kNewMode)
        outcome = m_formulas->confirmNew(m_formula.fresh->text());
    else
        return;
    if (outcome.kind == EditOutcome::Stored) {
        // The list is sorted: follow the changed formula to its new place.
        const QString changed
            = m_formula.mode == kEditMode ? m_formula.edit->text() : m_formula.fresh->text();
        m_formula.fresh->clear();
        fillFormulas();
        m_formula.existing->setCurrentIndex(qMax(m_formula.existing->findText(changed), 0));
    }
    report(outcome);
}

void AdminOptionsSetting::onFormulaReset()
{
    reset(m_formula);
}

void AdminOptionsSetting::onFormulaDelete()
{
    if (m_formula.mode != kEditMode)
        return;
    const EditOutcome outcome = m_formulas->remove(m_formula.existing->currentText());
    if (outcome.kind == EditOutcome::Stored)
        fillFormulas();
    report(outcome);
}
