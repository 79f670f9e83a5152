#include "options/songs/cellslide.h"

#include "options/songs/cellpulse.h"

#include <utility>

void CellSlide::DisponiCelle()
{
    place({0, 1, 2, 3, 4});
}

void CellSlide::place(const std::array<int, Cells> &labelAt)
{
    for (int position = 0; position < Cells; ++position) {
        const int label = labelAt.at(position);
        OrdineCelle[0].at(position) = label;
        OrdineCelle[1].at(label) = position;
        m_top.at(label) = PositionTops.at(position);
    }
    iSelezionato = Nobody;
    DiffSposta = 0;
    m_active = false;
    m_stepping = 0;
    m_steps = 0;
}

void CellSlide::start(int position, int delta, bool selected)
{
    if (position < 0 || position >= Cells)
        return;
    if (!m_active)
        m_steps = 0;
    iSelezionato = position;
    DiffSposta += delta;
    m_selected = selected;
    m_active = true;
}

CellSlide::Tick CellSlide::TimerSposta_Timer()
{
    Tick tick;
    if (iSelezionato >= Cells)
        return tick;
    tick.raised = labelAt(iSelezionato);
    // A step that has begun is finished in its own direction, whatever was queued meanwhile,
    // so that no row is left between two places; the queue counts it all the same.
    int up = m_stepping;
    if (up == 0)
        up = DiffSposta > 0 ? 1 : (DiffSposta < 0 ? -1 : 0);
    const int neighbour = iSelezionato - up;
    if (up == 0 || neighbour < 0 || neighbour >= Cells) {
        // Done, or at the top going up or at the bottom going down: nothing more to exchange.
        DiffSposta = 0;
        finish(tick);
        return tick;
    }
    step(tick, neighbour, up);
    return tick;
}

// Moves the row at iSelezionato and the one at neighbour toward each other's place; when the
// moving row arrives, the step is complete and the songs change points.
void CellSlide::step(Tick &tick, int neighbour, int up)
{
    const int label = labelAt(iSelezionato);
    const int other = labelAt(neighbour);
    m_top.at(label) -= up * Step;
    m_top.at(other) += up * Step;
    m_stepping = up;
    if (m_top.at(label) != PositionTops.at(neighbour))
        return;
    tick.swapped = std::array<int, 2>{iSelezionato, neighbour};
    std::swap(OrdineCelle[0].at(iSelezionato), OrdineCelle[0].at(neighbour));
    std::swap(OrdineCelle[1].at(label), OrdineCelle[1].at(other));
    iSelezionato = neighbour;
    DiffSposta -= up;
    Direzione = up > 0 ? 1 : 2;
    m_stepping = 0;
    ++m_steps;
}

void CellSlide::finish(Tick &tick)
{
    m_active = false;
    tick.finished = true;
    if (m_selected)
        return;
    // The mouse still rests on the arrow that was clicked, at the position the cell left.
    const int former = Direzione == 2 ? iSelezionato - 1 : iSelezionato + 1;
    if (m_steps > 0 && former >= 0 && former < Cells)
        tick.highlight =
            std::array<int, 2>{Direzione == 2 ? CellPulse::Down : CellPulse::Up, labelAt(former)};
    iSelezionato = Nobody;
}
