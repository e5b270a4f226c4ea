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
    for (QWidget *w :
        std::initializer_list<QWidget *> { m_oldContent, m_contentEdit, m_languageLabel,
            m_newContent, m_contentDelete, m_contentConfirm, m_contentReset, m_oldFormula,
            m_formulaEdit, m_newFormula, m_formulaDelete, m_formulaConfirm, m_formulaReset })
        w->setEnabled(false);

    // The content list is shown from the start as the formula list is, not only after the
    // language has been changed once.
    onLanguageSelectChange(m_language->currentIndex());
    fillFormulas();
}

AdminOptionsSetting::~AdminOptionsSetting() = default;

QWidget *AdminOptionsSetting::buildContentGroup()
{
    auto *group = new QGroupBox(tr("Content Setting"), this);
    group->setFixedHeight(kContentGroupHeight);
    m_language = named(new QComboBox(group), QStringLiteral("contentLanguage"));
    m_language->addItem(tr("Simplified Chinese"));
    m_language->addItem(tr("English"));
    auto *edit = named(new QRadioButton(tr("Edit"), group), QStringLiteral("contentEditMode"));
    auto *create = named(new QRadioButton(tr("New"), group), QStringLiteral("contentNewMode"));
    m_contentModes = new QButtonGroup(group);
    m_contentModes->addButton(edit);
    m_contentModes->addButton(create);
    m_oldContent = named(new QComboBox(group), QStringLiteral("oldContent"));
    m_oldContent->setFixedWidth(kTextWidth);
    m_contentEdit = named(new QLineEdit(group), QStringLiteral("contentEdit"));
    m_contentEdit->setFixedWidth(kTextWidth);
    m_languageLabel = named(new QLabel(group), QStringLiteral("languageLabel"));
    m_newContent = named(new QLineEdit(group), QStringLiteral("newContent"));
    m_newContent->setFixedWidth(kTextWidth);
    m_contentDelete = makeButton(tr("Delete"), QStringLiteral("contentDelete"), group);
    m_contentConfirm = makeButton(tr("Confirm"), QStringLiteral("contentConfirm"), group);
    m_contentReset = makeButton(tr("Reset"), QStringLiteral("contentReset"), group);

    auto *grid = new QGridLayout(group);
    grid->addWidget(m_language, 0, 0);
    auto *modes = new QHBoxLayout;
    modes->addWidget(edit);
    modes->addWidget(create);
    modes->addStretch();
    grid->addLayout(modes, 0, 1);
    grid->addWidget(m_oldContent, 1, 0);
    grid->addWidget(m_contentEdit, 1, 1);
    grid->addWidget(m_contentDelete, 1, 2);
    grid->addWidget(m_languageLabel, 2, 0, Qt::AlignRight);
    grid->addWidget(m_newContent, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_contentConfirm);
    buttons->addWidget(m_contentReset);
    buttons->addStretch();
    grid->addLayout(buttons, 2, 2, 1, 2);
    grid->setColumnStretch(3, 1);

    connect(m_language, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &AdminOptionsSetting::onLanguageSelectChange);
    connect(m_oldContent, &QComboBox::currentTextChanged, this,
        &AdminOptionsSetting::onOldContentSelectChange);
    connect(
        m_contentModes, &QButtonGroup::idClicked, this, &AdminOptionsSetting::onClickContentCHbx);
    connect(
        m_newContent, &QLineEdit::textChanged, this, &AdminOptionsSetting::onContentNewTextChange);
    connect(m_contentConfirm, &QPushButton::clicked, this, &AdminOptionsSetting::onContentConfirm);
    connect(m_contentReset, &QPushButton::clicked, this, &AdminOptionsSetting::onContentReset);
    connect(m_contentDelete, &QPushButton::clicked, this, &AdminOptionsSetting::onContentDelete);
    return group;
}

QWidget *AdminOptionsSetting::buildFormulaGroup()
{
    auto *group = new QGroupBox(tr("Formula Setting"), this);
    group->setFixedHeight(kFormulaGroupHeight);
    auto *edit = named(new QRadioButton(tr("Edit"), group), QStringLiteral("formulaEditMode"));
    auto *create = named(new QRadioButton(tr(" New"), group), QStringLiteral("formulaNewMode"));
    m_formulaModes = new QButtonGroup(group);
    m_formulaModes->addButton(edit);
    m_formulaModes->addButton(create);
    m_oldFormula = named(new QComboBox(group), QStringLiteral("oldFormula"));
    m_oldFormula->setFixedWidth(kTextWidth);
    m_formulaEdit = named(new QLineEdit(group), QStringLiteral("formulaEdit"));
    m_formulaEdit->setFixedWidth(kTextWidth);
    m_newFormula = named(new QLineEdit(group), QStringLiteral("newFormula"));
    m_newFormula->setFixedWidth(kTextWidth);
    m_formulaDelete = makeButton(tr("Delete"), QStringLiteral("formulaDelete"), group);
    m_formulaConfirm = makeButton(tr("Confirm"), QStringLiteral("formulaConfirm"), group);
    m_formulaReset = makeButton(tr("Reset"), QStringLiteral("formulaReset"), group);

    auto *grid = new QGridLayout(group);
    auto *modes = new QHBoxLayout;
    modes->addWidget(edit);
    modes->addWidget(create);
    modes->addStretch();
    grid->addLayout(modes, 0, 0);
    grid->addWidget(m_oldFormula, 1, 0);
    grid->addWidget(m_formulaEdit, 1, 1);
    grid->addWidget(m_formulaDelete, 1, 2);
    grid->addWidget(m_newFormula, 2, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_formulaConfirm);
    buttons->addWidget(m_formulaReset);
    buttons->addStretch();
    grid->addLayout(buttons, 3, 2, 1, 2);
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(4, 1);

    connect(
        m_formulaModes, &QButtonGroup::idClicked, this, &AdminOptionsSetting::onClickFormulaCHbx);
    connect(m_oldFormula, &QComboBox::currentTextChanged, this,
        &AdminOptionsSetting::onOldFormulaSelectChange);
    connect(m_formulaConfirm, &QPushButton::clicked, this, &AdminOptionsSetting::onFormulaConfirm);
    connect(m_formulaReset, &QPushButton::clicked, this, &AdminOptionsSetting::onFormulaReset);
    connect(m_formulaDelete, &QPushButton::clicked, this, &AdminOptionsSetting::onFormulaDelete);
    return group;
}

void AdminOptionsSetting::fillContents()
{
    refill(m_oldContent, m_contents->texts());
}

void AdminOptionsSetting::fillFormulas()
{
    refill(m_oldFormula, m_formulas->formulas());
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
    m_newContent->setText(m_contents->pendingText(index));
}

void AdminOptionsSetting::onOldContentSelectChange(QString content)
{
    m_contentEdit->setText(content);
}

void AdminOptionsSetting::onClickContentCHbx(int index)
{
    m_contentMode = index;
    const bool editing = index == kEditMode;
    m_contentConfirm->setEnabled(true);
    m_contentReset->setEnabled(true);
    m_oldContent->setEnabled(editing);
    m_contentEdit->setEnabled(editing);
    m_contentDelete->setEnabled(editing);
    m_languageLabel->setEnabled(!editing);
    m_newContent->setEnabled(!editing);
}

void AdminOptionsSetting::onContentNewTextChange()
{
    m_contents->setPendingText(m_newContent->text());
}

void AdminOptionsSetting::onContentConfirm()
{
    EditOutcome outcome;
    if (m_contentMode == kEditMode)
        outcome = m_contents->confirmEdit(m_oldContent->currentText(), m_contentEdit->text());
    else if (m_contentMode == kNewMode)
        outcome = m_contents->confirmNew(m_newContent->text());
    else
        return;
    if (outcome.kind == EditOutcome::Stored) {
        if (m_contentMode == kNewMode)
            m_newContent->clear();
        fillContents();
    }
    report(outcome);
}

void AdminOptionsSetting::onContentReset()
{
    if (m_contentMode == kEditMode)
        m_contentEdit->setText(m_oldContent->currentText());
    else if (m_contentMode == kNewMode)
        m_newContent->clear();
}

void AdminOptionsSetting::onContentDelete()
{
    if (m_contentMode != kEditMode)
        return;
    const EditOutcome outcome = m_contents->remove(m_oldContent->currentText());
    if (outcome.kind == EditOutcome::Stored)
        fillContents();
    report(outcome);
}

void AdminOptionsSetting::onClickFormulaCHbx(int index)
{
    m_formulaMode = index;
    const bool editing = index == kEditMode;
    m_formulaConfirm->setEnabled(true);
    m_formulaReset->setEnabled(true);
    m_oldFormula->setEnabled(editing);
    m_formulaEdit->setEnabled(editing);
    m_formulaDelete->setEnabled(editing);
    m_newFormula->setEnabled(!editing);
}

void AdminOptionsSetting::onOldFormulaSelectChange(QString expression)
{
    m_formulaEdit->setText(expression);
}

void AdminOptionsSetting::onFormulaConfirm()
{
    EditOutcome outcome;
    if (m_formulaMode == kEditMode)
        outcome = m_formulas->confirmEdit(m_oldFormula->currentText(), m_formulaEdit->text());
    else if (m_formulaMode == kNewMode)
        outcome = m_formulas->confirmNew(m_newFormula->text());
    else
        return;
    if (outcome.kind == EditOutcome::Stored) {
        // The list is sorted: follow the changed formula to its new place.
        const QString changed
            = m_formulaMode == kEditMode ? m_formulaEdit->text() : m_newFormula->text();
        m_newFormula->clear();
        fillFormulas();
        m_oldFormula->setCurrentIndex(qMax(m_oldFormula->findText(changed), 0));
    }
    report(outcome);
}

void AdminOptionsSetting::onFormulaReset()
{
    if (m_formulaMode == kEditMode)
        m_formulaEdit->setText(m_oldFormula->currentText());
    else if (m_formulaMode == kNewMode)
        m_newFormula->clear();
}

void AdminOptionsSetting::onFormulaDelete()
{
    if (m_formulaMode != kEditMode)
        return;
    const EditOutcome outcome = m_formulas->remove(m_oldFormula->currentText());
    if (outcome.kind == EditOutcome::Stored)
        fillFormulas();
    report(outcome);
}
