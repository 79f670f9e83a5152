#include "player/riproduzione.h"

#include "platform/mediaplayer.h"
#include "player/playerwidgets.h"
#include "player/skinimage.h"
#include "widgets/twips.h"

#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>

using namespace PlayerLayout;

namespace {

QString sliderStyle()
{
    return QStringLiteral(
        "QSlider::groove:horizontal { height: 6px; background: #111318; border: 1px solid #3c424e;"
        " border-radius: 3px; }"
        "QSlider::sub-page:horizontal { background: #6098ec; border-radius: 3px; }"
        "QSlider::sub-page:horizontal:disabled { background: #3c424e; }"
        "QSlider::handle:horizontal { width: 14px; margin: -5px 0; border-radius: 7px;"
        " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fafcff, stop:1 #c4cede);"
        " border: 2px solid #6098ec; }"
        "QSlider::handle:horizontal:disabled { border-color: #3c424e; }");
}

void setPixelFont(QWidget *widget, int pixels, bool bold)
{
    QFont font = widget->font();
    font.setPixelSize(pixels);
    font.setBold(bold);
    widget->setFont(font);
}

void setColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    widget->setPalette(palette);
}

} // namespace

SkinImage *Riproduzione::image(Image which, QWidget *parent, const char *name, double left,
                               double top, double width, double height)
{
    auto *control = new SkinImage(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(Twips::toPixels(left, top, width, height));
    m_images.at(size_t(which)) = control;
    return control;
}

QLabel *Riproduzione::label(QWidget *parent, const char *name, const QString &text, double left,
                            double top, double width, double height)
{
    auto *control = new QLabel(text, parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(Twips::toPixels(left, top, width, height));
    setPixelFont(control, 11, false);
    setColour(control, PlayerColours::caption());
    return control;
}

void Riproduzione::buildControls()
{
    auto *background = new Surface(PlayerColours::window(), PlayerColours::window(), this);
    background->setObjectName(QStringLiteral("imgSfondo"));
    background->setGeometry(rect());
    buildVideoArea();
    buildStrip();
    buildPanel();

    // Command buttons kept off the skinned face.
    m_pausa = new QPushButton(QStringLiteral("Play"), this);
    m_pausa->setObjectName(QStringLiteral("Pausa"));
    m_stop = new QPushButton(QStringLiteral("Stop"), this);
    m_stop->setObjectName(QStringLiteral("Stop"));
    m_command1 = new QPushButton(QStringLiteral("Command1"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    for (QPushButton *button : {m_pausa, m_stop, m_command1})
        button->hide();
    connect(m_pausa, &QPushButton::clicked, this, [this] { m_logic.transport.pausaClicked(); });
    connect(m_stop, &QPushButton::clicked, this, [this] { m_logic.transport.stopClicked(); });
    connect(m_command1, &QPushButton::clicked, this, [this] { m_logic.swap.swap(false); });
}

void Riproduzione::buildVideoArea()
{
    const QColor edgeTop(58, 64, 76);
    const QColor edgeBottom(30, 33, 40);
    auto *left = new Surface(edgeTop, edgeBottom, this);
    left->setObjectName(QStringLiteral("imgWMPlayMezzo1"));
    m_sideLeft = left;
    auto *right = new Surface(edgeTop, edgeBottom, this);
    right->setObjectName(QStringLiteral("imgWMPlayMezzo2"));
    m_sideRight = right;
    m_backdrop = new Backdrop(this);
    m_backdrop->setObjectName(QStringLiteral("WMPlayFintoSfondo"));
    m_video = m_player.videoArea();
    if (m_video) {
        m_video->setParent(m_backdrop);
        m_video->hide();
    }
}

void Riproduzione::buildStrip()
{
    auto *strip = new Surface(PlayerColours::panel(), PlayerColours::panel(), this);
    strip->setObjectName(QStringLiteral("imgWMPlaySotto"));
    strip->resize(Twips::toPixels(StripWidth), Twips::toPixels(StripHeight));
    m_strip = strip;

    m_bar = new SeekBar(strip);
    m_bar->setObjectName(QStringLiteral("ProgressoMedia"));
    m_bar->setGeometry(Twips::toPixels(BarLeft, BarTop, BarWidth, BarHeight));
    m_knob = new Knob(strip);
    m_knob->setObjectName(QStringLiteral("Picture1"));
    m_knob->setGeometry(Twips::toPixels(0, KnobTop, KnobWidth, KnobHeight));
    m_knobSurface = new QWidget(strip);
    m_knobSurface->setObjectName(QStringLiteral("btnProgressoMedia"));
    m_knobSurface->setGeometry(m_knob->geometry());
    m_knobSurface->setMouseTracking(true);

    m_texts.at(size_t(Text::Label8)) =
        label(strip, "Label8", QStringLiteral("00.00 / 00.00"), 150, 420, 1650, 270);
    m_texts.at(size_t(Text::Avanzamento)) = label(
        strip, "Avanzamento", QStringLiteral("Avanzamento della traccia"), 1950, 420, 4500, 270);
    for (Text t : {Text::Label8, Text::Avanzamento}) {
        setPixelFont(m_texts.at(size_t(t)), 12, t == Text::Label8);
        setColour(m_texts.at(size_t(t)), PlayerColours::text());
    }
    image(Image::SlittaAlto, strip, "imgSlittaAlto", 6650, 450, 405, 210);
    image(Image::PlayMini, strip, "imgPlayMini", 7050, 420, 420, 270);
    image(Image::StopMini, strip, "imgStopMini", 7470, 420, 420, 270);
    buildVolumeSlider();
}

// The skinned player-volume slider: the track shows the level up to the knob's centre; the
// knob's picture lies over the surfaces that take the mouse and lets the mouse through.
void Riproduzione::buildVolumeSlider()
{
    m_volumeTrack = new VolumeTrack(m_strip);
    m_volumeTrack->setObjectName(QStringLiteral("imgSliderVolume"));
    m_volumeTrack->setGeometry(
        Twips::toPixels(VolumeTrackLeft, VolumeTrackTop, VolumeTrackWidth, VolumeTrackHeight));
    m_volumeSensor = new QWidget(m_strip);
    m_volumeSensor->setObjectName(QStringLiteral("SensoreimgSliderVolume"));
    m_volumeSensor->setGeometry(
        Twips::toPixels(VolumeTrackLeft, VolumeSensorTop, VolumeTrackWidth, VolumeSensorHeight));
    const QRect knob = Twips::toPixels(VolumeTrackLeft - VolumeKnobWidth / 2, VolumeKnobTop,
                                       VolumeKnobWidth, VolumeKnobHeight);
    m_volumeKnobSurface = new QWidget(m_strip);
    m_volumeKnobSurface->setObjectName(QStringLiteral("imgVolume"));
    m_volumeKnobSurface->setGeometry(knob);
    m_volumeKnob = new Knob(m_strip);
    m_volumeKnob->setObjectName(QStringLiteral("picVolume"));
    m_volumeKnob->setGeometry(knob);
}

void Riproduzione::buildPanel()
{
    auto *panel = new Surface(PlayerColours::panel(), PlayerColours::panel(), this);
    panel->setObjectName(QStringLiteral("SchedaControlli"));
    panel->setEdge(QColor(66, 72, 86));
    panel->setRadius(6);
    panel->resize(Twips::toPixels(PanelWidth), Twips::toPixels(PanelHeight));
    m_panel = panel;

    m_grip =
        label(panel, "lblTrascinaScheda", QStringLiteral(":::::::::::::"), 4410, 120, 615, 195);
    m_grip->setAlignment(Qt::AlignCenter);
    m_grip->setCursor(Qt::SizeVerCursor);
    m_grip->setMouseTracking(true);
    image(Image::SlittaBasso, panel, "imgSlittaBasso", 8685, 200, 270, 270);
    image(Image::Aggancia, panel, "imgAggancia", 8000, 520, 525, 510);

    // The transport: mute and repeat, the big play button, stop; neighbours touch.
    image(Image::Muto, panel, "imgMuto", 4875, 480, 600, 600);
    image(Image::Ripeti, panel, "imgRipeti", 5475, 480, 600, 600);
    image(Image::Play1, panel, "imgPlay1", 6075, 360, 240, 840);
    image(Image::Play, panel, "imgPlay", 6315, 360, 840, 840);
    image(Image::Play3, panel, "imgPlay3", 7155, 360, 240, 840);
    image(Image::Stop, panel, "imgStop", 7395, 480, 600, 600);

    m_infoBox = new InfoBox(panel);
    m_infoBox->setObjectName(QStringLiteral("imgInfo"));
    m_infoBox->setGeometry(Twips::toPixels(180, 150, 4080, 960));
    QLabel *info0 = label(panel, "lblInfo0", {}, 330, 240, 3780, 300);
    setPixelFont(info0, 14, true);
    setColour(info0, PlayerColours::text());
    QLabel *info1 = label(panel, "lblInfo1", {}, 330, 585, 3780, 450);
    info1->setWordWrap(true);
    info1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setPixelFont(info1, 12, false);
    m_texts.at(size_t(Text::Info0)) = info0;
    m_texts.at(size_t(Text::Info1)) = info1;

    // Volume, speed, CPU, mixer and close.
    buildVolumeSliders(panel);
    label(panel, "Label3", QStringLiteral("Velocità della traccia"), 2940, 1395, 2250, 240);
    m_velocita = new QSlider(Qt::Horizontal, panel);
    m_velocita->setObjectName(QStringLiteral("Velocita"));
    m_velocita->setRange(0, 5);
    m_velocita->setPageStep(1);
    m_velocita->setValue(2);
    m_velocita->setStyleSheet(sliderStyle());
    m_velocita->setGeometry(Twips::toPixels(2940, 1665, 2100, 330));
    connect(m_velocita, &QSlider::valueChanged, this,
            [this](int value) { m_logic.progress.speedChanged(value); });

    label(panel, "Label6", QStringLiteral("Utilizzo CPU"), 5400, 1395, 1350, 240);
    QLabel *cpu = label(panel, "lblCPUUsage", QStringLiteral("???"), 5400, 1665, 1050, 330);
    setPixelFont(cpu, 14, true);
    setColour(cpu, PlayerColours::text());
    m_texts.at(size_t(Text::CPUUsage)) = cpu;
    image(Image::Mixer, panel, "imgMixer", 7050, 1395, 600, 600);
    image(Image::Chiudi, panel, "imgChiudi", 8580, 1485, 420, 420);

    // The mini progress indicator and the time fields.
    label(panel, "Label1", QStringLiteral("Traccia"), 180, 2085, 810, 270);
    auto *well = new Surface(PlayerColours::well(), PlayerColours::well(), panel);
    well->setObjectName(QStringLiteral("SfondoMiniProgresso"));
    well->setEdge(QColor(60, 66, 78));
    well->setGeometry(Twips::toPixels(MiniLeft, MiniTop, MiniWidth, MiniHeight));
    auto *filled = new Surface(PlayerColours::accent().lighter(115),
                               PlayerColours::accent().darker(120), well);
    filled->setObjectName(QStringLiteral("IndicatoreMiniProgresso"));
    filled->setGeometry(Twips::toPixels(15, 15, 0, MiniHeight - 30));
    m_miniIndicator = filled;
    m_miniSensor = new QWidget(panel);
    m_miniSensor->setObjectName(QStringLiteral("SensoreMiniProgresso"));
    m_miniSensor->setGeometry(Twips::toPixels(MiniLeft, SensorTop, MiniWidth, SensorHeight));
    m_miniSensor->setMouseTracking(true);

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
        QLabel *caption =
            label(panel, f.captionName, QString::fromLatin1(f.caption), f.left, 2400, 1800, 210);
        caption->setAlignment(f.align | Qt::AlignVCenter);
        QLabel *value =
            label(panel, f.name, QString::fromLatin1(f.initial), f.left, 2595, 1800, 360);
        value->setAlignment(f.align | Qt::AlignVCenter);
        setPixelFont(value, 20, true);
        setColour(value, PlayerColours::text());
        m_texts.at(size_t(f.text)) = value;
    }
}

// The computer's and the player's sliders share Picture2, which shows one of them; their
// caption is seen through a window of its own, out of which it rises while the sliders swap.
void Riproduzione::buildVolumeSliders(QWidget *panel)
{
    auto *captionWindow = new QWidget(panel);
    captionWindow->setObjectName(QStringLiteral("lblVolumeWindow"));
    captionWindow->setGeometry(Twips::toPixels(SlidersLeft, VolumeLabelClipTop, VolumeLabelWidth,
                                               SlidersTop - VolumeLabelClipTop));
    m_volumeCaption =
        label(captionWindow, "lblVolume", QStringLiteral("Volume del Computer"), 0,
              VolumeLabelShownTop - VolumeLabelClipTop, VolumeLabelWidth, VolumeLabelHeight);
    // It is clicked to swap the sliders.
    m_volumeCaption->setCursor(Qt::PointingHandCursor);
    m_texts.at(size_t(Text::LblVolume)) = m_volumeCaption;

    auto *sliders = new QWidget(panel);
    sliders->setObjectName(QStringLiteral("Picture2"));
    sliders->setGeometry(Twips::toPixels(SlidersLeft, SlidersTop, SlidersWidth, SlidersHeight));
    m_volPrinc = new QSlider(Qt::Horizontal, sliders);
    m_volPrinc->setObjectName(QStringLiteral("VolPrinc"));
    m_volume = new QSlider(Qt::Horizontal, sliders);
    m_volume->setObjectName(QStringLiteral("volume"));
    for (QSlider *slider : {m_volPrinc, m_volume}) {
        slider->setRange(0, 100);
        slider->setStyleSheet(sliderStyle());
    }
    // The computer's slider is shown first; the player's waits to its right.
    m_volPrinc->setGeometry(Twips::toPixels(0, 0, SlidersWidth, SlidersHeight));
    m_volume->setGeometry(
        Twips::toPixels(SlidersWidth + SliderParkGap, 0, SlidersWidth, SlidersHeight));
    connect(m_volume, &QSlider::valueChanged, this,
            [this](int value) { m_logic.volume.sliderChanged(value); });
    connect(m_volPrinc, &QSlider::valueChanged, this,
            [this](int value) { m_logic.computer.sliderChanged(value); });
}

void Riproduzione::buildTimers()
{
    struct Design {
        Timer timer;
        const char *name;
        int interval;
    };
    const Design designs[] = {
        {Timer::Timer1, "Timer1", 100},  {Timer::Timer2, "Timer2", 1000},
        {Timer::Timer4, "Timer4", 10},   {Timer::Timer5, "Timer5", 10},
        {Timer::Timer6, "Timer6", 500},  {Timer::Timer7, "Timer7", 20},
        {Timer::Timer8, "Timer8", 20},   {Timer::Timer9, "Timer9", 20},
        {Timer::TmrStop, "tmrStop", 50}, {Timer::TmrRefresh, "tmrRefresh", 1000},
    };
    for (const Design &d : designs) {
        auto *timer = new QTimer(this);
        timer->setObjectName(QString::fromLatin1(d.name));
        timer->setInterval(d.interval);
        m_timers.at(size_t(d.timer)) = timer;
    }
    connect(m_timers.at(size_t(Timer::Timer1)), &QTimer::timeout, this,
            [this] { m_logic.timer1(); });
    connect(m_timers.at(size_t(Timer::Timer2)), &QTimer::timeout, this, [this] {
        m_logic.progress.tick();
        syncVideoArea();
    });
    connect(m_timers.at(size_t(Timer::Timer4)), &QTimer::timeout, this,
            [this] { m_logic.progress.timer4Tick(); });
    connect(m_timers.at(size_t(Timer::Timer5)), &QTimer::timeout, this,
            [this] { m_logic.panel.tick(); });
    connect(m_timers.at(size_t(Timer::Timer6)), &QTimer::timeout, this,
            [this] { m_logic.transport.timer6(); });
    connect(m_timers.at(size_t(Timer::Timer7)), &QTimer::timeout, this,
            [this] { m_logic.volume.timer7Tick(); });
    connect(m_timers.at(size_t(Timer::Timer8)), &QTimer::timeout, this,
            [this] { m_logic.swap.timer8Tick(); });
    connect(m_timers.at(size_t(Timer::Timer9)), &QTimer::timeout, this,
            [this] { m_logic.swap.timer9Tick(); });
    // The fade's step follows the timer's interval, whatever it is set to.
    QTimer *fade = m_timers.at(size_t(Timer::TmrStop));
    connect(fade, &QTimer::timeout, this,
            [this, fade] { m_logic.transport.tmrStop(fade->interval()); });
    connect(m_timers.at(size_t(Timer::TmrRefresh)), &QTimer::timeout, this,
            [this] { m_logic.cpu.refresh(); });
}
