#include "designer_ui/designerflow.h"

#include <QDialog>
#include <QStackedWidget>

#include "app/databaseerrorbox.h"
#include "app/tipwidget.h"
#include "database/printertypetable.h"
#include "designer_ui/aboutwidget.h"
#include "designer_ui/dbmanagewidget.h"
#include "designer_ui/designerdialogs.h"
#include "designer_ui/settingswidget.h"
#include "settings_ui/widgetengine.h"

DesignerFlow::DesignerFlow(const DatabaseLocation &location, QStackedWidget *stack, QWidget *window)
    : QObject(window)
    , m_location(location)
    , m_stack(stack)
    , m_window(window)
    , m_failureBox(showDatabaseChangeFailure)
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

SettingsWidget *DesignerFlow::makeDesigner(
    WidgetEngine *engine, EngineRunner runEngine, Messenger message, int language)
{
    m_engine = engine;
    m_runEngine = std::move(runEngine);
    m_message = std::move(message);
    m_designer = new SettingsWidget(m_location, language);
    m_stack->addWidget(m_designer);
    m_designer->setChangeGuard([this] { return mayChange(); });
    connect(m_designer, &SettingsWidget::printerSelected, this,
        [this] { loadDesign(m_designer->selectedName()); });
    connect(m_designer, &SettingsWidget::refreshPage, this,
        [this] { loadDesign(m_designer->typeName()); });
    connect(m_designer, &SettingsWidget::saveData, this, &DesignerFlow::saveDesign);
    connect(m_designer->deleteDialog(), &DeleteMulDialogs::deletePrinter, this,
        &DesignerFlow::deletePrinterTypes);
    return m_designer;
}

bool DesignerFlow::mayChange()
{
    if (isLoggedIn())
        return true;
    m_message(TipWidget::Warning, tr("Log in on the Edit page first."));
    return false;
}

void DesignerFlow::enterDesigner(const QString &typeName)
{
    if (typeName.isEmpty())
        m_designer->showNoDesign(tr("welcome"));
    else
        loadDesign(typeName);
}

void DesignerFlow::loadDesign(const QString &typeName)
{
    if (typeName.isEmpty())
        return;
    m_engine->setDesignToLoad(typeName);
    m_runEngine(WidgetEngine::LoadDesign);
    if (m_engine->designType().pritId() == 0) {
        m_designer->showNoDesign(tr("welcome"));
        return;
    }
    m_designer->showDesign(
        m_engine->designType().pritName(), m_engine->designType().pritTest(), m_engine->design());
}

void DesignerFlow::saveDesign()
{
    const QString name = m_designer->saveName();
    if (name.isEmpty() || m_designer->model().isEmpty())
        return;
    m_engine->setDesign(name, m_designer->testValue(), m_designer->design());
    m_runEngine(WidgetEngine::SaveDesign);
    if (m_engine->lastResult() != DbOk) {
        if (m_failureBox)
            m_failureBox(m_engine->lastErrorText());
        return;
    }
    m_designer->designSaved(name, m_engine->designPritId());
    m_message(TipWidget::Success, tr("Save Successful"));
}

void DesignerFlow::deletePrinterTypes(const QStringList &names)
{
    if (names.isEmpty() || !mayChange())
        return;
    if (m_message(TipWidget::Question,
            tr("Are you sure you want to delete ") + QString::number(names.size())
                + tr("printer mode?"))
        != QDialog::Accepted)
        return;
    m_engine->setWorkMode(WidgetEngine::DeletePrinterTypes, names);
    m_runEngine(WidgetEngine::DeletePrinterTypes);
    const bool deleted = m_engine->lastResult() == DbOk;
    // Of several names some may be gone even when one was refused: look, do not assume.
    const QString shown = m_designer->typeName();
    if (!shown.isEmpty() && PrinterTypeTable(m_location).findPrinterType(shown).pritId() == 0)
        m_designer->showNoDesign(tr("Welcome"));
    if (deleted)
        m_message(TipWidget::Success, tr("Delete successfully"));
    else if (m_failureBox)
        m_failureBox(m_engine->lastErrorText());
    m_designer->reloadPrinterList();
}
