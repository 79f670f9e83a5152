#include "player/playermouse.h"

#include "player/logic/playerlogic.h"

#include "player/playerwidgets.h"
#include "player/skinimage.h"
#include "widgets/twips.h"

#include <QLabel>
#include <QMouseEvent>
#include <QSlider>

PlayerMouse::PlayerMouse(QWidget &window, PlayerLogic &logic)
    : QObject(&window), m_window(window), m_logic(logic)
{
}

namespace {

double twipsX(QMouseEvent *event)
{
    return Twips::fromPixels(event->position().x());
}

double twipsY(QMouseEvent *event)
{
    return Twips::fromPixels(event->position().y());
}

} // namespace

void PlayerMouse::route(QWidget *widget, Route handlers)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    m_routes.insert(widget, std::move(handlers));
}

bool PlayerMouse::inside(Image which, QMouseEvent *event) const
{
    const QWidget *control = m_c.images.at(size_t(which));
    const QPointF p = event->position();
    return p.x() >= 0 && p.x() < control->width() && p.y() >= 0 && p.y() < control->height();
}

bool PlayerMouse::eventFilter(QObject *watched, QEvent *event)
{
    const auto found = m_routes.constFind(watched);
    if (found == m_routes.constEnd())
        return QObject::eventFilter(watched, event);
    auto *mouse = static_cast<QMouseEvent *>(event);
    const Route &r = *found;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (!r.press)
            return false;
        r.press(mouse);
        return true;
    case QEvent::MouseMove:
        if (!r.move)
            return false;
        r.move(mouse);
        // A slider under the mouse still takes its own drags.
        return mouse->buttons() == Qt::NoButton || !qobject_cast<QSlider *>(watched);
    case QEvent::MouseButtonRelease:
        if (!r.release)
            return false;
        r.release(mouse);
        // A slider ends its own drag with the release.
        return !qobject_cast<QSlider *>(watched);
    case QEvent::MouseButtonDblClick:
        // A quick second click is a second click, as the buttons count them.
        if (!r.press)
            return false;
        r.press(mouse);
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

void PlayerMouse::connect(const PlayerControls &controls)
{
    m_c = controls;
    routeMainButtons();
    routeMiniButtons();
    routeProgress();
    routeInfoOnly();
    routeVolume();

    SkinButtons &skin = m_logic.skin;
    const auto background = [&skin](QMouseEvent *) {
        skin.NormalizzaPulsanti(MainHover::Background);
    };
    route(m_c.panel, {{}, background, {}});
    const auto miniBackground = [&skin](QMouseEvent *) {
        skin.NormalizzaMiniPulsanti(MiniHover::Background);
    };
    route(m_c.strip, {{}, miniBackground, {}});
    route(m_c.backdrop, {{}, miniBackground, {}});

    PanelSlide &panel = m_logic.panel;
    route(m_c.grip, {[&panel](QMouseEvent *e) { panel.gripPressed(twipsY(e)); },
                     [&panel, &skin](QMouseEvent *e) {
                         if (e->buttons() == Qt::NoButton)
                             skin.NormalizzaPulsanti(MainHover::Background);
                         panel.gripMoved(twipsY(e), e->buttons() == Qt::LeftButton);
                     },
                     [&panel](QMouseEvent *) { panel.gripReleased(); }});
}

void PlayerMouse::routeBigPlayPiece(Image which, TransportButtons::Piece piece)
{
    TransportButtons &buttons = m_logic.buttons;
    route(m_c.images.at(size_t(which)),
          {[&buttons](QMouseEvent *) { buttons.bigPlayPressed(); },
           [this](QMouseEvent *) { m_logic.skin.NormalizzaPulsanti(MainHover::BigPlay); },
           [this, piece](QMouseEvent *e) {
               const double w1 = m_c.images.at(size_t(Image::Play1))->width();
               const double w2 = m_c.images.at(size_t(Image::Play))->width();
               const double w3 = m_c.images.at(size_t(Image::Play3))->width();
               const double h = m_c.images.at(size_t(Image::Play))->height();
               const QPointF p = e->position();
               m_logic.buttons.bigPlayReleased(
                   TransportButtons::insideBigPlay(piece, p.x(), p.y(), w1, w2, w3, h));
           }});
}

std::function<void()> PlayerMouse::hovering(MainHover control)
{
    return [this, control] { m_logic.skin.NormalizzaPulsanti(control); };
}

std::function<void()> PlayerMouse::hovering(MiniHover control)
{
    return [this, control] { m_logic.skin.NormalizzaMiniPulsanti(control); };
}

void PlayerMouse::routeButton(Image which, std::function<void()> hover, std::function<void()> press,
                              std::function<void(bool, Qt::MouseButton)> release)
{
    route(m_c.images.at(size_t(which)),
          {[press](QMouseEvent *) { press(); }, [hover](QMouseEvent *) { hover(); },
           [this, which, release](QMouseEvent *e) { release(inside(which, e), e->button()); }});
}

void PlayerMouse::routeMainButtons()
{
    routeBigPlayPiece(Image::Play1, TransportButtons::Piece::Left);
    routeBigPlayPiece(Image::Play, TransportButtons::Piece::Middle);
    routeBigPlayPiece(Image::Play3, TransportButtons::Piece::Right);

    TransportButtons &t = m_logic.buttons;
    PanelSlide &panel = m_logic.panel;
    PlayerModel &model = m_logic.model;
    routeButton(
        Image::Stop, hovering(MainHover::Stop), [&t] { t.stopPressed(); },
        [&t](bool in, Qt::MouseButton button) { t.stopReleased(in, button); });
    routeButton(
        Image::Ripeti, hovering(MainHover::Repeat), [&t] { t.ripetiPressed(); },
        [&t](bool in, Qt::MouseButton) { t.ripetiReleased(in); });
    routeButton(
        Image::Aggancia, hovering(MainHover::Dock), [&panel] { panel.agganciaPressed(); },
        [&panel](bool in, Qt::MouseButton) { panel.agganciaReleased(in); });
    routeButton(
        Image::SlittaBasso, hovering(MainHover::SlideDown),
        [&panel] { panel.slittaBassoPressed(); },
        [&panel](bool in, Qt::MouseButton) { panel.slittaBassoReleased(in); });

    PlayerVolume &volume = m_logic.volume;
    routeButton(
        Image::Muto, hovering(MainHover::Mute), [&volume] { volume.mutoPressed(); },
        [&volume](bool in, Qt::MouseButton) { volume.mutoReleased(in); });
    ComputerVolume &computer = m_logic.computer;
    routeButton(
        Image::Mixer, hovering(MainHover::Mixer), [&computer] { computer.mixerPressed(); },
        [&computer](bool in, Qt::MouseButton) { computer.mixerReleased(in); });
    routeButton(
        Image::Chiudi, hovering(MainHover::Close),
        [&model] {
            model.PulsantePremuto = true;
            model.setPicture(Image::Chiudi, QStringLiteral("ChiudiP"));
        },
        [this, &model](bool in, Qt::MouseButton) {
            if (in)
                m_window.close();
            else
                m_logic.skin.NormalizzaPulsanti(MainHover::Background);
            model.PulsantePremuto = false;
        });
}

void PlayerMouse::routeMiniButtons()
{
    TransportButtons &t = m_logic.buttons;
    PanelSlide &panel = m_logic.panel;
    routeButton(
        Image::PlayMini, hovering(MiniHover::Play), [&t] { t.miniPlayPressed(); },
        [&t](bool in, Qt::MouseButton) { t.miniPlayReleased(in); });
    routeButton(
        Image::StopMini, hovering(MiniHover::Stop), [&t] { t.miniStopPressed(); },
        [&t](bool in, Qt::MouseButton button) { t.miniStopReleased(in, button); });
    routeButton(
        Image::SlittaAlto, hovering(MiniHover::SlideUp), [&panel] { panel.slittaAltoPressed(); },
        [&panel](bool in, Qt::MouseButton) { panel.slittaAltoReleased(in); });
}

void PlayerMouse::routeProgress()
{
    SongPosition &p = m_logic.progress;
    route(m_c.bar, {[&p](QMouseEvent *e) { p.barPressed(twipsX(e), e->button()); },
                    [&p](QMouseEvent *e) { p.barMoved(twipsX(e), e->buttons()); },
                    [&p](QMouseEvent *e) { p.barReleased(twipsX(e), twipsY(e)); }});
    route(m_c.miniSensor, {[&p](QMouseEvent *e) { p.sensorPressed(twipsX(e), e->button()); },
                           [&p](QMouseEvent *e) { p.sensorMoved(twipsX(e), e->buttons()); },
                           [&p](QMouseEvent *e) { p.sensorReleased(twipsX(e), twipsY(e)); }});
    route(m_c.knobSurface, {[&p](QMouseEvent *e) { p.knobPressed(twipsX(e)); },
                            [&p](QMouseEvent *e) { p.knobMoved(twipsX(e), e->buttons()); },
                            [&p](QMouseEvent *) { p.knobReleased(); }});
}

// Fields and labels that only tell what they show.
void PlayerMouse::routeInfoOnly()
{
    struct Entry {
        const char *name;
        InfoEntry info;
    };
    const Entry entries[] = {
        {"DurataCorr", InfoEntry::Elapsed},  {"Label4", InfoEntry::Elapsed},
        {"DurataRim", InfoEntry::Remaining}, {"Label5", InfoEntry::Remaining},
        {"DurataTot", InfoEntry::Duration},  {"Label2", InfoEntry::Duration},
        {"Label3", InfoEntry::Speed},        {"Velocita", InfoEntry::Speed},
        {"Label6", InfoEntry::Cpu},          {"lblCPUUsage", InfoEntry::Cpu},
    };
    for (const Entry &entry : entries) {
        auto *widget = m_window.findChild<QWidget *>(QString::fromLatin1(entry.name));
        Q_ASSERT(widget);
        const InfoEntry info = entry.info;
        route(widget, {{}, [this, info](QMouseEvent *) { m_logic.skin.infoOnly(info); }, {}});
    }
}

// The two standard sliders, their caption, and the skinned slider's knob and track.
void PlayerMouse::routeVolume()
{
    SkinButtons &skin = m_logic.skin;
    VolumeSwap &swap = m_logic.swap;
    // A right click on either slider swaps them; the slider itself ignores that button.
    const auto swapOnRightClick = [&swap](QMouseEvent *e) {
        if (e->button() == Qt::RightButton)
            swap.swap(true);
    };
    route(m_c.volPrinc, {{},
                         [&skin](QMouseEvent *) { skin.infoOnly(InfoEntry::ComputerVolume); },
                         swapOnRightClick});
    route(
        m_c.volume,
        {{}, [&skin](QMouseEvent *) { skin.infoOnly(InfoEntry::PlayerVolume); }, swapOnRightClick});
    route(m_c.volumeCaption,
          {[](QMouseEvent *) {}, [&swap](QMouseEvent *) { swap.captionHovered(); },
           [this, &swap](QMouseEvent *e) {
               if (e->button() == Qt::LeftButton &&
                   m_c.volumeCaption->rect().contains(e->position().toPoint()))
                   swap.swap(true);
           }});

    PlayerVolume &volume = m_logic.volume;
    route(m_c.volumeKnobSurface, {[&volume](QMouseEvent *e) { volume.knobPressed(twipsX(e)); },
                                  [&volume](QMouseEvent *e) {
                                      volume.hovered(e->buttons());
                                      volume.knobMoved(twipsX(e), e->buttons());
                                  },
                                  [&volume](QMouseEvent *) { volume.knobReleased(); }});
    route(m_c.volumeSensor,
          {[&volume](QMouseEvent *e) { volume.trackPressed(twipsX(e), e->button()); },
           [&volume](QMouseEvent *e) {
               volume.hovered(e->buttons());
               volume.trackMoved(twipsX(e), e->buttons());
           },
           [&volume](QMouseEvent *) { volume.trackReleased(); }});
}
