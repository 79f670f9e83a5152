#pragma once

#include "board/boardlayout.h"
#include "game/gamesession.h"

#include <QObject>

#include <functional>
#include <memory>

class NumberGrid;
class QKeyEvent;
class QuestionPort;
class ScoreStrip;
class QWidget;
struct AppState;

// The game on the board, with at least one team in Squadre.ini: the score strip, the teams'
// keys, undo and redo, and the marks that game steps change. Without teams it stays inactive
// and the board runs as it always has.
class BoardGame : public QObject {
    Q_OBJECT

public:
    using RestoreReport = std::function<void(bool ok, const QString &error)>;

    BoardGame(QWidget &board, AppState &state, NumberGrid &grid, QuestionPort &questions,
              RestoreReport restoreReport);
    ~BoardGame() override;

    // Reads the teams and, with any, the game Punteggi.sav kept beside the restored marks.
    void load();
    // The teams the options window applied; see the source for what happens to the game.
    void setTeams(const QList<Team> &teams);
    bool active() const { return m_session != nullptr; }
    GameSession *session() const { return m_session.get(); }

    // The board's requests; false when the game is inactive and the board acts on its own.
    bool key(const QKeyEvent &event);
    bool toggle(int slot);
    bool reset();
    void played(int slot);
    void place(BoardLayout::Geometry &geometry);
    // The normal end: the standing goes to Classifiche.txt and Punteggi.sav goes.
    void finish();

signals:
    // The teams or a score changed, or the game started or ended.
    void gameChanged();

private:
    QList<int> markedSlots() const;
    void start(const QList<Team> &teams, Game game);
    void makeStrip();
    void showChange(const GameChange &change);
    void setByHand(int team);
    void warn(const QString &text);

    QWidget &m_board;
    AppState &m_state;
    NumberGrid &m_grid;
    QuestionPort &m_questions;
    RestoreReport m_restoreReport;
    std::unique_ptr<GameSession> m_session;
    ScoreStrip *m_strip = nullptr;
    bool m_storeWarned = false;
};
