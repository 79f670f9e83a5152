#include "player/riproduzione.h"

#include "core/appstate.h"
#include "core/events.h"
#include "platform/mediaplayer.h"
#include "platform/processpriority.h"
#include "player/playermouse.h"
#include "player/playerwidgets.h"
#include "player/skinimage.h"
#include "widgets/twips.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>

namespace {

// A caption too long for its label at the panel's size is drawn a pixel or two smaller rather
// than cut off ("Volume di Windows Media Player" beside the speed caption).
void fitToWidth(QLabel *label, int pixelSize)
{
    QFont font = label->font();
    for (int size = pixelSize; size >= pixelSize - 2; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(label->text()) <= label->width())
            break;
    }
    label->setFont(font);
}

} // namespace

Riproduzione::Riproduzione(AppState &state, PlayerMemory &memory, QuestionPort &questions,
                           MediaPlayer &player, const SoundPorts &ports, const QString &percorso,
                           const QString &tipo, QWidget *parent)
    : QDialog(parent), m_state(state), m_player(player), m_ports(ports), m_percorso(percorso),
      m_tipo(tipo), m_logic(player, questions, memory, state.settings, ports),
      m_pictures(state.Path)
{
    setObjectName(QStringLiteral("Riproduzione"));
    setModal(true);
    // A fixed size and a close button of its own: the frame offers only closing.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(Twips::toPixels(PlayerLayout::ClientWidth),
                 Twips::toPixels(PlayerLayout::ClientHeight));
    setMouseTracking(true);
    buildControls();
    // Every control reports the pointer passing over it, so that a move never gets lost on
    // the way to the control that handles it.
    // No control takes the focus either: every key comes to the window, for PlayerKeys.
    const QList<QWidget *> controls = findChildren<QWidget *>();
    for (QWidget *control : controls) {
        control->setMouseTracking(true);
        control->setFocusPolicy(Qt::NoFocus);
    }
    for (const auto &[name, keys] : PlayerKeys::descriptions()) {
        if (auto *control = findChild<QWidget *>(QString::fromLatin1(name)))
            control->setAccessibleDescription(keys);
    }
    buildTimers();
    connectMouse();
    m_logic.model.setView(this);

    connect(&m_player, &MediaPlayer::playStateChanged, this, [this] {
        m_logic.transport.PlayStateChange();
        syncVideoArea();
    });
    // Queued: the player has reported its stopped state by the time the presenter is told.
    connect(
        &m_player, &MediaPlayer::errorOccurred, this,
        [this](const QString &message) { m_logic.transport.mediaFailed(message); },
        Qt::QueuedConnection);
    connect(&m_player, &MediaPlayer::mouseMoved, this,
            [this] { m_logic.skin.NormalizzaMiniPulsanti(0, 0); });
}

Riproduzione::~Riproduzione()
{
    m_logic.model.setView(nullptr);
    disconnect(&m_player, nullptr, this, nullptr);
    // The video area belongs to the player: hand it back rather than delete it with the window.
    if (m_video && m_video->parent() == m_backdrop) {
        m_video->hide();
        m_video->setParent(nullptr);
    }
}

void Riproduzione::load()
{
    m_logic.computer.open();
    m_ports.priority.raise();
    m_logic.cpu.start();

    const Settings &settings = m_state.settings;
    Transport::Opening opening;
    opening.path = m_percorso;
    opening.tipo = m_tipo;
    opening.riprodcontinua = settings.number(QStringLiteral("riprodcontinua")) == 1;
    opening.autoplay = settings.number(QStringLiteral("autoplay")) == 1;
    opening.wmpsemprevisib = settings.number(QStringLiteral("wmpsemprevisib"));
    m_logic.open(opening);

    const QString fileName = QFileInfo(m_percorso).fileName();
    m_backdrop->setTitle(m_tipo, fileName);
    m_infoBox->setIdleText(m_tipo, fileName);
    syncVideoArea();
    centreOnScreen();
}

void Riproduzione::done(int result)
{
    unloadOnce();
    QDialog::done(result);
}

void Riproduzione::closeEvent(QCloseEvent *event)
{
    unloadOnce();
    QDialog::closeEvent(event);
}

// The keys run the controls' own paths (PlayerKeys). Esc never reaches the dialog, which
// would reject it and cut the song: it stops the song, and closes the window once stopped.
void Riproduzione::keyPressEvent(QKeyEvent *event)
{
    const PlayerKeys::Action action =
        m_logic.keys.press(event->key(), event->modifiers(), event->isAutoRepeat());
    if (action == PlayerKeys::Action::Close)
        close();
    if (action != PlayerKeys::Action::None || event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Closing stops the song first; the slot stays marked (the board marked it before playing).
void Riproduzione::unloadOnce()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_logic.unload();
}

void Riproduzione::centreOnScreen()
{
    const QScreen *screen =
        parentWidget() ? parentWidget()->screen() : QApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    move(area.center() - rect().center());
}

// The deactivated window takes the focus back from the program's other windows, but leaves it
// to a message box it opened itself and to other programs.
void Riproduzione::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || isActiveWindow())
        return;
    QTimer::singleShot(0, this, [this] {
        QWidget *active = QApplication::activeWindow();
        if (!m_unloaded && isVisible() && active && active != this &&
            QApplication::activeModalWidget() == this)
            activateWindow();
    });
}

void Riproduzione::pictureChanged(Image which)
{
    SkinImage *control = m_images.at(size_t(which));
    if (!control)
        return;
    const QString &name = m_logic.model.picture(which);
    control->setPicture(name, m_pictures.picture(name));
}

void Riproduzione::textChanged(Text which)
{
    const QString &value = m_logic.model.text(which);
    if (which == Text::Caption) {
        setWindowTitle(value);
        return;
    }
    if (which == Text::Pausa) {
        m_pausa->setText(value);
        return;
    }
    if (QLabel *target = m_texts.at(size_t(which)))
        target->setText(value);
    if (which == Text::LblVolume)
        fitToWidth(m_volumeCaption, 11);
    if (which == Text::Info0 || which == Text::Info1)
        m_infoBox->setIdle(m_logic.model.text(Text::Info0).isEmpty() &&
                           m_logic.model.text(Text::Info1).isEmpty());
}

void Riproduzione::timerChanged(Timer which)
{
    QTimer *timer = m_timers.at(size_t(which));
    const bool on = m_logic.model.timerOn(which);
    // Enabling a running timer leaves its count alone.
    if (on && !timer->isActive())
        timer->start();
    else if (!on)
        timer->stop();
}

void Riproduzione::progressChanged()
{
    const ProgressDisplay &p = m_logic.model.progress();
    m_bar->setValue(p.value);
    const int knobLeft = Twips::toPixels(p.knobLeft);
    m_knob->move(knobLeft, m_knob->y());
    m_knobSurface->move(knobLeft, m_knobSurface->y());
    m_miniIndicator->resize(Twips::toPixels(p.miniWidth), m_miniIndicator->height());
    m_miniIndicator->setVisible(p.miniWidth > 0);
    m_bar->setEnabled(p.enabled);
    m_miniSensor->setEnabled(p.enabled);
}

void Riproduzione::panelChanged()
{
    using namespace PlayerLayout;
    const PanelGeometry &g = m_logic.model.panel();
    m_panel->move(Twips::toPixels(PanelLeft), Twips::toPixels(g.panelTop));
    m_backdrop->setGeometry(
        Twips::toPixels(BackdropLeft, BackdropTop, BackdropWidth, g.backdropHeight));
    m_sideLeft->setGeometry(
        Twips::toPixels(SideLeftLeft, BackdropTop, SideLeftWidth, g.sideLeftHeight));
    m_sideRight->setGeometry(
        Twips::toPixels(SideRightLeft, BackdropTop, SideRightWidth, g.sideRightHeight));
    m_strip->move(Twips::toPixels(StripLeft), Twips::toPixels(g.stripTop));
    // The player draws the picture only, with no controls of its own to hide below the
    // backdrop, so it takes the backdrop's visible area.
    if (m_video)
        m_video->setGeometry(m_backdrop->rect());
}

// The logic's values shown on the controls; the sliders' own signals stay quiet, since only a
// change made by the presenter is one the logic has not seen yet.
void Riproduzione::volumeChanged()
{
    using namespace PlayerLayout;
    const VolumeDisplay &v = m_logic.model.volume();
    {
        const QSignalBlocker quiet(m_volume);
        m_volume->setValue(v.volume);
    }
    {
        const QSignalBlocker quiet(m_volPrinc);
        m_volPrinc->setValue(v.computer);
    }
    m_volume->setEnabled(v.volumeEnabled);
    m_volPrinc->setEnabled(v.computerEnabled);
    m_volPrinc->move(Twips::toPixels(v.computerLeft), 0);
    m_volume->move(Twips::toPixels(v.playerLeft), 0);
    m_volumeCaption->move(0, Twips::toPixels(v.labelTop - VolumeLabelClipTop));

    const int knobLeft = Twips::toPixels(v.knobLeft);
    m_volumeKnob->move(knobLeft, m_volumeKnob->y());
    m_volumeKnobSurface->move(knobLeft, m_volumeKnobSurface->y());
    m_volumeTrack->setFilled(Twips::toPixels(v.knobLeft + VolumeKnobWidth / 2 - VolumeTrackLeft));
    for (QWidget *part : {static_cast<QWidget *>(m_volumeTrack), m_volumeSensor,
                          m_volumeKnobSurface, static_cast<QWidget *>(m_volumeKnob)})
        part->setEnabled(v.volumeEnabled);
}

void Riproduzione::letEventsRun()
{
    ::letEventsRun();
}

void Riproduzione::syncVideoArea()
{
    if (!m_video)
        return;
    m_video->setGeometry(m_backdrop->rect());
    m_video->setVisible(m_player.hasVideo());
}

void Riproduzione::mouseMoveEvent(QMouseEvent *event)
{
    m_logic.skin.NormalizzaPulsanti(0, 0);
    QDialog::mouseMoveEvent(event);
}

// Leaving the window leaves no button in its hover look.
void Riproduzione::leaveEvent(QEvent *event)
{
    m_logic.skin.NormalizzaPulsanti(0, 0);
    m_logic.skin.NormalizzaMiniPulsanti(0, 0);
    QDialog::leaveEvent(event);
}

// The mouse over the controls goes to the logic through the routing table.
void Riproduzione::connectMouse()
{
    m_mouse = new PlayerMouse(*this, m_logic);
    PlayerMouse::Controls controls;
    for (size_t i = 0; i < m_images.size(); ++i)
        controls.images.at(i) = m_images.at(i);
    controls.panel = m_panel;
    controls.strip = m_strip;
    controls.backdrop = m_backdrop;
    controls.grip = m_grip;
    controls.bar = m_bar;
    controls.miniSensor = m_miniSensor;
    controls.knobSurface = m_knobSurface;
    controls.volPrinc = m_volPrinc;
    controls.volume = m_volume;
    controls.volumeCaption = m_volumeCaption;
    controls.volumeSensor = m_volumeSensor;
    controls.volumeKnobSurface = m_volumeKnobSurface;
    m_mouse->connect(controls);
}
