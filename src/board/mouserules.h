#pragma once

#include <Qt>

// What a released mouse button does on the board.
namespace MouseRules {

enum class Action { None, Play, Toggle, ShowOptions };

// Only Shift, Ctrl and Alt count; other modifier bits (keypad, Meta) are ignored.
Qt::KeyboardModifiers relevant(Qt::KeyboardModifiers modifiers);

// On a number. While the options window is open the numbers do nothing.
Action onNumber(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool optionsOpen);
// On the board picture or the bare window: Ctrl-alone right click opens the options window,
// whether or not it is open already.
Action onSurface(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

} // namespace MouseRules
