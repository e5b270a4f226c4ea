#include "app/waittingdlg.h"

#include <QEventLoop>
#include <QLabel>
#include <QMovie>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kSize = 75;
}

WaittingDlg::WaittingDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowFlags(Qt::SplashScreen);
    setAttribute(Qt::WA_TranslucentBackground);
    setFixedSize(kSize, kSize);
    setModal(true);
    m_label = new QLabel(this);
    m_label->setFixedSize(kSize, kSize);
    m_label->setAlignment(Qt::AlignCenter);
    m_movie = new QMovie(QStringLiteral(":/images/waitting_01.gif"), QByteArray(), this);
    m_movie->setScaledSize(QSize(kSize, kSize));
    m_label->setMovie(m_movie);
    m_closeTimer = new QTimer(this);
    m_closeTimer->setSingleShot(true);
    connect(m_closeTimer, &QTimer::timeout, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_label);
}

void WaittingDlg::finish()
{
    if (!isVisible())
        return;
    if (m_closeDelayMs > 0)
        m_closeTimer->start(m_closeDelayMs);
    else
        accept();
}

void WaittingDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    m_closeTimer->stop();
    m_movie->stop();
    m_movie->start();
}

void WaittingDlg::hideEvent(QHideEvent *event)
{
    m_movie->stop();
    QDialog::hideEvent(event);
}

void WaittingDlg::runModal()
{
    // Unlike exec(), this also ends when the worker finished while the dialog was being shown
    // (some platforms deliver queued signals during show()).
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    show();
    if (isVisible())
        loop.exec(QEventLoop::DialogExec);
}
