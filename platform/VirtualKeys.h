#pragma once
// The window system's key codes (VK_...) of Qt key events, for the handlers
// that test key codes and the shift state.
#include <Qt>

class QKeyEvent;

constexpr int VK_RETURN = 0x0D, VK_ESCAPE = 0x1B, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_LEFT = 0x25, VK_UP = 0x26,
              VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_INSERT = 0x2D, VK_DELETE = 0x2E, VK_NUMPAD0 = 0x60;
constexpr int VK_END = 0x23, VK_HOME = 0x24;

// The key code of the pressed key, 0 for keys the mapping does not know.
// Letters give the code of their key, also on the Russian layout ("С" is the
// key of "C", 0x43); keypad digits give VK_NUMPAD0..9.
int VirtualKeyCode(const QKeyEvent& Event);

// The shift state as a set: Shift, Ctrl, Alt and Meta (the keypad flag left
// out), together with any held mouse button, so that a test for exactly
// {Ctrl} fails while a button is held.
enum TShiftFlag { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssMeta = 8, ssMouse = 16 };
int ShiftState(const QKeyEvent& Event);
