#include "board/boardgame.h"

#include "board/numbergrid.h"
#include "board/scorestrip.h"
#include "core/appstate.h"
#include "core/categories.h"
#include "core/ports.h"
#include "core/restorefile.h"
#include "game/scoresfile.h"
#include "game/standings.h"
#include "game/teamsfile.h"
#include "widgets/twips.h"

#include <QDateTime>
#include <QKeyEvent>

namespace {

QString skippedText(const TeamsFile::Contents &contents)
{
    QStringList lines;
    for (const TeamsFile::Skipped &skipped : contents.skipped)
        lines.append(QStringLiteral("riga %1: %2").arg(skipped.lineNumber).arg(skipped.text));
    return QStringLiteral("Alcune righe del file Squadre.ini non sono valide e vengono "
                          "ignorate:\n") +
           lines.join(u'\n');
}

} // namespace

BoardGame::BoardGame(QWidget &board, AppState &state, NumberGrid &grid, QuestionPort &questions,
                     RestoreReport restoreReport)
    : QObject(&board), m_board(board), m_state(state), m_grid(grid), m_questions(questions),
      m_restoreReport(std::move(restoreReport))
{
}

BoardGame::~BoardGame() = default;

void BoardGame::load()
{
    const TeamsFile::Contents contents = TeamsFile::read(m_state.Path);
    if (!contents.unreadable.isEmpty())
        warn(QStringLiteral("Il file Squadre.ini non può essere letto: ") + contents.unreadable);
    if (!contents.skipped.isEmpty())
        warn(skippedText(contents));
    if (contents.teams.isEmpty())
        return;

    const int teamCount = int(contents.teams.size());
    ScoresFile::Loaded loaded = ScoresFile::load(m_state.Path, teamCount, markedSlots());
    if (!loaded.message.isEmpty())
        warn(loaded.message);
    start(contents.teams, loaded.state == ScoresFile::LoadState::Restored
                              ? std::move(loaded.game)
                              : Game::restored(QList<int>(teamCount, 0), markedSlots(), {}, 0));
}

// New teams from the options window. The same number of teams keeps the game under way with
// the new names, colours and keys; another number ends it as a normal end would (its standing
// goes to Classifiche.txt) and starts a new one on the same board.
void BoardGame::setTeams(const QList<Team> &teams)
{
    delete m_strip;
    m_strip = nullptr;
    if (m_session && m_session->renameTeams(teams)) {
        makeStrip();
        emit gameChanged();
        return;
    }
    finish();
    m_session.reset();
    if (!teams.isEmpty()) {
        start(teams, Game::restored(QList<int>(teams.size(), 0), markedSlots(), {}, 0));
        static_cast<void>(ScoresFile::store(m_state.Path, m_session->game()));
    }
    emit gameChanged();
}

QList<int> BoardGame::markedSlots() const
{
    QList<int> marked;
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (m_grid.isPlayed(slot / SlotsPerCategory, slot % SlotsPerCategory))
            marked.append(slot);
    }
    return marked;
}

void BoardGame::start(const QList<Team> &teams, Game game)
{
    m_session = std::make_unique<GameSession>(m_state.Path, teams, std::move(game));
    connect(m_session.get(), &GameSession::changed, this, &BoardGame::showChange);
    connect(m_session.get(), &GameSession::storeFailed, this, [this](const QString &error) {
        if (m_storeWarned)
            return;
        m_storeWarned = true;
        warn(QStringLiteral("Impossibile aggiornare il file Punteggi.sav:\n") + error +
             QStringLiteral("\n\nSe il programma si chiude in modo imprevisto, i punteggi "
                            "non verranno ripristinati."));
    });
    makeStrip();
    emit gameChanged();
}

void BoardGame::makeStrip()
{
    const QList<Team> &teams = m_session->teams();
    m_strip = new ScoreStrip(teams, &m_board);
    for (int team = 0; team < teams.size(); ++team)
        m_strip->setScore(team, m_session->game().score(team), m_session->scoreName(team));
    connect(m_strip, &ScoreStrip::leftClicked, this, [this](int team) {
        if (!m_state.OpzioniAperte && !m_session->award(team).happened)
            m_strip->flash(QStringLiteral("Nessun numero giocato"));
    });
    connect(m_strip, &ScoreStrip::rightClicked, this, [this](int team) {
        if (!m_state.OpzioniAperte && !m_session->penalty(team).happened)
            m_strip->flash(QStringLiteral("Nessun numero giocato"));
    });
    connect(m_strip, &ScoreStrip::doubleClicked, this, &BoardGame::setByHand);
    m_strip->show();
}

// A team's key gives the points of the number played last, with Shift takes them; Ctrl+Z and
// Ctrl+Y undo and redo. Held keys do nothing more.
bool BoardGame::key(const QKeyEvent &event)
{
    if (!m_session || event.isAutoRepeat() || m_state.OpzioniAperte)
        return false;
    const Qt::KeyboardModifiers mods =
        event.modifiers() &
        (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (mods == Qt::ControlModifier && event.key() == Qt::Key_Z) {
        m_session->undo();
        return true;
    }
    if (mods == Qt::ControlModifier && event.key() == Qt::Key_Y) {
        m_session->redo();
        return true;
    }
    if (mods != Qt::NoModifier && mods != Qt::ShiftModifier)
        return false;
    const qsizetype team = Teams::indexOfKey(m_session->teams(), Teams::keyFromQtKey(event.key()));
    if (team < 0)
        return false;
    const GameChange change =
        mods == Qt::ShiftModifier ? m_session->penalty(int(team)) : m_session->award(int(team));
    if (!change.happened)
        m_strip->flash(QStringLiteral("Nessun numero giocato"));
    return true;
}

bool BoardGame::toggle(int slot)
{
    if (!m_session)
        return false;
    if (m_session->game().isMarked(slot))
        m_session->unmarkByHand(slot);
    else
        m_session->markByHand(slot);
    return true;
}

bool BoardGame::reset()
{
    if (!m_session)
        return false;
    m_session->reset();
    return true;
}

void BoardGame::played(int slot)
{
    if (m_session)
        m_session->played(slot);
}

void BoardGame::place(BoardLayout::Geometry &geometry)
{
    if (!m_strip)
        return;
    BoardLayout::placeStrip(geometry);
    const BoardLayout::Box &box = geometry.strip;
    m_strip->setGeometry(Twips::toPixels(box.left, box.top, box.width, box.height));
}

void BoardGame::finish()
{
    if (!m_session)
        return;
    const TextFile::WriteResult written = Standings::finish(
        m_state.Path, m_session->teams(), m_session->game(), QDateTime::currentDateTime());
    if (!written.ok)
        warn(QStringLiteral("Impossibile aggiungere la classifica al file Classifiche.txt:\n") +
             written.error + QStringLiteral("\n\nI punteggi restano nel file Punteggi.sav."));
}

// The board follows every change, whichever window made it. A step that changed marks keeps
// Ripristino.sav in step; a number played from the board writes it itself once the song ends.
void BoardGame::showChange(const GameChange &change)
{
    for (const GameChange::Mark &mark : change.marks)
        m_grid.setPlayed(mark.slot / SlotsPerCategory, mark.slot % SlotsPerCategory, mark.marked);
    if (change.happened && !change.marks.isEmpty()) {
        if (m_session->game().markedSlots().isEmpty()) {
            if (!EliminaRipristino(m_state.Path))
                m_restoreReport(false, QStringLiteral("il file non può essere eliminato"));
        }
        for (const GameChange::Mark &mark : change.marks) {
            if (m_session->game().markedSlots().isEmpty())
                break;
            const QString code = category(mark.slot / SlotsPerCategory).code.toString();
            const int number = mark.slot % SlotsPerCategory;
            const TextFile::WriteResult written = mark.marked
                                                      ? RegistraGiocata(m_state.Path, code, number)
                                                      : AnnullaGiocata(m_state.Path, code, number);
            m_restoreReport(written.ok, written.error);
        }
    }
    for (int team = 0; team < m_session->teams().size(); ++team)
        m_strip->setScore(team, m_session->game().score(team), m_session->scoreName(team));
    const QString text = m_session->changeText(change);
    if (!text.isEmpty())
        m_strip->flash(text);
    emit gameChanged();
}

void BoardGame::setByHand(int team)
{
    if (m_state.OpzioniAperte)
        return;
    int value = m_session->game().score(team);
    if (m_questions.askNumber(QStringLiteral("Punteggio di ") + m_session->teams().at(team).name,
                              QStringLiteral("Zefiro"), value))
        m_session->setScore(team, value);
}

void BoardGame::warn(const QString &text)
{
    m_questions.inform(text, QStringLiteral("Zefiro"), QuestionPort::Icon::Warning);
}
