#pragma once

#include <functional>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QtTest>

#include "database/designstore.h"
#include "database/printertypetable.h"
#include "designer_ui/aboutwidget.h"
#include "designer_ui/dbmanagewidget.h"
#include "designer_ui/designerdialogs.h"
#include "designer_ui/designerflow.h"
#include "designer_ui/settingswidget.h"
#include "settings_ui/widgetengine.h"

// Runs the step on the next modal dialog as soon as it is shown.
inline void onModal(std::function<void(QWidget *)> step)
{
    QTimer::singleShot(0, [step] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            qFatal("no modal dialog");
        step(modal);
    });
}

// Logs the designer account in on the contents page that the Edit flow opens.
inline void logInDesigner(DesignerFlow &flow)
{
    onModal([](QWidget *modal) {
        QTest::mouseClick(qobject_cast<AboutWidget *>(modal)->loginButton(), Qt::LeftButton);
    });
    DBManageWidget *contents = flow.enterContents();
    QVERIFY(contents);
    contents->findChild<QLineEdit *>(QStringLiteral("loginUser"))->setText(QStringLiteral("designer"));
    contents->findChild<QLineEdit *>(QStringLiteral("loginPassword"))
        ->setText(QStringLiteral("Setwright@2016"));
    QTest::mouseClick(
        contents->findChild<QPushButton *>(QStringLiteral("loginButton")), Qt::LeftButton);
    QVERIFY(flow.isLoggedIn());
}

// Saves the designer's design under the name through its button and the save dialog.
inline void saveDesignAs(SettingsWidget *page, const QString &name)
{
    onModal([name](QWidget *modal) {
        auto *dialog = qobject_cast<SaveDialogs *>(modal);
        QVERIFY(dialog);
        dialog->nameBox()->setEditText(name);
        QTest::mouseClick(dialog->confirmButton(), Qt::LeftButton);
    });
    QTest::mouseClick(page->saveButton(), Qt::LeftButton);
}

// The designer as the program wires it, with the engine run on the calling thread and every
// message box answered by `answer`.
struct DesignerHarness
{
    explicit DesignerHarness(const DatabaseLocation &location, bool loggedIn = true)
        : engine(location)
        , flow(location, &stack, &window)
    {
        stack.setParent(&window);
        page = flow.makeDesigner(
            &engine,
            [this](int mode) {
                engine.setWorkMode(mode);
                engine.run();
            },
            [this](int type, const QString &text) {
                messages << QStringLiteral("%1:%2").arg(type).arg(text);
                return answer;
            },
            1);
        flow.setFailureBox(
            [this](const QString &error) { messages << QStringLiteral("failure box: ") + error; });
        if (loggedIn)
            logInDesigner(flow);
    }

    void saveAs(const QString &name) { saveDesignAs(page, name); }

    QWidget window;
    QStackedWidget stack;
    WidgetEngine engine;
    DesignerFlow flow;
    SettingsWidget *page = nullptr;
    QStringList messages;
    int answer = QDialog::Accepted;
};

inline PrinterDesign storedDesign(const DatabaseLocation &location, const QString &name)
{
    const int id = PrinterTypeTable(location).findPrinterType(name).pritId();
    return id == 0 ? PrinterDesign() : DesignStore(location).readDesign(id);
}
