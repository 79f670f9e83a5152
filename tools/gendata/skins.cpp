#include "tools/gendata/skins.h"

#include "tools/gendata/artkit.h"
#include "tools/gendata/glyphs.h"

#include <QPainter>
#include <QRadialGradient>

using ArtKit::darker;
using ArtKit::lighter;

namespace {

enum class State { Normal, Hover, Pressed };

struct Look {
    QColor top;
    QColor bottom;
    QColor ink;
    double sink = 0; // pressed glyphs sit lower and to the right
};

const QColor Blue(52, 102, 178);
const QColor Crimson(168, 50, 58);
const QColor White(255, 255, 255);
const QColor RepeatOn(126, 240, 172);
const QColor RepeatOff(146, 154, 168);
const QColor MutedInk(255, 122, 104);

Look look(State state, const QColor &base)
{
    switch (state) {
    case State::Hover:
        return {lighter(base, 0.42), lighter(base, 0.08), White, 0};
    case State::Pressed:
        return {darker(base, 0.5), darker(base, 0.15), QColor(214, 224, 240), 0.7};
    case State::Normal:
        break;
    }
    return {lighter(base, 0.2), darker(base, 0.28), White, 0};
}

// The glow that surrounds the big play button and reaches into its neighbours' pictures.
QColor playHalo(State playState)
{
    return playState == State::Pressed ? QColor(10, 14, 24, 170) : QColor(96, 152, 236, 120);
}

QRectF centred(const QRectF &r, double w, double h, double sink)
{
    return {r.center().x() - w / 2 + sink, r.center().y() - h / 2 + sink, w, h};
}

using Ink = std::function<void(QPainter &, const QRectF &body, const Look &)>;

QImage button(QSize size, State state, const QColor &base, double radius, const Ink &ink,
              const std::function<void(QPainter &)> &under = {})
{
    return ArtKit::render(size, Skins::panelColour(), [&](QPainter &p) {
        if (under)
            under(p);
        const Look l = look(state, base);
        const QRectF r(1.5, 1.5, size.width() - 3.0, size.height() - 3.0);
        ArtKit::body(p, r, qMin(radius, qMin(r.width(), r.height()) / 2), l.top, l.bottom);
        ink(p, r, l);
    });
}

QImage roundButton(int side, State state, const QColor &base, const Ink &ink,
                   const std::function<void(QPainter &)> &under = {})
{
    return button(QSize(side, side), state, base, side, ink, under);
}

// The big play button is one pill cut into three pictures: left cap, middle, right cap.
constexpr int CapWidth = 16;
constexpr int MiddleWidth = 56;
constexpr int PlayHeight = 56;

QImage playPill(State state, bool pauseGlyph, bool hovered)
{
    const QSize size(2 * CapWidth + MiddleWidth, PlayHeight);
    return ArtKit::render(size, Skins::panelColour(), [&](QPainter &p) {
        const QRectF halo(0.5, 1.5, size.width() - 1.0, size.height() - 3.0);
        p.setPen(Qt::NoPen);
        p.setBrush(playHalo(state));
        p.drawRoundedRect(halo, halo.height() / 2, halo.height() / 2);

        const Look l = look(state, Blue);
        const QRectF r = halo.adjusted(2.5, 2.5, -2.5, -2.5);
        ArtKit::body(p, r, r.height() / 2, l.top, l.bottom);
        if (hovered) {
            // Only the middle picture changes under the mouse, so the highlight stays in it.
            QRadialGradient shine(r.center(), MiddleWidth * 0.45);
            shine.setColorAt(0, QColor(255, 255, 255, 80));
            shine.setColorAt(1, QColor(255, 255, 255, 0));
            p.setPen(Qt::NoPen);
            p.setBrush(shine);
            p.drawEllipse(r.center(), MiddleWidth * 0.45, MiddleWidth * 0.45);
        }
        const QRectF g = centred(r, 24, 24, l.sink);
        ArtKit::glyph(p, pauseGlyph ? Glyphs::pause(g) : Glyphs::play(g), l.ink);
    });
}

// A neighbour of the big play button carries the edge of its halo on the side it touches, as
// glow spilling over from beyond that edge.
std::function<void(QPainter &)> haloEdge(QSize size, State playState, bool onLeft)
{
    return [=](QPainter &p) {
        const QColor c = playHalo(playState);
        const QPointF centre(onLeft ? -8.0 : size.width() + 8.0, size.height() / 2.0);
        QRadialGradient glow(centre, 16);
        glow.setColorAt(0.45, c);
        glow.setColorAt(1, QColor(c.red(), c.green(), c.blue(), 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(centre, 16.0, 16.0);
    };
}

Ink fillInk(const std::function<QPainterPath(const QRectF &)> &shape, double w, double h,
            const QColor &colour = {})
{
    return [=](QPainter &p, const QRectF &r, const Look &l) {
        ArtKit::glyph(p, shape(centred(r, w, h, l.sink)), colour.isValid() ? colour : l.ink);
    };
}

QString letter(State s)
{
    return s == State::Normal  ? QStringLiteral("N")
           : s == State::Hover ? QStringLiteral("S")
                               : QStringLiteral("P");
}

constexpr State AllStates[] = {State::Normal, State::Hover, State::Pressed};

void addPlay(QList<Skins::Picture> &out)
{
    for (const State s : {State::Normal, State::Pressed}) {
        const QImage pill = playPill(s, false, false);
        out.append({u"Play1" + letter(s), pill.copy(0, 0, CapWidth, PlayHeight)});
        out.append(
            {u"Play3" + letter(s), pill.copy(CapWidth + MiddleWidth, 0, CapWidth, PlayHeight)});
    }
    for (const bool pause : {false, true}) {
        for (const State s : AllStates) {
            const QImage pill = playPill(s == State::Pressed ? State::Pressed : State::Normal,
                                         pause, s == State::Hover);
            out.append({(pause ? u"Pausa2" : u"Play2") + letter(s),
                        pill.copy(CapWidth, 0, MiddleWidth, PlayHeight)});
        }
    }
}

// Stop and repeat: own state letter, then "P" and the big play button's state letter. The
// pressed play button only ever meets their normal look.
void addPlayNeighbours(QList<Skins::Picture> &out)
{
    constexpr int Side = 40;
    struct Variant {
        State own;
        State play;
    };
    constexpr Variant Variants[] = {{State::Normal, State::Normal},
                                    {State::Hover, State::Normal},
                                    {State::Pressed, State::Normal},
                                    {State::Normal, State::Pressed}};
    for (const Variant v : Variants) {
        const QString suffix = letter(v.own) + u'P' + letter(v.play);
        out.append({u"Stop" + suffix, roundButton(Side, v.own, Blue, fillInk(Glyphs::stop, 15, 15),
                                                  haloEdge({Side, Side}, v.play, true))});
        for (const bool on : {true, false}) {
            const Ink ink = [on](QPainter &p, const QRectF &r, const Look &l) {
                const QRectF g = centred(r, 18, 12, l.sink);
                const QColor colour = on ? RepeatOn : RepeatOff;
                ArtKit::strokeGlyph(p, Glyphs::repeatLoop(g), 2.4, colour);
                ArtKit::glyph(p, Glyphs::repeatHeads(g), colour);
                if (on) { // a lit dot says "on" even to a colour-blind eye
                    p.setPen(Qt::NoPen);
                    p.setBrush(colour);
                    p.drawEllipse(QPointF(r.center().x() + l.sink, r.center().y() + l.sink), 1.8,
                                  1.8);
                }
            };
            out.append(
                {(on ? u"Ripeti" : u"NRipeti") + suffix,
                 roundButton(Side, v.own, Blue, ink, haloEdge({Side, Side}, v.play, false))});
        }
    }
}

void addPanelButtons(QList<Skins::Picture> &out)
{
    for (const State s : AllStates) {
        const QString st = letter(s);
        const Ink muted = [](QPainter &p, const QRectF &r, const Look &l) {
            const QRectF g = centred(r, 20, 18, l.sink);
            ArtKit::glyph(p, Glyphs::speaker(g), l.ink);
            ArtKit::strokeGlyph(p, Glyphs::cross(QRectF(g.left() + 12.5, g.top() + 5.5, 7, 7)), 2.0,
                                MutedInk);
        };
        const Ink sound = [](QPainter &p, const QRectF &r, const Look &l) {
            const QRectF g = centred(r, 20, 18, l.sink);
            ArtKit::glyph(p, Glyphs::speaker(g), l.ink);
            ArtKit::strokeGlyph(p, Glyphs::soundWaves(g), 1.8, l.ink);
        };
        out.append({u"Muto" + st, roundButton(40, s, Blue, muted)});
        out.append({u"Sonoro" + st, roundButton(40, s, Blue, sound)});

        for (const bool pinned : {true, false}) {
            const Ink ink = [pinned](QPainter &p, const QRectF &r, const Look &l) {
                const QRectF g = centred(r, 18, 20, l.sink);
                ArtKit::strokeGlyph(p, Glyphs::pinBase(g), 1.6, l.ink);
                ArtKit::glyph(p, Glyphs::pin(g, pinned), pinned ? l.ink : RepeatOff);
            };
            out.append({(pinned ? u"Agganciato" : u"Sganciato") + st,
                        button(QSize(35, 34), s, Blue, 8, ink)});
        }

        const Ink down = [](QPainter &p, const QRectF &r, const Look &l) {
            ArtKit::strokeGlyph(p, Glyphs::chevron(centred(r, 7, 4, l.sink + 0.3), false), 1.6,
                                l.ink);
        };
        out.append({u"ScorriBasso" + st, roundButton(18, s, Blue, down)});

        const Ink mixer = [](QPainter &p, const QRectF &r, const Look &l) {
            const QRectF g = centred(r, 18, 18, l.sink);
            ArtKit::strokeGlyph(p, Glyphs::mixerTracks(g), 1.4, darker(l.ink, 0.35));
            ArtKit::glyph(p, Glyphs::mixerKnobs(g), l.ink);
        };
        out.append({u"Mixer" + st, roundButton(40, s, Blue, mixer)});

        const Ink close = [](QPainter &p, const QRectF &r, const Look &l) {
            ArtKit::strokeGlyph(p, Glyphs::cross(centred(r, 9, 9, l.sink)), 2.4, l.ink);
        };
        out.append({u"Chiudi" + st, roundButton(28, s, Crimson, close)});
    }
}

void addMiniButtons(QList<Skins::Picture> &out)
{
    const QSize mini(28, 18);
    for (const State s : AllStates) {
        const QString st = letter(s);
        out.append({u"PlayM" + st, button(mini, s, Blue, 5, fillInk(Glyphs::play, 10, 10))});
        out.append({u"PausaM" + st, button(mini, s, Blue, 5, fillInk(Glyphs::pause, 10, 10))});
        out.append({u"StopM" + st, button(mini, s, Blue, 5, fillInk(Glyphs::stop, 9, 9))});
        const Ink up = [](QPainter &p, const QRectF &r, const Look &l) {
            ArtKit::strokeGlyph(p, Glyphs::chevron(centred(r, 9, 4, l.sink - 0.3), true), 1.6,
                                l.ink);
        };
        out.append({u"ScorriAlto" + st, button(QSize(27, 14), s, Blue, 4, up)});
    }
}

} // namespace

namespace Skins {

QColor panelColour()
{
    return {38, 42, 50};
}

QList<Picture> draw()
{
    QList<Picture> out;
    addPlay(out);
    addPlayNeighbours(out);
    addPanelButtons(out);
    addMiniButtons(out);
    return out;
}

} // namespace Skins
