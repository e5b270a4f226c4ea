#include "designer_ui/designerflow.h"

#include <QStackedWidget>

#include "designer_ui/aboutwidget.h"
#include "designer_ui/dbmanagewidget.h"

DesignerFlow::DesignerFlow(const DatabaseLocation &location, QStackedWidget *stack, QWidget *window)
    : QObject(window)
    , m_location(location)
    , m_stack(stack)
    , m_window(window)
{
}

DBManageWidget *DesignerFlow::enterContents()
{
    // A new dialog each time, without parent, over the middle of the window.
    AboutWidget dialog;
    if (m_window)
        dialog.move(m_window->geometry().center() - dialog.rect().center());
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    if (!m_contentsPage) {
        m_contentsPage = new DBManageWidget(m_location);
        m_stack->addWidget(m_contentsPage);
    }
    return m_contentsPage;
}

bool DesignerFlow::isLoggedIn() const
{
    return m_contentsPage && m_contentsPage->isLoggedIn();
}
