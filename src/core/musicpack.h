#pragma once

#include <QString>

struct AppState;
class QuestionPort;
class StartupWindows;

// Brings older data into the current form and takes over a delivered music pack, before the
// song paths are loaded at start.
class MusicPack {
public:
    // executableName: the running program's own file, which the clean-up never deletes.
    MusicPack(AppState &state, QuestionPort &questions, StartupWindows &windows,
              QString executableName);

    void PulisciCartella();
    void ScegliPack();
    void MigraPercorsi();
    void InstallaPack();

    void SpostaVecchiPercorsi();
    void RinumeraPercorsi();
    void TogliCommenti();
    bool EliminaSvn(const QString &packFolder);
    bool SpostaConNuovoNome(const QString &packPath, const QString &entry, int categoryIndex);

private:
    void showCopyWindow();
    void saveAndReport();
    void report(const QString &text);
    // FilePercorsi for the wanted name, spelled as the file that exists.
    QString resolvedPathsName(const QString &name) const;

    AppState &m_state;
    QuestionPort &m_questions;
    StartupWindows &m_windows;
    QString m_executable;
    bool m_copyShown = false;
};
