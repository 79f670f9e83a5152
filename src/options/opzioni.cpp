#include "options/opzioni.h"

#include "core/appstate.h"
#include "core/loader.h"
#include "core/ports.h"
#include "core/settingsfile.h"
#include "core/songcheck.h"
#include "maintenance/unusedsongs.h"
#include "options/opzioniavanzate.h"
#include "options/opzionitemi.h"
#include "options/songstab.h"
#include "options/teamstab.h"
#include "widgets/namedcontrols.h"
#include "widgets/twips.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {
const QStringList TabCaptions{QStringLiteral("Impostazioni Tema"),
                              QStringLiteral("Impostazioni delle Canzoni"),
                              QStringLiteral("Avanzate"), QStringLiteral("Squadre")};
constexpr int QuietReloadMs = 400;
} // namespace

Opzioni::Opzioni(AppState &state, OpzioniPorts ports, QWidget *parent)
    : QWidget(parent, Qt::Window), m_state(state), m_ports(std::move(ports))
{
    m_state.OpzioniAperte = true;
    setObjectName(QStringLiteral("Opzioni"));
    setWindowTitle(QStringLiteral("Opzioni"));
    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SelOpzioni"));
    m_themes =
        new OpzioniTemi(m_state, m_progress, m_ports.questions, m_ports.board, m_ports.endProgram);
    m_songs = new SongsTab(m_state, m_ports.questions, m_progress, m_ports.windows);
    m_songs->setUnusedSongs(
        [this] { return UnusedSongs::CercaFileInutili(m_state, UnusedSongs::Table::Working); });
    connect(m_songs, &SongsTab::songCheckRequested, this, [this] {
        if (m_ports.checkSongs)
            m_ports.checkSongs();
    });
    m_teams = new TeamsTab;
    m_frames = {m_themes, m_songs, new QWidget, m_teams};
    m_frames[2]->setObjectName(QStringLiteral("frOpzioni2"));
    new QVBoxLayout(m_frames[2]);
    m_frames[2]->layout()->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < m_frames.size(); ++i)
        m_tabs->addTab(m_frames[i], TabCaptions.at(qsizetype(i)));
    connect(m_tabs, &QTabWidget::currentChanged, this, &Opzioni::MostraScheda);
    layout->addWidget(m_tabs);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_ok = NamedControls::button(this, "btnOK", QStringLiteral("OK"));
    auto *applyButton = NamedControls::button(this, "btnApplica", QStringLiteral("Applica"));
    m_cancel = NamedControls::button(this, "btnAnnulla", QStringLiteral("Annulla"));
    for (QPushButton *button : {m_ok, applyButton, m_cancel})
        buttons->addWidget(button);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, [this] { apply(false); });
    connect(applyButton, &QPushButton::clicked, this, [this] { apply(true); });
    connect(m_cancel, &QPushButton::clicked, this, &Opzioni::cancel);
    resize(Twips::toPixels(10200), Twips::toPixels(9000));
    Avvio();
}

Opzioni::~Opzioni()
{
    m_state.OpzioniAperte = false;
}

void Opzioni::Avvio()
{
    // The reload usually takes milliseconds: its window appears only when it lasts.
    m_progress.setDelay(QuietReloadMs);
    m_state.Avvio = 2;
    // The computer volume of this run lives in memory until the program ends; the reload must
    // not put back the one saved last time.
    const QString volprinc = m_state.settings.value(QStringLiteral("volprinc"));
    const bool loaded =
        Loader(m_state, m_progress, m_ports.questions, m_ports.windows, m_ports.executable)
            .Caricamento(false);
    if (!volprinc.isEmpty())
        m_state.settings.setValue(QStringLiteral("volprinc"), volprinc);
    m_progress.close();
    iSelezionato = 5;
    m_state.OpzioniAperte = true;
    m_cancel->setToolTip(QStringLiteral("Annulla tutte le modifiche e chiude questa finestra"));
    m_ok->setToolTip(QStringLiteral("Applica tutte le modifiche e chiude questa finestra"));
    if (SongCheck(m_state, m_progress, m_ports.questions, m_ports.windows).EsisteControllo())
        m_state.SchedaIniziale = 1;
    m_tabs->setCurrentIndex(qBound(0, m_state.SchedaIniziale, 2));
    MostraScheda();
    m_themes->fill();
    m_progress.setTitle(QStringLiteral("Aggiornamento Temi"));
    m_progress.setDelay(0);
    // Both tables of the songs tab start from the stored paths, every song in Musiche.
    for (std::size_t slot = 0; slot < m_state.PercorsiSalvati.size(); ++slot) {
        m_state.PercorsiSalvati[slot].folder = m_state.songsFolder();
        m_state.PercorsiModifica[slot] = m_state.PercorsiSalvati[slot];
    }
    m_songs->showCategory();
    m_shownControls = OptionsControls::fromSettings(m_state.settings, m_themes->currentTheme());
    if (m_advanced)
        m_advanced->setControls(m_shownControls);
    m_teams->setControls(m_shownControls);
    m_teams->load(m_state.Path);
    m_state.Avvio = 0;
    if (!loaded && m_ports.endProgram)
        m_ports.endProgram();
}

// The "Avanzate" tab is built when first needed, or right after the window's first paint, so
// that opening the window costs only what it shows.
OpzioniAvanzate &Opzioni::advanced()
{
    if (m_advanced)
        return *m_advanced;
    m_advanced = new OpzioniAvanzate(m_frames[2]);
    m_frames[2]->layout()->addWidget(m_advanced);
    m_advanced->setControls(m_shownControls);
    connect(m_advanced, &OpzioniAvanzate::fadeChosen, this, &Opzioni::chooseFade);
    connect(m_advanced, &OpzioniAvanzate::updateNowRequested, this, [this] {
        if (m_ports.showUpdate)
            m_ports.showUpdate();
    });
    return *m_advanced;
}

void Opzioni::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!m_advanced && !m_buildQueued) {
        m_buildQueued = true;
        QTimer::singleShot(0, this, [this] { advanced(); });
    }
}

void Opzioni::MostraScheda()
{
    const int shown = m_tabs->currentIndex();
    if (shown == 2)
        advanced();
    for (std::size_t i = 0; i < m_frames.size(); ++i)
        m_frames[i]->setVisible(int(i) == shown);
    m_state.SchedaIniziale = 0;
}

OptionsControls Opzioni::controls() const
{
    // Before the tab is built it still shows what the load set.
    OptionsControls result = m_shownControls;
    if (m_advanced)
        m_advanced->readControls(result);
    m_teams->readControls(result);
    result.themeIndex = m_themes->currentTheme();
    return result;
}

void Opzioni::chooseFade(int button)
{
    // Takes effect at once: the playback window reads it at its next fade.
    m_state.settings.setNumber(QStringLiteral("sfumadx"), button);
}

bool Opzioni::CheckAnnullaModifiche()
{
    OpzioniModificate =
        ::CheckAnnullaModifiche(m_state.settings, controls(), m_state.PercorsiSalvati,
                                m_state.PercorsiModifica) ||
        m_teams->editor().isModified();
    return OpzioniModificate;
}

bool Opzioni::PreApplicaModifiche()
{
    SongCheck songs(m_state, m_progress, m_ports.questions, m_ports.windows);
    if (songs.EsisteControllo() &&
        m_ports.questions.ask(QStringLiteral("ATTENZIONE, alcune celle non hanno impostata alcuna "
                                             "canzone, Vuoi continuare ugualmente?"),
                              QStringLiteral("Opzioni"), QuestionPort::Icon::Warning,
                              QuestionPort::Buttons::YesNo,
                              QuestionPort::Answer::No) != QuestionPort::Answer::Yes)
        return false;
    // A failed copy has been reported by the copy step; the apply goes on as designed.
    (void)songs.ApplicaCanzoni();
    return true;
}

void Opzioni::ApplicaModifiche()
{
    m_themes->applyTheme();
    readControls(m_state.settings, controls());
    const auto written = SalvaImpostazioni(m_state);
    if (!written.ok)
        m_ports.questions.inform(QStringLiteral("Impossibile salvare le impostazioni: ") +
                                     written.error,
                                 QStringLiteral("Opzioni"), QuestionPort::Icon::Critical);
    applyTeams();
    if (Applica) {
        SongCheck(m_state, m_progress, m_ports.questions, m_ports.windows).ControllaCanzoni();
        m_songs->showCategory();
    }
}

void Opzioni::applyTeams()
{
    const bool changed = m_teams->editor().isModified();
    const auto written = m_teams->apply(m_state.Path);
    if (!written.ok)
        m_ports.questions.inform(QStringLiteral("Impossibile salvare le squadre: ") + written.error,
                                 QStringLiteral("Opzioni"), QuestionPort::Icon::Critical);
    else if (changed)
        emit teamsChanged(m_teams->editor().teams());
}

void Opzioni::apply(bool keepOpen)
{
    Applica = keepOpen;
    if (!PreApplicaModifiche())
        return;
    ApplicaModifiche();
    // Teams that could not be written stay on screen rather than being lost with the window.
    if (!keepOpen && !m_teams->editor().isModified())
        deleteLater();
}

void Opzioni::cancel()
{
    if (CheckAnnullaModifiche() &&
        m_ports.questions.ask(QStringLiteral("Non hai salvato alcune modifiche e se continui "
                                             "verranno perse. Vuoi continuare?"),
                              QStringLiteral("Opzioni"), QuestionPort::Icon::Warning,
                              QuestionPort::Buttons::YesNo,
                              QuestionPort::Answer::Yes) != QuestionPort::Answer::Yes)
        return;
    deleteLater();
}
