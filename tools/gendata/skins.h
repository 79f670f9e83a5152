#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// The pictures of the player's skinned buttons, saved as gr/<name>.jpg. Each is drawn at the
// size of its control; every state of a button has the same size, so a button never jumps
// when its picture changes.
namespace Skins {

struct Picture {
    QString name;
    QImage image;
};

// The background the buttons are drawn on: the player's panel colour.
QColor panelColour();

// The pictures of every name in SkinNames::all().
QList<Picture> draw();

} // namespace Skins
