#include "settings_ui/optioncontrolstate.h"

#include <QStyle>
#include <QVariant>
#include <QWidget>

namespace {
constexpr char kChangedProperty[] = "changed";
}

OptionControlState::OptionControlState(QWidget *control)
    : m_control(control)
{
    // Set before the first polish, so that a control that never changes is never polished twice.
    m_control->setProperty(kChangedProperty, false);
}

void OptionControlState::setChanged(bool changed)
{
    if (m_changed == changed)
        return;
    m_changed = changed;
    m_control->setProperty(kChangedProperty, changed);
    // Property selectors are only looked at when the widget is polished again.
    m_control->style()->unpolish(m_control);
    m_control->style()->polish(m_control);
}

void OptionControlState::compareWithReference(const QString &shown)
{
    setChanged(shown != m_referenceText);
}

QString OptionControlState::styleSheetFor(const char *className)
{
    const QString name = QLatin1String(className);
    return name + QStringLiteral("{color:#2c3e50;}") + name
        + QStringLiteral("[changed=\"true\"]{color:red;}") + name
        + QStringLiteral(":disabled{color:#a0a0a0;background:#eeeeee;}");
}
