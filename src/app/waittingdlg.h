#pragma once

#include <QDialog>

class QLabel;
class QMovie;
class QTimer;

// Modal busy indicator shown while a worker thread runs.
class WaittingDlg : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WaittingDlg)

public:
    explicit WaittingDlg(QWidget *parent = nullptr);

    void setCloseDelay(int ms) { m_closeDelayMs = ms; }
    int closeDelay() const { return m_closeDelayMs; }
    QMovie *movie() const { return m_movie; }

    // Shows the indicator modally until finish() or close() ends it.
    void runModal();

public slots:
    // The worker has finished: close now, or after the close delay. Ignored while hidden, so a
    // late signal of an earlier worker cannot close a later wait.
    void finish();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QLabel *m_label = nullptr;
    QMovie *m_movie = nullptr;
    int m_closeDelayMs = 0;
    QTimer *m_closeTimer = nullptr;
};
