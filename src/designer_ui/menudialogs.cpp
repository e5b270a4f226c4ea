#include "designer_ui/menudialogs.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/tipwidget.h"

namespace {
constexpr int kWidth = 330;
constexpr int kHeight = 200;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;
} // namespace

MenuDialogs::MenuDialogs(QWidget *parent)
    : QDialog(parent)
    , m_tip(new TipWidget(this))
{
    setWindowTitle(tr("Modify"));
    setFixedSize(kWidth, kHeight);
    m_chinese = new QLineEdit(this);
    m_english = new QLineEdit(this);
    m_showType = new QComboBox(this);
    m_showType->addItems({ tr("Common"), tr("OnePosiType"), tr("TwoPosiType"), tr("MulPosiType") });
    auto *grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setVerticalSpacing(4);
    grid->addWidget(new QLabel(tr("Name(chinese):"), this), 0, 0);
    grid->addWidget(m_chinese, 0, 1, 1, 3);
    grid->addWidget(new QLabel(tr("Name(english):"), this), 1, 0);
    grid->addWidget(m_english, 1, 1, 1, 3);
    grid->addWidget(new QLabel(tr("Show Type"), this), 2, 0);
    grid->addWidget(m_showType, 2, 1, 1, 3);
    const QString entryNames[4] = { tr("PositionOne"), tr("PositionTwo"), tr("PositionMul"),
        tr("Value") };
    for (int i = 0; i < 4; ++i) {
        m_entries[i] = new QLineEdit(this);
        m_entries[i]->setToolTip(entryNames[i]);
        grid->addWidget(new QLabel(entryNames[i], this), 3 + i / 2, (i % 2) * 2);
        grid->addWidget(m_entries[i], 3 + i / 2, (i % 2) * 2 + 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    m_save = new QPushButton(tr("Save"), this);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_delete = new QPushButton(tr("Delete"), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : { m_save, m_cancel, m_delete }) {
        b->setFixedSize(kButtonWidth, kButtonHeight);
        buttons->addWidget(b);
    }
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(6);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(m_showType, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
        &MenuDialogs::onShowType);
    connect(m_save, &QPushButton::clicked, this, &MenuDialogs::onSave);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_delete, &QPushButton::clicked, this, [this] {
        emit Delete(&m_property);
        accept();
    });
    onShowType(0);
}

QLineEdit *MenuDialogs::entry(int index) const
{
    return index >= 0 && index < 4 ? m_entries[index] : nullptr;
}

void MenuDialogs::setPage(const OptionWidgetProperty &property)
{
    m_property = property;
    m_chinese->setText(property.chinese);
    m_english->setText(property.english);
    m_entries[0]->setText(property.positionOne);
    m_entries[1]->setText(property.positionTwo);
    m_entries[2]->setText(property.positionMul);
    m_entries[3]->setText(property.value);
    m_showType->setCurrentIndex(property.showType);
    onShowType(property.showType);
}

void MenuDialogs::onShowType(int index)
{
    const QList<bool> used = OptionWidgetProperty::entriesOf(index);
    for (int i = 0; i < 4; ++i)
        m_entries[i]->setEnabled(used.value(i));
}

void MenuDialogs::onSave()
{
    const QString chinese = m_chinese->text().trimmed();
    const QString english = m_english->text().trimmed();
    const QString refused = DesignModel::checkPageNames(m_property, chinese, english);
    if (!refused.isEmpty()) {
        m_tip->setMessage(refused, TipWidget::Warning);
        m_tip->exec();
        return;
    }
    m_property.chinese = chinese;
    m_property.english = english;
    m_property.showType = m_showType->currentIndex();
    m_property.positionOne = m_entries[0]->text().trimmed();
    m_property.positionTwo = m_entries[1]->text().trimmed();
    m_property.positionMul = m_entries[2]->text().trimmed();
    m_property.value = m_entries[3]->text().trimmed();
    emit saveClicked();
    accept();
}
