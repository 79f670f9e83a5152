#include "player/logic/panel/panelslide.h"

#include "player/logic/panel/playerlayout.h"
#include "player/logic/playermodel.h"
#include "player/logic/skin/skinbuttons.h"

#include <QScopedValueRollback>

#include <cmath>

using namespace PlayerLayout;

PanelSlide::PanelSlide(PlayerModel &model, SkinButtons &skin) : m_model(model), m_skin(skin) {}

bool PanelSlide::docked() const
{
    return m_model.WMPSempreVisib == 1;
}

void PanelSlide::open()
{
    m_model.panelForUpdate().panelTop = PanelHiddenTop;
    SalitaWMP = false;
    AdattaVideo();
}

void PanelSlide::start(int function)
{
    Timer5Function = function;
    m_model.setTimer(Timer::Timer5, true);
}

void PanelSlide::tick()
{
    // The slides let events run, and a tick may come in meanwhile: it would be the same step.
    if (m_inTick)
        return;
    const QScopedValueRollback busy(m_inTick, true);
    switch (Timer5Function) {
    case SlideDown:
        slideDownStep();
        break;
    case SlideUp:
        slideUpStep();
        break;
    default:
        followGripStep();
        break;
    }
    if (docked())
        AdattaVideo();
    else
        m_model.panelUpdated();
}

// Fast while the panel is high, slow as it reaches the bottom.
void PanelSlide::slideDownStep()
{
    PanelGeometry &g = m_model.panelForUpdate();
    const double top = g.panelTop;
    if (top + 100 > PanelHiddenTop) {
        g.panelTop = PanelHiddenTop;
        m_model.setTimer(Timer::Timer5, false);
        if (Aggancia)
            subAggancia();
    } else if (top > 6880) {
        g.panelTop = top + 100;
    } else if (top > 5800) {
        g.panelTop = top + 250;
    } else if (top >= PanelShownTop) {
        g.panelTop = top + 400;
    }
    SalitaWMP = false;
    m_model.panelUpdated();
    m_model.letEventsRun();
}

void PanelSlide::slideUpStep()
{
    PanelGeometry &g = m_model.panelForUpdate();
    const double top = g.panelTop;
    if (top - 100 >= PanelShownTop) {
        double step = 100;
        if (top >= 5550 && top <= PanelHiddenTop)
            step = 400;
        else if (top >= 4900)
            step = 250;
        if (docked())
            g.stripTop -= step;
        g.panelTop = top - step;
    } else {
        if (docked())
            g.stripTop = StripTop;
        g.panelTop = PanelShownTop;
        m_model.setTimer(Timer::Timer5, false);
    }
    SalitaWMP = true;
    m_model.panelUpdated();
    m_model.letEventsRun();
}

void PanelSlide::followGripStep()
{
    PanelGeometry &g = m_model.panelForUpdate();
    const double before = g.panelTop;
    const double wanted = before + CurY - PosY;
    g.panelTop = qBound(PanelShownTop, wanted, PanelHiddenTop);
    if (CurY < PosY)
        SalitaWMP = true;
    else if (CurY > PosY)
        SalitaWMP = false;
    // The grip moved under a resting pointer: where the pointer now is in the grip, as a fresh
    // pointer move would report it.
    CurY -= int(std::lround(g.panelTop - before));
}

void PanelSlide::AdattaVideo()
{
    PanelGeometry &g = m_model.panelForUpdate();
    g.backdropHeight = g.panelTop - 1050;
    g.sideLeftHeight = g.backdropHeight;
    g.sideRightHeight = g.sideLeftHeight;
    g.stripTop = BackdropTop + g.backdropHeight;
    m_model.panelUpdated();
}

void PanelSlide::subAggancia()
{
    if (docked()) {
        m_model.WMPSempreVisib = 0;
        m_model.setPicture(Image::Aggancia, QStringLiteral("SganciatoN"));
    } else {
        m_model.WMPSempreVisib = 1;
        m_model.setPicture(Image::Aggancia, QStringLiteral("AgganciatoN"));
    }
    slittaAltoReleased(true);
    m_model.letEventsRun();
}

void PanelSlide::agganciaPressed()
{
    m_model.setPicture(Image::Aggancia,
                       docked() ? QStringLiteral("AgganciatoP") : QStringLiteral("SganciatoP"));
    m_model.PulsantePremuto = true;
}

void PanelSlide::agganciaReleased(bool inside)
{
    if (inside) {
        m_model.setPicture(Image::Aggancia,
                           docked() ? QStringLiteral("AgganciatoS") : QStringLiteral("SganciatoS"));
        Aggancia = true;
        start(SlideDown);
    } else {
        m_skin.NormalizzaPulsanti(MainHover::Background);
    }
    m_model.PulsantePremuto = false;
}

void PanelSlide::slittaBassoPressed()
{
    m_model.setPicture(Image::SlittaBasso, QStringLiteral("ScorriBassoP"));
    m_model.PulsantePremuto = true;
}

void PanelSlide::slittaBassoReleased(bool inside)
{
    if (inside) {
        Aggancia = false;
        start(SlideDown);
        m_model.setPicture(Image::SlittaBasso, QStringLiteral("ScorriBassoN"));
    } else {
        m_skin.NormalizzaPulsanti(MainHover::Background);
    }
    m_model.PulsantePremuto = false;
}

void PanelSlide::slittaAltoPressed()
{
    m_model.setPicture(Image::SlittaAlto, QStringLiteral("ScorriAltoP"));
}

void PanelSlide::slittaAltoReleased(bool inside)
{
    if (inside) {
        m_model.setPicture(Image::SlittaAlto, QStringLiteral("ScorriAltoN"));
        start(SlideUp);
    } else {
        m_skin.NormalizzaMiniPulsanti(MiniHover::Background);
    }
}

void PanelSlide::gripPressed(double y)
{
    PosY = int(std::lround(y));
}

void PanelSlide::gripMoved(double y, bool onlyLeftButton)
{
    if (!onlyLeftButton)
        return;
    CurY = int(std::lround(y));
    start(FollowGrip);
}

void PanelSlide::gripReleased()
{
    m_model.setTimer(Timer::Timer5, false);
}
