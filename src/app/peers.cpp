#include "app/peers.h"

#include "app/audiencelink.h"
#include "app/phonebuzzers.h"
#include "audience/audience.h"
#include "board/principale.h"
#include "core/appstate.h"
#include "core/snippetsfile.h"
#include "game/gamesession.h"
#include "maintenance/frmagg.h"
#include "maintenance/updatecheck.h"
#include "options/opzioni.h"
#include "platform/gstaudioprobe.h"
#include "platform/mediastack.h"
#include "platform/qtmediaplayer.h"
#include "platform/siteconfig.h"
#include "player/buzzerdesk.h"
#include "player/riproduzione.h"
#include "songcheck/leveller.h"
#include "songcheck/verificabrani.h"
#include "widgets/copia.h"
#include "widgets/progressione.h"

#include <QApplication>
#include <QFileInfo>
#include <QTimer>

AppPeers::AppPeers(AppState &state, QuestionPort &questions, PlayerMemory &playerMemory,
                   const SoundPorts &sound, UrlFetch &fetch)
    : m_state(state), m_questions(questions), m_playerMemory(playerMemory), m_sound(sound),
      m_fetch(fetch), m_copyWindows(std::make_unique<LoaderWindows>(*this)),
      m_updateCheck(std::make_unique<UpdateCheck>(m_fetch, *m_copyWindows, updateHost())),
      m_audience(std::make_unique<Audience>()),
      m_phones(std::make_unique<PhoneBuzzers>(state.settings, questions, *m_audience))
{
}

void AppPeers::setBoard(Principale &board)
{
    m_board = &board;
    linkAudience(*m_audience, board);
    m_phones->startAfterPaint(
        board, [&board] { return board.game() ? board.game()->teams() : QList<Team>(); });
    QObject::connect(&board, &Principale::gameChanged, m_phones.get(), &PhoneBuzzers::follow);
}

void AppPeers::toggleAudience()
{
    m_audience->toggle(m_board ? m_board->screen() : nullptr);
}

bool AppPeers::audienceOpen() const
{
    return m_audience->isOpen();
}

void AppPeers::reveal()
{
    m_audience->reveal();
}

AppPeers::~AppPeers()
{
    unloadOthers();
}

// Each song gets its own player and window; both go when the window closes.
void AppPeers::playModal(const QString &path, const QString &title)
{
    // Without a back end Qt ends the program at the first player; the presenter hears why no
    // song plays instead, as at the start.
    if (!mediaBackendFound()) {
        m_questions.inform(missingMediaStackWarning(), QStringLiteral("Zefiro"),
                           QuestionPort::Icon::Warning);
        return;
    }
    QtMediaPlayer player;
    // With levelling off a song plays at its own level: the analyses and their file are not
    // needed, and the first click does not wait for them.
    if (Leveller::isOn(m_state.settings)) {
        makeAnalysis();
        const Snippet snippet = SnippetsFile::forSong(m_state.PercorsiSalvati, title, path);
        player.setGain(m_leveller->outputGain(path, {snippet.start, snippet.end}));
    }
    Riproduzione window(m_state, m_playerMemory, m_questions, player, m_sound, path, title,
                        QApplication::activeWindow());
    m_player = &window;
    // With teams a second player holds the booking's bell, loaded before the song starts.
    std::unique_ptr<QtMediaPlayer> chime;
    if (m_board && m_board->game()) {
        const QString bell = m_state.file(QStringLiteral("gr/prenotazione.wav"));
        if (QFileInfo(bell).isFile()) {
            chime = std::make_unique<QtMediaPlayer>();
            chime->setAutoStart(false);
            chime->setURL(bell);
        }
        window.setGame(*m_board->game(), chime.get());
        QObject::connect(window.buzzers(), &BuzzerDesk::bookingChanged, &m_audience->model(),
                         &AudienceModel::setBooked);
        m_phones->attach(*window.buzzers(), *m_board->game());
    }
    m_audience->songPlayed(path);
    window.setReveal([this] { reveal(); });
    window.load();
    window.exec();
    m_phones->detach();
    m_audience->model().setBooked(-1);
}

void AppPeers::makeAnalysis()
{
    if (m_analyses)
        return;
    m_probe = std::make_unique<GstAudioProbe>();
    m_analyses = std::make_unique<AnalysisCache>(m_state.file(QStringLiteral("Analisi.ini")));
    m_analyses->load();
    m_leveller = std::make_unique<Leveller>(m_state.settings, *m_probe, *m_analyses);
}

void AppPeers::showSongCheck()
{
    makeAnalysis();
    if (!m_songCheck)
        m_songCheck = openSongCheck(m_state.PercorsiModifica, *m_probe, *m_analyses, m_options);
    m_songCheck->raise();
    m_songCheck->activateWindow();
}

void AppPeers::showOptions()
{
    if (!m_options && m_board) {
        Principale *board = m_board;
        OpzioniPorts ports{m_questions,
                           *m_copyWindows,
                           *board,
                           [this] { showUpdate(); },
                           [board] { QTimer::singleShot(0, board, &Principale::close); },
                           QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                           [this] { showSongCheck(); }};
        auto *window = new Opzioni(m_state, std::move(ports));
        window->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(window, &Opzioni::teamsChanged, board, &Principale::setTeams);
        QObject::connect(window, &Opzioni::settingsApplied, m_phones.get(), &PhoneBuzzers::follow);
        m_options = window;
    }
    if (!m_options)
        return;
    m_options->show();
    focusOptions();
}

namespace {

void bringToFront(QWidget *window)
{
    if (!window)
        return;
    window->raise();
    window->activateWindow();
}

} // namespace

void AppPeers::focusOptions()
{
    bringToFront(m_options);
}

void AppPeers::showUpdate()
{
    if (!m_update) {
        auto *window = new frmAgg(m_state, *m_updateCheck, &Principale::Link, projectWebsite());
        window->setAttribute(Qt::WA_DeleteOnClose);
        m_update = window;
    }
    m_update->show();
    focusUpdate();
}

void AppPeers::focusUpdate()
{
    bringToFront(m_update);
}

void AppPeers::unloadOthers()
{
    if (m_player)
        m_player->close();
    delete m_songCheck.data();
    delete m_options.data();
    delete m_update.data();
    m_phones->stop();
    if (m_audience->isOpen())
        m_audience->toggle(nullptr);
}

void LoaderWindows::showCopy(int mode)
{
    closeCopy();
    // Owned by the window it was opened from, the window manager keeps it in front of that one;
    // never by the progress window, which goes with the loading stage that showed it.
    QWidget *owner = QApplication::activeWindow();
    if (qobject_cast<Progressione *>(owner))
        owner = nullptr;
    auto *copy = new Copia(mode, owner);
    copy->setAttribute(Qt::WA_DeleteOnClose);
    m_copy = copy;
    copy->showNow();
}

void LoaderWindows::closeCopy()
{
    delete m_copy.data();
}
