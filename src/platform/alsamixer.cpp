#include "platform/alsamixer.h"

#include <alsa/asoundlib.h>

#include <QtGlobal>

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

    // A mixer without any volume control still counts as a mixer: the slider stays usable
    // and sets nothing.
    std::vector<Element> elements;
    std::vector<snd_mixer_elem_t *> handles;
    for (snd_mixer_elem_t *elem = snd_mixer_first_elem(handle); elem;
         elem = snd_mixer_elem_next(elem)) {
        Element element;
        element.name = snd_mixer_selem_get_name(elem);
        element.playbackVolume = snd_mixer_selem_has_playback_volume(elem) != 0;
        long minimum = 0;
        if (element.playbackVolume &&
            snd_mixer_selem_get_playback_volume_range(elem, &minimum, &element.maximum) < 0)
            element.maximum = 0;
        elements.push_back(element);
        handles.push_back(elem);
    }
    m_open = std::make_unique<Open>(Open{handle, nullptr, 0});
    if (const std::optional<size_t> chosen = chooseVolumeControl(elements)) {
        m_open->control = handles.at(*chosen);
        m_open->maximum = static_cast<int>(elements.at(*chosen).maximum);
    }
    return true;
}

std::optional<size_t> AlsaMixer::chooseVolumeControl(const std::vector<Element> &elements)
{
    const auto usable = [](const Element &e) {
        return e.playbackVolume && e.maximum > 0 && e.maximum <= INT_MAX / 100;
    };
    for (size_t i = 0; i < elements.size(); ++i) {
        if (elements[i].name == "Master" && usable(elements[i]))
            return i;
    }
    for (size_t i = 0; i < elements.size(); ++i) {
        if (usable(elements[i]))
            return i;
    }
    return std::nullopt;
}

int AlsaMixer::maximum() const
{
    return isAvailable() ? m_open->maximum : 0;
}

void AlsaMixer::setVolumeFromSlider(int sliderValue)
{
    if (!isAvailable()) {
        return;
    }
    snd_mixer_selem_set_playback_volume_all(m_open->control,
                                            mixerValueForSlider(sliderValue, m_open->maximum));
}

int AlsaMixer::sliderValue() const
{
    long value = 0;
    if (!isAvailable() ||
        snd_mixer_selem_get_playback_volume(m_open->control, SND_MIXER_SCHN_FRONT_LEFT, &value) < 0)
        return -1;
    const long maximum = m_open->maximum;
    return static_cast<int>((qBound(0L, value, maximum) * 100 + maximum / 2) / maximum);
}

void AlsaMixer::close()
{
    if (m_open) {
        snd_mixer_close(m_open->handle);
    }
    m_open.reset();
}
