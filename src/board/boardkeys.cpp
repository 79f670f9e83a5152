#include "board/boardkeys.h"

#include "board/mouserules.h"
#include "core/categories.h"

namespace {

bool isArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

bool isEnter(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

BoardKeys::Outcome BoardKeys::press(int key, Qt::KeyboardModifiers modifiers, bool autoRepeat,
                                    bool optionsOpen, QPoint pointer)
{
    using Kind = Outcome::Kind;
    // The options window has the game meanwhile, as it has for the mouse.
    if (optionsOpen)
        return {};
    const Qt::KeyboardModifiers mods = MouseRules::relevant(modifiers);
    if (key == Qt::Key_O && mods == Qt::ControlModifier && !autoRepeat)
        return {Kind::Surface, Qt::RightButton, Qt::ControlModifier};
    const bool acts = isEnter(key) || key == Qt::Key_M;
    if (mods != Qt::NoModifier || !(isArrow(key) || acts) || (acts && autoRepeat))
        return {};
    m_pointer = pointer;
    if (!m_visible) {
        m_visible = true;
        return {Kind::Frame, Qt::NoButton, Qt::NoModifier};
    }
    if (isArrow(key))
        return move(key) ? Outcome{Kind::Frame, Qt::NoButton, Qt::NoModifier} : Outcome{};
    return {Kind::Number, isEnter(key) ? Qt::LeftButton : Qt::RightButton, Qt::NoModifier};
}

// Up and down go from row to row and stop at the first and the last; left and right read the
// board as a page, going on to the next row at a row's end, so two keys (a presenter's clicker)
// reach every number.
bool BoardKeys::move(int key)
{
    int slot = slotIndex(m_category, m_index);
    switch (key) {
    case Qt::Key_Left:
        slot = qMax(0, slot - 1);
        break;
    case Qt::Key_Right:
        slot = qMin(SlotCount - 1, slot + 1);
        break;
    case Qt::Key_Up:
        slot = slot >= SlotsPerCategory ? slot - SlotsPerCategory : slot;
        break;
    default:
        slot = slot + SlotsPerCategory < SlotCount ? slot + SlotsPerCategory : slot;
        break;
    }
    if (slot == slotIndex(m_category, m_index))
        return false;
    m_category = slot / SlotsPerCategory;
    m_index = slot % SlotsPerCategory;
    return true;
}

bool BoardKeys::pointerMoved(QPoint pointer)
{
    if (!m_visible || pointer == m_pointer)
        return false;
    m_visible = false;
    return true;
}

QString BoardKeys::numberHelp()
{
    return QStringLiteral("Frecce: sposta la cornice sui numeri; Invio: riproduce il numero "
                          "(come il clic sinistro); M: segna o toglie il segno (come il clic "
                          "destro); Ctrl+O: opzioni");
}

QString BoardKeys::boardHelp()
{
    return QStringLiteral("Frecce: mostra e sposta la cornice sui numeri; Ctrl+O: opzioni "
                          "(come Ctrl + clic destro)");
}
