#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// The delivered themes: for each a folder under Temi with its theme file, the board picture
// and the exit-button picture.
namespace ThemeArt {

struct Theme {
    QString folder;
    QByteArray file; // the theme file, named like the folder
    QString boardName;
    QImage board;
    QString exitName;
    QImage exit;
};

QList<Theme> draw();

} // namespace ThemeArt
