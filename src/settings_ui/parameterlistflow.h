#pragma once

#include <functional>

#include <QByteArray>
#include <QObject>

#include "engine/parameterlist.h"
#include "settings_ui/parameterpages.h"

class AdminSettingsWidget;
class DataDispatcher;

// The settings page of a printer that describes its settings as a parameter list: reads the
// list and shows its pages on the settings page, saves the values chosen there (a save counts
// when the list read back holds them), and gives and takes the values of a settings file.
class ParameterListFlow : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ParameterListFlow)

public:
    // What the flow needs of the window that runs the printer operations.
    struct Window
    {
        // Runs a dispatcher operation behind the busy indicator; false when a communication
        // error was reported meanwhile (its message is shown by the window).
        std::function<bool(int operation, const QByteArray &data)> runOperation;
        // The printer check before a write; false (its message shown) when it did not pass.
        std::function<bool()> identifiedPrinterAnswers;
        // Leaves a printer the last operation found changed; true when it did.
        std::function<bool()> leaveChangedPrinter;
        std::function<int(int type, const QString &text)> showMessage;
    };

    ParameterListFlow(DataDispatcher *dispatcher, AdminSettingsWidget *page, Window window,
        QObject *parent = nullptr);

    // Reads the printer's list and puts its pages on the settings page; false (with its
    // message shown) when the printer sent no list that builds a page.
    bool read();
    // Whether the settings page shows this flow's pages.
    bool isActive() const { return m_active; }
    // The settings page shows other pages now: these are dropped.
    void release();

    void save();
    bool hasUnsavedChanges() const;
    // The text a save would send: the settings data of an exported file.
    QByteArray settingsData() const;
    // Shows a settings file's values on the pages, as changes for Save to send; nothing goes to
    // the printer. False, with nothing changed, when the data holds no value of these pages.
    bool importData(const QByteArray &data);

    const ParameterList &parameters() const { return m_list; }
    const ParameterPages &pages() const { return m_pages; }

private:
    void notConfirmed();

    DataDispatcher *m_dispatcher;
    AdminSettingsWidget *m_page;
    Window m_window;
    ParameterList m_list;
    ParameterPages m_pages;
    bool m_active = false;
};
