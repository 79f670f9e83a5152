#pragma once

#include "core/textfile.h"

struct AppState;
class ProgressPort;

// Impostazioni.ini of the program folder.

// Shows the progress window if hidden, captions the stage, starts from the defaults and reads
// the file when it exists; each line that sets a key advances the bar. While the options window
// reloads (Avvio 2) the pack choice in memory is kept.
void CaricaImpostazioni(AppState &state, ProgressPort &progress);
TextFile::WriteResult SalvaImpostazioni(const AppState &state);
