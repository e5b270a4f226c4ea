#pragma once

#include <functional>

#include <QWidget>

class QLabel;
class QLineEdit;
class QProgressDialog;
class QPushButton;
class QTextEdit;

// The firmware page: the user picks a firmware file and confirms; the download itself is the
// firmware flow's (FirmwareFlow), which shows its progress here.
class UpdateFirmware : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(UpdateFirmware)

public:
    // Asks the file: (parent, title, folder, filter) -> chosen path, empty when cancelled.
    using FileChooser
        = std::function<QString(QWidget *, const QString &, const QString &, const QString &)>;
    // Asks the user a question; true when confirmed.
    using Question = std::function<bool(const QString &)>;

    static constexpr int kProgressWidth = 200;
    static constexpr int kProgressHeight = 45;

    explicit UpdateFirmware(QWidget *parent = nullptr);

    QString filePath() const { return m_filePath; }
    // What Browse does with a chosen file.
    void chooseFile(const QString &path);
    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    void setQuestion(Question question) { m_question = std::move(question); }

    void showFileSize(qint64 bytes);
    void hideFileSize();
    // Shows the progress dialog for this many bytes until onDownloadEnded closes it.
    void showProgress(int size);
    // The dialog's value when the download ended.
    int recordedProgress() const { return m_recordedProgress; }
    QProgressDialog *progressDialog() const { return m_progress; }

    QTextEdit *notice() const { return m_notice; }
    QLineEdit *pathField() const { return m_path; }
    QPushButton *browseButton() const { return m_browse; }
    QPushButton *startButton() const { return m_start; }
    QLabel *fileSizeLabel() const { return m_sizeLabel; }
    QLabel *fileSizeValue() const { return m_sizeValue; }

signals:
    void updateFirmwareStarted();

public slots:
    void onProgress(int count);
    void onDownloadEnded();

private slots:
    void onClickedBrowse();
    void onClickedStart();

private:
    QString m_filePath;
    FileChooser m_chooser;
    Question m_question;
    QTextEdit *m_notice = nullptr;
    QLabel *m_sizeLabel = nullptr;
    QLabel *m_sizeValue = nullptr;
    QLineEdit *m_path = nullptr;
    QPushButton *m_browse = nullptr;
    QPushButton *m_start = nullptr;
    QProgressDialog *m_progress = nullptr;
    bool m_downloadEnded = false;
    int m_recordedProgress = -1;
};
