#include "platform/gstvideoarea.h"

#include <QMouseEvent>
#include <QPainter>

GstVideoArea::GstVideoArea(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("areaVideo"));
    setMouseTracking(true);
    // Every pixel is painted here, black where the picture does not reach.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GstVideoArea::showFrame(const QImage &frame)
{
    m_frame = frame;
    update();
}

QSize GstVideoArea::frameSize() const
{
    return size() * devicePixelRatioF();
}

void GstVideoArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_frame.isNull())
        return;
    // A frame of another size (the pipeline has not caught up with a resize yet) is scaled
    // here for the moment.
    QSizeF shown = QSizeF(m_frame.size()) / devicePixelRatioF();
    if (m_frame.size() != frameSize())
        shown.scale(QSizeF(size()), Qt::KeepAspectRatio);
    const QRectF target(QPointF((width() - shown.width()) / 2.0, (height() - shown.height()) / 2.0),
                        shown);
    painter.drawImage(target, m_frame);
}

void GstVideoArea::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    emit resized();
}

void GstVideoArea::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit mouseMoved(at.x(), at.y());
    event->accept();
}

void GstVideoArea::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    emit mouseReleased(at.x(), at.y(), event->button());
    event->accept();
}
