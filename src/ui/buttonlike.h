#pragma once

#include <functional>

class Label;
class QKeyEvent;

// Enter, keypad Enter and Space press whatever keyboard-pressable control has the focus.
bool isActivationKey(const QKeyEvent* e);

// A label used as a button: it looks pressed (border style 1) while a mouse button is held on
// it and acts when that button is released, whichever button it was and wherever the pointer
// is by then.
void makeButtonLike(Label* label, std::function<void()> onRelease);
