#include "settings_ui/parameterlistflow.h"

#include <QDebug>

#include "app/tipwidget.h"
#include "engine/datadispatcher.h"
#include "settings_ui/adminsettingswidget.h"

ParameterListFlow::ParameterListFlow(
    DataDispatcher *dispatcher, AdminSettingsWidget *page, Window window, QObject *parent)
    : QObject(parent)
    , m_dispatcher(dispatcher)
    , m_page(page)
    , m_window(std::move(window))
{
}

bool ParameterListFlow::read()
{
    const bool answered = m_window.runOperation(DataDispatcher::OpReadSettings, QByteArray());
    if (m_window.leaveChangedPrinter() || !answered)
        return false;
    ParameterList list;
    QString why;
    if (list.build(m_dispatcher->settingBlock(), &why) != ParameterList::Status::Ok) {
        qDebug() << "parameter list:" << why;
        m_window.showMessage(
            TipWidget::Error, tr("The printer's parameter list builds no settings page."));
        return false;
    }
    m_list = list;
    m_pages.build(m_list);
    m_page->setParameterList(true);
    m_page->setSections(m_pages.titles());
    m_page->setPages(m_pages.pages());
    m_active = true;
    return true;
}

void ParameterListFlow::release()
{
    m_active = false;
    m_pages.clear();
    m_list = ParameterList();
    m_page->setParameterList(false);
}

void ParameterListFlow::save()
{
    if (!m_active || !m_window.identifiedPrinterAnswers())
        return;
    ParameterList written = m_list;
    m_pages.collect(written);
    const bool sent = m_window.runOperation(DataDispatcher::OpWriteSettings, written.writeText());
    if (m_window.leaveChangedPrinter() || !sent)
        return;
    if (!m_dispatcher->saved()) {
        notConfirmed();
        return;
    }
    // The printer does not answer a write: only the list read back tells what it took.
    const bool readBack = m_window.runOperation(DataDispatcher::OpReadSettings, QByteArray());
    if (m_window.leaveChangedPrinter())
        return;
    ParameterList held;
    if (!readBack || !ParameterList::writeConfirmed(written, m_dispatcher->settingBlock(), &held)) {
        notConfirmed();
        return;
    }
    const bool sameShape = held.sameShape(m_list);
    m_list = held;
    if (sameShape) {
        m_pages.showValues(m_list, true);
    } else {
        m_pages.build(m_list);
        m_page->setSections(m_pages.titles());
        m_page->setPages(m_pages.pages());
    }
    m_window.showMessage(TipWidget::Success, tr("Save Successful"));
}

void ParameterListFlow::notConfirmed()
{
    // The pages keep the values chosen, still marked as changes, so that Save can be tried again.
    m_window.showMessage(
        TipWidget::Error, tr("The printer did not confirm the settings; they may not be saved."));
}

bool ParameterListFlow::hasUnsavedChanges() const
{
    return m_active && m_pages.hasUnsavedChanges();
}

QByteArray ParameterListFlow::settingsData() const
{
    ParameterList shown = m_list;
    m_pages.collect(shown);
    return shown.writeText();
}

bool ParameterListFlow::importData(const QByteArray &data)
{
    // Values the file does not hold stay as the pages show them.
    ParameterList shown = m_list;
    m_pages.collect(shown);
    ParameterList::LoadReport report;
    QString why;
    if (shown.load(data, true, &report, &why) != ParameterList::Status::Ok) {
        qDebug() << "import:" << why;
        return false;
    }
    if (report.unmatched + report.unknown > 0)
        qDebug() << "import:" << report.unmatched + report.unknown
                 << "value(s) of the file are no option of this printer";
    m_pages.showValues(shown, false);
    return true;
}
