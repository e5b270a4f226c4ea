#pragma once

#include <QDialog>

class QTextBrowser;

// The help document inside the program, for desktops without a viewer of their own.
class HelpViewer : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpViewer)

public:
    explicit HelpViewer(QWidget *parent = nullptr);

    // Shows the document; false (and an empty viewer) when it cannot be read.
    bool showDocument(const QString &path);
    QString documentPath() const { return m_path; }
    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser = nullptr;
    QString m_path;
};
