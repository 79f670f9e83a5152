#pragma once

#include <array>

// The stretch of the five song cells: the cell under the mouse grows to the right so that a
// long file name shows whole, and shrinks back when the mouse leaves. Widths are in twips; the
// window mirrors timerAllunga() / timerAccorcia() onto its two 20 ms timers, calls the ticks and
// applies width(), labelWidth() and buttonShift() to each row.
class CellStretch {
public:
    enum class Background { NormOff, NormOn, SelOff, SelOn };

    // Interval of TimerAllunga and TimerAccorcia.
    static constexpr int IntervalMs = 20;
    static constexpr int Cells = 5;
    static constexpr int RestWidth = 3855;
    static constexpr int RestLabel = 3600;
    static constexpr int FullWidth = 7000;
    static constexpr int XAllunga = 350;
    static constexpr int XAccorcia = 200;
    // No cell under the mouse.
    static constexpr int Nobody = 5;

    // stretching is the setting allungacella: off, cells only change colour under the mouse.
    explicit CellStretch(bool stretching = true);
    void setStretching(bool stretching) { m_stretching = stretching; }

    // The mouse is over cell index.
    void AttivaAllunga(int index);
    // The mouse left the cells: every cell shrinks, a stretching one once its stretch is done.
    void Accorciatutti();

    void TimerAllunga_Timer();
    void TimerAccorcia_Timer();
    bool timerAllunga() const { return m_allungaOn; }
    bool timerAccorcia() const { return m_accorciaOn; }

    // Background (TabImpos) and cell area (imgTabella) width.
    int width(int cell) const { return m_width.at(cell); }
    // File name (Canzoni) width: the background less the label's margins on both sides.
    int labelWidth(int cell) const { return m_width.at(cell) - (RestWidth - RestLabel); }
    // How far the buttons at the right end of the cell (menu, browse, restore) lie right of
    // their place at rest.
    int buttonShift(int cell) const { return m_width.at(cell) - RestWidth; }

    // The cell backgrounds: the editor selects and deselects through them.
    Background background(int cell) const { return m_background.at(cell); }
    void setBackground(int cell, Background background) { m_background.at(cell) = background; }
    bool isSelected(int cell) const;
    int varAllungaObj() const { return m_underMouse; }
    bool InAllungamento(int cell) const { return m_growing.at(cell); }
    bool InAccorciamento(int cell) const { return m_shrinking.at(cell); }

private:
    void leaveColour(int cell);

    bool m_stretching;
    bool m_allungaOn = false;
    bool m_accorciaOn = false;
    int m_underMouse = Nobody;
    std::array<int, Cells> m_width{};
    std::array<Background, Cells> m_background{};
    std::array<bool, Cells> m_growing{};
    std::array<bool, Cells> m_shrinking{};
};
