#pragma once

#include <QLabel>

#include "designer_core/optionproperty.h"

class QMenu;

// One control of a designer page: its caption beside an icon of its kind. A left click opens the
// property editor, a right click the row menu.
class OptionTableLabel : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OptionTableLabel)

public:
    // language: 0 Chinese, 1 English (the caption shown).
    OptionTableLabel(const OptionProperty &property, int language, QWidget *parent = nullptr);

    OptionProperty *property() { return &m_property; }
    // Shows the record again after it has changed.
    void refresh();
    bool isLarge() const { return m_large; }
    QMenu *contextMenu() const { return m_menu; }
    // The icon of a kind, normal or large.
    static QString iconPath(int kind, bool large);

signals:
    void ClickedLabel(OptionProperty *eidtdata, OptionTableLabel *otl);
    void MoveUp(OptionProperty editdata);
    void MoveDown(OptionProperty editdata);
    void DeleteRow(OptionProperty *editdata);
    void InsertControl(OptionProperty *editdata);
    void addcontrol();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    OptionProperty m_property;
    int m_language;
    bool m_large = false;
    QMenu *m_menu = nullptr;
};
