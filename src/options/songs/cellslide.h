#pragma once

#include <array>
#include <optional>

// The slide of a song cell up or down, one position at a time. Each tick moves the moving row
// and its neighbour by 120 twips; after 7 ticks (840, one position) the two songs are exchanged
// and the rows' places in OrdineCelle follow. Clicks queue further steps in DiffSposta. The
// window mirrors active() onto its 20 ms timer, places each label's row at top(label) after a
// tick and acts on what the tick reports; the points labels never move.
class CellSlide {
public:
    // Interval of TimerSposta.
    static constexpr int IntervalMs = 20;
    static constexpr int Cells = 5;
    static constexpr int Step = 120;
    static constexpr int Nobody = 5;
    static constexpr std::array<int, Cells> PositionTops{1560, 2400, 3240, 4080, 4920};

    struct Tick {
        int raised = -1; // label whose row goes to the front
        // Positions whose songs were exchanged: the editor swaps the two working slots.
        std::optional<std::array<int, 2>> swapped;
        bool finished = false;
        // After a move made with a cell's own arrow: the arrow now under the mouse, to
        // highlight (CellPulse Down or Up, with its label).
        std::optional<std::array<int, 2>> highlight;
    };

    CellSlide() { DisponiCelle(); }

    // Labels back at their own positions, nothing moving.
    void DisponiCelle();
    // The rows in the given order (the label at each position), nothing moving.
    void place(const std::array<int, Cells> &labelAt);
    // Queues one step of the cell at position: +1 up, -1 down. selected tells whether the cell
    // moves as the selection (it stays selected) or by its own arrow.
    void start(int position, int delta, bool selected);
    Tick TimerSposta_Timer();
    bool active() const { return m_active; }

    int top(int label) const { return m_top.at(label); }
    int labelAt(int position) const { return OrdineCelle[0].at(position); }
    int positionOf(int label) const { return OrdineCelle[1].at(label); }
    bool selectedMove() const { return m_selected; }

    int iSelezionato = Nobody;
    int DiffSposta = 0;
    int Direzione = 0;
    // Row 0: label at each position; row 1: position of each label.
    std::array<std::array<int, Cells>, 2> OrdineCelle{};

private:
    void step(Tick &tick, int neighbour, int up);
    void finish(Tick &tick);

    std::array<int, Cells> m_top{};
    bool m_active = false;
    bool m_selected = false;
    // Direction of the step under way (+1 up, -1 down), 0 between steps.
    int m_stepping = 0;
    // Steps completed since the move started.
    int m_steps = 0;
};
