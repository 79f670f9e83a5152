#include "widgets/themedbutton.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

ThemedButton::ThemedButton(const QString &text, QWidget *parent) : QPushButton(text, parent)
{
    setAttribute(Qt::WA_Hover);
}

void ThemedButton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    const QImage image = picture.toImage();
    m_pictureColour = picture.isNull() ? QColor() : faceColour(image, QColor());
    m_caption = captionColour(image, face());
    update();
}

void ThemedButton::setBackdrop(const QColor &colour)
{
    m_backdrop = colour;
    if (!m_pictureColour.isValid())
        m_caption = captionColour(QImage(), face());
    update();
}

namespace {

// Hands each pixel at least as opaque as minAlpha of a small copy of picture to visit: a small
// copy is enough for a colour and keeps a large picture cheap.
template <typename Visit>
void forEachPixel(const QImage &picture, int minAlpha, Qt::TransformationMode mode, Visit visit)
{
    if (picture.isNull())
        return;
    const QImage small =
        picture.scaled(32, 32, Qt::IgnoreAspectRatio, mode).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < small.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(small.constScanLine(y));
        for (int x = 0; x < small.width(); ++x) {
            if (qAlpha(line[x]) >= minAlpha)
                visit(line[x]);
        }
    }
}

} // namespace

QColor ThemedButton::faceColour(const QImage &picture, const QColor &fallback)
{
    qint64 red = 0;
    qint64 green = 0;
    qint64 blue = 0;
    qint64 count = 0;
    forEachPixel(picture, 128, Qt::SmoothTransformation, [&](QRgb pixel) {
        red += qRed(pixel);
        green += qGreen(pixel);
        blue += qBlue(pixel);
        ++count;
    });
    if (count == 0)
        return fallback;
    return QColor(int(red / count), int(green / count), int(blue / count));
}

QColor ThemedButton::captionColour(const QImage &picture, const QColor &face)
{
    QColor farthest;
    int distance = 0;
    forEachPixel(picture, 200, Qt::FastTransformation, [&](QRgb pixel) {
        const int d = qAbs(qRed(pixel) - face.red()) + qAbs(qGreen(pixel) - face.green()) +
                      qAbs(qBlue(pixel) - face.blue());
        if (d > distance) {
            distance = d;
            farthest = QColor(pixel);
        }
    });
    if (distance >= 240)
        return farthest;
    const double luminance = 0.299 * face.red() + 0.587 * face.green() + 0.114 * face.blue();
    return luminance < 140 ? QColor(255, 246, 224) : QColor(32, 24, 20);
}

void ThemedButton::matchColours(const ThemedButton &other)
{
    m_pictureColour = other.face();
    m_caption = other.m_caption;
    update();
}

QColor ThemedButton::face() const
{
    return m_pictureColour.isValid() ? m_pictureColour : m_backdrop;
}

void ThemedButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bar = QRectF(rect()).adjusted(1, 1, -1, -1);
    const double radius = qMin(bar.height() / 2, 14.0);
    QColor base = face();
    if (isDown())
        base = base.darker(125);
    else if (m_hovered && isEnabled())
        base = base.lighter(118);

    QLinearGradient fill(bar.topLeft(), bar.bottomLeft());
    fill.setColorAt(0, base.lighter(130));
    fill.setColorAt(0.5, base);
    fill.setColorAt(1, base.darker(125));
    QPainterPath shape;
    shape.addRoundedRect(bar, radius, radius);
    painter.fillPath(shape, fill);
    painter.setPen(QPen(base.lighter(175), 1.5));
    painter.drawPath(shape);
    paintContent(painter, bar);
}

// The picture and the caption side by side, centred; the picture as tall as the bar allows.
void ThemedButton::paintContent(QPainter &painter, const QRectF &bar) const
{
    const int gap = 8;
    QSize pictureSize;
    if (!m_picture.isNull()) {
        const QSize room(qMax(1, int(bar.width()) / 3), qMax(1, int(bar.height()) - 6));
        pictureSize = m_picture.size().scaled(room, Qt::KeepAspectRatio);
    }
    const QFontMetrics metrics(font());
    const int textWidth = metrics.horizontalAdvance(text());
    // A bar too narrow for both (the exit button beside the teams' scores) keeps the caption.
    if (pictureSize.width() + gap + textWidth > bar.width() - 2 * gap)
        pictureSize = QSize();
    const int total = pictureSize.width() + (pictureSize.isEmpty() ? 0 : gap) + textWidth;
    double left = bar.center().x() - total / 2.0;
    if (!pictureSize.isEmpty()) {
        const QRectF target(left, bar.center().y() - pictureSize.height() / 2.0,
                            pictureSize.width(), pictureSize.height());
        painter.drawPixmap(target, m_picture, QRectF(m_picture.rect()));
        left += pictureSize.width() + gap;
    }
    QColor caption = m_caption.isValid() ? m_caption : captionColour(QImage(), face());
    if (!isEnabled())
        caption.setAlpha(120);
    painter.setPen(caption);
    painter.setFont(font());
    painter.drawText(QRectF(left, bar.top(), textWidth + 2, bar.height()), Qt::AlignVCenter,
                     text());
}

void ThemedButton::enterEvent(QEnterEvent *event)
{
    m_hovered = true;
    update();
    QPushButton::enterEvent(event);
}

void ThemedButton::leaveEvent(QEvent *event)
{
    m_hovered = false;
    update();
    QPushButton::leaveEvent(event);
}
