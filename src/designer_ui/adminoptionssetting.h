#pragma once

#include <functional>
#include <memory>

#include <QWidget>

#include "database/settingsdatabase.h"

class ContentEditor;
class DataBaseHandler;
class FormulaEditor;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TipWidget;
struct EditOutcome;

// The content and formula editor: the texts of both languages and the conversion formulas.
class AdminOptionsSetting : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AdminOptionsSetting)

public:
    // Tells the user that the database refused a change, with the database's own words.
    using FailureBox = std::function<void(const QString &databaseError)>;

    static constexpr int kEditMode = -2;
    static constexpr int kNewMode = -3;

    explicit AdminOptionsSetting(const DatabaseLocation &location, QWidget *parent = nullptr);
    ~AdminOptionsSetting() override;

    void setFailureBox(FailureBox box) { m_failureBox = std::move(box); }
    TipWidget *tip() const { return m_tip; }

private slots:
    void onLanguageSelectChange(int index);
    void onOldContentSelectChange(QString content);
    void onClickContentCHbx(int index);
    void onContentNewTextChange();
    void onContentConfirm();
    void onContentReset();
    void onContentDelete();
    void onClickFormulaCHbx(int index);
    void onOldFormulaSelectChange(QString expression);
    void onFormulaConfirm();
    void onFormulaReset();
    void onFormulaDelete();

private:
    QWidget *buildContentGroup();
    QWidget *buildFormulaGroup();
    void fillContents();
    void fillFormulas();
    // Shows the outcome's message, or the failure box when the database refused the change.
    void report(const EditOutcome &outcome);

    DataBaseHandler *m_database = nullptr;
    std::unique_ptr<ContentEditor> m_contents;
    std::unique_ptr<FormulaEditor> m_formulas;
    FailureBox m_failureBox;
    TipWidget *m_tip = nullptr;

    QComboBox *m_language = nullptr;
    QButtonGroup *m_contentModes = nullptr;
    int m_contentMode = 0; // no mode until a radio button is clicked
    QComboBox *m_oldContent = nullptr;
    QLineEdit *m_contentEdit = nullptr;
    QLabel *m_languageLabel = nullptr;
    QLineEdit *m_newContent = nullptr;
    QPushButton *m_contentDelete = nullptr;
    QPushButton *m_contentConfirm = nullptr;
    QPushButton *m_contentReset = nullptr;

    QButtonGroup *m_formulaModes = nullptr;
    int m_formulaMode = 0;
    QComboBox *m_oldFormula = nullptr;
    QLineEdit *m_formulaEdit = nullptr;
    QLineEdit *m_newFormula = nullptr;
    QPushButton *m_formulaDelete = nullptr;
    QPushButton *m_formulaConfirm = nullptr;
    QPushButton *m_formulaReset = nullptr;
};
