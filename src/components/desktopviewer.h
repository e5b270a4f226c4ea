#pragma once

#include <QObject>
#include <QStringList>

class QProcess;

// Shows a document with the desktop's own viewer. On Linux that is xdg-open;
// RKMENU_HELP_OPENER names another command ("none": the desktop has no viewer).
class DesktopViewer : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesktopViewer)

public:
    explicit DesktopViewer(QObject *parent = nullptr);
    ~DesktopViewer() override;

    // False when there is no viewer to start. Otherwise the viewer starts and `failed` follows
    // should it end saying it could not show the document.
    bool open(const QString &path);

signals:
    void failed(const QString &path);

private:
    QStringList m_command;
};
