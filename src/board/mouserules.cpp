#include "board/mouserules.h"

namespace MouseRules {

Qt::KeyboardModifiers relevant(Qt::KeyboardModifiers modifiers)
{
    return modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
}

Action onNumber(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, bool optionsOpen)
{
    if (optionsOpen)
        return Action::None;
    if (button == Qt::LeftButton)
        return Action::Play;
    if (button == Qt::RightButton) {
        const Qt::KeyboardModifiers mods = relevant(modifiers);
        if (mods == Qt::NoModifier)
            return Action::Toggle;
        if (mods == Qt::ControlModifier)
            return Action::ShowOptions;
    }
    return Action::None;
}

Action onSurface(Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    if (button == Qt::RightButton && relevant(modifiers) == Qt::ControlModifier)
        return Action::ShowOptions;
    return Action::None;
}

} // namespace MouseRules
