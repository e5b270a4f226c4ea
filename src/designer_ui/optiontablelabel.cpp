#include "designer_ui/optiontablelabel.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QMouseEvent>

namespace {
constexpr int kCellWidth = 180;
constexpr int kCellHeight = 30;
constexpr int kLargeWidth = 200;
constexpr int kLargeHeight = 56;
constexpr int kIconSize = 24;
constexpr int kLargeIconSize = 48;
constexpr int kTextRoom = kCellWidth - kIconSize - 16; // icon, spacing and border
} // namespace

OptionTableLabel::OptionTableLabel(const OptionProperty &property, int language, QWidget *parent)
    : QLabel(parent)
    , m_property(property)
    , m_language(language)
{
    setObjectName(QStringLiteral("OptionTableLabel"));
    setCursor(Qt::PointingHandCursor);
    setTextFormat(Qt::RichText);
    setStyleSheet(QStringLiteral("QLabel{border:1px solid #BDC3C7;border-radius:3px;background:#F7F9F9;"
                                 "padding:2px;}QLabel:hover{border-color:#5c97bf;}"));
    m_menu = new QMenu(this);
    connect(m_menu->addAction(tr("Add a row of controls")), &QAction::triggered, this,
        [this] { emit addcontrol(); });
    connect(m_menu->addAction(tr("Insert Add a row of controls")), &QAction::triggered, this,
        [this] { emit InsertControl(&m_property); });
    connect(m_menu->addAction(tr("Move up a line")), &QAction::triggered, this,
        [this] { emit MoveUp(m_property); });
    connect(m_menu->addAction(tr("Down the line")), &QAction::triggered, this,
        [this] { emit MoveDown(m_property); });
    connect(m_menu->addAction(tr("Delete a line")), &QAction::triggered, this,
        [this] { emit DeleteRow(&m_property); });
    refresh();
}

QString OptionTableLabel::iconPath(int kind, bool large)
{
    static const char *const names[] = { "label", "lineedit", "button", "combobox", "checkbox",
        "doublespinbox" };
    if (kind < 0 || kind > KindSpinBox)
        kind = KindLabel;
    return QStringLiteral(":/images/%1%2.png")
        .arg(QLatin1String(names[kind]), large ? QStringLiteral("_Large") : QString());
}

void OptionTableLabel::refresh()
{
    QString caption = m_property.caption(m_language);
    if (caption.isEmpty())
        caption = OptionRules::tr(qPrintable(OptionRules::kindNames().value(m_property.kind)));
    // Captions too long for a cell get the large cell, as the settings page gives their labels.
    m_large = fontMetrics().horizontalAdvance(caption) > kTextRoom;
    const int icon = m_large ? kLargeIconSize : kIconSize;
    setText(QStringLiteral("<table cellspacing=0 cellpadding=0><tr><td valign=middle>"
                           "<img src=\"%1\" width=%2 height=%2></td><td valign=middle "
                           "style=\"padding-left:6px\">%3</td></tr></table>")
                .arg(iconPath(m_property.kind, m_large))
                .arg(icon)
                .arg(caption.toHtmlEscaped()));
    setWordWrap(m_large);
    if (m_large)
        setFixedSize(kLargeWidth, kLargeHeight);
    else
        setFixedSize(kCellWidth, kCellHeight);
    setToolTip(caption);
}

void OptionTableLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit ClickedLabel(&m_property, this);
    QLabel::mousePressEvent(event);
}

void OptionTableLabel::contextMenuEvent(QContextMenuEvent *event)
{
    m_menu->exec(event->globalPos());
}
