#pragma once

#include "core/pathsfile.h"

#include <optional>

struct AppState;
class QuestionPort;
class SongFileDialog;

// The steps that give a slot of the working table a song file picked by the presenter. The
// song itself reaches the songs folder only on apply; here the slot learns where it comes
// from and which name it will have there.
class FileChoice {
public:
    FileChoice(AppState &state, QuestionPort &questions, SongFileDialog &dialog);

    // Asks for a file for the slot; red skips the question about replacing the current song
    // (caption). False when nothing changed: cancelled or declined.
    bool choose(int slot, bool red, const QString &caption);
    // The working entry for the file at path, asking first when the songs folder already holds
    // another file of that name (letter case aside); nullopt when the presenter declines.
    std::optional<SongSlot> place(const QString &path);

private:
    AppState &m_state;
    QuestionPort &m_questions;
    SongFileDialog &m_dialog;
};
