#include "options/songs/cellstretch.h"

#include <algorithm>

CellStretch::CellStretch(bool stretching) : m_stretching(stretching)
{
    m_width.fill(RestWidth);
    m_background.fill(Background::NormOff);
}

bool CellStretch::isSelected(int cell) const
{
    const Background b = m_background.at(cell);
    return b == Background::SelOff || b == Background::SelOn;
}

// The cell loses its under-the-mouse colour.
void CellStretch::leaveColour(int cell)
{
    Background &b = m_background.at(cell);
    if (b == Background::NormOn)
        b = Background::NormOff;
    else if (b == Background::SelOn)
        b = Background::SelOff;
}

void CellStretch::AttivaAllunga(int index)
{
    m_underMouse = index;
    Background &b = m_background.at(index);
    if (b == Background::NormOff)
        b = Background::NormOn;
    else if (b == Background::SelOff)
        b = Background::SelOn;
    for (int cell = 0; cell < Cells; ++cell) {
        if (cell != index)
            leaveColour(cell);
    }
    if (!m_stretching)
        return;
    m_growing.at(index) = true;
    m_shrinking.at(index) = false;
    m_allungaOn = true;
    m_accorciaOn = true;
}

void CellStretch::Accorciatutti()
{
    for (int cell = 0; cell < Cells; ++cell) {
        if (!m_growing.at(cell))
            m_shrinking.at(cell) = true;
    }
    if (m_underMouse != Nobody)
        leaveColour(m_underMouse);
    m_accorciaOn = true;
    m_underMouse = Nobody;
}

void CellStretch::TimerAllunga_Timer()
{
    for (int cell = 0; cell < Cells; ++cell) {
        if (!m_growing.at(cell))
            continue;
        int &w = m_width.at(cell);
        const bool left = m_underMouse != cell;
        if (w + XAllunga < FullWidth) {
            w += XAllunga;
            if (left)
                leaveColour(cell);
            continue;
        }
        w = FullWidth;
        m_growing.at(cell) = false;
        if (left) {
            leaveColour(cell);
            m_shrinking.at(cell) = true;
            m_accorciaOn = true;
        }
    }
    m_allungaOn = std::any_of(m_growing.begin(), m_growing.end(), [](bool on) { return on; });
}

void CellStretch::TimerAccorcia_Timer()
{
    for (int cell = 0; cell < Cells; ++cell) {
        if (!m_shrinking.at(cell))
            continue;
        int &w = m_width.at(cell);
        if (w - XAccorcia > RestWidth) {
            w -= XAccorcia;
            continue;
        }
        // A cell already at rest ends its shrink too, so the timer stops once all are at rest.
        w = RestWidth;
        m_shrinking.at(cell) = false;
    }
    m_accorciaOn = std::any_of(m_shrinking.begin(), m_shrinking.end(), [](bool on) { return on; });
}
