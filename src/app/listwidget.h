#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

// "Device Select": the user picks one of several attached printers by name. The dialog ends
// with the chosen row, or kNoChoice when it is closed without one.
class ListWidget : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ListWidget)

public:
    static constexpr int kNoChoice = -1;

    explicit ListWidget(QWidget *parent = nullptr);

    void setNames(const QStringList &names);
    QStringList names() const;

    QListWidget *list() const { return m_list; }
    QPushButton *confirmButton() const { return m_confirm; }
    QPushButton *cancelButton() const { return m_cancel; }

public slots:
    // Escape and the window's close button end without a choice; row 0 must not be taken for
    // "rejected".
    void reject() override;

private:
    void choose();

    QLabel *m_title = nullptr;
    QListWidget *m_list = nullptr;
    QPushButton *m_confirm = nullptr;
    QPushButton *m_cancel = nullptr;
};
