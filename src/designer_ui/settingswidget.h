#pragma once

#include <functional>

#include <QList>
#include <QPointer>
#include <QWidget>

#include "database/settingsdatabase.h"
#include "designer_core/designmodel.h"

class ComboBoxDialogs;
class DeleteMulDialogs;
class MenuDialogs;
class OptionTableLabel;
class PrinterSelect;
class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QScrollArea;
class QTextEdit;
class SaveDialogs;
class TestPageSetting;

// The page designer: a printer type's pages in a list, the page being edited as a grid of
// controls, and the buttons that choose, save and delete printer types. It keeps the design
// until it is saved; loading and storing go through the engine (DesignerFlow).
class SettingsWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SettingsWidget)

public:
    // language: 0 Chinese, 1 English, for the captions of pages and controls.
    SettingsWidget(const DatabaseLocation &location, int language, QWidget *parent = nullptr);

    // Shows a loaded printer type and enables the editing buttons.
    void showDesign(const QString &typeName, int testValue, const PrinterDesign &design);
    // No printer type: the title reads the text, the design is empty, editing is disabled.
    void showNoDesign(const QString &title);
    // After a save: the design is now that of the named type.
    void designSaved(const QString &typeName, int pritId);
    // The printer type lists of the dialogs are read again.
    void reloadPrinterList();
    // Asked before a save or a delete is offered; false refuses it (the guard says why).
    void setChangeGuard(std::function<bool()> guard) { m_changeGuard = std::move(guard); }

    PrinterDesign design() const { return m_model.toDesign(); }
    const DesignModel &model() const { return m_model; }
    QString typeName() const;
    QString selectedName() const;
    QString saveName() const;
    int testValue() const { return m_testValue; }
    void setTestValue(int value) { m_testValue = value; }
    int savedPritId() const { return m_savedPritId; }
    int currentPage() const { return m_currentPage; }
    bool editingEnabled() const;

    // Parts, for the flow, tests and screenshots.
    QLabel *titleLabel() const { return m_title; }
    QPushButton *testPageButton() const { return m_testPage; }
    QPushButton *changeButton() const { return m_change; }
    QPushButton *saveButton() const { return m_save; }
    QPushButton *addPageButton() const { return m_addPage; }
    QPushButton *addRowButton() const { return m_addRow; }
    QPushButton *deleteButton() const { return m_delete; }
    QPushButton *refreshButton() const { return m_refresh; }
    QListWidget *pageList() const { return m_pageList; }
    QWidget *pageWidget() const { return m_pageWidget; }
    QTextEdit *annotation() const { return m_annotation; }
    QList<OptionTableLabel *> rowLabels() const;
    PrinterSelect *printerSelect() const { return m_printerSelect; }
    SaveDialogs *saveDialog() const { return m_saveDialog; }
    DeleteMulDialogs *deleteDialog() const { return m_deleteDialog; }
    MenuDialogs *menuDialog() const { return m_menuDialog; }
    ComboBoxDialogs *propertyEditor() const { return m_editor; }
    TestPageSetting *testPageDialog() const { return m_testPageDialog; }

signals:
    void refreshSettings();
    void resetSettings();
    void exportSettings();
    void printerSelected();
    void refreshPage();
    void saveData();
    void deleteD();
    void sig_TopReached();
    void sig_BottomReached();

public slots:
    void changePage(QListWidgetItem *current, QListWidgetItem *previous);
    void changePageColor();
    void setPrinterName();
    void modifySeed();
    void savePrinteridTolist();

    // The buttons, as their clicks run them.
    void onChangePrinter();
    void onTestPage();
    void onSavePrinter();
    void onDeletePrinters();
    void onAddPage();
    void onAddRow();
    // The page list's menu actions on the current page.
    void insertSection();
    void deleteCurrentPage();
    // The row actions, as the row menu and the property editor run them.
    void editControl(int row, int col);
    void addRow();
    void insertRow(int row);
    void moveRow(int row, int step);
    void deleteRow(int row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildLeftColumn();
    QWidget *buildButtonRow();
    void setEditingEnabled(bool enabled);
    void showTestPageName();
    void fillPageList(int select);
    void showPage(int index);
    void rebuildPageLater();
    void rebuildPage();
    void markCurrentPage();
    void pageListMenu(const QPoint &at);
    QStringList printerTypeNames() const;
    QStringList formulas() const;

    DatabaseLocation m_location;
    int m_language;
    DesignModel m_model;
    QList<bool> m_marked; // pages changed since the last load or save, in list order
    int m_currentPage = -1;
    int m_testValue = 0;
    int m_savedPritId = 0;
    int m_wheelTurned = 0;
    bool m_rebuildPending = false;
    QString m_typeName;
    std::function<bool()> m_changeGuard;

    QLabel *m_title = nullptr;
    QPushButton *m_testPage = nullptr;
    QListWidget *m_pageList = nullptr;
    QPushButton *m_change = nullptr;
    QPushButton *m_save = nullptr;
    QPushButton *m_addPage = nullptr;
    QPushButton *m_addRow = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_refresh = nullptr;
    QScrollArea *m_scrollArea = nullptr;
    QPointer<QWidget> m_pageWidget;
    QGroupBox *m_annotationBox = nullptr;
    QTextEdit *m_annotation = nullptr;

    PrinterSelect *m_printerSelect = nullptr;
    SaveDialogs *m_saveDialog = nullptr;
    DeleteMulDialogs *m_deleteDialog = nullptr;
    MenuDialogs *m_menuDialog = nullptr;
    ComboBoxDialogs *m_editor = nullptr;
    TestPageSetting *m_testPageDialog = nullptr;
};
