#include "maintenance_ui/updatefirmware.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

#include "components/stylesheets.h"
#include "maintenance_core/firmwaredownload.h"

namespace {
constexpr int kNoticeWidth = 500;
constexpr int kNoticeHeight = 150;
constexpr int kIconWidth = 60;
constexpr int kIconHeight = 52;
constexpr int kSizeLabelWidth = 70;
constexpr int kPathWidth = 300;
constexpr int kButtonWidth = 70;
constexpr int kButtonHeight = 25;
constexpr int kGroupWidth = 500;
constexpr int kGroupHeight = 200;
} // namespace

UpdateFirmware::UpdateFirmware(QWidget *parent)
    : QWidget(parent)
    , m_chooser([](QWidget *owner, const QString &title, const QString &folder,
                    const QString &filter) {
        return QFileDialog::getOpenFileName(owner, title, folder, filter);
    })
{
    setObjectName(QStringLiteral("UpdateFirmware"));
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#UpdateFirmware{background:white;}"));

    m_notice = new QTextEdit;
    m_notice->setReadOnly(true);
    m_notice->setFixedWidth(kNoticeWidth);
    m_notice->setPlainText(
        tr("Notification:\n Printer is about to enter the firmware download mode. \n Please "
           "ensure power is not disrupted.\n Make sure the interface cable is correctly "
           "connected between the computer and the printer.\n During the update, do not power "
           "off the printer.\n During the update, please stop all the printing tasks.\n During "
           "the update, please wait patiently, until the download progress reaches 100%.\n "
           "Note: Do not close page during download!"));
    // The whole notice without scrolling, in either language; never smaller than its box.
    m_notice->document()->setTextWidth(kNoticeWidth - 2 * m_notice->frameWidth());
    const int textHeight = int(m_notice->document()->size().height()) + 2 * m_notice->frameWidth();
    m_notice->setFixedHeight(qMax(kNoticeHeight, textHeight));
    auto *icon = new QLabel;
    icon->setFixedSize(kIconWidth, kIconHeight);
    icon->setStyleSheet(
        QStringLiteral("background-image:url(:/images/warning.png);border:none"));

    m_sizeLabel = new QLabel(tr("File size: "));
    m_sizeLabel->setMinimumWidth(kSizeLabelWidth);
    m_sizeValue = new QLabel;
    m_path = new QLineEdit;
    m_path->setReadOnly(true);
    m_path->setFixedWidth(kPathWidth);
    m_path->setStyleSheet(QStringLiteral("border:none"));
    // A disabled Start must look it: without a file there is nothing to start.
    const QString buttonStyle = rkstyle::flatButton(QStringLiteral("#049372"),
                                    QStringLiteral("#36D7B7"), QStringLiteral("#1BBC98"))
        + QStringLiteral("QPushButton:disabled{background:#BDC3C7;color:#7F8C8D;}");
    m_browse = new QPushButton(tr("Browse"));
    m_start = new QPushButton(tr("Start"));
    for (QPushButton *b : { m_browse, m_start }) {
        b->setMinimumSize(kButtonWidth, kButtonHeight);
        b->setStyleSheet(buttonStyle);
    }
    m_start->setEnabled(false);
    hideFileSize();

    auto *group = new QGroupBox(tr("Firmware Update"));
    group->setMinimumSize(kGroupWidth, kGroupHeight);
    auto *noticeRow = new QHBoxLayout;
    noticeRow->addWidget(icon, 0, Qt::AlignTop);
    noticeRow->addWidget(m_notice);
    auto *fileRow = new QHBoxLayout;
    fileRow->addWidget(m_path);
    fileRow->addWidget(m_browse);
    fileRow->addWidget(m_start);
    fileRow->addStretch();
    auto *sizeRow = new QHBoxLayout;
    sizeRow->addWidget(m_sizeLabel);
    sizeRow->addWidget(m_sizeValue);
    sizeRow->addStretch();
    auto *inner = new QVBoxLayout(group);
    inner->addLayout(noticeRow);
    inner->addLayout(fileRow);
    inner->addLayout(sizeRow);

    auto *outer = new QVBoxLayout(this);
    outer->addStretch();
    outer->addWidget(group, 0, Qt::AlignHCenter);
    outer->addStretch();

    connect(m_browse, &QPushButton::clicked, this, &UpdateFirmware::onClickedBrowse);
    connect(m_start, &QPushButton::clicked, this, &UpdateFirmware::onClickedStart);
}

void UpdateFirmware::chooseFile(const QString &path)
{
    if (!path.isEmpty()) {
        m_filePath = path;
        m_path->setText(path);
        m_path->setCursorPosition(0);
        m_path->setToolTip(path);
    }
    m_start->setEnabled(!m_filePath.isEmpty());
}

void UpdateFirmware::onClickedBrowse()
{
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    chooseFile(m_chooser(this, tr("Select Firmware File."), desktop, tr("Firmware(*.mot *.ds)")));
}

void UpdateFirmware::onClickedStart()
{
    const QString question
        = QCoreApplication::translate("FirmwareDownload", FirmwareDownload::questionText());
    if (m_question && m_question(question))
        emit updateFirmwareStarted();
}

void UpdateFirmware::showFileSize(qint64 bytes)
{
    m_sizeValue->setText(FirmwareDownload::sizeText(bytes));
    m_sizeLabel->show();
    m_sizeValue->show();
}

void UpdateFirmware::hideFileSize()
{
    m_sizeLabel->hide();
    m_sizeValue->hide();
}

void UpdateFirmware::showProgress(int size)
{
    m_downloadEnded = false;
    m_progress = new QProgressDialog(this);
    m_progress->setCancelButton(nullptr);
    // It stays until the download has ended: the printer is still being waited for at 100 %.
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->setFixedSize(kProgressWidth, kProgressHeight);
    m_progress->setStyleSheet(QStringLiteral("QProgressDialog{background-color:#ffffff};"));
    m_progress->setWindowTitle(tr("Firmware Update"));
    m_progress->setRange(0, size);
    m_progress->setMinimumDuration(0);
    m_progress->setWindowModality(Qt::ApplicationModal);
    if (!m_downloadEnded)
        m_progress->exec();
    if (m_progress) {
        m_progress->deleteLater();
        m_progress = nullptr;
    }
}

void UpdateFirmware::onProgress(int count)
{
    if (m_progress)
        m_progress->setValue(count);
}

void UpdateFirmware::onDownloadEnded()
{
    m_downloadEnded = true;
    if (!m_progress)
        return;
    m_recordedProgress = m_progress->value();
    m_progress->done(0);
}
