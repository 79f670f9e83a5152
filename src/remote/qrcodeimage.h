#pragma once

#include <QImage>
#include <QString>

// A QR code of text as a black on white picture, `scale` pixels a module and the four-module
// white border readers need. A null image when text does not fit a QR code.
QImage qrCodeImage(const QString &text, int scale = 8);
