#pragma once

#include <QDialog>
#include <QStringList>

#include "designer_core/optionproperty.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTextEdit;
class TipWidget;

// The control property editor: every field of one control of a designer page.
class ComboBoxDialogs : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ComboBoxDialogs)

public:
    explicit ComboBoxDialogs(QWidget *parent = nullptr);

    // The formulas the two formula boxes offer.
    void setFormulas(const QStringList &formulas);
    // Shows the record; Save fills it from the fields.
    void setProperty(const OptionProperty &property);
    OptionProperty property() const { return m_property; }
    // What the fields hold now.
    OptionEditorFields fields() const;

    // The fields, for tests and the screenshots.
    QComboBox *kindBox() const { return m_kind; }
    QLineEdit *englishEdit() const { return m_english; }
    QLineEdit *chineseEdit() const { return m_chinese; }
    QLineEdit *byteSizeEdit() const { return m_byteSize; }
    QLineEdit *bytePositionEdit() const { return m_bytePosition; }
    QListWidget *contentList() const { return m_contentList; }
    QLineEdit *minEdit() const { return m_min; }
    QLineEdit *maxEdit() const { return m_max; }
    QTextEdit *annotationChinese() const { return m_annotationChinese; }
    QTextEdit *annotationEnglish() const { return m_annotationEnglish; }
    QComboBox *readFormulaBox() const { return m_readFormula; }
    QComboBox *writeFormulaBox() const { return m_writeFormula; }
    QComboBox *commandTypeBox() const { return m_commandType; }
    QComboBox *commandNameBox() const { return m_commandName; }
    QLineEdit *paramPositionEdit() const { return m_paramPosition; }
    QComboBox *showHideBox() const { return m_showHide; }
    QLineEdit *connectByteEdit() const { return m_connectByte; }
    QLineEdit *validValueEdit() const { return m_validValue; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *deleteButton() const { return m_delete; }
    TipWidget *tip() const { return m_tip; }

signals:
    void deleteRow(OptionProperty *eidtdata);
    // The record took the fields.
    void saveClicked();

public slots:
    void slotEditList(QListWidgetItem *item);
    void on_btn_AddEvent_clicked();
    void on_btn_Del_clicked();
    void on_btn_Save_clicked();
    void on_btn_Refresh_clicked();
    void on_contentList_currentItemChanged(QListWidgetItem *current, QListWidgetItem *previous);
    void changeTypeList();
    void changeTypeListShow();
    void changeCmdTypeList(int type);

private:
    QWidget *buildFields();
    QWidget *buildLists();
    static void showFormula(QComboBox *box, const QString &formula);

    OptionProperty m_property;
    QStringList m_formulas;
    QComboBox *m_kind = nullptr;
    QLineEdit *m_english = nullptr;
    QLineEdit *m_chinese = nullptr;
    QLineEdit *m_byteSize = nullptr;
    QLineEdit *m_bytePosition = nullptr;
    QListWidget *m_contentList = nullptr;
    QPushButton *m_addOption = nullptr;
    QPushButton *m_removeOption = nullptr;
    QLineEdit *m_min = nullptr;
    QLineEdit *m_max = nullptr;
    QTextEdit *m_annotationChinese = nullptr;
    QTextEdit *m_annotationEnglish = nullptr;
    QComboBox *m_readFormula = nullptr;
    QComboBox *m_writeFormula = nullptr;
    QComboBox *m_commandType = nullptr;
    QComboBox *m_commandName = nullptr;
    QLineEdit *m_paramPosition = nullptr;
    QComboBox *m_showHide = nullptr;
    QLineEdit *m_connectByte = nullptr;
    QLineEdit *m_validValue = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_refresh = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_cancel = nullptr;
    TipWidget *m_tip = nullptr;
};
