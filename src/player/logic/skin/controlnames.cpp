#include "player/logic/skin/controlnames.h"

#include "player/logic/playermodel.h"
#include "player/logic/skin/infotexts.h"

namespace {

const InfoTexts &texts()
{
    static const InfoTexts filled = [] {
        InfoTexts table;
        table.AggiornaInfo();
        return table;
    }();
    return filled;
}

// The info entry of a picture button and the first letters of the pictures that show its
// second state (variant 1); an empty prefix means the button has one state.
struct Named {
    InfoEntry entry;
    QStringView secondState;
    int variant = 0; // for buttons of one state
};

Named named(Image image)
{
    switch (image) {
    case Image::Play1:
    case Image::Play:
    case Image::Play3:
        return {InfoEntry::Play, u"Pausa"};
    case Image::PlayMini:
        return {InfoEntry::Play, u"PausaM"};
    case Image::Stop:
    case Image::StopMini:
        return {InfoEntry::Stop, {}};
    case Image::Ripeti:
        return {InfoEntry::Repeat, u"Ripeti"}; // "NRipeti..." while off
    case Image::Muto:
        return {InfoEntry::Mute, u"Muto"}; // "Sonoro..." while the sound is on
    case Image::Aggancia:
        return {InfoEntry::Dock, u"Sganciato"};
    case Image::SlittaBasso:
        return {InfoEntry::Panel, {}, 0};
    case Image::SlittaAlto:
        return {InfoEntry::Panel, {}, 1};
    case Image::Mixer:
        return {InfoEntry::Mixer, {}};
    case Image::Chiudi:
        return {InfoEntry::Close, {}};
    case Image::Count:
        break;
    }
    return {InfoEntry::Nothing, {}};
}

} // namespace

namespace ControlNames {

QString ofPicture(Image image, const QString &picture)
{
    const Named button = named(image);
    int variant = button.variant;
    if (!button.secondState.isEmpty())
        variant = picture.startsWith(button.secondState) ? 1 : 0;
    return texts().text(button.entry, variant, 0);
}

QString computerVolume()
{
    return QStringLiteral("Volume del Computer");
}

QString playerVolume()
{
    return QStringLiteral("Volume di Windows Media Player");
}

QString speed()
{
    return texts().text(InfoEntry::Speed, 0, 0);
}

QString position()
{
    return texts().text(InfoEntry::Position, 0, 0);
}

} // namespace ControlNames
