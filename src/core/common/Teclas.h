#pragma once

// The key codes the controls' KeyDown / KeyUp events carry: the keyboard's virtual key numbers
// (letters and digits as their upper-case ASCII codes, Enter 13, the arrows 37 to 40, Delete 46, the
// numeric keypad 96 to 111, F1 112 and on), and the Shift argument that goes with them.

#include <Qt>
#include <QtGlobal>

namespace Teclas {

constexpr qint16 kShift = 1;
constexpr qint16 kCtrl = 2;
constexpr qint16 kAlt = 4;

// The code of a key given as a Qt key code; keys without a code give 0. `tecladoNumerico`: the key
// came from the numeric keypad (Qt::KeypadModifier).
qint16 Codigo(int qtKey, bool tecladoNumerico = false);

// The Shift argument (kShift | kCtrl | kAlt) for Qt's keyboard modifiers.
qint16 CodigoShift(Qt::KeyboardModifiers modificadores);

} // namespace Teclas
