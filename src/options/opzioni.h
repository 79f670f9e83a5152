#pragma once

#include "options/optionscontrols.h"

#include <QWidget>

#include <array>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSlider;
class QTabWidget;
class Progressione;
class QuestionPort;
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
};

// The options window "Opzioni": works on copies of the settings and writes Impostazioni.ini
// only in ApplicaModifiche. OpzioniAperte is true from the start of the load until the window
// is destroyed.
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

private:
    QWidget *buildThemeFrame();
    QWidget *buildAdvancedFrame();
    QWidget *buildPlaybackGroup();
    QWidget *buildSmallGroups();
    void setControls(const OptionsControls &controls);
    void chooseFade(int button);
    void fillThemeList();
    void selectTheme(int row);
    void applyTheme();
    void rescanThemes();
    void cancel();
    void apply(bool keepOpen);

    AppState &m_state;
    OpzioniPorts m_ports;
    Progressione *m_progress;
    QTabWidget *m_tabs = nullptr;
    std::array<QWidget *, 3> m_frames{};
    QListWidget *m_skin = nullptr;
    QLabel *m_preview = nullptr;
    QSlider *m_fadeSpeed = nullptr;
    std::array<QLabel *, 3> m_fadeLabels{};
    QButtonGroup *m_fadeButtons = nullptr;
    QList<QCheckBox *> m_checks;
    QCheckBox *m_pack = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
