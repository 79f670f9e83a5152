#pragma once

#include "player/logic/playermodel.h"

#include <array>

class Backdrop;
class InfoBox;
class Knob;
class QColor;
class QLabel;
class QPushButton;
class QSlider;
class QWidget;
class SeekBar;
class SkinImage;
class VolumeTrack;

// The playback window's controls as its builders made them: the window shows the logic's values
// on them, the mouse routing table listens to them. The window owns every one (Qt parents).
struct PlayerControls {
    std::array<SkinImage *, size_t(Image::Count)> images{};
    std::array<QLabel *, size_t(Text::Count)> texts{};

    QWidget *panel = nullptr;
    QWidget *strip = nullptr;
    Backdrop *backdrop = nullptr;
    InfoBox *infoBox = nullptr;
    QWidget *sideLeft = nullptr;
    QWidget *sideRight = nullptr;
    SeekBar *bar = nullptr;
    QWidget *knobSurface = nullptr;
    Knob *knob = nullptr;
    QWidget *miniIndicator = nullptr;
    QWidget *miniSensor = nullptr;
    QLabel *grip = nullptr;
    QSlider *volPrinc = nullptr;
    QSlider *volume = nullptr;
    QSlider *velocita = nullptr;
    QLabel *volumeCaption = nullptr;
    VolumeTrack *volumeTrack = nullptr;
    QWidget *volumeSensor = nullptr;
    QWidget *volumeKnobSurface = nullptr;
    Knob *volumeKnob = nullptr;
    QPushButton *pausa = nullptr;
    QPushButton *stop = nullptr;
    QPushButton *command1 = nullptr;

    // A skin picture control at its designed place (twips), kept as the control of which.
    SkinImage *image(Image which, QWidget *parent, const char *name, double left, double top,
                     double width, double height);
    // A caption in the panel's small font and colour at its designed place (twips).
    static QLabel *label(QWidget *parent, const char *name, const QString &text, double left,
                         double top, double width, double height);
    static void setPixelFont(QWidget *widget, int pixels, bool bold);
    static void setColour(QWidget *widget, const QColor &colour);
    // The style of the panel's plain sliders (volumes and speed).
    static QString sliderStyle();
};
