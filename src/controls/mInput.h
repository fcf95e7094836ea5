#pragma once

#include <Qt>

// Mouse button and key state numbers passed by the controls' mouse and key events: Button
// 1 left, 2 right, 4 middle; Shift 1 Shift, 2 Ctrl, 4 Alt.
namespace mInput {

int Button(Qt::MouseButtons buttons);
int Shift(Qt::KeyboardModifiers modifiers);

} // namespace mInput
