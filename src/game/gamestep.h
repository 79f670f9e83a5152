#pragma once

#include <QList>

// One step of the game, as undo and redo take it back and bring it again. Slots are the
// board's 0..24, teams index the team list.
struct GameStep {
    enum class Kind {
        Award,       // points of a slot to a team
        Penalty,     // points of a slot taken from a team (a wrong answer)
        SetScore,    // a score typed by hand
        Mark,        // a number marked by hand
        Unmark,      // a number unmarked by hand
        BuzzerRight, // a booked answer settled right: the slot's points to the team
        BuzzerWrong, // settled wrong: the slot's points taken when the penalty is on, else none
        Reset,       // a new game: every score back to 0, every number free
    };

    Kind kind = Kind::Award;
    int slot = -1;
    int team = -1;
    // Award, Penalty and the buzzer: points moved, never negative. SetScore: the new score.
    int points = 0;
    int before = 0;          // SetScore: the score it replaced
    QList<int> scoresBefore; // Reset: every score before it
    QList<int> marksBefore;  // Reset: the slots marked before it, in slot order

    bool operator==(const GameStep &) const = default;
};

// What a step, its undo or its redo changed, for the board to show: each score moved (the
// strip flashes "+30 Rossi") and each number that changed its mark.
struct GameChange {
    struct Score {
        int team = -1;
        int delta = 0;
        bool operator==(const Score &) const = default;
    };
    struct Mark {
        int slot = -1;
        bool marked = false;
        bool operator==(const Mark &) const = default;
    };

    bool happened = false; // false: the request changed nothing and left no step
    GameStep::Kind kind = GameStep::Kind::Award;
    bool undone = false; // the change is the undo of a step of that kind
    QList<Score> scores;
    QList<Mark> marks;
};
