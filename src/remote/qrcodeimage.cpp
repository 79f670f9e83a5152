#include "remote/qrcodeimage.h"

#include <QPainter>

#include <qrencode.h>

#include <memory>

namespace {

constexpr int Border = 4;

struct QrFree {
    void operator()(QRcode *code) const { QRcode_free(code); }
};

} // namespace

QImage qrCodeImage(const QString &text, int scale)
{
    const QByteArray bytes = text.toUtf8();
    const std::unique_ptr<QRcode, QrFree> code(
        QRcode_encodeString8bit(bytes.constData(), 0, QR_ECLEVEL_M));
    if (!code || scale < 1)
        return {};
    const int side = (code->width + 2 * Border) * scale;
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int y = 0; y < code->width; ++y)
        for (int x = 0; x < code->width; ++x)
            if (code->data[y * code->width + x] & 1)
                painter.fillRect((x + Border) * scale, (y + Border) * scale, scale, scale,
                                 Qt::black);
    return image;
}
