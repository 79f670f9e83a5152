#include "core/songpaths.h"

#include "core/appstate.h"
#include "core/datafiles.h"
#include "core/pathsfile.h"
#include "core/snippetsfile.h"

QString LeggiPercorso(AppState &state, int slot, bool flags, int mode)
{
    const QStringList lines = DataFiles::readLines(state, state.pathsFile());
    if (mode == 1)
        return PathsFile::hasSemicolon(lines) ? QStringLiteral("1") : QStringLiteral("0");
    const PathsFile::Entry entry = PathsFile::lookup(lines, slot);
    if (flags && entry.commented)
        state.PercorsoCommentato.at(static_cast<size_t>(slot)) = true;
    return entry.value;
}

void CaricaPercorsi(AppState &state)
{
    // One read serves all 25 lookups: the file cannot change in between.
    const QStringList lines = DataFiles::readLines(state, state.pathsFile());
    const QString folder = state.songsFolder();
    for (size_t slot = 0; slot < SlotCount; ++slot) {
        const PathsFile::Entry entry = PathsFile::lookup(lines, static_cast<int>(slot));
        state.PercorsoCommentato.at(slot) = entry.commented;
        state.PercorsiSalvati.at(slot) = {entry.value, folder};
        state.PercorsiModifica.at(slot) = {entry.value, folder};
    }
    SnippetsFile::load(state);
}

TextFile::WriteResult SalvaPercorsi(const AppState &state)
{
    return DataFiles::writeLines(state, state.pathsFile(),
                                 PathsFile::writtenForm(state.PercorsiSalvati));
}
