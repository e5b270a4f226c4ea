#include "settings_ui/adminsettingswidget.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QWheelEvent>

#include "settings_ui/adoptioncheckbox.h"
#include "settings_ui/adoptioncombobox.h"
#include "settings_ui/adoptionedit.h"
#include "settings_ui/adoptionlabel.h"
#include "settings_ui/adoptionspinbox.h"

namespace {
constexpr int kLeftColumnWidth = 200;
constexpr int kCaptionWidth = 70;
constexpr int kCaptionHeight = 23;
constexpr int kButtonHeight = 24;
constexpr int kAnnotationWidth = 210;
constexpr int kWheelStep = 120; // one notch of an ordinary wheel
constexpr int kPageGap = 4;
const QString kBullet = QStringLiteral("◆");
const char kGridName[] = "Layout0";

// Sections whose settings are written by their own buttons, not by Save.
const QStringList &sectionsWithOwnButtons()
{
    static const QStringList names { QStringLiteral("无线设置"), QStringLiteral("Wifi Setup"),
        QStringLiteral("以太网设置"), QStringLiteral("Ethernet Setup"), QStringLiteral("蓝牙设置"),
        QStringLiteral("Bluetooth Setup"), QStringLiteral("网口设置"), QStringLiteral("Net Config"),
        QStringLiteral("高级设置"), QStringLiteral("Advanced Setup") };
    return names;
}

const char kButtonStyle[]
    = "QPushButton{color:white;font-weight:bold;border:1px solid white;border-radius:4px;"
      "background:#34495E;padding:0 8px;}"
      "QPushButton:hover{background:#67809F;}QPushButton:pressed{background:#5c97bf;}"
      "QPushButton:disabled{background:#cdcbcb;}";
const char kHorizontalBarStyle[]
    = "QScrollBar:horizontal{background:#ecf0f1;height:12px;margin:0;border:none;}"
      "QScrollBar::handle:horizontal{background:#7f8c8d;min-width:30px;border-radius:5px;margin:1px;}"
      "QScrollBar::handle:horizontal:hover{background:#34495E;}"
      "QScrollBar::add-line:horizontal,QScrollBar::sub-line:horizontal{width:0;border:none;}"
      "QScrollBar::add-page:horizontal,QScrollBar::sub-page:horizontal{background:none;}";
const char kVerticalBarStyle[]
    = "QScrollBar:vertical{background:#ecf0f1;width:12px;margin:0;border:none;}"
      "QScrollBar::handle:vertical{background:#7f8c8d;min-height:30px;border-radius:5px;margin:1px;}"
      "QScrollBar::handle:vertical:hover{background:#34495E;}"
      "QScrollBar::add-line:vertical,QScrollBar::sub-line:vertical{height:0;border:none;}"
      "QScrollBar::add-page:vertical,QScrollBar::sub-page:vertical{background:none;}";
const char kCaptionStyle[]
    = "QPushButton{color:white;font-weight:bold;border:none;border-radius:3px;background:#5c97bf;}";
} // namespace

AdminSettingsWidget::AdminSettingsWidget(QWidget *parent)
    : QWidget(parent)
{
    auto *row = new QHBoxLayout(this);
    // Narrow gaps leave the section area the room its columns need at the smallest window.
    row->setContentsMargins(kPageGap, kPageGap, kPageGap, kPageGap);
    row->setSpacing(kPageGap);
    row->addWidget(buildLeftColumn());

    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setObjectName(QStringLiteral("scrollArea"));
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_scrollArea->setWidgetResizable(false);
    m_scrollArea->viewport()->installEventFilter(this);
    // A dark handle on a light groove, so that where the section stands reads at a glance.
    m_scrollArea->horizontalScrollBar()->setStyleSheet(QLatin1String(kHorizontalBarStyle));
    m_scrollArea->verticalScrollBar()->setStyleSheet(QLatin1String(kVerticalBarStyle));
    row->addWidget(m_scrollArea, 1);

    auto *annotationBox = new QGroupBox(tr("Annotations"), this);
    annotationBox->setObjectName(QStringLiteral("annotationBox"));
    annotationBox->setFixedWidth(kAnnotationWidth);
    auto *annotationLayout = new QVBoxLayout(annotationBox);
    m_annotation = new QTextEdit(annotationBox);
    m_annotation->setObjectName(QStringLiteral("annotationText"));
    m_annotation->setReadOnly(true);
    annotationLayout->addWidget(m_annotation);
    row->addWidget(annotationBox);

    connect(
        m_sectionList, &QListWidget::currentItemChanged, this, &AdminSettingsWidget::changePage);
    connect(this, &AdminSettingsWidget::sig_TopReached, this,
        &AdminSettingsWidget::selectPreviousSection);
    connect(this, &AdminSettingsWidget::sig_BottomReached, this,
        &AdminSettingsWidget::selectNextSection);
    connect(m_saveButton, &QPushButton::clicked, this, [this] { emit saveSettings(false); });
    connect(m_resetButton, &QPushButton::clicked, this, &AdminSettingsWidget::resetSettings);
    connect(m_readButton, &QPushButton::clicked, this, &AdminSettingsWidget::refreshSettings);
    connect(m_importButton, &QPushButton::clicked, this, &AdminSettingsWidget::importSettings);
    connect(m_exportButton, &QPushButton::clicked, this, &AdminSettingsWidget::exportSettings);
}

QWidget *AdminSettingsWidget::buildLeftColumn()
{
    auto *column = new QWidget(this);
    column->setObjectName(QStringLiteral("leftColumn"));
    column->setFixedWidth(kLeftColumnWidth);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *captions = new QGridLayout;
    const QList<QPair<QString, QLabel **>> rows { { tr("Model"), &m_modelValue },
        { tr("FW"), &m_firmwareValue }, { tr("Port"), &m_portValue } };
    for (int i = 0; i < rows.size(); ++i) {
        captions->addWidget(addCaption(rows.at(i).first, rows.at(i).second, column), i, 0);
        captions->addWidget(*rows.at(i).second, i, 1);
    }
    layout->addLayout(captions);

    auto *sections = new QLabel(tr("Sections"), column);
    sections->setStyleSheet(QStringLiteral("font-weight:bold;"));
    layout->addWidget(sections);
    m_sectionList = new QListWidget(column);
    m_sectionList->setObjectName(QStringLiteral("sectionList"));
    layout->addWidget(m_sectionList, 1);

    auto makeButton = [&](const QString &text, const char *name) {
        auto *button = new QPushButton(text, column);
        button->setObjectName(QLatin1String(name));
        button->setFixedHeight(kButtonHeight);
        button->setStyleSheet(QLatin1String(kButtonStyle));
        button->setCursor(Qt::PointingHandCursor);
        return button;
    };
    m_saveButton = makeButton(tr("Save"), "btn_Save");
    m_resetButton = makeButton(tr("Reset"), "btn_Reset");
    m_readButton = makeButton(tr("Read Settings"), "btn_Refresh");
    m_importButton = makeButton(tr("Import"), "btn_Import");
    m_exportButton = makeButton(tr("Export"), "btn_Export");
    auto *buttons = new QGridLayout;
    buttons->addWidget(m_saveButton, 0, 0);
    buttons->addWidget(m_resetButton, 0, 1);
    buttons->addWidget(m_readButton, 1, 0, 1, 2);
    buttons->addWidget(m_importButton, 2, 0);
    buttons->addWidget(m_exportButton, 2, 1);
    layout->addLayout(buttons);
    return column;
}

QPushButton *AdminSettingsWidget::addCaption(const QString &text, QLabel **value, QWidget *parent)
{
    auto *caption = new QPushButton(text, parent);
    caption->setFixedSize(kCaptionWidth, kCaptionHeight);
    caption->setFocusPolicy(Qt::NoFocus);
    caption->setStyleSheet(QLatin1String(kCaptionStyle));
    *value = new QLabel(parent);
    return caption;
}

void AdminSettingsWidget::setHeaderTexts(
    const QString &model, const QString &firmware, const QString &port)
{
    m_modelValue->setText(model);
    m_firmwareValue->setText(firmware);
    m_portValue->setText(port);
}

void AdminSettingsWidget::setSections(const QStringList &names)
{
    if (names.isEmpty())
        return;
    // The old entries go without a section change for each of them.
    QSignalBlocker blocker(m_sectionList);
    m_sectionList->clear();
    m_sectionList->addItems(names);
}

void AdminSettingsWidget::setPages(const QList<QWidget *> &widgets)
{
    if (widgets.isEmpty()) {
        m_pages.clear();
        m_scrollArea->takeWidget();
        m_saveButton->hide();
        return;
    }
    m_pages.clear();
    for (QWidget *page : widgets) {
        m_pages.append(page);
        connectAnnotations(page);
    }
    m_saveButton->show();
    if (m_sectionList->currentRow() == 0)
        changePage(m_sectionList->currentItem(), nullptr);
    else
        m_sectionList->setCurrentRow(0);
}

void AdminSettingsWidget::connectAnnotations(QWidget *page)
{
    auto *grid = page->findChild<QGridLayout *>(QLatin1String(kGridName));
    if (!grid)
        return;
    for (int i = 0; i < grid->count(); ++i) {
        QWidget *w = grid->itemAt(i)->widget();
        if (auto *combo = qobject_cast<AdOptionCombobox *>(w))
            connect(combo, &AdOptionCombobox::showComment, this,
                &AdminSettingsWidget::showAnnotation, Qt::UniqueConnection);
        else if (auto *edit = qobject_cast<AdOptionEdit *>(w))
            connect(edit, &AdOptionEdit::showEditComment, this,
                &AdminSettingsWidget::showAnnotation, Qt::UniqueConnection);
        else if (auto *check = qobject_cast<AdOptionCheckbox *>(w))
            connect(check, &AdOptionCheckbox::showEditComment, this,
                &AdminSettingsWidget::showAnnotation, Qt::UniqueConnection);
        else if (auto *label = qobject_cast<AdoptionLabel *>(w))
            connect(label, &AdoptionLabel::showLabelComment, this,
                &AdminSettingsWidget::showAnnotation, Qt::UniqueConnection);
        else if (auto *spin = qobject_cast<AdoptionSpinBox *>(w))
            connect(spin, &AdoptionSpinBox::showEditComment, this,
                &AdminSettingsWidget::showAnnotation, Qt::UniqueConnection);
    }
}

int AdminSettingsWidget::currentSection() const
{
    return m_sectionList->currentRow();
}

QWidget *AdminSettingsWidget::currentPage() const
{
    return m_scrollArea->widget();
}

void AdminSettingsWidget::changePage(QListWidgetItem *current, QListWidgetItem *previous)
{
    QListWidgetItem *item = current ? current : previous;
    if (!item)
        return;
    // The section widgets belong to the engine: the scroll area only borrows one at a time.
    if (QWidget *shown = m_scrollArea->takeWidget())
        shown->hide();
    const int row = m_sectionList->row(item);
    if (row >= 0 && row < m_pages.size() && m_pages.at(row)) {
        m_scrollArea->setWidget(m_pages.at(row));
        m_pages.at(row)->show();
        fitPage();
        // A new section starts at its left and top edge.
        m_scrollArea->horizontalScrollBar()->setValue(0);
        m_scrollArea->verticalScrollBar()->setValue(0);
    }
    const bool ownButtons = !m_parameterList && sectionsWithOwnButtons().contains(item->text());
    m_saveButton->setVisible(!ownButtons && !m_pages.isEmpty());
    m_resetButton->setVisible(!ownButtons && !m_parameterList);
    m_importButton->setVisible(!ownButtons);
    m_exportButton->setVisible(!ownButtons);
    m_readButton->show();
    showAnnotation(QString());
}

void AdminSettingsWidget::showAnnotation(const QString &text)
{
    if (text.isEmpty()) {
        m_annotation->setPlainText(tr("No comments"));
        return;
    }
    QString shown = text;
    shown.replace(kBullet, QLatin1Char('\n') + kBullet);
    m_annotation->setPlainText(shown);
}

void AdminSettingsWidget::selectPreviousSection()
{
    const int row = m_sectionList->currentRow();
    if (row > 0)
        m_sectionList->setCurrentRow(row - 1);
}

void AdminSettingsWidget::selectNextSection()
{
    const int row = m_sectionList->currentRow();
    if (row + 1 < m_sectionList->count())
        m_sectionList->setCurrentRow(row + 1);
}

QString AdminSettingsWidget::firmwareText() const
{
    return m_firmwareValue->text();
}

void AdminSettingsWidget::setParameterList(bool parameterList)
{
    m_parameterList = parameterList;
}

void AdminSettingsWidget::turnWheel(QWheelEvent *event)
{
    // The event is the page's: it must not travel on to a parent that turns the page again.
    event->accept();
    const int delta = event->angleDelta().y();
    if (delta == 0)
        return;
    // High-resolution wheels and touch pads send parts of a notch: they add up to one step, and
    // a turn back starts afresh.
    if ((delta > 0) != (m_wheelTurned > 0))
        m_wheelTurned = 0;
    m_wheelTurned += delta;
    if (qAbs(m_wheelTurned) < kWheelStep)
        return;
    const bool up = m_wheelTurned > 0;
    m_wheelTurned %= kWheelStep; // one event moves one section at most
    if (up)
        emit sig_TopReached();
    else if (m_sectionList->currentRow() + 1 < m_sectionList->count())
        emit sig_BottomReached();
}

// The section keeps its own height, but takes the area's width when its columns fit in it (long
// defaults are then cut); only a section that cannot be narrowed that far scrolls sideways.
void AdminSettingsWidget::fitPage()
{
    QWidget *page = m_scrollArea->widget();
    if (!page)
        return;
    const int width = qMax(page->minimumSizeHint().width(), m_scrollArea->viewport()->width());
    const int height = page->hasHeightForWidth() ? page->heightForWidth(width) : page->sizeHint().height();
    if (page->size() != QSize(width, height))
        page->resize(width, height);
}

bool AdminSettingsWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scrollArea->viewport() && event->type() == QEvent::Resize)
        fitPage();
    // The wheel over a section turns the sections instead of scrolling the section.
    if (watched == m_scrollArea->viewport() && event->type() == QEvent::Wheel) {
        turnWheel(static_cast<QWheelEvent *>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void AdminSettingsWidget::wheelEvent(QWheelEvent *event)
{
    turnWheel(event);
}
