#pragma once

#include <QLabel>

// A one-line label that may be narrower than its text: it shows the text cut with "…" and
// offers the whole text as its tool tip. text() stays the whole text.
class ElidedLabel : public QLabel
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ElidedLabel)

public:
    explicit ElidedLabel(QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;
    // The text as it is drawn at the label's present width.
    QString shownText() const;

protected:
    // Also keeps the tool tip: the whole text where it is cut, none otherwise.
    void paintEvent(QPaintEvent *event) override;
};
