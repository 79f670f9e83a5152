#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The 25 songs of the demo music pack: one short jingle per slot, each with its own melody,
// tempo and key, and a sound of its category (a bright jingle for Spot, a voice for Canto,
// strings for Colonne Sonore, a beat for Ballo, plucked strings for Scelte dagli Educatori).
namespace Jingles {

struct Song {
    int slot;
    QString fileName;
    QByteArray wav;
};

QList<Song> compose();

// The short bell the playback window rings when a team books an answer: two rising notes,
// about half a second.
QByteArray bookingChime();

} // namespace Jingles
