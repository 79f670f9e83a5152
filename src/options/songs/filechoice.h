#pragma once

#include "core/pathsfile.h"

#include <functional>

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
    // The working entry of slot for the file at path. The song keeps its name in the songs
    // folder unless that name would not survive (a safe name) or is taken by another file in
    // the songs folder or chosen for another slot (a free name, "track(0).wav"); the presenter
    // is told of a new name. A name taken in the songs folder is first offered for replacing.
    // The same file chosen for another slot keeps that slot's entry.
    SongSlot place(const QString &path, int slot);

private:
    // The first other slot with a song still to be copied that match accepts.
    const SongSlot *pendingChoice(int slot,
                                  const std::function<bool(const SongSlot &)> &match) const;
    // name numbered until neither the songs folder nor another slot uses it.
    QString freeName(const QString &name, int slot) const;
    // Tells the presenter why the song named name is stored as stored, if it is: its name is
    // unsafe, or its safe name target is taken (takenBy says by what).
    void tellName(const QString &name, const QString &target, const QString &takenBy,
                  const QString &stored);

    AppState &m_state;
    QuestionPort &m_questions;
    SongFileDialog &m_dialog;
};
