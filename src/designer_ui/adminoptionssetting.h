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
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
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
    // What the content and the formula group both have: the mode, the existing list with its
    // edit box, the box for a new one and the three buttons.
    struct Group
    {
        int mode = 0; // no mode until a radio button is clicked
        QButtonGroup *modes = nullptr;
        QComboBox *existing = nullptr;
        QLineEdit *edit = nullptr;
        QLineEdit *fresh = nullptr;
        QPushButton *remove = nullptr;
        QPushButton *confirm = nullptr;
        QPushButton *reset = nullptr;
    };

    QWidget *buildContentGroup();
    QWidget *buildFormulaGroup();
    // The group's widgets, named after it ("oldContent", "contentEdit", "newContent", ...), laid
    // out in grid from the row of the mode buttons (in column modesColumn) on.
    void buildGroup(Group &group, const QString &name, QWidget *box, QGridLayout *grid,
        const QString &newMode, int modesColumn);
    static void setMode(Group &group, int mode);
    static void reset(const Group &group);
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
    QLabel *m_languageLabel = nullptr;
    Group m_content;
    Group m_formula;
};
