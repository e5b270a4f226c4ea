#include "app/waittingdlg.h"

#include <QEventLoop>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kSize = 75;
constexpr qreal kCornerRadius = 10.0;
constexpr int kInset = 8; // the animation inside the panel's border
const QColor kPanel(Qt::white);
const QColor kBorder(0xbd, 0xc3, 0xc7);

QPainterPath panelPath(const QRectF &rect)
{
    QPainterPath path;
    path.addRoundedRect(rect, kCornerRadius, kCornerRadius);
    return path;
}
} // namespace

WaittingDlg::WaittingDlg(QWidget *parent)
    : QDialog(parent)
{
    setWindowFlags(Qt::SplashScreen);
    // A translucent window needs a compositor; without one its clear pixels show black. An
    // opaque panel cut to its rounded shape looks the same with and without one.
    setFixedSize(kSize, kSize);
    setMask(QRegion(panelPath(QRectF(rect())).toFillPolygon().toPolygon()));
    setModal(true);
    m_label = new QLabel(this);
    m_label->setFixedSize(kSize, kSize);
    m_label->setAlignment(Qt::AlignCenter);
    m_movie = new QMovie(QStringLiteral(":/images/waitting_01.gif"), QByteArray(), this);
    m_movie->setScaledSize(QSize(kSize - 2 * kInset, kSize - 2 * kInset));
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

void WaittingDlg::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kBorder, 1));
    painter.setBrush(kPanel);
    painter.drawPath(panelPath(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5)));
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
