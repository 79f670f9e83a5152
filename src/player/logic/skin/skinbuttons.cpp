#include "player/logic/skin/skinbuttons.h"

#include "platform/mediaplayer.h"
#include "player/logic/playermemory.h"
#include "player/logic/playermodel.h"

SkinButtons::SkinButtons(PlayerModel &model, MediaPlayer &player, PlayerMemory &memory)
    : m_model(model), m_player(player), m_memory(memory)
{
}

bool SkinButtons::playing() const
{
    return isPlaying(m_player.playState());
}

QString SkinButtons::normalPicture(Image image) const
{
    switch (image) {
    case Image::Play1:
        return QStringLiteral("Play1N");
    case Image::Play:
        return playing() ? QStringLiteral("Pausa2N") : QStringLiteral("Play2N");
    case Image::Play3:
        return QStringLiteral("Play3N");
    case Image::Stop:
        return QStringLiteral("StopNPN");
    case Image::Ripeti:
        return m_model.Ripeti ? QStringLiteral("RipetiNPN") : QStringLiteral("NRipetiNPN");
    case Image::Muto:
        return m_memory.VolumeMuto ? QStringLiteral("MutoN") : QStringLiteral("SonoroN");
    case Image::Aggancia:
        return m_model.WMPSempreVisib == 1 ? QStringLiteral("AgganciatoN")
                                           : QStringLiteral("SganciatoN");
    case Image::SlittaBasso:
        return QStringLiteral("ScorriBassoN");
    case Image::Mixer:
        return QStringLiteral("MixerN");
    case Image::Chiudi:
        return QStringLiteral("ChiudiN");
    case Image::PlayMini:
        return playing() ? QStringLiteral("PausaMN") : QStringLiteral("PlayMN");
    case Image::StopMini:
        return QStringLiteral("StopMN");
    case Image::SlittaAlto:
        return QStringLiteral("ScorriAltoN");
    case Image::Count:
        break;
    }
    return {};
}

void SkinButtons::restore(Image image)
{
    m_model.setPicture(image, normalPicture(image));
}

void SkinButtons::restoreIfHovered(int oggetto, Image image)
{
    if (m_model.Oggetto == oggetto)
        restore(image);
}

void SkinButtons::NormalizzaPulsanti(int control, int subOggetto)
{
    if (m_model.MiniOggetto != 0)
        NormalizzaMiniPulsanti(0, 0);
    if (m_model.Oggetto == subOggetto)
        return;
    m_model.OggettoXWMP = 0;
    int variant = 0;
    if (control == 0)
        restoreMain(m_model.Oggetto);
    else if (!m_model.PulsantePremuto)
        variant = hoverMain(control);
    ApplicaInfo(control, variant);
    m_model.Oggetto = subOggetto;
}

// Play, repeat and stop share the big button's glow, so leaving any of them restores all three.
void SkinButtons::restoreMain(int oggetto)
{
    switch (oggetto) {
    case 1:
    case 2:
    case 3:
        restore(Image::Play);
        restore(Image::Ripeti);
        restore(Image::Stop);
        break;
    case 4:
        restore(Image::Muto);
        break;
    case 5:
        restore(Image::Aggancia);
        break;
    case 6:
        restore(Image::SlittaBasso);
        break;
    case 8:
        restore(Image::Mixer);
        break;
    case 9:
        restore(Image::Chiudi);
        break;
    default:
        break;
    }
}

// The hover picture of a main button; the neighbour the mouse may have come from without
// crossing the background goes back to normal. Returns the info variant.
int SkinButtons::hoverMain(int control)
{
    switch (control) {
    case 1: {
        const bool on = playing();
        m_model.setPicture(Image::Play, on ? QStringLiteral("Pausa2S") : QStringLiteral("Play2S"));
        m_model.OggettoXWMP = 1;
        restoreIfHovered(3, Image::Ripeti);
        restoreIfHovered(2, Image::Stop);
        return on ? 1 : 0;
    }
    case 2:
        m_model.setPicture(Image::Stop, QStringLiteral("StopSPN"));
        restoreIfHovered(1, Image::Play);
        restoreIfHovered(5, Image::Aggancia);
        return 0;
    case 3:
        m_model.setPicture(Image::Ripeti, m_model.Ripeti ? QStringLiteral("RipetiSPN")
                                                         : QStringLiteral("NRipetiSPN"));
        restoreIfHovered(1, Image::Play);
        restoreIfHovered(4, Image::Muto);
        return m_model.Ripeti ? 1 : 0;
    case 4:
        m_model.setPicture(Image::Muto, m_memory.VolumeMuto ? QStringLiteral("MutoS")
                                                            : QStringLiteral("SonoroS"));
        restore(Image::Ripeti);
        return m_memory.VolumeMuto ? 1 : 0;
    case 5: {
        const bool docked = m_model.WMPSempreVisib == 1;
        m_model.setPicture(Image::Aggancia,
                           docked ? QStringLiteral("AgganciatoS") : QStringLiteral("SganciatoS"));
        restoreIfHovered(2, Image::Stop);
        restoreIfHovered(6, Image::SlittaBasso);
        return docked ? 0 : 1;
    }
    case 6:
        m_model.setPicture(Image::SlittaBasso, QStringLiteral("ScorriBassoS"));
        restoreIfHovered(5, Image::Aggancia);
        return 0;
    case 8:
        m_model.setPicture(Image::Mixer, QStringLiteral("MixerS"));
        return 0;
    case 9:
        m_model.setPicture(Image::Chiudi, QStringLiteral("ChiudiS"));
        return 0;
    default:
        return 0;
    }
}

void SkinButtons::NormalizzaMiniPulsanti(int control, int subOggetto)
{
    if (m_model.MiniOggetto == subOggetto)
        return;
    m_model.OggettoXWMP = 0;
    int entry = control;
    int variant = 0;
    const int before = m_model.MiniOggetto;
    const bool held = m_model.PulsanteMiniPremuto;
    switch (control) {
    case 0:
        if (before == 1)
            restore(Image::PlayMini);
        else if (before == 2)
            restore(Image::StopMini);
        else if (before == 3)
            restore(Image::SlittaAlto);
        break;
    case 1:
        if (held)
            break;
        if (playing()) {
            m_model.setPicture(Image::PlayMini, QStringLiteral("PausaMS"));
            variant = 1;
        } else {
            m_model.setPicture(Image::PlayMini, QStringLiteral("PlayMS"));
        }
        m_model.OggettoXWMP = 2;
        if (before == 2)
            restore(Image::StopMini);
        if (before == 3)
            restore(Image::SlittaAlto);
        break;
    case 2:
        if (held)
            break;
        m_model.setPicture(Image::StopMini, QStringLiteral("StopMS"));
        if (before == 1)
            restore(Image::PlayMini);
        break;
    case 3:
        // The slide-up button tells about the panel it shows.
        entry = 6;
        variant = 1;
        if (held)
            break;
        m_model.setPicture(Image::SlittaAlto, QStringLiteral("ScorriAltoS"));
        if (before == 1)
            restore(Image::PlayMini);
        break;
    default:
        break;
    }
    ApplicaInfo(entry, variant);
    m_model.MiniOggetto = subOggetto;
}

void SkinButtons::ApplicaInfo(int entry, int chPulsante)
{
    const QString title = m_info.text(entry, chPulsante, 0);
    if (m_model.text(Text::Info0) != title)
        m_model.setText(Text::Info0, title);
    const QString description = m_info.text(entry, chPulsante, 1);
    if (m_model.text(Text::Info1) != description)
        m_model.setText(Text::Info1, description);
}

void SkinButtons::infoOnly(int entry)
{
    ApplicaInfo(entry, 0);
    m_model.Oggetto = 7;
}
