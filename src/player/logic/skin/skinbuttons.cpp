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

void SkinButtons::restoreIfHovered(MainHover hovered, Image image)
{
    if (m_model.Oggetto == hovered)
        restore(image);
}

namespace {

InfoEntry entryOf(MainHover control)
{
    switch (control) {
    case MainHover::BigPlay:
        return InfoEntry::Play;
    case MainHover::Stop:
        return InfoEntry::Stop;
    case MainHover::Repeat:
        return InfoEntry::Repeat;
    case MainHover::Mute:
        return InfoEntry::Mute;
    case MainHover::Dock:
        return InfoEntry::Dock;
    case MainHover::SlideDown:
        return InfoEntry::Panel;
    case MainHover::Mixer:
        return InfoEntry::Mixer;
    case MainHover::Close:
        return InfoEntry::Close;
    case MainHover::Background:
    case MainHover::InfoOnly:
        break;
    }
    return InfoEntry::Nothing;
}

} // namespace

void SkinButtons::NormalizzaPulsanti(MainHover control)
{
    if (m_model.MiniOggetto != MiniHover::Background)
        NormalizzaMiniPulsanti(MiniHover::Background);
    if (m_model.Oggetto == control)
        return;
    m_model.OggettoXWMP = PlayHover::None;
    int variant = 0;
    if (control == MainHover::Background)
        restoreMain(m_model.Oggetto);
    else if (!m_model.PulsantePremuto)
        variant = hoverMain(control);
    ApplicaInfo(entryOf(control), variant);
    m_model.Oggetto = control;
}

// Play, repeat and stop share the big button's glow, so leaving any of them restores all three.
void SkinButtons::restoreMain(MainHover hovered)
{
    switch (hovered) {
    case MainHover::BigPlay:
    case MainHover::Stop:
    case MainHover::Repeat:
        restore(Image::Play);
        restore(Image::Ripeti);
        restore(Image::Stop);
        break;
    case MainHover::Mute:
        restore(Image::Muto);
        break;
    case MainHover::Dock:
        restore(Image::Aggancia);
        break;
    case MainHover::SlideDown:
        restore(Image::SlittaBasso);
        break;
    case MainHover::Mixer:
        restore(Image::Mixer);
        break;
    case MainHover::Close:
        restore(Image::Chiudi);
        break;
    case MainHover::Background:
    case MainHover::InfoOnly:
        break;
    }
}

// The hover picture of a main button; the neighbour the mouse may have come from without
// crossing the background goes back to normal. Returns the info variant.
int SkinButtons::hoverMain(MainHover control)
{
    switch (control) {
    case MainHover::BigPlay: {
        const bool on = playing();
        m_model.setPicture(Image::Play, on ? QStringLiteral("Pausa2S") : QStringLiteral("Play2S"));
        m_model.OggettoXWMP = PlayHover::Big;
        restoreIfHovered(MainHover::Repeat, Image::Ripeti);
        restoreIfHovered(MainHover::Stop, Image::Stop);
        return on ? 1 : 0;
    }
    case MainHover::Stop:
        m_model.setPicture(Image::Stop, QStringLiteral("StopSPN"));
        restoreIfHovered(MainHover::BigPlay, Image::Play);
        restoreIfHovered(MainHover::Dock, Image::Aggancia);
        return 0;
    case MainHover::Repeat:
        m_model.setPicture(Image::Ripeti, m_model.Ripeti ? QStringLiteral("RipetiSPN")
                                                         : QStringLiteral("NRipetiSPN"));
        restoreIfHovered(MainHover::BigPlay, Image::Play);
        restoreIfHovered(MainHover::Mute, Image::Muto);
        return m_model.Ripeti ? 1 : 0;
    case MainHover::Mute:
        m_model.setPicture(Image::Muto, m_memory.VolumeMuto ? QStringLiteral("MutoS")
                                                            : QStringLiteral("SonoroS"));
        restore(Image::Ripeti);
        return m_memory.VolumeMuto ? 1 : 0;
    case MainHover::Dock: {
        const bool docked = m_model.WMPSempreVisib == 1;
        m_model.setPicture(Image::Aggancia,
                           docked ? QStringLiteral("AgganciatoS") : QStringLiteral("SganciatoS"));
        restoreIfHovered(MainHover::Stop, Image::Stop);
        restoreIfHovered(MainHover::SlideDown, Image::SlittaBasso);
        return docked ? 0 : 1;
    }
    case MainHover::SlideDown:
        m_model.setPicture(Image::SlittaBasso, QStringLiteral("ScorriBassoS"));
        restoreIfHovered(MainHover::Dock, Image::Aggancia);
        return 0;
    case MainHover::Mixer:
        m_model.setPicture(Image::Mixer, QStringLiteral("MixerS"));
        return 0;
    case MainHover::Close:
        m_model.setPicture(Image::Chiudi, QStringLiteral("ChiudiS"));
        return 0;
    case MainHover::Background:
    case MainHover::InfoOnly:
        break;
    }
    return 0;
}

void SkinButtons::NormalizzaMiniPulsanti(MiniHover control)
{
    if (m_model.MiniOggetto == control)
        return;
    m_model.OggettoXWMP = PlayHover::None;
    InfoEntry entry = InfoEntry::Nothing;
    int variant = 0;
    const MiniHover before = m_model.MiniOggetto;
    const bool held = m_model.PulsanteMiniPremuto;
    switch (control) {
    case MiniHover::Background:
        if (before == MiniHover::Play)
            restore(Image::PlayMini);
        else if (before == MiniHover::Stop)
            restore(Image::StopMini);
        else if (before == MiniHover::SlideUp)
            restore(Image::SlittaAlto);
        break;
    case MiniHover::Play:
        entry = InfoEntry::Play;
        if (held)
            break;
        if (playing()) {
            m_model.setPicture(Image::PlayMini, QStringLiteral("PausaMS"));
            variant = 1;
        } else {
            m_model.setPicture(Image::PlayMini, QStringLiteral("PlayMS"));
        }
        m_model.OggettoXWMP = PlayHover::Mini;
        if (before == MiniHover::Stop)
            restore(Image::StopMini);
        if (before == MiniHover::SlideUp)
            restore(Image::SlittaAlto);
        break;
    case MiniHover::Stop:
        entry = InfoEntry::Stop;
        if (held)
            break;
        m_model.setPicture(Image::StopMini, QStringLiteral("StopMS"));
        if (before == MiniHover::Play)
            restore(Image::PlayMini);
        break;
    case MiniHover::SlideUp:
        // The slide-up button tells about the panel it shows.
        entry = InfoEntry::Panel;
        variant = 1;
        if (held)
            break;
        m_model.setPicture(Image::SlittaAlto, QStringLiteral("ScorriAltoS"));
        if (before == MiniHover::Play)
            restore(Image::PlayMini);
        break;
    case MiniHover::InfoOnly:
        break;
    }
    ApplicaInfo(entry, variant);
    m_model.MiniOggetto = control;
}

void SkinButtons::ApplicaInfo(InfoEntry entry, int variant)
{
    const QString title = m_info.text(entry, variant, 0);
    if (m_model.text(Text::Info0) != title)
        m_model.setText(Text::Info0, title);
    const QString description = m_info.text(entry, variant, 1);
    if (m_model.text(Text::Info1) != description)
        m_model.setText(Text::Info1, description);
}

void SkinButtons::infoOnly(InfoEntry entry, int variant)
{
    ApplicaInfo(entry, variant);
    m_model.Oggetto = MainHover::InfoOnly;
}

void SkinButtons::miniInfoOnly(InfoEntry entry)
{
    ApplicaInfo(entry, 0);
    m_model.MiniOggetto = MiniHover::InfoOnly;
}
