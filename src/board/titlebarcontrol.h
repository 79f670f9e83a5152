#pragma once

#include "board/titlebaranimation.h"
#include "board/windowdrag.h"

#include <QObject>
#include <QPointF>
#include <QRect>

class QTimer;
class QWidget;
class TitleBar;

// The board's own title bar and the window modes it commands: the slide in and out and the
// widening and narrowing (Timer2, 10 ms), the drag of the normal-state window (Timer3, 10 ms),
// and minimise, normal and maximised.
class TitleBarControl : public QObject {
    Q_OBJECT

public:
    enum class Mode { Maximised, Normal };

    // The bar is built on window, the board.
    explicit TitleBarControl(QWidget &window);

    TitleBar *titleBar() const { return m_titleBar; }
    Mode mode() const { return m_mode; }
    const TitleBarAnimation &animation() const { return m_bar; }
    const WindowDrag &drag() const { return m_drag; }

    // The window's load: the bar hidden above the window, the drag's origin where it stands.
    void load();
    // The bar centred at left, in twips, after a resize.
    void centre(double left);
    // The pointer moved over the board at this height in twips: at the top edge the bar comes
    // in, elsewhere a maximised board sends it away.
    void pointerAt(double yTwips);
    // No timer runs again: the board is closing.
    void stop();

    void MostraBarra();
    void NascondiBarra();
    void AllargaBarra();
    void RestringiBarra();
    void minimise();
    void normalise();
    void maximise();

    // The board's window at its designed place and size, in pixels.
    static QRect designedWindowPixels();

private:
    void onTimer2();
    void onTimer3();
    void onBarPressed(QPointF offset);
    void onBarDragged(QPointF offset, Qt::MouseButtons buttons);
    QPointF positionTwips() const;

    QWidget &m_window;
    TitleBar *m_titleBar = nullptr;
    QTimer *m_timer2 = nullptr;
    QTimer *m_timer3 = nullptr;
    TitleBarAnimation m_bar;
    WindowDrag m_drag;
    Mode m_mode = Mode::Maximised;
    bool m_inTimer2 = false;
};
