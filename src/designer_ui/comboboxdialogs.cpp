#include "designer_ui/comboboxdialogs.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/tipwidget.h"
#include "settings_ui/widgetengine.h"

namespace {
constexpr int kButtonWidth = 90;
constexpr int kButtonHeight = 26;
constexpr int kAnnotationHeight = 90;

QStringList translated(const QStringList &names)
{
    QStringList texts;
    for (const QString &name : names)
        texts << OptionRules::tr(qPrintable(name));
    return texts;
}

QHBoxLayout *pair(QWidget *first, QWidget *second)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(6);
    row->addWidget(first, 1);
    row->addWidget(second, 1);
    return row;
}

QPushButton *button(const QString &text, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setFixedSize(kButtonWidth, kButtonHeight);
    return b;
}
} // namespace

ComboBoxDialogs::ComboBoxDialogs(QWidget *parent)
    : QDialog(parent)
    , m_tip(new TipWidget(this))
{
    setWindowTitle(tr("Control properties"));
    auto *columns = new QHBoxLayout;
    columns->addWidget(buildFields(), 1);
    columns->addWidget(buildLists(), 1);

    m_save = button(tr("Save"), this);
    m_refresh = button(tr("Refresh"), this);
    m_delete = button(tr("Delete"), this);
    m_cancel = button(tr("Cancel"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : { m_save, m_refresh, m_delete, m_cancel })
        buttons->addWidget(b);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    connect(m_kind, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &ComboBoxDialogs::changeTypeList);
    connect(m_showHide, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &ComboBoxDialogs::changeTypeListShow);
    connect(m_commandType, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &ComboBoxDialogs::changeCmdTypeList);
    connect(m_contentList, &QListWidget::itemDoubleClicked, this, &ComboBoxDialogs::slotEditList);
    connect(m_contentList, &QListWidget::currentItemChanged, this,
        &ComboBoxDialogs::on_contentList_currentItemChanged);
    connect(m_addOption, &QPushButton::clicked, this, &ComboBoxDialogs::on_btn_AddEvent_clicked);
    connect(m_removeOption, &QPushButton::clicked, this, &ComboBoxDialogs::on_btn_Del_clicked);
    connect(m_save, &QPushButton::clicked, this, &ComboBoxDialogs::on_btn_Save_clicked);
    connect(m_refresh, &QPushButton::clicked, this, &ComboBoxDialogs::on_btn_Refresh_clicked);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_delete, &QPushButton::clicked, this, [this] {
        emit deleteRow(&m_property);
        accept();
    });
    setProperty(OptionProperty());
}

QWidget *ComboBoxDialogs::buildFields()
{
    auto *box = new QWidget(this);
    auto *form = new QFormLayout(box);
    form->setContentsMargins(0, 0, 0, 0);
    form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_kind = new QComboBox(box);
    m_kind->addItems(translated(OptionRules::kindNames()));
    m_english = new QLineEdit(box);
    m_english->setPlaceholderText(QStringLiteral("English"));
    m_chinese = new QLineEdit(box);
    m_chinese->setPlaceholderText(QStringLiteral("中文"));
    m_byteSize = new QLineEdit(box);
    m_bytePosition = new QLineEdit(box);
    m_min = new QLineEdit(box);
    m_max = new QLineEdit(box);
    m_readFormula = new QComboBox(box);
    m_writeFormula = new QComboBox(box);
    for (QComboBox *formula : { m_readFormula, m_writeFormula }) {
        formula->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        formula->setMinimumContentsLength(20);
    }
    m_commandType = new QComboBox(box);
    m_commandType->addItems(translated(OptionRules::instructionTypeNames()));
    m_commandName = new QComboBox(box);
    m_commandName->setEditable(true);
    m_commandName->setInsertPolicy(QComboBox::NoInsert);
    m_paramPosition = new QLineEdit(box);
    m_showHide = new QComboBox(box);
    m_showHide->addItems(translated(OptionRules::showHideRuleNames()));
    m_connectByte = new QLineEdit(box);
    m_validValue = new QLineEdit(box);

    form->addRow(tr("Control properties:"), m_kind);
    form->addRow(tr("Edit(English&Chinese):"), pair(m_english, m_chinese));
    form->addRow(tr("Byte size:"), m_byteSize);
    form->addRow(tr("1024 Byte location:"), m_bytePosition);
    form->addRow(tr("MinLength:"), m_min);
    form->addRow(tr("MaxLength:"), m_max);
    form->addRow(tr("Read formula:"), m_readFormula);
    form->addRow(tr("Write formula:"), m_writeFormula);
    form->addRow(tr("Instruction type:"), m_commandType);
    form->addRow(tr("Instruction names:"), m_commandName);
    form->addRow(tr("Parameters of the command position:"), m_paramPosition);
    form->addRow(tr("Is show or hide setup:"), m_showHide);
    form->addRow(tr("Connect byte:"), m_connectByte);
    form->addRow(tr("Vaild Value:"), m_validValue);
    return box;
}

QWidget *ComboBoxDialogs::buildLists()
{
    auto *box = new QWidget(this);
    auto *column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(new QLabel(tr("Sub-option(Chinese&English):"), box));
    m_contentList = new QListWidget(box);
    m_contentList->setToolTip(tr("English++Chinese++value; double-click to edit"));
    column->addWidget(m_contentList, 1);
    m_addOption = button(tr("Add"), box);
    m_removeOption = button(tr("Del"), box);
    auto *listButtons = new QHBoxLayout;
    listButtons->addStretch();
    listButtons->addWidget(m_addOption);
    listButtons->addWidget(m_removeOption);
    column->addLayout(listButtons);
    column->addWidget(new QLabel(tr("Annotation(Chinese):"), box));
    m_annotationChinese = new QTextEdit(box);
    m_annotationChinese->setAcceptRichText(false);
    m_annotationChinese->setFixedHeight(kAnnotationHeight);
    column->addWidget(m_annotationChinese);
    column->addWidget(new QLabel(tr("Annotation(English):"), box));
    m_annotationEnglish = new QTextEdit(box);
    m_annotationEnglish->setAcceptRichText(false);
    m_annotationEnglish->setFixedHeight(kAnnotationHeight);
    column->addWidget(m_annotationEnglish);
    return box;
}

void ComboBoxDialogs::setFormulas(const QStringList &formulas)
{
    m_formulas = formulas;
}

void ComboBoxDialogs::showFormula(QComboBox *box, const QString &formula)
{
    if (box->findText(formula) < 0)
        box->addItem(formula);
    box->setCurrentIndex(box->findText(formula));
}

void ComboBoxDialogs::setProperty(const OptionProperty &property)
{
    m_property = property;
    const OptionEditorFields f = OptionEditorFields::of(property);
    for (QComboBox *box : { m_readFormula, m_writeFormula }) {
        box->clear();
        box->addItem(QString()); // no formula
        box->addItems(m_formulas);
    }
    showFormula(m_readFormula, f.readFormula);
    showFormula(m_writeFormula, f.writeFormula);
    m_kind->setCurrentIndex(qBound(0, f.kind, m_kind->count() - 1));
    m_english->setText(f.labelEnglish);
    m_chinese->setText(f.labelChinese);
    m_byteSize->setText(f.byteSize);
    m_bytePosition->setText(f.bytePosition);
    m_contentList->clear();
    for (const QString &entry : f.options) {
        auto *item = new QListWidgetItem(entry, m_contentList);
        item->setFlags(item->flags() | Qt::ItemIsEditable);
    }
    m_min->setText(f.minLength);
    m_max->setText(f.maxLength);
    m_annotationChinese->setPlainText(f.annotationChinese);
    m_annotationEnglish->setPlainText(f.annotationEnglish);
    m_commandType->setCurrentIndex(qBound(0, f.instructionType, m_commandType->count() - 1));
    changeCmdTypeList(m_commandType->currentIndex());
    m_commandName->setCurrentText(f.instructionName);
    m_paramPosition->setText(f.paramPosition);
    m_showHide->setCurrentIndex(f.showHideRule);
    m_connectByte->setText(f.connectByte);
    m_validValue->setText(f.validValue);
    changeTypeList();
    on_contentList_currentItemChanged(nullptr, nullptr);
}

OptionEditorFields ComboBoxDialogs::fields() const
{
    OptionEditorFields f;
    f.kind = m_kind->currentIndex();
    f.labelEnglish = m_english->text().trimmed();
    f.labelChinese = m_chinese->text().trimmed();
    f.byteSize = m_byteSize->text();
    f.bytePosition = m_bytePosition->text();
    for (int i = 0; i < m_contentList->count(); ++i)
        f.options << m_contentList->item(i)->text();
    f.minLength = m_min->text();
    f.maxLength = m_max->text();
    f.annotationChinese = m_annotationChinese->toPlainText();
    f.annotationEnglish = m_annotationEnglish->toPlainText();
    f.readFormula = m_readFormula->currentText();
    f.writeFormula = m_writeFormula->currentText();
    f.instructionType = m_commandType->currentIndex();
    f.instructionName = m_commandName->currentText();
    f.paramPosition = m_paramPosition->text();
    f.showHideRule = m_showHide->currentIndex();
    f.connectByte = m_connectByte->text();
    f.validValue = m_validValue->text();
    return f;
}

void ComboBoxDialogs::slotEditList(QListWidgetItem *item)
{
    if (item)
        m_contentList->editItem(item);
}

void ComboBoxDialogs::on_btn_AddEvent_clicked()
{
    auto *item = new QListWidgetItem(OptionRules::newOptionEntry(m_contentList->count()), m_contentList);
    item->setFlags(item->flags() | Qt::ItemIsEditable);
    m_contentList->setCurrentItem(item);
    m_contentList->editItem(item);
}

void ComboBoxDialogs::on_btn_Del_clicked()
{
    delete m_contentList->currentItem();
}

void ComboBoxDialogs::on_btn_Save_clicked()
{
    OptionProperty changed = m_property;
    const QString refused = OptionRules::save(fields(), &changed);
    if (!refused.isEmpty()) {
        m_tip->setMessage(refused, TipWidget::Warning);
        m_tip->exec();
        return;
    }
    m_property = changed;
    emit saveClicked();
    accept();
}

void ComboBoxDialogs::on_btn_Refresh_clicked()
{
    // Back to what the record holds: the edits since it was shown are dropped.
    setProperty(m_property);
}

void ComboBoxDialogs::on_contentList_currentItemChanged(QListWidgetItem *current, QListWidgetItem *)
{
    m_removeOption->setEnabled(current && m_contentList->isEnabled());
}

void ComboBoxDialogs::changeTypeList()
{
    const int kind = m_kind->currentIndex();
    const bool options = kind == KindComboBox;
    m_contentList->setEnabled(options);
    m_addOption->setEnabled(options);
    on_contentList_currentItemChanged(m_contentList->currentItem(), nullptr);
    // Bounds are the spin box's; the other kinds keep theirs untouched.
    m_min->setEnabled(kind == KindSpinBox);
    m_max->setEnabled(kind == KindSpinBox);
    m_showHide->setEnabled(kind == KindEdit || kind == KindComboBox || kind == KindSpinBox);
    changeTypeListShow();
}

void ComboBoxDialogs::changeTypeListShow()
{
    const bool connect
        = m_showHide->isEnabled() && m_showHide->currentIndex() == OptionProperty::RuleConnectByte;
    m_connectByte->setEnabled(connect);
    m_validValue->setEnabled(connect);
}

void ComboBoxDialogs::changeCmdTypeList(int type)
{
    const QString kept = m_commandName->currentText();
    m_commandName->clear();
    m_commandName->addItem(QString());
    m_commandName->addItems(type == OptionProperty::InstructionExport ? WidgetEngine::buttonActions()
                                                                      : WidgetEngine::groupNames());
    m_commandName->setCurrentText(kept);
    m_paramPosition->setEnabled(type != OptionProperty::InstructionExport);
}
