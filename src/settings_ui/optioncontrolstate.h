#pragma once

#include <QString>

class QWidget;

// What every option control keeps beside its shown value: the explanation for the annotation
// panel, the value last read or written by the engine, the default value's text and whether the
// shown value differs from the reference.
class OptionControlState
{
public:
    explicit OptionControlState(QWidget *control);

    QString annotation() const { return m_annotation; }
    void setAnnotation(const QString &text) { m_annotation = text; }
    QString referenceText() const { return m_referenceText; }
    void setReferenceText(const QString &text) { m_referenceText = text; }
    QString defaultText() const { return m_defaultText; }
    void setDefaultText(const QString &text) { m_defaultText = text; }
    bool isChanged() const { return m_changed; }
    // Sets the flag and draws the value in red while it is set.
    void setChanged(bool changed);
    // Compares a shown text with the reference and sets the flag accordingly.
    void compareWithReference(const QString &shown);

    // The state of one of the five option controls; null for any other widget.
    static OptionControlState *of(QWidget *control);

    // Style shared by the option controls: normal, changed (red) and disabled (grey).
    static QString styleSheetFor(const char *className);

private:
    QWidget *m_control;
    QString m_annotation;
    QString m_referenceText;
    QString m_defaultText;
    bool m_changed = false;
};
