#pragma once

#include "game/team.h"
#include "options/optionscontrols.h"
#include "widgets/delayedprogress.h"

#include <QWidget>

#include <array>
#include <functional>

class QPushButton;
class QTabWidget;
class OpzioniAvanzate;
class OpzioniTemi;
class QuestionPort;
class SongsTab;
class TeamsTab;
class StartupWindows;
class ThemeTarget;
struct AppState;

// What the options window needs from the rest of the program.
struct OpzioniPorts {
    QuestionPort &questions;
    StartupWindows &windows;
    ThemeTarget &board;
    std::function<void()> showUpdate; // "Verifica adesso"
    std::function<void()> endProgram; // the normal end, when no theme is left
    QString executable;
    std::function<void()> checkSongs; // "Verifica brani" on the songs tab
};

// The options window "Opzioni": the frame around the four tabs and the OK / Applica / Annulla
// buttons. It works on copies of the settings and the teams and writes Impostazioni.ini and
// Squadre.ini only in ApplicaModifiche. OpzioniAperte is true from the start of the load until the
// window is destroyed.
class Opzioni : public QWidget {
    Q_OBJECT
public:
    Opzioni(AppState &state, OpzioniPorts ports, QWidget *parent = nullptr);
    ~Opzioni() override;

    bool OpzioniModificate = false;
    bool Applica = false;
    int iSelezionato = 5;

    // The load sequence; run by the constructor and again on demand.
    void Avvio();
    [[nodiscard]] bool CheckAnnullaModifiche();
    [[nodiscard]] bool PreApplicaModifiche();
    void ApplicaModifiche();
    void MostraScheda();
    OptionsControls controls() const;

signals:
    // Squadre.ini now holds these teams (none: the file is gone).
    void teamsChanged(const QList<Team> &teams);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    OpzioniAvanzate &advanced();
    void chooseFade(int button);
    void cancel();
    void applyTeams();
    void apply(bool keepOpen);

    AppState &m_state;
    OpzioniPorts m_ports;
    // The reload at load shows its window only when slow; later work shows it at once.
    DelayedProgress m_progress;
    QTabWidget *m_tabs = nullptr;
    // One frame per tab: the themes, the songs (frOpzioni1), "Avanzate" and the teams.
    SongsTab *m_songs = nullptr;
    TeamsTab *m_teams = nullptr;
    std::array<QWidget *, 4> m_frames{};
    OpzioniTemi *m_themes = nullptr;
    OpzioniAvanzate *m_advanced = nullptr; // built when first needed
    bool m_buildQueued = false;
    // What the load set on the "Avanzate" controls.
    OptionsControls m_shownControls;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
