#include "options/opzioni.h"

#include "core/appstate.h"
#include "core/loader.h"
#include "core/ports.h"
#include "core/settingsfile.h"
#include "core/songcheck.h"
#include "core/themes.h"
#include "widgets/progressione.h"
#include "widgets/twips.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
const QStringList TabCaptions{QStringLiteral("Impostazioni Tema"),
                              QStringLiteral("Impostazioni delle Canzoni"),
                              QStringLiteral("Avanzate")};

QPushButton *makeButton(QWidget *parent, const char *name, const QString &text,
                        const QString &tip = {})
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(tip);
    button->setAccessibleDescription(tip);
    return button;
}
} // namespace

Opzioni::Opzioni(AppState &state, OpzioniPorts ports, QWidget *parent)
    : QWidget(parent, Qt::Window), m_state(state), m_ports(std::move(ports)),
      m_progress(new Progressione)
{
    m_state.OpzioniAperte = true;
    setObjectName(QStringLiteral("Opzioni"));
    setWindowTitle(QStringLiteral("Opzioni"));
    auto *layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("SelOpzioni"));
    m_frames = {buildThemeFrame(), new QWidget, buildAdvancedFrame()};
    m_frames[1]->setObjectName(QStringLiteral("frOpzioni1"));
    for (int i = 0; i < 3; ++i)
        m_tabs->addTab(m_frames[static_cast<std::size_t>(i)], TabCaptions.at(i));
    connect(m_tabs, &QTabWidget::currentChanged, this, &Opzioni::MostraScheda);
    layout->addWidget(m_tabs);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    m_ok = makeButton(this, "btnOK", QStringLiteral("OK"));
    auto *applyButton = makeButton(this, "btnApplica", QStringLiteral("Applica"));
    m_cancel = makeButton(this, "btnAnnulla", QStringLiteral("Annulla"));
    for (QPushButton *button : {m_ok, applyButton, m_cancel})
        buttons->addWidget(button);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, [this] { apply(false); });
    connect(applyButton, &QPushButton::clicked, this, [this] { apply(true); });
    connect(m_cancel, &QPushButton::clicked, this, &Opzioni::cancel);
    resize(Twips::toPixels(9600), Twips::toPixels(9000));
    Avvio();
}

Opzioni::~Opzioni()
{
    delete m_progress;
    m_state.OpzioniAperte = false;
}

void Opzioni::Avvio()
{
    m_state.Avvio = 2;
    const bool loaded =
        Loader(m_state, *m_progress, m_ports.questions, m_ports.windows, m_ports.executable)
            .Caricamento(false);
    m_progress->close();
    iSelezionato = 5;
    m_state.OpzioniAperte = true;
    m_cancel->setToolTip(QStringLiteral("Annulla tutte le modifiche e chiude questa finestra"));
    m_ok->setToolTip(QStringLiteral("Applica tutte le modifiche e chiude questa finestra"));
    fillThemeList();
    if (SongCheck(m_state, *m_progress, m_ports.questions, m_ports.windows).EsisteControllo())
        m_state.SchedaIniziale = 1;
    const int first = qBound(0, m_state.SchedaIniziale, 2);
    m_tabs->setCurrentIndex(first);
    MostraScheda();
    selectTheme(m_state.settings.number(QStringLiteral("indextema")));
    m_progress->setTitle(QStringLiteral("Aggiornamento Temi"));
    // Both tables of the songs tab start from the stored paths, every song in Musiche.
    for (std::size_t slot = 0; slot < m_state.PercorsiSalvati.size(); ++slot) {
        m_state.PercorsiSalvati[slot].folder = m_state.songsFolder();
        m_state.PercorsiModifica[slot] = m_state.PercorsiSalvati[slot];
    }
    setControls(OptionsControls::fromSettings(m_state.settings, m_skin->currentRow()));
    m_state.Avvio = 0;
    if (!loaded && m_ports.endProgram)
        m_ports.endProgram();
}

void Opzioni::MostraScheda()
{
    const int shown = m_tabs->currentIndex();
    for (int i = 0; i < 3; ++i)
        m_frames[static_cast<std::size_t>(i)]->setVisible(i == shown);
    m_state.SchedaIniziale = 0;
}

bool Opzioni::CheckAnnullaModifiche()
{
    OpzioniModificate = ::CheckAnnullaModifiche(m_state.settings, controls(),
                                                m_state.PercorsiSalvati, m_state.PercorsiModifica);
    return OpzioniModificate;
}

bool Opzioni::PreApplicaModifiche()
{
    SongCheck songs(m_state, *m_progress, m_ports.questions, m_ports.windows);
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
    applyTheme();
    readControls(m_state.settings, controls());
    const auto written = SalvaImpostazioni(m_state);
    if (!written.ok)
        m_ports.questions.inform(QStringLiteral("Impossibile salvare le impostazioni: ") +
                                     written.error,
                                 QStringLiteral("Opzioni"), QuestionPort::Icon::Critical);
    if (Applica)
        SongCheck(m_state, *m_progress, m_ports.questions, m_ports.windows).ControllaCanzoni();
}

void Opzioni::apply(bool keepOpen)
{
    Applica = keepOpen;
    if (!PreApplicaModifiche())
        return;
    ApplicaModifiche();
    if (!keepOpen)
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
