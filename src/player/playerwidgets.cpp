#include "player/playerwidgets.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

Surface::Surface(QColor top, QColor bottom, QWidget *parent)
    : QWidget(parent), m_top(top), m_bottom(bottom)
{
    setMouseTracking(true);
}

void Surface::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, m_radius > 0);
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, m_top);
    fill.setColorAt(1, m_bottom);
    const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(m_edge.isValid() ? QPen(m_edge, 1) : QPen(Qt::NoPen));
    p.setBrush(fill);
    if (m_radius > 0)
        p.drawRoundedRect(r, m_radius, m_radius);
    else
        p.drawRect(m_edge.isValid() ? r : QRectF(rect()));
}

InfoBox::InfoBox(QWidget *parent) : Surface(PlayerColours::well(), QColor(24, 27, 34), parent)
{
    setRadius(5);
    setEdge(QColor(56, 62, 74));
}

void InfoBox::setIdleText(const QString &title, const QString &detail)
{
    m_title = title;
    m_detail = detail;
    update();
}

void InfoBox::setIdle(bool idle)
{
    if (idle == m_idle)
        return;
    m_idle = idle;
    update();
}

void InfoBox::paintEvent(QPaintEvent *event)
{
    Surface::paintEvent(event);
    if (!m_idle)
        return;
    QPainter p(this);
    QColor dim = PlayerColours::caption();
    dim.setAlpha(150);
    p.setPen(dim);
    QFont title = font();
    title.setPixelSize(14);
    title.setBold(true);
    p.setFont(title);
    const QRectF inner = QRectF(rect()).adjusted(10, 7, -10, -7);
    p.drawText(inner, Qt::AlignLeft | Qt::AlignTop, m_title);
    QFont detail = font();
    detail.setPixelSize(12);
    p.setFont(detail);
    p.drawText(inner.adjusted(0, 24, 0, 0), Qt::AlignLeft | Qt::AlignTop,
               p.fontMetrics().elidedText(m_detail, Qt::ElideMiddle, int(inner.width())));
}

Backdrop::Backdrop(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void Backdrop::setTitle(const QString &title, const QString &subtitle)
{
    m_title = title;
    m_subtitle = subtitle;
    update();
}

void Backdrop::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, QColor(14, 20, 34));
    fill.setColorAt(1, QColor(6, 8, 12));
    p.fillRect(rect(), fill);

    // A note drawn in the accent colour, then the slot's title and the song's name under it.
    const double unit = qMin(width() / 12.0, height() / 7.0);
    const QPointF centre(width() / 2.0, height() * 0.36);
    QColor glow = PlayerColours::accent();
    glow.setAlpha(60);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, unit * 1.6, unit * 1.6);
    p.setBrush(PlayerColours::accent());
    const QPointF head(centre.x() - unit * 0.35, centre.y() + unit * 0.55);
    p.drawEllipse(head, unit * 0.42, unit * 0.32);
    const double stemX = head.x() + unit * 0.36;
    p.drawRect(QRectF(stemX - unit * 0.08, centre.y() - unit * 0.85, unit * 0.16, unit * 1.4));
    QPainterPath flag;
    flag.moveTo(stemX, centre.y() - unit * 0.85);
    flag.cubicTo(stemX + unit * 0.5, centre.y() - unit * 0.6, stemX + unit * 0.7,
                 centre.y() - unit * 0.2, stemX + unit * 0.45, centre.y() + unit * 0.1);
    flag.cubicTo(stemX + unit * 0.5, centre.y() - unit * 0.3, stemX + unit * 0.3,
                 centre.y() - unit * 0.45, stemX, centre.y() - unit * 0.5);
    p.drawPath(flag);

    QFont big = font();
    big.setBold(true);
    big.setPixelSize(qMax(12, int(unit * 0.9)));
    p.setFont(big);
    p.setPen(PlayerColours::text());
    const QRectF titleBox(0, centre.y() + unit * 1.7, width(), unit * 1.3);
    p.drawText(titleBox, Qt::AlignCenter, m_title);
    QFont small = font();
    small.setPixelSize(qMax(10, int(unit * 0.38)));
    p.setFont(small);
    p.setPen(PlayerColours::caption());
    const QRectF subtitleBox(unit, titleBox.bottom(), width() - 2 * unit, unit * 0.8);
    p.drawText(subtitleBox, Qt::AlignHCenter | Qt::AlignTop,
               p.fontMetrics().elidedText(m_subtitle, Qt::ElideMiddle, int(subtitleBox.width())));
}

SeekBar::SeekBar(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void SeekBar::setValue(double value)
{
    if (value == m_value)
        return;
    m_value = value;
    update();
}

void SeekBar::setRange(double from, double to)
{
    if (from == m_rangeFrom && to == m_rangeTo)
        return;
    m_rangeFrom = from;
    m_rangeTo = to;
    update();
}

void SeekBar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF well = QRectF(rect()).adjusted(0.5, 2.5, -0.5, -2.5);
    const double radius = well.height() / 2;
    p.setPen(QPen(QColor(60, 66, 78), 1));
    p.setBrush(PlayerColours::well());
    p.drawRoundedRect(well, radius, radius);
    if (m_rangeTo > m_rangeFrom) {
        const double from = qBound(0.0, m_rangeFrom, 100.0) / 100 * well.width();
        const double to = qBound(0.0, m_rangeTo, 100.0) / 100 * well.width();
        p.fillRect(QRectF(well.left() + from, rect().bottom() - 1.5, to - from, 2),
                   PlayerColours::accent().lighter(150));
    }
    const double filled = qBound(0.0, m_value, 100.0) / 100 * well.width();
    if (filled <= 0 || !isEnabled())
        return;
    QLinearGradient fill(0, well.top(), 0, well.bottom());
    fill.setColorAt(0, PlayerColours::accent().lighter(125));
    fill.setColorAt(1, PlayerColours::accent().darker(130));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(well.left(), well.top(), qMax(filled, well.height()), well.height()),
                      radius, radius);
}

VolumeTrack::VolumeTrack(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void VolumeTrack::setFilled(int pixels)
{
    if (pixels == m_filled)
        return;
    m_filled = pixels;
    update();
}

void VolumeTrack::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double h = 6;
    const QRectF well(0.5, (height() - h) / 2, width() - 1.0, h);
    p.setPen(QPen(QColor(60, 66, 78), 1));
    p.setBrush(PlayerColours::well());
    p.drawRoundedRect(well, h / 2, h / 2);
    const double filled = qBound(0.0, double(m_filled), well.width());
    if (filled <= 0)
        return;
    const QColor fill = isEnabled() ? PlayerColours::accent() : QColor(84, 90, 102);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(well.left(), well.top(), qMax(filled, h), h), h / 2, h / 2);
}

Knob::Knob(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Knob::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    const bool on = isEnabled();
    p.setPen(QPen(on ? PlayerColours::accent() : QColor(84, 90, 102), 2));
    QLinearGradient face(0, r.top(), 0, r.bottom());
    face.setColorAt(0, on ? QColor(250, 252, 255) : QColor(150, 156, 166));
    face.setColorAt(1, on ? QColor(196, 206, 222) : QColor(112, 118, 130));
    p.setBrush(face);
    p.drawEllipse(r);
}
