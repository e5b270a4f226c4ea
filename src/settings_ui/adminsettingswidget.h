#pragma once

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QScrollArea;
class QTextEdit;

// The user's settings page: the printer's sections in a list, one section at a time in a scroll
// area, the explanation of the control last clicked, and the buttons that read, write, reset,
// import and export the settings. It holds no settings itself.
class AdminSettingsWidget : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AdminSettingsWidget)

public:
    explicit AdminSettingsWidget(QWidget *parent = nullptr);

    void setSections(const QStringList &names);
    void setPages(const QList<QWidget *> &widgets);
    // The texts beside the "Model", "FW" and "Port" captions.
    void setHeaderTexts(const QString &model, const QString &firmware, const QString &port);
    QString firmwareText() const;
    // Pages of a parameter-list printer: Save writes every section, and there is no Reset.
    void setParameterList(bool parameterList);

    int currentSection() const;
    QWidget *currentPage() const;

signals:
    void saveSettings(bool restoring);
    void refreshSettings();
    void resetSettings();
    void importSettings();
    void exportSettings();
    void sig_TopReached();
    void sig_BottomReached();

public slots:
    void changePage(QListWidgetItem *current, QListWidgetItem *previous);
    void showAnnotation(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    QWidget *buildLeftColumn();
    QPushButton *addCaption(const QString &text, QLabel **value, QWidget *parent);
    void connectAnnotations(QWidget *page);
    void selectPreviousSection();
    void selectNextSection();
    void turnWheel(QWheelEvent *event);
    void fitPage();

    QLabel *m_modelValue = nullptr;
    QLabel *m_firmwareValue = nullptr;
    QLabel *m_portValue = nullptr;
    QListWidget *m_sectionList = nullptr;
    QPushButton *m_saveButton = nullptr;
    QPushButton *m_resetButton = nullptr;
    QPushButton *m_readButton = nullptr;
    QPushButton *m_importButton = nullptr;
    QPushButton *m_exportButton = nullptr;
    QScrollArea *m_scrollArea = nullptr;
    bool m_parameterList = false;
    int m_wheelTurned = 0; // wheel turn not yet given to a section
    QTextEdit *m_annotation = nullptr;
    QList<QPointer<QWidget>> m_pages;
};
