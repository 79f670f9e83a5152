#include "core/settingsfile.h"

#include "core/appstate.h"
#include "core/datafiles.h"
#include "core/events.h"
#include "core/ports.h"

namespace {

QString settingsPath(const AppState &state)
{
    return state.file(QStringLiteral("Impostazioni.ini"));
}

} // namespace

void CaricaImpostazioni(AppState &state, ProgressPort &progress)
{
    if (!progress.isVisible()) {
        progress.show();
        letEventsRun();
    }
    progress.setCaption(QStringLiteral("Caricamento Impostazioni..."));
    letEventsRun();

    const bool keepPackChoice = state.Avvio == 2;
    state.settings.resetToDefaults(keepPackChoice);
    const QStringList lines = DataFiles::readLines(state, settingsPath(state));
    for (const QString &line : lines) {
        if (state.settings.readLine(line, keepPackChoice))
            progress.step();
    }
}

TextFile::WriteResult SalvaImpostazioni(const AppState &state)
{
    return DataFiles::writeText(state, settingsPath(state), state.settings.writtenForm());
}
