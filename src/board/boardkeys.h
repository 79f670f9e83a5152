#pragma once

#include <QPoint>
#include <QString>

#include <Qt>

// The board from the keyboard: where the focus frame stands over the 25 numbers and what a
// key stands for. A key that acts is turned into the click it replaces, so the board runs the
// very path the mouse runs: Enter a left click on the focused number, M a right click on it,
// Ctrl+O a Ctrl + right click on the picture. The arrows move the frame; the first key only
// shows it, so that a stray press never plays a number the presenter cannot see.
class BoardKeys {
public:
    struct Outcome {
        enum class Kind {
            None,    // not a key of the board, or one that does nothing now
            Frame,   // the frame appeared or moved
            Number,  // a click on the focused number
            Surface, // a click on the board picture
        };
        Kind kind = Kind::None;
        Qt::MouseButton button = Qt::NoButton;
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    };

    // A key pressed while the pointer stood at pointer (global). Held keys repeat only the
    // arrows: a held Enter or M would play or flip the number again and again.
    Outcome press(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat, bool optionsOpen,
                  QPoint pointer);
    // The pointer reported at pointer (global): a real movement hides the frame. A report at
    // the place it stood when the frame last moved is the system's, not the presenter's.
    // Returns whether the frame went away.
    bool pointerMoved(QPoint pointer);

    // What the keys do, for the accessible description of the numbers and of the board.
    static QString numberHelp();
    static QString boardHelp();

    bool visible() const { return m_visible; }
    // The focused number: category 0..4 (a row of the board), index 0..4 (10..50 points).
    int category() const { return m_category; }
    int index() const { return m_index; }

private:
    bool move(int key);

    bool m_visible = false;
    int m_category = 0;
    int m_index = 0;
    QPoint m_pointer;
};
