#pragma once

#include <QString>

enum class Image;

// The names the playback window's controls give to assistive technology (a screen reader, voice
// control, a test reading the accessibility tree). A picture button is named by the title its
// info line shows, in the state its picture shows ("Play" or "Pausa", "Ripeti: Attivato"); a
// slider by its caption.
namespace ControlNames {

// The name of the picture button image while it shows the picture named picture.
QString ofPicture(Image image, const QString &picture);

QString computerVolume();
QString playerVolume();
QString speed();
QString position();

} // namespace ControlNames
