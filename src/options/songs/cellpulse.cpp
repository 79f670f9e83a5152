#include "options/songs/cellpulse.h"

CellPulse::Glyph CellPulse::AnimaEtichetta(int tipo, int index)
{
    if (tipo == TipoEtichetta && index == iEtichetta)
        return {};
    const Glyph previous = ScurisciEtichetta();
    TipoEtichetta = tipo;
    iEtichetta = index;
    m_active = true;
    return previous;
}

CellPulse::Glyph CellPulse::ScurisciEtichetta()
{
    const Glyph previous{TipoEtichetta, iEtichetta};
    LivelloGrigio = 0;
    TipoEtichetta = None;
    return previous;
}

CellPulse::Glyph CellPulse::stop()
{
    m_active = false;
    return ScurisciEtichetta();
}

void CellPulse::tmrColore_Timer()
{
    LivelloGrigio = LivelloGrigio - C > 0 ? LivelloGrigio - C : Brightest;
}
