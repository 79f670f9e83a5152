#include "board/boardpicture.h"

#include <QImageReader>
#include <QPainter>

BoardPicture::BoardPicture(QWidget *parent) : QLabel(parent) {}

bool BoardPicture::setPictureFile(const QString &file)
{
    QImageReader reader(file);
    if (!reader.canRead() || !reader.size().isValid())
        return false;
    m_file = file;
    update();
    return true;
}

QImage BoardPicture::decodeAt(const QString &file, const QSize &size)
{
    QImageReader reader(file);
    if (!size.isEmpty())
        reader.setScaledSize(size);
    QImage image = reader.read();
    // A reader that ignores the scaled size still gives the size asked for.
    if (!image.isNull() && !size.isEmpty() && image.size() != size)
        image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

void BoardPicture::decodeAhead()
{
    const QSize wanted = size() * devicePixelRatioF();
    if (m_file.isEmpty() || wanted.isEmpty() || m_ahead.valid())
        return;
    m_aheadFile = m_file;
    m_aheadSize = wanted;
    m_ahead = std::async(std::launch::async, &BoardPicture::decodeAt, m_file, wanted);
}

void BoardPicture::fit()
{
    const qreal ratio = devicePixelRatioF();
    const QSize wanted = size() * ratio;
    if (m_file.isEmpty() || wanted.isEmpty() ||
        (m_pictureFile == m_file && m_picture.size() == wanted))
        return;
    QImage image;
    if (m_ahead.valid()) {
        // Waits for the decode if it is still running; of no use if the label has changed since.
        image = m_ahead.get();
        if (m_aheadFile != m_file || m_aheadSize != wanted)
            image = QImage();
    }
    if (image.isNull())
        image = decodeAt(m_file, wanted);
    if (image.isNull()) {
        // Gone or spoilt since it was chosen: the picture shown so far stays.
        m_file = m_pictureFile;
        return;
    }
    m_picture = QPixmap::fromImage(std::move(image));
    m_picture.setDevicePixelRatio(ratio);
    m_pictureFile = m_file;
}

void BoardPicture::paintEvent(QPaintEvent *event)
{
    fit();
    if (m_picture.isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), m_picture);
}
