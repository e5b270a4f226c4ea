#include "settings_ui/optioncontrolstate.h"

#include <QStyle>
#include <QVariant>
#include <QWidget>

#include "settings_ui/adoptioncheckbox.h"
#include "settings_ui/adoptioncombobox.h"
#include "settings_ui/adoptionedit.h"
#include "settings_ui/adoptionlabel.h"
#include "settings_ui/adoptionspinbox.h"

namespace {
constexpr char kChangedProperty[] = "changed";
}

OptionControlState::OptionControlState(QWidget *control)
    : m_control(control)
{
    // Set before the first polish, so that a control that never changes is never polished twice.
    m_control->setProperty(kChangedProperty, false);
}

OptionControlState *OptionControlState::of(QWidget *control)
{
    if (auto *c = qobject_cast<AdOptionCombobox *>(control))
        return &c->state();
    if (auto *e = qobject_cast<AdOptionEdit *>(control))
        return &e->state();
    if (auto *s = qobject_cast<AdoptionSpinBox *>(control))
        return &s->state();
    if (auto *b = qobject_cast<AdOptionCheckbox *>(control))
        return &b->state();
    if (auto *l = qobject_cast<AdoptionLabel *>(control))
        return &l->state();
    return nullptr;
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
