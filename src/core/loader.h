#pragma once

#include <QString>

class ProgressPort;
class QuestionPort;
class StartupWindows;
struct AppState;

// The start-up loader: reads every data file into the shared state, showing each stage in the
// progress window. Runs in full once at start and without the migration steps whenever the
// options window loads.
class Loader {
public:
    Loader(AppState &state, ProgressPort &progress, QuestionPort &questions,
           StartupWindows &windows, QString executableName);

    // False when the program cannot run (no valid theme); the presenter has been told.
    bool Caricamento(bool full);
    void PreparaProgresso(bool countThemes, bool countSettings, bool countPaths);
    // Names each data file found but not readable, once, in a warning.
    void reportUnreadFiles();
    // Names each data file that is a link out of the program folder, once.
    void reportOutsideLinks();

private:
    AppState &m_state;
    ProgressPort &m_progress;
    QuestionPort &m_questions;
    StartupWindows &m_windows;
    QString m_executable;
};
