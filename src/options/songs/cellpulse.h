#pragma once

// The grey pulse of the small glyph button under the mouse (play, up, down, browse, menu,
// restore of a cell, or the two move buttons of the selection). The window mirrors active()
// onto its 40 ms timer and paints the glyph named by TipoEtichetta / iEtichetta in the grey of
// LivelloGrigio after each tick.
class CellPulse {
public:
    // Which glyph pulses.
    enum Tipo {
        None = 0,
        Play = 1,     // imgPlay
        Down = 2,     // lblGiu
        Up = 3,       // lblSu
        Browse = 4,   // lblBrowse
        Menu = 5,     // lblMenu
        Restore = 6,  // lblRipristina
        MoveUp = 7,   // lblbSu
        MoveDown = 8, // lblbGiu
    };
    struct Glyph {
        int tipo = None;
        int index = 0;
    };

    // Interval of tmrColore.
    static constexpr int IntervalMs = 40;
    static constexpr int C = 12;
    static constexpr int Brightest = 240;

    // The mouse is over a glyph. Returns the glyph to paint black again, the one that pulsed
    // before, or None when the same glyph goes on pulsing.
    Glyph AnimaEtichetta(int tipo, int index);
    // Ends the pulse; returns the glyph to paint black.
    Glyph ScurisciEtichetta();
    // Ends the pulse and the timer, as a mouse move over a cell area does.
    Glyph stop();

    void tmrColore_Timer();
    bool active() const { return m_active; }

    int TipoEtichetta = None;
    int iEtichetta = 0;
    int LivelloGrigio = 0;

private:
    bool m_active = false;
};
