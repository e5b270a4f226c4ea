#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class ConfigFile;
class DesktopViewer;
class HelpViewer;

// The About page: program version, a short description and the way to the help document, shown by
// the desktop's viewer or, where there is none, inside the program.
class HelpAboutPage : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(HelpAboutPage)

public:
    // `language` as everywhere in the program: 0 Simplified Chinese, 1 English. The help documents
    // are looked for in `documentFolder`, by default the program's delivered files.
    explicit HelpAboutPage(int language = 1, const QString &documentFolder = QString(),
                           QWidget *parent = nullptr);

    QString versionText() const;
    // The help document in the language, among the delivered files in `folder`: the Chinese
    // "help_zh_CN.html" when it is there, else the English "help.html".
    static QString helpDocument(const QString &folder, int language);
    // The help document shipped with the program, in the program's language.
    QString helpFilePath() const;
    // The in-program viewer once it has been needed.
    HelpViewer *helpViewer() const { return m_viewer; }

public slots:
    void openHelp();

signals:
    // The help document could not be opened; the text says why.
    void helpFailed(const QString &message);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showInProgram(const QString &path);

    int m_language = 1;
    QString m_documentFolder;
    DesktopViewer *m_desktopViewer = nullptr;
    HelpViewer *m_viewer = nullptr;
    QLabel *m_version = nullptr;
    QPushButton *m_help = nullptr;
};
