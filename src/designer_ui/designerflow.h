#pragma once

#include <functional>

#include <QObject>
#include <QStringList>

#include "database/settingsdatabase.h"

class DBManageWidget;
class QStackedWidget;
class QWidget;
class SettingsWidget;
class WidgetEngine;

// The designer's way in from the navigation bar. Edit: the admin dialog, then the contents page,
// made on the first accepted dialog and kept. Setup: the page designer, whose printer types are
// loaded, saved and deleted by the engine on its thread. Saving and deleting need the login of
// the contents page.
class DesignerFlow : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesignerFlow)

public:
    // Runs one work mode of the engine on its thread and returns when it has finished.
    using EngineRunner = std::function<void(int workMode)>;
    // Shows a message box of a type and returns its result.
    using Messenger = std::function<int(int type, const QString &text)>;
    using FailureBox = std::function<void(const QString &databaseError)>;

    // The pages go into stack; window is what the admin dialog is centred on.
    DesignerFlow(const DatabaseLocation &location, QStackedWidget *stack, QWidget *window);

    // Runs the admin dialog: the contents page to show when it was accepted, else nullptr.
    DBManageWidget *enterContents();
    DBManageWidget *contentsPage() const { return m_contentsPage; }
    bool isLoggedIn() const;

    // Makes the page designer (added to the stack) and wires it to the engine.
    SettingsWidget *makeDesigner(
        WidgetEngine *engine, EngineRunner runEngine, Messenger message, int language);
    SettingsWidget *designerPage() const { return m_designer; }
    void setFailureBox(FailureBox box) { m_failureBox = std::move(box); }

    // The Setup button: the designer with the printer type (none when the name is empty).
    void enterDesigner(const QString &typeName);
    void loadDesign(const QString &typeName);
    // The designer's save: the design under the name of the save dialog.
    void saveDesign();
    // The delete dialog's names: asked first, then deleted with all their rows.
    void deletePrinterTypes(const QStringList &names);

private:
    bool mayChange();

    DatabaseLocation m_location;
    QStackedWidget *m_stack = nullptr;
    QWidget *m_window = nullptr;
    DBManageWidget *m_contentsPage = nullptr;
    SettingsWidget *m_designer = nullptr;
    WidgetEngine *m_engine = nullptr;
    EngineRunner m_runEngine;
    Messenger m_message;
    FailureBox m_failureBox;
};
