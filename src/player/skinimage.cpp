#include "player/skinimage.h"

#include <QPainter>

SkinImage::SkinImage(QWidget *parent) : QWidget(parent)
{
    setMouseTracking(true);
}

void SkinImage::setPicture(const QString &name, const QPixmap &pixmap)
{
    if (name == m_name && pixmap.cacheKey() == m_pixmap.cacheKey())
        return;
    m_name = name;
    m_pixmap = pixmap;
    update();
}

void SkinImage::paintEvent(QPaintEvent *)
{
    if (m_pixmap.isNull())
        return;
    QPainter painter(this);
    painter.drawPixmap(rect(), m_pixmap);
}
