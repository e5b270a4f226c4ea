#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

// "Select Printer Mode": the printer type to edit.
class PrinterSelect : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PrinterSelect)

public:
    explicit PrinterSelect(QWidget *parent = nullptr);

    // Lists the names and selects the first.
    void setNames(const QStringList &names);
    QString selectedName() const { return m_selected; }
    QTableWidget *table() const { return m_table; }
    QPushButton *confirmButton() const { return m_confirm; }
    QPushButton *cancelButton() const { return m_cancel; }

signals:
    void comfirmSelect();

private slots:
    void onConfirm();

private:
    QTableWidget *m_table = nullptr;
    QPushButton *m_confirm = nullptr;
    QPushButton *m_cancel = nullptr;
    QString m_selected;
};

// The name under which the design is saved: an existing printer type or a new one.
class SaveDialogs : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SaveDialogs)

public:
    explicit SaveDialogs(QWidget *parent = nullptr);

    void setNames(const QStringList &names, const QString &current);
    QString name() const;
    QComboBox *nameBox() const { return m_names; }
    QPushButton *confirmButton() const { return m_confirm; }

signals:
    void comfirmSave();

private:
    QComboBox *m_names = nullptr;
    QPushButton *m_confirm = nullptr;
    QPushButton *m_cancel = nullptr;
};

// The printer types to delete, checked in a list.
class DeleteMulDialogs : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DeleteMulDialogs)

public:
    explicit DeleteMulDialogs(QWidget *parent = nullptr);

    // Lists the names, none checked.
    void setNames(const QStringList &names);
    QStringList checkedNames() const;
    void setChecked(int row, bool checked);
    QTableWidget *table() const { return m_table; }
    QLabel *hint() const { return m_hint; }
    QPushButton *selectAllButton() const { return m_selectAll; }
    QPushButton *deleteButton() const { return m_delete; }

signals:
    void deletePrinter(QStringList text);

public slots:
    void on_SelectAll_clicked();
    void on_DeleteData_clicked();
    void on_Cancel_clicked();

private:
    QTableWidget *m_table = nullptr;
    QLabel *m_hint = nullptr;
    QPushButton *m_selectAll = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_cancel = nullptr;
};
