#include "VirtualKeys.h"

#include <QGuiApplication>
#include <QKeyEvent>

namespace {

// The Latin key at the place of each Cyrillic capital А..Я on the Russian layout.
constexpr int RussianKeys[32] = {
    'F', 0xBC, 'D', 'U', 'L', 'T', 0xBA, 'P', 'B', 'Q', 'R', 'K', 'V', 'Y', 'J', 'G',  // А..П
    'H', 'C', 'N', 'E', 'A', 0xDB, 'W', 'X', 'I', 'O', 0xDD, 'S', 'M', 0xDE, 0xBE, 'Z', // Р..Я
};

} // namespace

int VirtualKeyCode(const QKeyEvent& Event)
{
    const int key = Event.key();
    const bool keypad = Event.modifiers() & Qt::KeypadModifier;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return keypad ? VK_NUMPAD0 + (key - Qt::Key_0) : key;
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;
    if (key >= 0x0410 && key <= 0x042F)
        return RussianKeys[key - 0x0410];
    if (key == 0x0401) // Ё
        return 0xC0;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return 0x70 + (key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return VK_RETURN;
    case Qt::Key_Escape: return VK_ESCAPE;
    case Qt::Key_Tab: return 0x09;
    case Qt::Key_Backspace: return 0x08;
    case Qt::Key_Space: return 0x20;
    case Qt::Key_PageUp: return VK_PRIOR;
    case Qt::Key_PageDown: return VK_NEXT;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Left: return VK_LEFT;
    case Qt::Key_Up: return VK_UP;
    case Qt::Key_Right: return VK_RIGHT;
    case Qt::Key_Down: return VK_DOWN;
    case Qt::Key_Insert: return VK_INSERT;
    case Qt::Key_Delete: return VK_DELETE;
    default: return 0;
    }
}

int ShiftState(const QKeyEvent& Event)
{
    const Qt::KeyboardModifiers m = Event.modifiers();
    int s = 0;
    if (m & Qt::ShiftModifier)
        s |= ssShift;
    if (m & Qt::AltModifier)
        s |= ssAlt;
    if (m & Qt::ControlModifier)
        s |= ssCtrl;
    if (m & Qt::MetaModifier)
        s |= ssMeta;
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
        s |= ssMouse;
    return s;
}
