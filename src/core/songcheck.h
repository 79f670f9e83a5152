#pragma once

#include "core/filenames.h"

#include <QStringView>

struct AppState;
class ProgressPort;
class QuestionPort;
class StartupWindows;

// CheckCanzoni.ini lists the slots without a playable song; the song copy brings songs picked
// from elsewhere into the songs folder.
class SongCheck {
public:
    // A song is first copied beside its place in the songs folder, under its name and this
    // suffix, so an existing song is replaced only by a whole file.
    static constexpr QStringView PartialSuffix = u".parziale";
    // The longest name, in bytes, that a song can be copied under: its partial copy must fit.
    static constexpr qsizetype LongestName = FileNames::MaxBytes - PartialSuffix.size();

    SongCheck(AppState &state, ProgressPort &progress, QuestionPort &questions,
              StartupWindows &windows);

    void ControllaCanzoni();
    bool EsisteControllo() const;
    bool SlotDaControllare(int slot) const;
    // Copies the working table's outside songs into the songs folder and saves the paths file.
    // A slot whose copy fails keeps its former entry; false when anything failed.
    bool ApplicaCanzoni();

private:
    bool copySong(int slot);

    AppState &m_state;
    ProgressPort &m_progress;
    QuestionPort &m_questions;
    StartupWindows &m_windows;
};
