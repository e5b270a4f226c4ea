#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

// Chooses a printer type's test type by name. The user points it at the number to change
// (setTarget) and runs it; only confirm writes the list's position there.
class TestPageSetting : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TestPageSetting)

public:
    explicit TestPageSetting(QWidget *parent = nullptr);

    // The number confirm writes to (not owned; null: confirm writes nowhere).
    void setTarget(int *target) { m_target = target; }
    int *target() const { return m_target; }
    // Selects the list entry of a stored number (the first one for an unknown number).
    void setCurrentType(int number);
    int currentType() const;
    // The name the list shows for a number; empty for a number outside the list.
    QString nameAt(int number) const;

    QComboBox *typeList() const { return m_list; }
    QPushButton *confirmButton() const { return m_confirm; }
    QPushButton *cancelButton() const { return m_cancel; }
    QPushButton *closeButton() const { return m_close; }

signals:
    void comfirmSettings();

private slots:
    void onConfirm();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int *m_target = nullptr;
    QLabel *m_title = nullptr;
    QComboBox *m_list = nullptr;
    QPushButton *m_cancel = nullptr;
    QPushButton *m_confirm = nullptr;
    QPushButton *m_close = nullptr;
};
