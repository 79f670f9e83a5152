#pragma once

#include "core/textfile.h"

struct AppState;

// The song paths file of the program folder (AppState::FilePercorsi) and the two tables.

// Mode 0: the entry of one slot ("" when none); a commented match sets the slot's commented
// flag when flags is true. Mode 1: "1" when any line of the file holds ";", else "0".
QString LeggiPercorso(AppState &state, int slot, bool flags, int mode);
// Fills both tables from the file; every folder becomes the songs folder.
void CaricaPercorsi(AppState &state);
// Rewrites the file in its written form from PercorsiSalvati.
TextFile::WriteResult SalvaPercorsi(const AppState &state);
