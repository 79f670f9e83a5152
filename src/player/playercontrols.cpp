#include "player/playercontrols.h"

#include "player/logic/skin/controlnames.h"
#include "player/playerwidgets.h"
#include "player/skinimage.h"
#include "widgets/twips.h"

#include <QLabel>
#include <QSlider>

SkinImage *PlayerControls::image(Image which, QWidget *parent, const char *name, double left,
                                 double top, double width, double height)
{
    auto *control = new SkinImage(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(Twips::toPixels(left, top, width, height));
    control->setAccessibleName(ControlNames::ofPicture(which, {}));
    images.at(size_t(which)) = control;
    return control;
}

QLabel *PlayerControls::label(QWidget *parent, const char *name, const QString &text, double left,
                              double top, double width, double height)
{
    auto *control = new QLabel(text, parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(Twips::toPixels(left, top, width, height));
    setPixelFont(control, 11, false);
    setColour(control, PlayerColours::caption());
    return control;
}

void PlayerControls::setPixelFont(QWidget *widget, int pixels, bool bold)
{
    QFont font = widget->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    widget->setFont(font);
}

void PlayerControls::setColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

QString PlayerControls::sliderStyle()
{
    return QStringLiteral(
        "QSlider::groove:horizontal { height: 6px; background: #111318; border: 1px solid #3c424e;"
        " border-radius: 3px; }"
        "QSlider::sub-page:horizontal { background: #6098ec; border-radius: 3px; }"
        "QSlider::sub-page:horizontal:disabled { background: #3c424e; }"
        "QSlider::handle:horizontal { width: 14px; margin: -5px 0; border-radius: 7px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fafcff, stop:1 #c4cede);"
        " border: 2px solid #6098ec; }"
        "QSlider::handle:horizontal:disabled { border-color: #3c424e; }");
}
