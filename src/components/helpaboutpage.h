#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class ConfigFile;

// The About page: program version, a short description and the way to the help document.
class HelpAboutPage : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpAboutPage)

public:
    explicit HelpAboutPage(QWidget *parent = nullptr);

    QString versionText() const;
    // The help document shipped beside the program.
    static QString helpFilePath();

public slots:
    void openHelp();

signals:
    // The help document could not be opened; the text says why.
    void helpFailed(const QString &message);

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *m_version = nullptr;
    QPushButton *m_help = nullptr;
};
