#pragma once

#include "core/casefind.h"
#include "core/pathsfile.h"
#include "core/settings.h"
#include "core/unreadfiles.h"

#include <QString>
#include <QStringList>

#include <array>

// The state the windows share for the whole run. The application owns the one instance and
// hands it by reference to every window and data step; nothing else holds mutable state.
struct AppState {
    // Program folder (the folder of the executable), without a trailing separator.
    QString Path;
    // 1 while the board starts, 2 while the options window reloads, else 0.
    int Avvio = 0;

    // Paths file name relative to the program folder, with its leading separator.
    QString FilePercorsi = QStringLiteral("/Percorsi.ini");
    PathsTable PercorsiSalvati;
    PathsTable PercorsiModifica;
    std::array<bool, SlotCount> PercorsoCommentato{};
    // The songs tab's clipboard: kept from one opening of the options window to the next.
    SongSlot Appunti;

    Settings settings;
    // Data files found at start but not readable: named once, never written over.
    UnreadFiles unread;

    bool OpzioniAperte = false;
    bool AggiornamentoAperto = false;
    int SchedaIniziale = 0;

    // Loader bookkeeping.
    bool InCaricamento = false;
    int ModoCopia = 0;

    // Themes: every folder of Temi, then the valid ones with their titles.
    QStringList CartelleTemi;
    QStringList TemiCartelle;
    QStringList TemiTitoli;
    int ContatoreTemi = -1;
    int TemaScelto = 0;

    QString file(const QString &name) const { return CaseFind::resolve(Path, name); }
    QString songsFolder() const { return CaseFind::resolve(Path, QStringLiteral("Musiche/")); }
    QString pathsFile() const { return Path + FilePercorsi; }
};
