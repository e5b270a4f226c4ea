#include "settings_ui/adoptionspinbox.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>

namespace {
constexpr int kWidth = 180;
constexpr int kHeight = 25;
} // namespace

AdoptionSpinBox::AdoptionSpinBox(QWidget *parent)
    : QDoubleSpinBox(parent)
    , m_state(this)
{
    setFixedSize(kWidth, kHeight);
    setFocusPolicy(Qt::StrongFocus);
    setStyleSheet(OptionControlState::styleSheetFor("AdoptionSpinBox"));
    // Presses on the number land in the inner line edit, not on the spin box itself.
    lineEdit()->installEventFilter(this);
    connect(this, &AdoptionSpinBox::ClickedEdit, this, &AdoptionSpinBox::toolsEdit);
    connect(this, &QDoubleSpinBox::textChanged, this, &AdoptionSpinBox::onchangeEdittext);
}

void AdoptionSpinBox::acceptCurrent()
{
    m_referenceNumber = value();
    m_state.setReferenceText(text());
    m_state.setChanged(false);
}

void AdoptionSpinBox::toolsEdit(QString tools)
{
    emit showEditComment(tools);
}

void AdoptionSpinBox::onclickedEdit(QString anno)
{
    m_state.setAnnotation(anno);
}

void AdoptionSpinBox::onchangeEdittext(QString)
{
    m_state.compareWithReference(text());
}

void AdoptionSpinBox::restoreReference()
{
    setValue(m_referenceNumber);
}

void AdoptionSpinBox::onchangeBlackSpin(int indx)
{
    setEnabled(indx != 0);
    if (indx == 0)
        restoreReference();
}

void AdoptionSpinBox::onchangeBlackSpin2(int indx)
{
    setEnabled(indx == 0);
    if (indx != 0)
        restoreReference();
}

bool AdoptionSpinBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress
        && static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        emit ClickedEdit(m_state.annotation());
    }
    return QDoubleSpinBox::eventFilter(watched, event);
}

void AdoptionSpinBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit ClickedEdit(m_state.annotation());
    QDoubleSpinBox::mousePressEvent(event);
}

void AdoptionSpinBox::wheelEvent(QWheelEvent *event)
{
    // The wheel belongs to the page (it turns the sections) unless the box was clicked first.
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QDoubleSpinBox::wheelEvent(event);
}
