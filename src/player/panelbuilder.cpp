#include "player/panelbuilder.h"

#include "player/logic/playerlogic.h"
#include "player/logic/skin/controlnames.h"
#include "player/playercontrols.h"
#include "player/playerwidgets.h"
#include "widgets/twips.h"

#include <QLabel>
#include <QSlider>

using namespace PlayerLayout;

void PanelBuilder::build(QWidget *window)
{
    auto *panel = new Surface(PlayerColours::panel(), PlayerColours::panel(), window);
    panel->setObjectName(QStringLiteral("SchedaControlli"));
    panel->setEdge(QColor(66, 72, 86));
    panel->setRadius(6);
    panel->resize(Twips::toPixels(PanelWidth), Twips::toPixels(PanelHeight));
    m_c.panel = panel;

    m_c.grip = PlayerControls::label(panel, "lblTrascinaScheda", QStringLiteral(":::::::::::::"),
                                     4410, 120, 615, 195);
    m_c.grip->setAlignment(Qt::AlignCenter);
    m_c.grip->setCursor(Qt::SizeVerCursor);
    m_c.grip->setMouseTracking(true);
    m_c.image(Image::SlittaBasso, panel, "imgSlittaBasso", 8685, 200, 270, 270);
    m_c.image(Image::Aggancia, panel, "imgAggancia", 8000, 520, 525, 510);

    buildTransport();
    buildInfo();
    buildVolumeSliders();
    buildSpeedAndMeter();
    buildMiniProgress();
    buildTimeFields();
}

// Mute and repeat, the big play button in three pieces, stop; neighbours touch.
void PanelBuilder::buildTransport()
{
    QWidget *panel = m_c.panel;
    m_c.image(Image::Muto, panel, "imgMuto", 4875, 480, 600, 600);
    m_c.image(Image::Ripeti, panel, "imgRipeti", 5475, 480, 600, 600);
    m_c.image(Image::Play1, panel, "imgPlay1", 6075, 360, 240, 840);
    m_c.image(Image::Play, panel, "imgPlay", 6315, 360, 840, 840);
    m_c.image(Image::Play3, panel, "imgPlay3", 7155, 360, 240, 840);
    m_c.image(Image::Stop, panel, "imgStop", 7395, 480, 600, 600);
}

void PanelBuilder::buildInfo()
{
    QWidget *panel = m_c.panel;
    m_c.infoBox = new InfoBox(panel);
    m_c.infoBox->setObjectName(QStringLiteral("imgInfo"));
    m_c.infoBox->setGeometry(Twips::toPixels(180, 150, 4080, 960));
    QLabel *info0 = PlayerControls::label(panel, "lblInfo0", {}, 330, 240, 3780, 300);
    PlayerControls::setPixelFont(info0, 14, true);
    PlayerControls::setColour(info0, PlayerColours::text());
    QLabel *info1 = PlayerControls::label(panel, "lblInfo1", {}, 330, 585, 3780, 450);
    info1->setWordWrap(true);
    info1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PlayerControls::setPixelFont(info1, 12, false);
    m_c.texts.at(size_t(Text::Info0)) = info0;
    m_c.texts.at(size_t(Text::Info1)) = info1;
}

// The computer's and the player's sliders share Picture2, which shows one of them; their
// caption is seen through a window of its own, out of which it rises while the sliders swap.
void PanelBuilder::buildVolumeSliders()
{
    auto *captionWindow = new QWidget(m_c.panel);
    captionWindow->setObjectName(QStringLiteral("lblVolumeWindow"));
    captionWindow->setGeometry(Twips::toPixels(SlidersLeft, VolumeLabelClipTop, VolumeLabelWidth,
                                               SlidersTop - VolumeLabelClipTop));
    m_c.volumeCaption = PlayerControls::label(
        captionWindow, "lblVolume", ControlNames::computerVolume(), 0,
        VolumeLabelShownTop - VolumeLabelClipTop, VolumeLabelWidth, VolumeLabelHeight);
    // It is clicked to swap the sliders.
    m_c.volumeCaption->setCursor(Qt::PointingHandCursor);
    m_c.texts.at(size_t(Text::LblVolume)) = m_c.volumeCaption;

    auto *sliders = new QWidget(m_c.panel);
    sliders->setObjectName(QStringLiteral("Picture2"));
    sliders->setGeometry(Twips::toPixels(SlidersLeft, SlidersTop, SlidersWidth, SlidersHeight));
    m_c.volPrinc = new QSlider(Qt::Horizontal, sliders);
    m_c.volPrinc->setObjectName(QStringLiteral("VolPrinc"));
    m_c.volume = new QSlider(Qt::Horizontal, sliders);
    m_c.volume->setObjectName(QStringLiteral("volume"));
    m_c.volPrinc->setAccessibleName(ControlNames::computerVolume());
    m_c.volume->setAccessibleName(ControlNames::playerVolume());
    for (QSlider *slider : {m_c.volPrinc, m_c.volume}) {
        slider->setRange(0, 100);
        slider->setStyleSheet(PlayerControls::sliderStyle());
    }
    // The computer's slider is shown first; the player's waits to its right.
    m_c.volPrinc->setGeometry(Twips::toPixels(0, 0, SlidersWidth, SlidersHeight));
    m_c.volume->setGeometry(
        Twips::toPixels(SlidersWidth + SliderParkGap, 0, SlidersWidth, SlidersHeight));
    PlayerLogic &logic = m_logic;
    QObject::connect(m_c.volume, &QSlider::valueChanged, m_c.volume,
                     [&logic](int value) { logic.volume.sliderChanged(value); });
    QObject::connect(m_c.volPrinc, &QSlider::valueChanged, m_c.volPrinc,
                     [&logic](int value) { logic.computer.sliderChanged(value); });
}

// The speed slider, the CPU meter, the mixer and close buttons.
void PanelBuilder::buildSpeedAndMeter()
{
    QWidget *panel = m_c.panel;
    PlayerControls::label(panel, "Label3", ControlNames::speed(), 2940, 1395, 2250, 240);
    m_c.velocita = new QSlider(Qt::Horizontal, panel);
    m_c.velocita->setObjectName(QStringLiteral("Velocita"));
    m_c.velocita->setAccessibleName(ControlNames::speed());
    m_c.velocita->setRange(0, 5);
    m_c.velocita->setPageStep(1);
    m_c.velocita->setValue(2);
    m_c.velocita->setStyleSheet(PlayerControls::sliderStyle());
    m_c.velocita->setGeometry(Twips::toPixels(2940, 1665, 2100, 330));
    PlayerLogic &logic = m_logic;
    QObject::connect(m_c.velocita, &QSlider::valueChanged, m_c.velocita,
                     [&logic](int value) { logic.progress.speedChanged(value); });

    PlayerControls::label(panel, "Label6", QStringLiteral("Utilizzo CPU"), 5400, 1395, 1350, 240);
    QLabel *cpu =
        PlayerControls::label(panel, "lblCPUUsage", QStringLiteral("???"), 5400, 1665, 1050, 330);
    PlayerControls::setPixelFont(cpu, 14, true);
    PlayerControls::setColour(cpu, PlayerColours::text());
    m_c.texts.at(size_t(Text::CPUUsage)) = cpu;
    m_c.image(Image::Mixer, panel, "imgMixer", 7050, 1395, 600, 600);
    m_c.image(Image::Chiudi, panel, "imgChiudi", 8580, 1485, 420, 420);
}

void PanelBuilder::buildMiniProgress()
{
    QWidget *panel = m_c.panel;
    PlayerControls::label(panel, "Label1", QStringLiteral("Traccia"), 180, 2085, 810, 270);
    auto *well = new Surface(PlayerColours::well(), PlayerColours::well(), panel);
    well->setObjectName(QStringLiteral("SfondoMiniProgresso"));
    well->setEdge(QColor(60, 66, 78));
    well->setGeometry(Twips::toPixels(MiniLeft, MiniTop, MiniWidth, MiniHeight));
    auto *filled = new Surface(PlayerColours::accent().lighter(115),
                               PlayerColours::accent().darker(120), well);
    filled->setObjectName(QStringLiteral("IndicatoreMiniProgresso"));
    filled->setGeometry(Twips::toPixels(15, 15, 0, MiniHeight - 30));
    m_c.miniIndicator = filled;
    m_c.miniSensor = new QWidget(panel);
    m_c.miniSensor->setObjectName(QStringLiteral("SensoreMiniProgresso"));
    m_c.miniSensor->setGeometry(Twips::toPixels(MiniLeft, SensorTop, MiniWidth, SensorHeight));
    m_c.miniSensor->setMouseTracking(true);
    m_c.miniSensor->setAccessibleName(ControlNames::position());
}

void PanelBuilder::buildTimeFields()
{
    struct Field {
        Text text;
        const char *caption;
        const char *captionName;
        const char *name;
        const char *initial;
        double left;
        Qt::Alignment align;
    };
    const Field fields[] = {
        {Text::DurataCorr, "Trascorso", "Label4", "DurataCorr", "00.00", 1050, Qt::AlignLeft},
        {Text::DurataRim, "Rimanente", "Label5", "DurataRim", "-00.00", 4110, Qt::AlignHCenter},
        {Text::DurataTot, "Durata totale", "Label2", "DurataTot", "00.00", 7170, Qt::AlignRight},
    };
    for (const Field &f : fields) {
        QLabel *caption = PlayerControls::label(
            m_c.panel, f.captionName, QString::fromLatin1(f.caption), f.left, 2400, 1800, 210);
        caption->setAlignment(f.align | Qt::AlignVCenter);
        QLabel *value = PlayerControls::label(m_c.panel, f.name, QString::fromLatin1(f.initial),
                                              f.left, 2595, 1800, 360);
        value->setAlignment(f.align | Qt::AlignVCenter);
        PlayerControls::setPixelFont(value, 20, true);
        PlayerControls::setColour(value, PlayerColours::text());
        m_c.texts.at(size_t(f.text)) = value;
    }
}
