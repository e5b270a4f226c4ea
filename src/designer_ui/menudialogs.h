#pragma once

#include <QDialog>

#include "designer_core/designmodel.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class TipWidget;

// The page dialog: the names of a page in both languages and the condition of its section.
class MenuDialogs : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MenuDialogs)

public:
    explicit MenuDialogs(QWidget *parent = nullptr);

    // Shows the page's record; Save compares the names with it.
    void setPage(const OptionWidgetProperty &property);
    OptionWidgetProperty page() const { return m_property; }

    QLineEdit *chineseName() const { return m_chinese; }
    QLineEdit *englishName() const { return m_english; }
    QComboBox *showType() const { return m_showType; }
    QLineEdit *entry(int index) const; // PositionOne, PositionTwo, PositionMul, Value
    QPushButton *saveButton() const { return m_save; }
    QPushButton *deleteButton() const { return m_delete; }
    TipWidget *tip() const { return m_tip; }

signals:
    void Delete(OptionWidgetProperty *owdata);
    void saveClicked();

public slots:
    void onShowType(int index);

private slots:
    void onSave();

private:
    OptionWidgetProperty m_property;
    QLineEdit *m_chinese = nullptr;
    QLineEdit *m_english = nullptr;
    QComboBox *m_showType = nullptr;
    QLineEdit *m_entries[4] = {};
    QPushButton *m_save = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_delete = nullptr;
    TipWidget *m_tip = nullptr;
};
