#include "settings_ui/adoptioncheckbox.h"

#include <QMouseEvent>

AdOptionCheckbox::AdOptionCheckbox(QWidget *parent)
    : QCheckBox(parent)
    , m_state(this)
{
    setStyleSheet(OptionControlState::styleSheetFor("AdOptionCheckbox"));
    connect(this, &AdOptionCheckbox::ClickedEdit, this, &AdOptionCheckbox::toolsEdit);
}

void AdOptionCheckbox::toolsEdit(QString tools)
{
    emit showEditComment(tools);
}

void AdOptionCheckbox::onclickedEdit(QString anno)
{
    m_state.setAnnotation(anno);
}

void AdOptionCheckbox::onchangeState(QString content)
{
    setChecked(content == QLatin1String("Define") || content == QStringLiteral("自定义")
        || content == QStringLiteral("自定義"));
}

void AdOptionCheckbox::onchangWEPHEX(int index)
{
    setVisible(index == 1);
}

void AdOptionCheckbox::onclickedBlackMaskEnable(int indx)
{
    setEnabled(indx == 0);
}

void AdOptionCheckbox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit ClickedEdit(m_state.annotation());
    QCheckBox::mousePressEvent(event);
}
