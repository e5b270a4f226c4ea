#include "designer_ui/designerdialogs.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 26;

QPushButton *dialogButton(const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setFixedSize(kButtonWidth, kButtonHeight);
    return button;
}

QTableWidget *nameTable(const QString &heading, QWidget *parent)
{
    auto *table = new QTableWidget(0, 1, parent);
    table->setHorizontalHeaderLabels({ heading });
    table->horizontalHeader()->setStretchLastSection(true);
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    return table;
}

void fillTable(QTableWidget *table, const QStringList &names, bool checkable)
{
    table->setRowCount(0);
    table->setRowCount(names.size());
    for (int row = 0; row < names.size(); ++row) {
        auto *item = new QTableWidgetItem(names.at(row));
        if (checkable) {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
        table->setItem(row, 0, item);
    }
}

QHBoxLayout *buttonRow(std::initializer_list<QWidget *> buttons)
{
    auto *row = new QHBoxLayout;
    row->addStretch();
    for (QWidget *button : buttons)
        row->addWidget(button);
    return row;
}
} // namespace

PrinterSelect::PrinterSelect(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Select Printer Mode"));
    setMinimumSize(360, 420);
    m_table = nameTable(tr("Select Printer"), this);
    m_confirm = dialogButton(tr("confirm"), this);
    m_cancel = dialogButton(tr("cancel"), this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table);
    layout->addLayout(buttonRow({ m_confirm, m_cancel }));
    connect(m_confirm, &QPushButton::clicked, this, &PrinterSelect::onConfirm);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &PrinterSelect::onConfirm);
}

void PrinterSelect::setNames(const QStringList &names)
{
    m_selected.clear();
    fillTable(m_table, names, false);
    if (!names.isEmpty())
        m_table->selectRow(0);
}

void PrinterSelect::onConfirm()
{
    const QList<QTableWidgetItem *> selected = m_table->selectedItems();
    if (m_table->rowCount() == 0 || selected.isEmpty())
        return;
    m_selected = selected.first()->text();
    emit comfirmSelect();
}

SaveDialogs::SaveDialogs(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Save/Add the printer type"));
    setMinimumWidth(380);
    m_names = new QComboBox(this);
    m_names->setEditable(true);
    m_names->setInsertPolicy(QComboBox::NoInsert);
    m_names->setMinimumHeight(28);
    auto *close = new QToolButton(this);
    close->setIcon(QIcon(QStringLiteral(":/images/close.png")));
    close->setToolTip(QStringLiteral("关闭"));
    close->setAutoRaise(true);
    m_confirm = dialogButton(tr("confirm"), this);
    m_cancel = dialogButton(tr("cancel"), this);
    auto *top = new QHBoxLayout;
    top->addWidget(m_names, 1);
    top->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttonRow({ m_confirm, m_cancel }));
    connect(close, &QToolButton::clicked, this, &QDialog::reject);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_confirm, &QPushButton::clicked, this, &SaveDialogs::comfirmSave);
}

void SaveDialogs::setNames(const QStringList &names, const QString &current)
{
    m_names->clear();
    m_names->addItems(names);
    m_names->setEditText(current);
}

QString SaveDialogs::name() const
{
    return m_names->currentText().trimmed();
}

DeleteMulDialogs::DeleteMulDialogs(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Delete Printer"));
    setMinimumSize(380, 460);
    auto *caption = new QLabel(tr("Select Printer Mode"), this);
    m_table = nameTable(tr("Delete Printer"), this);
    m_hint = new QLabel(tr("Please Select"), this);
    m_hint->setStyleSheet(QStringLiteral("color:#E74C3C;"));
    m_hint->hide();
    m_selectAll = dialogButton(tr("SelectAll"), this);
    m_delete = dialogButton(tr("Delete"), this);
    m_cancel = dialogButton(tr("Cancel"), this);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_table);
    auto *bottom = buttonRow({ m_selectAll, m_delete, m_cancel });
    bottom->insertWidget(0, m_hint);
    layout->addLayout(bottom);
    connect(m_selectAll, &QPushButton::clicked, this, &DeleteMulDialogs::on_SelectAll_clicked);
    connect(m_delete, &QPushButton::clicked, this, &DeleteMulDialogs::on_DeleteData_clicked);
    connect(m_cancel, &QPushButton::clicked, this, &DeleteMulDialogs::on_Cancel_clicked);
}

void DeleteMulDialogs::setNames(const QStringList &names)
{
    fillTable(m_table, names, true);
    m_selectAll->setText(tr("SelectAll"));
    m_hint->hide();
}

QStringList DeleteMulDialogs::checkedNames() const
{
    QStringList names;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const QTableWidgetItem *item = m_table->item(row, 0);
        if (item && item->checkState() == Qt::Checked)
            names << item->text();
    }
    return names;
}

void DeleteMulDialogs::setChecked(int row, bool checked)
{
    if (QTableWidgetItem *item = m_table->item(row, 0))
        item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
}

void DeleteMulDialogs::on_SelectAll_clicked()
{
    const QString text = m_selectAll->text();
    const bool selectAll = text == tr("SelectAll") || text == QStringLiteral("SelectAll")
        || text == QStringLiteral("全选");
    for (int row = 0; row < m_table->rowCount(); ++row)
        setChecked(row, selectAll);
    m_selectAll->setText(selectAll ? tr("NotSelectAll") : tr("SelectAll"));
}

void DeleteMulDialogs::on_DeleteData_clicked()
{
    const QStringList names = checkedNames();
    if (names.isEmpty()) {
        m_hint->show();
        return;
    }
    m_hint->hide();
    emit deletePrinter(names);
}

void DeleteMulDialogs::on_Cancel_clicked()
{
    reject();
}
