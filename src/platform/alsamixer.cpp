#include "platform/alsamixer.h"

#include <alsa/asoundlib.h>

#include <climits>

namespace {

// alsa-lib reports every failed lookup on stderr ("cannot find card '0'" and so on); a machine
// without sound is normal for us and the caller learns it from open()'s result.
void discardAlsaMessage(const char *, int, const char *, int, const char *, ...) {}

// Opens the "default" control device with a freshly read configuration. alsa-lib decides at
// the first read of its global configuration whether "default" is the sound server or a card,
// and keeps that decision for the life of the process; a private copy lets every open see a
// sound server that was started, or stopped, since.
snd_hctl_t *openDefaultControls()
{
    snd_config_t *config = nullptr;
    snd_config_update_t *update = nullptr;
    if (snd_config_update_r(&config, &update, nullptr) < 0) {
        return nullptr;
    }
    snd_ctl_t *ctl = nullptr;
    const int opened = snd_ctl_open_lconf(&ctl, "default", 0, config);
    // The control device keeps nothing of the configuration it was opened with.
    snd_config_delete(config);
    snd_config_update_free(update);
    if (opened < 0) {
        return nullptr;
    }
    snd_hctl_t *hctl = nullptr;
    if (snd_hctl_open_ctl(&hctl, ctl) < 0) {
        snd_ctl_close(ctl);
        return nullptr;
    }
    return hctl;
}

} // namespace

struct AlsaMixer::Open {
    snd_mixer_t *handle = nullptr;
    snd_mixer_elem_t *master = nullptr;
    int maximum = 0;
};

AlsaMixer::AlsaMixer() = default;

AlsaMixer::~AlsaMixer()
{
    close();
}

bool AlsaMixer::open()
{
    close();
    snd_lib_error_set_handler(discardAlsaMessage);

    snd_hctl_t *hctl = openDefaultControls();
    if (!hctl) {
        return false;
    }
    snd_mixer_t *handle = nullptr;
    if (snd_mixer_open(&handle, 0) < 0) {
        snd_hctl_close(hctl);
        return false;
    }
    // From here on the mixer owns the control device and closes it with itself.
    if (snd_mixer_attach_hctl(handle, hctl) < 0 ||
        snd_mixer_selem_register(handle, nullptr, nullptr) < 0 || snd_mixer_load(handle) < 0) {
        snd_mixer_close(handle);
        return false;
    }

    snd_mixer_selem_id_t *id = nullptr;
    snd_mixer_selem_id_alloca(&id);
    snd_mixer_selem_id_set_name(id, "Master");
    snd_mixer_selem_id_set_index(id, 0);
    snd_mixer_elem_t *master = snd_mixer_find_selem(handle, id);
    long minimum = 0;
    long maximum = 0;
    if (!master || !snd_mixer_selem_has_playback_volume(master) ||
        snd_mixer_selem_get_playback_volume_range(master, &minimum, &maximum) < 0 || maximum <= 0 ||
        maximum > INT_MAX / 100) {
        snd_mixer_close(handle);
        return false;
    }
    m_open = std::make_unique<Open>(Open{handle, master, static_cast<int>(maximum)});
    return true;
}

int AlsaMixer::maximum() const
{
    return m_open ? m_open->maximum : 0;
}

void AlsaMixer::setVolumeFromSlider(int sliderValue)
{
    if (!m_open) {
        return;
    }
    snd_mixer_selem_set_playback_volume_all(m_open->master,
                                            mixerValueForSlider(sliderValue, m_open->maximum));
}

void AlsaMixer::close()
{
    if (m_open) {
        snd_mixer_close(m_open->handle);
    }
    m_open.reset();
}
