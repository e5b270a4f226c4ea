#pragma once

#include <QObject>

#include "database/settingsdatabase.h"

class DBManageWidget;
class QStackedWidget;
class QWidget;

// The designer's way in from the navigation bar. Edit: the admin dialog, then the contents page,
// made on the first accepted dialog and kept. The Setup button's page designer joins here; it
// reads the login of the contents page.
class DesignerFlow : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesignerFlow)

public:
    // The pages go into stack; window is what the admin dialog is centred on.
    DesignerFlow(const DatabaseLocation &location, QStackedWidget *stack, QWidget *window);

    // Runs the admin dialog: the contents page to show when it was accepted, else nullptr.
    DBManageWidget *enterContents();
    DBManageWidget *contentsPage() const { return m_contentsPage; }
    bool isLoggedIn() const;

private:
    DatabaseLocation m_location;
    QStackedWidget *m_stack = nullptr;
    QWidget *m_window = nullptr;
    DBManageWidget *m_contentsPage = nullptr;
};
