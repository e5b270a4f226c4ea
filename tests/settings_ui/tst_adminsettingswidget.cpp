#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

#include "settings_ui/adminsettingswidget.h"
#include "settings_ui/adoptioncombobox.h"
#include "settings_ui/adoptionlabel.h"

namespace {
QWidget *sectionWith(QWidget **control = nullptr, const QString &annotation = QString())
{
    auto *page = new QWidget;
    auto *grid = new QGridLayout(page);
    grid->setObjectName(QStringLiteral("Layout0"));
    auto *combo = new AdOptionCombobox;
    combo->onclickedCombobox(annotation);
    grid->addWidget(new AdoptionLabel, 0, 0);
    grid->addWidget(combo, 0, 1);
    if (control)
        *control = combo;
    return page;
}

void wheel(QWidget *target, int delta)
{
    const QPoint centre = target->rect().center();
    QWheelEvent event(centre, target->mapToGlobal(centre), QPoint(), QPoint(0, delta), Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

// A wheel event as the window system delivers it: to the widget under the mouse, then to each
// parent in turn until one accepts it (an event filter that only swallows it stops nothing).
void wheelFromMouse(QWidget *under, int delta)
{
    const QPoint centre = under->rect().center();
    QWheelEvent event(centre, under->mapToGlobal(centre), QPoint(), QPoint(0, delta), Qt::NoButton,
        Qt::NoModifier, Qt::NoScrollPhase, false);
    for (QWidget *w = under; w; w = w->parentWidget()) {
        event.ignore();
        QApplication::sendEvent(w, &event);
        if (event.isAccepted() || w->isWindow())
            break;
    }
}
} // namespace

class tst_AdminSettingsWidget : public QObject
{
    Q_OBJECT

private:
    AdminSettingsWidget *m_page = nullptr;
    QList<QWidget *> m_sections;

    QPushButton *button(const char *name) const
    {
        return m_page->findChild<QPushButton *>(QLatin1String(name));
    }
    QString annotation() const
    {
        return m_page->findChild<QTextEdit *>(QStringLiteral("annotationText"))->toPlainText();
    }
    QListWidget *list() const
    {
        return m_page->findChild<QListWidget *>(QStringLiteral("sectionList"));
    }

private slots:
    void init()
    {
        m_page = new AdminSettingsWidget;
        m_sections = { sectionWith(), sectionWith(), sectionWith() };
        m_page->setSections({ QStringLiteral("Print Setup"), QStringLiteral("Wifi Setup"),
            QStringLiteral("Other") });
        m_page->setPages(m_sections);
        m_page->show();
    }

    void cleanup()
    {
        m_page->setPages({});
        delete m_page;
        qDeleteAll(m_sections);
    }

    void firstSectionShownWithButtons()
    {
        QCOMPARE(m_page->currentSection(), 0);
        QCOMPARE(m_page->currentPage(), m_sections.at(0));
        QVERIFY(button("btn_Save")->isVisible());
        QCOMPARE(annotation(), QStringLiteral("No comments"));
    }

    void sectionsHideTheirWriteButtons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("shown");
        for (const char *name :
            { "无线设置", "Wifi Setup", "以太网设置", "Ethernet Setup", "蓝牙设置",
                "Bluetooth Setup", "网口设置", "Net Config", "高级设置", "Advanced Setup" })
            QTest::newRow(name) << QString::fromUtf8(name) << false;
        QTest::newRow("ordinary") << "Paper Setup" << true;
        QTest::newRow("almost") << "Wifi setup" << true;
    }

    void sectionsHideTheirWriteButtons()
    {
        QFETCH(QString, name);
        QFETCH(bool, shown);
        list()->item(1)->setText(name);
        list()->setCurrentRow(1);
        QCOMPARE(m_page->currentPage(), m_sections.at(1));
        for (const char *b : { "btn_Save", "btn_Reset", "btn_Import", "btn_Export" })
            QCOMPARE(button(b)->isVisible(), shown);
        QVERIFY(button("btn_Refresh")->isVisible());
        // Back on an ordinary section everything is there again.
        list()->setCurrentRow(0);
        for (const char *b : { "btn_Save", "btn_Reset", "btn_Import", "btn_Export" })
            QVERIFY(button(b)->isVisible());
    }

    void annotations_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("two bullets") << "◆first◆second"
                                     << "\n◆first\n◆second";
        QTest::newRow("text before a bullet") << "Note◆item"
                                              << "Note\n◆item";
        QTest::newRow("no bullet") << "plain"
                                   << "plain";
        QTest::newRow("none") << ""
                              << "No comments";
    }

    void annotations()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QWidget *control = nullptr;
        QWidget *section = sectionWith(&control, text);
        m_sections << section;
        m_page->setSections({ QStringLiteral("A"), QStringLiteral("B") });
        m_page->setPages({ section, m_sections.at(0) });
        QTest::mouseClick(control, Qt::LeftButton);
        QCOMPARE(annotation(), shown);
        QTest::mouseClick(control, Qt::LeftButton); // connected once only
        QCOMPARE(annotation(), shown);
    }

    void wheelTurnsTheSections()
    {
        QSignalSpy top(m_page, &AdminSettingsWidget::sig_TopReached);
        QSignalSpy bottom(m_page, &AdminSettingsWidget::sig_BottomReached);
        QWidget *viewport
            = m_page->findChild<QScrollArea *>(QStringLiteral("scrollArea"))->viewport();
        wheel(viewport, 120);
        QCOMPARE(m_page->currentSection(), 0);
        QCOMPARE(top.count(), 1);
        wheel(viewport, -120);
        wheel(viewport, -120);
        QCOMPARE(m_page->currentSection(), 2);
        QCOMPARE(m_page->currentPage(), m_sections.at(2));
        wheel(viewport, -120);
        QCOMPARE(m_page->currentSection(), 2);
        QCOMPARE(bottom.count(), 2);
        wheel(m_page, 120);
        QCOMPARE(m_page->currentSection(), 1);
    }

    void wheelStepsOneSectionPerNotch_data()
    {
        QTest::addColumn<QList<int>>("deltas"); // downwards, over a caption inside the section
        QTest::addColumn<int>("moved");
        QTest::newRow("one notch") << QList<int> { -120 } << 1;
        QTest::newRow("a notch in 8 parts of 15") << QVector<int>(8, -15).toList() << 1;
        QTest::newRow("7 parts of 15") << QVector<int>(7, -15).toList() << 0;
        QTest::newRow("two notches in one event") << QList<int> { -240 } << 1;
        QTest::newRow("two notches") << QList<int> { -120, -120 } << 2;
        QTest::newRow("parts turned back") << QList<int> { -60, 60, -60 } << 0;
        QTest::newRow("notch and a half, then a half") << QList<int> { -180, -60 } << 2;
    }

    // The wheel event passes from the control under the mouse to its parents; the page takes it
    // once.
    void wheelStepsOneSectionPerNotch()
    {
        QFETCH(QList<int>, deltas);
        QFETCH(int, moved);
        for (int delta : deltas) {
            QWidget *caption = m_page->currentPage()->findChild<AdoptionLabel *>();
            QVERIFY(caption);
            wheelFromMouse(caption, delta);
        }
        QCOMPARE(m_page->currentSection(), moved);
    }

    void buttonsEmitTheirSignals()
    {
        QSignalSpy save(m_page, &AdminSettingsWidget::saveSettings);
        QSignalSpy refresh(m_page, &AdminSettingsWidget::refreshSettings);
        QSignalSpy reset(m_page, &AdminSettingsWidget::resetSettings);
        QSignalSpy imports(m_page, &AdminSettingsWidget::importSettings);
        QSignalSpy exports(m_page, &AdminSettingsWidget::exportSettings);
        for (const char *b : { "btn_Save", "btn_Refresh", "btn_Reset", "btn_Import", "btn_Export" })
            button(b)->click();
        QCOMPARE(save.count(), 1);
        QCOMPARE(save.at(0).at(0).toBool(), false);
        QCOMPARE(refresh.count() + reset.count() + imports.count() + exports.count(), 4);
    }

    void noSectionsHideSave()
    {
        m_page->setSections({});
        QCOMPARE(list()->count(), 3);
        m_page->setPages({});
        QVERIFY(!button("btn_Save")->isVisible());
        QVERIFY(!m_page->currentPage());
        // The sections stay alive: the engine owns them.
        QVERIFY(m_sections.at(0)->findChild<QGridLayout *>());
    }
};

QTEST_MAIN(tst_AdminSettingsWidget)
#include "tst_adminsettingswidget.moc"
