#include "player/logic/sound/computervolume.h"

#include "core/settings.h"
#include "platform/mixerlauncher.h"
#include "platform/systemmixer.h"
#include "player/logic/playermodel.h"
#include "player/logic/skin/skinbuttons.h"

ComputerVolume::ComputerVolume(PlayerModel &model, SkinButtons &skin, Settings &settings,
                               SystemMixer &mixer, MixerLauncher &launcher)
    : m_model(model), m_skin(skin), m_settings(settings), m_mixer(mixer), m_launcher(launcher)
{
}

// Without a mixer the slider is disabled; a mixer without any volume control leaves it
// enabled, and its moves then set nothing.
void ComputerVolume::ApriMixer()
{
    m_model.volumeForUpdate().computerEnabled = m_mixer.open();
    m_model.volumeUpdated();
}

void ComputerVolume::open()
{
    ApriMixer();
    m_model.letEventsRun();
    if (m_model.unloaded)
        return;
    m_keepStored = false;
    if (m_settings.number(QStringLiteral("ckvolprinc")) != 1) {
        sliderChanged(50);
        return;
    }
    bool ok = false;
    const int kept = m_settings.value(QStringLiteral("volprinc")).toInt(&ok);
    if (ok && kept >= 0 && kept <= 100) {
        sliderChanged(kept);
        return;
    }
    // A damaged volprinc reads as 0 and would silence the computer in front of the audience.
    m_keepStored = true;
    const int current = m_mixer.sliderValue();
    m_model.volumeForUpdate().computer = current >= 0 ? current : 50;
    m_model.volumeUpdated();
}

void ComputerVolume::sliderChanged(int value)
{
    m_keepStored = false;
    m_model.volumeForUpdate().computer = qBound(0, value, 100);
    m_model.volumeUpdated();
    m_mixer.setVolumeFromSlider(m_model.volume().computer);
}

void ComputerVolume::unload()
{
    if (!m_keepStored)
        m_settings.setValue(QStringLiteral("volprinc"), QString::number(m_model.volume().computer));
    m_mixer.close();
}

void ComputerVolume::mixerPressed()
{
    m_model.PulsantePremuto = true;
    m_model.setPicture(Image::Mixer, QStringLiteral("MixerP"));
}

void ComputerVolume::mixerReleased(bool inside)
{
    if (inside) {
        // No mixer application on this system: the button does nothing.
        static_cast<void>(m_launcher.start());
        m_model.setPicture(Image::Mixer, QStringLiteral("MixerS"));
    } else {
        m_skin.NormalizzaPulsanti(MainHover::Background);
    }
    m_model.PulsantePremuto = false;
}
