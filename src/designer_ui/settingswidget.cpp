#include "designer_ui/settingswidget.h"

#include <QAction>
#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "app/tipwidget.h"
#include "database/formulatypetable.h"
#include "database/printertypetable.h"
#include "designer_ui/comboboxdialogs.h"
#include "designer_ui/designerdialogs.h"
#include "designer_ui/menudialogs.h"
#include "designer_ui/optiontablelabel.h"
#include "maintenance_ui/testpagesetting.h"

namespace {
constexpr int kLeftColumnWidth = 200;
constexpr int kTestPageWidth = 120;
constexpr int kTestPageHeight = 26;
constexpr int kChangeWidth = 180;
constexpr int kButtonHeight = 24;
constexpr int kAnnotationWidth = 170;
constexpr int kGridSpacing = 5;
constexpr int kPageMargin = 10;
constexpr int kWheelStep = 120;
const QPoint kMenuDialogOffset(357, 220);
const QColor kMarkColour(QStringLiteral("#ff6600"));
const char kGridName[] = "Layout0";
const QString kBullet = QStringLiteral("◆");

// Over the middle of the window, whole on it where it fits.
void centreOn(QWidget *window, QDialog *dialog)
{
    dialog->adjustSize();
    const QRect area = window->geometry();
    QPoint at = area.center() - QPoint(dialog->width() / 2, dialog->height() / 2);
    at.setX(qMax(area.left(), at.x()));
    at.setY(qMax(area.top(), at.y()));
    dialog->move(at);
}

const char kButtonStyle[]
    = "QPushButton{color:white;font-weight:bold;border:1px solid white;border-radius:4px;"
      "background:#34495E;padding:0 6px;font-size:12px;}"
      "QPushButton:hover{background:#67809F;}QPushButton:pressed{background:#5c97bf;}"
      "QPushButton:disabled{background:#cdcbcb;}";
} // namespace

SettingsWidget::SettingsWidget(const DatabaseLocation &location, int language, QWidget *parent)
    : QWidget(parent)
    , m_location(location)
    , m_language(language)
{
    setObjectName(QStringLiteral("SettingsWidget"));
    auto *row = new QHBoxLayout(this);
    row->addWidget(buildLeftColumn());

    auto *middle = new QVBoxLayout;
    middle->addWidget(buildButtonRow());
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setObjectName(QStringLiteral("scrollArea"));
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->viewport()->installEventFilter(this);
    middle->addWidget(m_scrollArea, 1);
    row->addLayout(middle, 1);

    m_annotationBox = new QGroupBox(tr("Annotations"), this);
    m_annotationBox->setFixedWidth(kAnnotationWidth);
    auto *annotationLayout = new QVBoxLayout(m_annotationBox);
    m_annotation = new QTextEdit(m_annotationBox);
    m_annotation->setReadOnly(true);
    m_annotation->setPlainText(tr("Place Holder"));
    annotationLayout->addWidget(m_annotation);
    row->addWidget(m_annotationBox);

    m_printerSelect = new PrinterSelect(this);
    m_saveDialog = new SaveDialogs(this);
    m_deleteDialog = new DeleteMulDialogs(this);
    m_menuDialog = new MenuDialogs(this);
    m_editor = new ComboBoxDialogs(this);
    m_testPageDialog = new TestPageSetting(this);

    connect(m_pageList, &QListWidget::currentItemChanged, this, &SettingsWidget::changePage);
    connect(m_pageList, &QWidget::customContextMenuRequested, this, &SettingsWidget::pageListMenu);
    connect(m_change, &QPushButton::clicked, this, &SettingsWidget::onChangePrinter);
    connect(m_testPage, &QPushButton::clicked, this, &SettingsWidget::onTestPage);
    connect(m_testPageDialog, &TestPageSetting::comfirmSettings, this, &SettingsWidget::showTestPageName);
    connect(m_save, &QPushButton::clicked, this, &SettingsWidget::onSavePrinter);
    connect(m_delete, &QPushButton::clicked, this, &SettingsWidget::onDeletePrinters);
    connect(m_addPage, &QPushButton::clicked, this, &SettingsWidget::onAddPage);
    connect(m_addRow, &QPushButton::clicked, this, &SettingsWidget::onAddRow);
    connect(m_refresh, &QPushButton::clicked, this, &SettingsWidget::refreshPage);
    connect(m_printerSelect, &PrinterSelect::comfirmSelect, this, &SettingsWidget::setPrinterName);
    connect(m_saveDialog, &SaveDialogs::comfirmSave, this, &SettingsWidget::savePrinteridTolist);
    connect(m_menuDialog, &MenuDialogs::saveClicked, this, [this] {
        if (m_currentPage < 0 || m_currentPage >= m_model.pageCount())
            return;
        m_model.pages()[m_currentPage].setProperty(m_menuDialog->page());
        markCurrentPage();
        if (QListWidgetItem *item = m_pageList->item(m_currentPage))
            item->setText(m_model.pages().at(m_currentPage).title(m_language));
    });
    connect(m_menuDialog, &MenuDialogs::Delete, this, [this] { deleteCurrentPage(); });
    connect(m_editor, &ComboBoxDialogs::saveClicked, this, [this] {
        if (m_currentPage < 0 || m_currentPage >= m_model.pageCount())
            return;
        DesignerPage &page = m_model.pages()[m_currentPage];
        const OptionProperty edited = m_editor->property();
        const int at = page.indexOf(edited.row, edited.col);
        if (at < 0)
            return;
        page.controls[at] = edited;
        markCurrentPage();
        rebuildPageLater();
    });
    connect(m_editor, &ComboBoxDialogs::deleteRow, this, [this](OptionProperty *control) {
        if (m_model.removeControl(m_currentPage, control->row, control->col)) {
            markCurrentPage();
            rebuildPageLater();
        }
    });
    connect(this, &SettingsWidget::sig_TopReached, this, [this] {
        if (m_pageList->currentRow() > 0)
            m_pageList->setCurrentRow(m_pageList->currentRow() - 1);
    });
    connect(this, &SettingsWidget::sig_BottomReached, this, [this] {
        if (m_pageList->currentRow() + 1 < m_pageList->count())
            m_pageList->setCurrentRow(m_pageList->currentRow() + 1);
    });
    showNoDesign(tr("welcome"));
}

namespace {
QPushButton *makeButton(const QString &text, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setFixedHeight(kButtonHeight);
    button->setStyleSheet(QLatin1String(kButtonStyle));
    button->setCursor(Qt::PointingHandCursor);
    return button;
}
} // namespace

QWidget *SettingsWidget::buildLeftColumn()
{
    auto *column = new QWidget(this);
    column->setObjectName(QStringLiteral("leftColumn"));
    column->setFixedWidth(kLeftColumnWidth);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    m_title = new QLabel(column);
    m_title->setObjectName(QStringLiteral("titleLabel"));
    m_title->setWordWrap(true);
    m_title->setStyleSheet(QStringLiteral("font-weight:bold;font-size:15px;color:#34495E;"));
    layout->addWidget(m_title);
    m_testPage = new QPushButton(tr("Test Page"), column);
    m_testPage->setFixedSize(kTestPageWidth, kTestPageHeight);
    m_testPage->setStyleSheet(QLatin1String(kButtonStyle));
    layout->addWidget(m_testPage);
    auto *sections = new QLabel(tr("Sections"), column);
    sections->setStyleSheet(QStringLiteral("font-weight:bold;"));
    layout->addWidget(sections);
    m_pageList = new QListWidget(column);
    m_pageList->setObjectName(QStringLiteral("pageList"));
    m_pageList->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(m_pageList, 1);
    // The page buttons under the page list, as the settings page has its own.
    m_addPage = makeButton(tr("Add to left menu"), column);
    m_addRow = makeButton(tr("Add to right opt"), column);
    m_refresh = makeButton(tr("Refresh"), column);
    for (QPushButton *b : { m_addPage, m_addRow, m_refresh })
        layout->addWidget(b);
    return column;
}

QWidget *SettingsWidget::buildButtonRow()
{
    auto *bar = new QWidget(this);
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    m_change = makeButton(tr("Change the printer model"), bar);
    m_change->setFixedSize(kChangeWidth, kTestPageHeight);
    // The fixed width is just enough for the text without the usual padding.
    m_change->setStyleSheet(QLatin1String(kButtonStyle) + QStringLiteral("QPushButton{padding:0 1px;}"));
    m_save = makeButton(tr("Save/Add the printer type"), bar);
    m_delete = makeButton(tr("Delete the printer type"), bar);
    for (QPushButton *b : { m_change, m_save, m_delete })
        layout->addWidget(b);
    layout->addStretch();
    return bar;
}

void SettingsWidget::setEditingEnabled(bool enabled)
{
    for (QPushButton *b : { m_testPage, m_save, m_addPage, m_addRow, m_refresh })
        b->setEnabled(enabled);
}

bool SettingsWidget::editingEnabled() const
{
    return m_save->isEnabled();
}

QString SettingsWidget::typeName() const
{
    return m_typeName;
}

QString SettingsWidget::selectedName() const
{
    return m_printerSelect->selectedName();
}

QString SettingsWidget::saveName() const
{
    return m_saveDialog->name();
}

void SettingsWidget::showDesign(const QString &typeName, int testValue, const PrinterDesign &design)
{
    m_typeName = typeName;
    m_title->setText(typeName);
    m_testValue = testValue;
    m_testPageDialog->setCurrentType(testValue);
    showTestPageName();
    m_model = DesignModel::fromDesign(design);
    m_marked = QVector<bool>(m_model.pageCount(), false).toList();
    setEditingEnabled(true);
    fillPageList(0);
}

void SettingsWidget::showNoDesign(const QString &title)
{
    m_typeName.clear();
    m_title->setText(title);
    m_testPage->setText(tr("Test Page"));
    m_model.clear();
    m_marked.clear();
    setEditingEnabled(false);
    fillPageList(-1);
}

void SettingsWidget::designSaved(const QString &typeName, int pritId)
{
    m_typeName = typeName;
    m_title->setText(typeName);
    m_savedPritId = pritId;
    m_marked = QVector<bool>(m_model.pageCount(), false).toList();
    changePageColor();
}

void SettingsWidget::reloadPrinterList()
{
    const QStringList names = printerTypeNames();
    m_deleteDialog->setNames(names);
    m_printerSelect->setNames(names);
}

QStringList SettingsWidget::printerTypeNames() const
{
    QStringList names;
    for (const PrinterTypeRecord &type : PrinterTypeTable(m_location).allPrinterTypes())
        names << type.pritName();
    return names;
}

QStringList SettingsWidget::formulas() const
{
    QStringList list = FormulaTypeTable(m_location).allFormulas().keys();
    std::sort(list.begin(), list.end());
    return list;
}

void SettingsWidget::fillPageList(int select)
{
    {
        const QSignalBlocker blocker(m_pageList);
        m_pageList->clear();
        for (const DesignerPage &page : m_model.pages()) {
            const QString title = page.title(m_language);
            // A new page shows its name in the interface's language until it is renamed.
            m_pageList->addItem(title == QLatin1String("New Page") || title == QStringLiteral("新建页面")
                    ? tr("New Page")
                    : title);
        }
    }
    changePageColor();
    m_currentPage = -1;
    if (select >= 0 && select < m_pageList->count())
        m_pageList->setCurrentRow(select);
    else
        showPage(-1);
}

void SettingsWidget::changePage(QListWidgetItem *current, QListWidgetItem *previous)
{
    QListWidgetItem *item = current ? current : previous;
    showPage(item ? m_pageList->row(item) : -1);
}

void SettingsWidget::showPage(int index)
{
    m_currentPage = index >= 0 && index < m_model.pageCount() ? index : -1;
    rebuildPage();
    if (m_currentPage >= 0)
        m_menuDialog->setPage(m_model.pages().at(m_currentPage).property());
}

void SettingsWidget::rebuildPageLater()
{
    // The row that asked may be on the page; it goes when the event loop has left it.
    if (m_rebuildPending)
        return;
    m_rebuildPending = true;
    QTimer::singleShot(0, this, [this] {
        m_rebuildPending = false;
        rebuildPage();
    });
}

void SettingsWidget::rebuildPage()
{
    auto *page = new QWidget;
    page->setObjectName(QStringLiteral("designerPage"));
    page->setAttribute(Qt::WA_StyledBackground);
    page->setStyleSheet(QStringLiteral("#designerPage{background:white;}"));
    auto *column = new QVBoxLayout(page);
    column->setContentsMargins(kPageMargin, kPageMargin, kPageMargin, kPageMargin);
    auto *grid = new QGridLayout;
    grid->setObjectName(QLatin1String(kGridName));
    grid->setSpacing(kGridSpacing);
    grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    column->addLayout(grid);
    column->addStretch();
    if (m_currentPage >= 0) {
        for (const OptionProperty &control : m_model.pages().at(m_currentPage).controls) {
            auto *label = new OptionTableLabel(control, m_language, page);
            grid->addWidget(label, control.row, control.col);
            connect(label, &OptionTableLabel::ClickedLabel, this,
                [this](OptionProperty *p, OptionTableLabel *) { editControl(p->row, p->col); });
            connect(label, &OptionTableLabel::addcontrol, this, &SettingsWidget::addRow);
            connect(label, &OptionTableLabel::InsertControl, this,
                [this](OptionProperty *p) { insertRow(p->row); });
            connect(label, &OptionTableLabel::MoveUp, this,
                [this](const OptionProperty &p) { moveRow(p.row, -1); });
            connect(label, &OptionTableLabel::MoveDown, this,
                [this](const OptionProperty &p) { moveRow(p.row, 1); });
            connect(label, &OptionTableLabel::DeleteRow, this,
                [this](OptionProperty *p) { deleteRow(p->row); });
        }
    }
    QWidget *old = m_scrollArea->takeWidget();
    m_scrollArea->setWidget(page);
    m_pageWidget = page;
    delete old;
}

QList<OptionTableLabel *> SettingsWidget::rowLabels() const
{
    return m_pageWidget ? m_pageWidget->findChildren<OptionTableLabel *>() : QList<OptionTableLabel *>();
}

void SettingsWidget::markCurrentPage()
{
    if (m_currentPage >= 0 && m_currentPage < m_marked.size())
        m_marked[m_currentPage] = true;
    changePageColor();
}

void SettingsWidget::changePageColor()
{
    for (int i = 0; i < m_pageList->count(); ++i)
        m_pageList->item(i)->setForeground(
            m_marked.value(i) ? QBrush(kMarkColour) : m_pageList->palette().text());
}

void SettingsWidget::setPrinterName()
{
    m_printerSelect->accept();
    const QString name = m_printerSelect->selectedName();
    if (name.isEmpty()) {
        m_title->setText(tr("welcome"));
        return;
    }
    m_title->setText(name);
    emit printerSelected();
}

void SettingsWidget::showTestPageName()
{
    const QString name = m_testPageDialog->nameAt(m_testValue);
    m_testPage->setText(name.isEmpty() ? tr("Test Page") : name);
}

void SettingsWidget::onTestPage()
{
    // The choice reaches the printer type when the design is saved.
    m_testPageDialog->setCurrentType(m_testValue);
    m_testPageDialog->setTarget(&m_testValue);
    m_testPageDialog->exec();
}

void SettingsWidget::onChangePrinter()
{
    m_printerSelect->setNames(printerTypeNames());
    centreOn(window(), m_printerSelect);
    m_printerSelect->exec();
}

void SettingsWidget::onSavePrinter()
{
    if (m_changeGuard && !m_changeGuard())
        return;
    m_saveDialog->setNames(printerTypeNames(), m_title->text());
    centreOn(window(), m_saveDialog);
    m_saveDialog->exec();
}

void SettingsWidget::savePrinteridTolist()
{
    if (m_model.isEmpty())
        return;
    if (m_saveDialog->name().isEmpty()) {
        TipWidget tip(m_saveDialog);
        tip.setMessage(tr("Enter the name of the printer type."), TipWidget::Warning);
        tip.exec();
        return;
    }
    m_saveDialog->accept();
    emit saveData();
}

void SettingsWidget::onDeletePrinters()
{
    if (m_changeGuard && !m_changeGuard())
        return;
    m_deleteDialog->setNames(printerTypeNames());
    centreOn(window(), m_deleteDialog);
    m_deleteDialog->exec();
}

void SettingsWidget::onAddPage()
{
    const int at = m_model.addPage();
    m_marked.append(true);
    fillPageList(at);
}

void SettingsWidget::insertSection()
{
    const int at = qMax(0, m_pageList->currentRow());
    m_model.insertPage(at);
    m_marked.insert(at, true);
    fillPageList(at);
}

void SettingsWidget::deleteCurrentPage()
{
    if (!m_model.deletePage(m_currentPage))
        return;
    m_marked.removeAt(m_currentPage);
    fillPageList(0);
}

void SettingsWidget::modifySeed()
{
    if (m_currentPage < 0)
        return;
    m_menuDialog->setPage(m_model.pages().at(m_currentPage).property());
    m_menuDialog->move(window()->pos() + kMenuDialogOffset);
    m_menuDialog->exec();
}

void SettingsWidget::pageListMenu(const QPoint &at)
{
    QListWidgetItem *item = m_pageList->itemAt(at);
    if (!item)
        return;
    m_pageList->setCurrentItem(item);
    QMenu menu(this);
    QAction *insert = menu.addAction(tr("insert a section"));
    QAction *modify = menu.addAction(tr("Modify"));
    QAction *remove = menu.addAction(tr("Delete"));
    QAction *chosen = menu.exec(m_pageList->viewport()->mapToGlobal(at));
    if (chosen == insert)
        insertSection();
    else if (chosen == modify)
        modifySeed();
    else if (chosen == remove)
        deleteCurrentPage();
}

void SettingsWidget::onAddRow()
{
    addRow();
}

void SettingsWidget::addRow()
{
    if (m_model.addRow(m_currentPage) < 0)
        return;
    markCurrentPage();
    rebuildPageLater();
}

void SettingsWidget::insertRow(int row)
{
    if (!m_model.insertRow(m_currentPage, row))
        return;
    markCurrentPage();
    rebuildPageLater();
}

void SettingsWidget::moveRow(int row, int step)
{
    if (!m_model.moveRow(m_currentPage, row, step))
        return;
    markCurrentPage();
    rebuildPageLater();
}

void SettingsWidget::deleteRow(int row)
{
    if (!m_model.deleteRow(m_currentPage, row))
        return;
    markCurrentPage();
    rebuildPageLater();
}

void SettingsWidget::editControl(int row, int col)
{
    if (m_currentPage < 0)
        return;
    const DesignerPage &page = m_model.pages().at(m_currentPage);
    const int at = page.indexOf(row, col);
    if (at < 0)
        return;
    const OptionProperty &control = page.controls.at(at);
    const QString annotation = m_language == 0 ? control.annotationChinese : control.annotationEnglish;
    // Each bullet on a line of its own, as the settings page shows it.
    m_annotation->setPlainText(annotation.isEmpty()
            ? tr("No comments")
            : QString(annotation).replace(kBullet, QLatin1Char('\n') + kBullet));
    m_editor->setFormulas(formulas());
    m_editor->setProperty(control);
    centreOn(window(), m_editor);
    m_editor->exec();
}

bool SettingsWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scrollArea->viewport() && event->type() == QEvent::Wheel) {
        auto *wheel = static_cast<QWheelEvent *>(event);
        const int delta = wheel->angleDelta().y();
        if ((delta > 0) != (m_wheelTurned > 0))
            m_wheelTurned = 0;
        m_wheelTurned += delta;
        if (qAbs(m_wheelTurned) >= kWheelStep) {
            const bool up = m_wheelTurned > 0;
            m_wheelTurned %= kWheelStep;
            if (up)
                emit sig_TopReached();
            else
                emit sig_BottomReached();
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
