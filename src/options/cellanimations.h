#pragma once

#include "options/songs/cellpulse.h"
#include "options/songs/cellslide.h"
#include "options/songs/cellstretch.h"

#include <QObject>
#include <QTimer>

#include <array>

class QToolButton;
class QWidget;
class SongCell;

// The timers of the songs tab's cells: TimerAllunga and TimerAccorcia stretch and shrink the
// cell under the mouse, TimerSposta slides a moving cell, tmrColore pulses the glyph under the
// mouse. The steps are the tick classes'; this class runs their timers and puts the cells
// where they say.
class CellAnimations : public QObject {
    Q_OBJECT
public:
    // Cells by label, children of area, whose rows start at left (twips); height in twips.
    CellAnimations(QWidget *area, const std::array<SongCell *, 5> &cells, int left, int height);

    void setStretching(bool stretching) { m_stretch.setStretching(stretching); }
    // The rows in the given order (the label at each position); ignored while a cell moves.
    void place(const std::array<int, 5> &labelAt);
    // Queues a step of the cell at position (+1 up, -1 down) and starts the slide.
    void startMove(int position, int delta, bool selected);
    bool moving() const { return m_slide.active(); }
    bool underMouse(int label) const;

    const CellStretch &stretch() const { return m_stretch; }
    const CellPulse &pulse() const { return m_pulse; }
    QTimer &timerAllunga() { return m_allunga; }
    QTimer &timerAccorcia() { return m_accorcia; }
    QTimer &timerSposta() { return m_sposta; }
    QTimer &tmrColore() { return m_colore; }

signals:
    // A step of the slide is complete: the songs at positions a and b change places.
    void swapped(int a, int b);
    void moveFinished();
    // A cell took or lost the under-the-mouse colour.
    void hoverChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void watch(QWidget *widget);
    void hover(int label);
    void leave();
    void glyphEntered(QToolButton *glyph);
    void mirrorTimers();
    void stretchTick(bool grow);
    void moveTick();
    void colourTick();
    void paintGlyph(const CellPulse::Glyph &glyph, int grey);
    void applyGeometry();

    QWidget *m_area;
    std::array<SongCell *, 5> m_cells;
    int m_left;
    int m_height;
    CellStretch m_stretch;
    CellSlide m_slide;
    CellPulse m_pulse;
    QTimer m_allunga;
    QTimer m_accorcia;
    QTimer m_sposta;
    QTimer m_colore;
};
