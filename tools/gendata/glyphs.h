#pragma once

#include <QPainterPath>
#include <QRectF>

// The glyphs of the player's buttons, each fitted into a box. Filled shapes come as paths to
// fill; line drawings (arrows, waves, chevrons) as paths to stroke with width().
namespace Glyphs {

QPainterPath play(const QRectF &box);
QPainterPath pause(const QRectF &box);
QPainterPath stop(const QRectF &box);
QPainterPath speaker(const QRectF &box);     // the speaker alone, facing right, in the left part
QPainterPath soundWaves(const QRectF &box);  // stroke
QPainterPath cross(const QRectF &box);       // stroke
QPainterPath repeatLoop(const QRectF &box);  // stroke: the loop without its arrow heads
QPainterPath repeatHeads(const QRectF &box); // fill: the two arrow heads of the loop
QPainterPath chevron(const QRectF &box, bool up); // stroke
// A push pin: pinned straight into a line below it, or lifted and tilted away from it.
QPainterPath pin(const QRectF &box, bool pinned);
QPainterPath pinBase(const QRectF &box);     // stroke: the line the pin goes into
QPainterPath mixerTracks(const QRectF &box); // stroke
QPainterPath mixerKnobs(const QRectF &box);  // fill
// The exit: a door frame (stroke) and an arrow leaving through it (fill).
QPainterPath doorFrame(const QRectF &box);
QPainterPath exitArrow(const QRectF &box);

} // namespace Glyphs
