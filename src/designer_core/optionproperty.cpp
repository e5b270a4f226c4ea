#include "designer_core/optionproperty.h"

#include <algorithm>

namespace {
const QString kEntrySeparator = QStringLiteral("++");

bool hasConnectByte(int kind)
{
    // Only controls with a value of their own follow a byte; labels, buttons and check boxes
    // go with their row.
    return kind == KindEdit || kind == KindComboBox || kind == KindSpinBox;
}
} // namespace

int OptionProperty::showHideRule() const
{
    return relatePosition.isEmpty() && relateValid.isEmpty() ? RuleNone : RuleConnectByte;
}

QStringList OptionProperty::optionEntries() const
{
    QStringList entries;
    for (const DesignOption &option : options)
        entries << OptionRules::optionEntry(option);
    return entries;
}

QString OptionProperty::caption(int language) const
{
    const QString &first = language == 0 ? labelChinese : labelEnglish;
    const QString &other = language == 0 ? labelEnglish : labelChinese;
    return first.isEmpty() ? other : first;
}

OptionEditorFields OptionEditorFields::of(const OptionProperty &property)
{
    OptionEditorFields f;
    f.kind = property.kind;
    f.labelEnglish = property.labelEnglish;
    f.labelChinese = property.labelChinese;
    f.byteSize = QString::number(property.byteLength);
    f.bytePosition = QString::number(property.bytePosition);
    f.options = property.optionEntries();
    f.minLength = QString::number(property.minLength);
    f.maxLength = QString::number(property.maxLength);
    f.annotationChinese = property.annotationChinese;
    f.annotationEnglish = property.annotationEnglish;
    f.readFormula = property.readFormula;
    f.writeFormula = property.writeFormula;
    f.instructionType = property.actionType;
    f.instructionName = property.command;
    f.paramPosition = QString::number(property.paramPosition);
    f.showHideRule = property.showHideRule();
    f.connectByte = property.relatePosition;
    f.validValue = property.relateValid;
    return f;
}

const QStringList &OptionRules::kindNames()
{
    static const QStringList names { QStringLiteral(QT_TR_NOOP("Label box")),
        QStringLiteral(QT_TR_NOOP("Edit box")), QStringLiteral(QT_TR_NOOP("Button box")),
        QStringLiteral(QT_TR_NOOP("ComboBox")), QStringLiteral(QT_TR_NOOP("CheckBox")),
        QStringLiteral(QT_TR_NOOP("DoubleSpinBox")) };
    return names;
}

const QStringList &OptionRules::instructionTypeNames()
{
    static const QStringList names { QStringLiteral(QT_TR_NOOP("NONE")),
        QStringLiteral(QT_TR_NOOP("Directive export")),
        QStringLiteral(QT_TR_NOOP("Directive parameter")) };
    return names;
}

const QStringList &OptionRules::showHideRuleNames()
{
    static const QStringList names { QStringLiteral(QT_TR_NOOP("NONE")),
        QStringLiteral(QT_TR_NOOP("Connect Byte")) };
    return names;
}

DesignOption OptionRules::parseOptionEntry(const QString &entry)
{
    const QStringList parts = entry.split(kEntrySeparator);
    return { parts.value(1), parts.value(0), decimal(parts.value(2)) };
}

QString OptionRules::optionEntry(const DesignOption &option)
{
    return option.english + kEntrySeparator + option.chinese + kEntrySeparator
        + QString::number(option.value);
}

QString OptionRules::newOptionEntry(int count)
{
    return tr("engitem++chnitem++") + QString::number(count);
}

int OptionRules::decimal(const QString &text)
{
    return text.trimmed().toInt();
}

double OptionRules::real(const QString &text)
{
    return text.trimmed().toDouble();
}

QString OptionRules::save(const OptionEditorFields &f, OptionProperty *property)
{
    QList<DesignOption> options;
    for (const QString &entry : f.options)
        options << parseOptionEntry(entry);
    if (f.kind == KindComboBox && options.isEmpty())
        return tr("Sub-option is null!");
    // The settings page lists a control's options by value.
    std::stable_sort(options.begin(), options.end(),
        [](const DesignOption &a, const DesignOption &b) { return a.value < b.value; });

    OptionProperty &p = *property;
    p.kind = f.kind;
    p.labelEnglish = f.labelEnglish;
    p.labelChinese = f.labelChinese;
    p.annotationChinese = f.annotationChinese;
    p.annotationEnglish = f.annotationEnglish;
    p.byteLength = decimal(f.byteSize);
    p.bytePosition = decimal(f.bytePosition);
    p.readFormula = f.readFormula;
    p.writeFormula = f.writeFormula;
    p.options = options;

    p.actionType = f.instructionType;
    p.command = f.instructionName.trimmed();
    // An export has no parameter. Without an instruction type the name and position stay what
    // the fields say: special groups bind their controls that way.
    p.paramPosition = f.instructionType == OptionProperty::InstructionExport
        ? 0
        : decimal(f.paramPosition);

    if (hasConnectByte(f.kind) && f.showHideRule == OptionProperty::RuleConnectByte) {
        p.relatePosition = f.connectByte.trimmed();
        p.relateValid = f.validValue.trimmed();
    } else {
        p.relatePosition.clear();
        p.relateValid.clear();
    }

    if (f.kind == KindSpinBox) {
        p.minLength = f.minLength.trimmed().isEmpty() ? 0.0 : real(f.minLength);
        p.maxLength = f.maxLength.trimmed().isEmpty() ? 0.0 : real(f.maxLength);
    }
    return QString();
}
