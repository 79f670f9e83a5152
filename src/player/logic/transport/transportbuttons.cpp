#include "player/logic/transport/transportbuttons.h"

#include "platform/mediaplayer.h"
#include "player/logic/playermodel.h"
#include "player/logic/skin/skinbuttons.h"
#include "player/logic/transport/transport.h"

TransportButtons::TransportButtons(PlayerModel &model, MediaPlayer &player, SkinButtons &skin,
                                   Transport &transport)
    : m_model(model), m_player(player), m_skin(skin), m_transport(transport)
{
}

bool TransportButtons::insideBigPlay(Piece piece, double x, double y, double w1, double w2,
                                     double w3, double h)
{
    double from = 0;
    if (piece == Piece::Middle)
        from = -w1;
    else if (piece == Piece::Right)
        from = -(w1 + w2);
    return x >= from && x < from + w1 + w2 + w3 && y >= 0 && y < h;
}

void TransportButtons::bigPlayPressed()
{
    m_model.PulsantePremuto = true;
    m_model.setPicture(Image::Play, isPlaying(m_player.playState()) ? QStringLiteral("Pausa2P")
                                                                    : QStringLiteral("Play2P"));
    m_model.setPicture(Image::Play1, QStringLiteral("Play1P"));
    m_model.setPicture(Image::Play3, QStringLiteral("Play3P"));
    m_model.setPicture(Image::Ripeti, m_transport.ripetiPicture("NPP"));
    m_model.setPicture(Image::Stop, QStringLiteral("StopNPP"));
    m_model.letEventsRun();
}

void TransportButtons::bigPlayReleased(bool inside)
{
    if (inside) {
        m_transport.presenterPlay(false, false);
    } else {
        m_model.setPicture(Image::Play1, QStringLiteral("Play1N"));
        m_model.setPicture(Image::Play3, QStringLiteral("Play3N"));
        m_skin.NormalizzaPulsanti(MainHover::Background);
    }
    m_model.PulsantePremuto = false;
}

void TransportButtons::miniPlayPressed()
{
    m_model.PulsanteMiniPremuto = true;
    m_model.setPicture(Image::PlayMini, isPlaying(m_player.playState()) ? QStringLiteral("PausaMP")
                                                                        : QStringLiteral("PlayMP"));
}

void TransportButtons::miniPlayReleased(bool inside)
{
    if (inside)
        m_transport.presenterPlay(true, false);
    else
        m_skin.NormalizzaMiniPulsanti(MiniHover::Background);
    m_model.PulsanteMiniPremuto = false;
}

void TransportButtons::stopPressed()
{
    m_model.PulsantePremuto = true;
    m_model.setPicture(Image::Stop, QStringLiteral("StopPPN"));
}

void TransportButtons::stopReleased(bool inside, Qt::MouseButton button)
{
    if (inside) {
        m_transport.SfumaStop(button);
        m_model.setPicture(Image::Stop, QStringLiteral("StopSPN"));
    } else {
        m_skin.NormalizzaPulsanti(MainHover::Background);
    }
    m_model.PulsantePremuto = false;
}

void TransportButtons::miniStopPressed()
{
    m_model.PulsanteMiniPremuto = true;
    m_model.setPicture(Image::StopMini, QStringLiteral("StopMP"));
}

void TransportButtons::miniStopReleased(bool inside, Qt::MouseButton button)
{
    if (inside) {
        m_transport.SfumaStop(button);
        m_model.setPicture(Image::StopMini, QStringLiteral("StopMS"));
    } else {
        m_skin.NormalizzaMiniPulsanti(MiniHover::Background);
    }
    m_model.PulsanteMiniPremuto = false;
}

void TransportButtons::ripetiPressed()
{
    m_model.PulsantePremuto = true;
    m_model.setPicture(Image::Ripeti, m_transport.ripetiPicture("PPN"));
}

// The choice lasts until the window closes; the next window starts from the settings again.
void TransportButtons::ripetiReleased(bool inside)
{
    if (inside) {
        if (m_model.Ripeti) {
            m_model.setPicture(Image::Ripeti, QStringLiteral("NRipetiSPN"));
            m_model.Ripeti = false;
            m_skin.ApplicaInfo(InfoEntry::Repeat, 0);
        } else {
            m_model.setPicture(Image::Ripeti, QStringLiteral("RipetiSPN"));
            m_model.Ripeti = true;
            m_skin.ApplicaInfo(InfoEntry::Repeat, 1);
        }
    } else {
        m_skin.NormalizzaPulsanti(MainHover::Background);
    }
    m_model.PulsantePremuto = false;
}
