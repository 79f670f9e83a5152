#include "player/stripbuilder.h"

#include "player/logic/skin/controlnames.h"
#include "player/playercontrols.h"
#include "player/playerwidgets.h"
#include "widgets/twips.h"

#include <QLabel>

using namespace PlayerLayout;

void StripBuilder::build(QWidget *window)
{
    auto *strip = new Surface(PlayerColours::panel(), PlayerColours::panel(), window);
    strip->setObjectName(QStringLiteral("imgWMPlaySotto"));
    strip->resize(Twips::toPixels(StripWidth), Twips::toPixels(StripHeight));
    m_c.strip = strip;

    buildProgress();
    m_c.image(Image::SlittaAlto, strip, "imgSlittaAlto", 6650, 450, 405, 210);
    m_c.image(Image::PlayMini, strip, "imgPlayMini", 7050, 420, 420, 270);
    m_c.image(Image::StopMini, strip, "imgStopMini", 7470, 420, 420, 270);
    buildVolumeSlider();
}

void StripBuilder::buildProgress()
{
    QWidget *strip = m_c.strip;
    m_c.bar = new SeekBar(strip);
    m_c.bar->setObjectName(QStringLiteral("ProgressoMedia"));
    m_c.bar->setGeometry(Twips::toPixels(BarLeft, BarTop, BarWidth, BarHeight));
    m_c.knob = new Knob(strip);
    m_c.knob->setObjectName(QStringLiteral("Picture1"));
    m_c.knob->setGeometry(Twips::toPixels(0, KnobTop, KnobWidth, KnobHeight));
    m_c.knobSurface = new QWidget(strip);
    m_c.knobSurface->setObjectName(QStringLiteral("btnProgressoMedia"));
    m_c.knobSurface->setGeometry(m_c.knob->geometry());
    m_c.knobSurface->setMouseTracking(true);
    for (QWidget *part :
         {static_cast<QWidget *>(m_c.bar), static_cast<QWidget *>(m_c.knob), m_c.knobSurface})
        part->setAccessibleName(ControlNames::position());

    m_c.texts.at(size_t(Text::Label8)) = PlayerControls::label(
        strip, "Label8", QStringLiteral("00.00 / 00.00"), 150, 420, 1650, 270);
    m_c.texts.at(size_t(Text::Avanzamento)) = PlayerControls::label(
        strip, "Avanzamento", QStringLiteral("Avanzamento della traccia"), 1950, 420, 4500, 270);
    for (Text t : {Text::Label8, Text::Avanzamento}) {
        PlayerControls::setPixelFont(m_c.texts.at(size_t(t)), 12, t == Text::Label8);
        PlayerControls::setColour(m_c.texts.at(size_t(t)), PlayerColours::text());
    }
}

// The skinned player-volume slider: the track shows the level up to the knob's centre; the
// knob's picture lies over the surfaces that take the mouse and lets the mouse through.
void StripBuilder::buildVolumeSlider()
{
    m_c.volumeTrack = new VolumeTrack(m_c.strip);
    m_c.volumeTrack->setObjectName(QStringLiteral("imgSliderVolume"));
    m_c.volumeTrack->setGeometry(
        Twips::toPixels(VolumeTrackLeft, VolumeTrackTop, VolumeTrackWidth, VolumeTrackHeight));
    m_c.volumeSensor = new QWidget(m_c.strip);
    m_c.volumeSensor->setObjectName(QStringLiteral("SensoreimgSliderVolume"));
    m_c.volumeSensor->setGeometry(
        Twips::toPixels(VolumeTrackLeft, VolumeSensorTop, VolumeTrackWidth, VolumeSensorHeight));
    const QRect knob = Twips::toPixels(VolumeTrackLeft - VolumeKnobWidth / 2, VolumeKnobTop,
                                       VolumeKnobWidth, VolumeKnobHeight);
    m_c.volumeKnobSurface = new QWidget(m_c.strip);
    m_c.volumeKnobSurface->setObjectName(QStringLiteral("imgVolume"));
    m_c.volumeKnobSurface->setGeometry(knob);
    m_c.volumeKnob = new Knob(m_c.strip);
    m_c.volumeKnob->setObjectName(QStringLiteral("picVolume"));
    m_c.volumeKnob->setGeometry(knob);
    for (QWidget *part : {static_cast<QWidget *>(m_c.volumeTrack), m_c.volumeSensor,
                          m_c.volumeKnobSurface, static_cast<QWidget *>(m_c.volumeKnob)})
        part->setAccessibleName(ControlNames::playerVolume());
}
