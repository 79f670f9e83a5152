#pragma once

#include "tools/gendata/jingles.h"

#include <QList>
#include <QString>

class OutputFiles;

// Delivers the demo music pack the way the program takes a pack over: the songs in the pack
// folders of their categories (Spot, Canto, ColSon, Ballo, SceEdu) and PercorsiZMP.ini naming
// them slot by slot. At its next start the program asks once whether to use the pack, then
// moves the songs into Musiche and removes the pack folders.
//
// A pack is delivered only once into a program folder. It counts as taken over when either
//  - Musiche holds a song of the pack (the take-over moves the songs there, whatever the
//    presenter answered), or
//  - PercorsiZMP.ini is there and Impostazioni.ini records an answer to the pack question
//    (usazmp 0 or 1), so the songs were moved even if they have since been deleted.
// Then nothing of the pack is written again: the program's own rewrite of PercorsiZMP.ini and
// the presenter's choice stay as they are. Percorsi.ini and Impostazioni.ini belong to the
// presenter and are never written here.
namespace PackDelivery {

bool takenOver(const QString &programFolder, const QList<Jingles::Song> &songs);
// False when the pack was taken over already and nothing was written.
bool deliver(OutputFiles &out, const QList<Jingles::Song> &songs);

} // namespace PackDelivery
