// The keyboard as the form's handlers see it: Windows-style key codes for a key going down and the
// character (if any) that the key types.
#pragma once

class QKeyEvent;

namespace lumora {

// The key code of a key going down (Up 38, Enter 13, keypad plus 107, ...); 0 for keys without one.
int keyCodeOf(const QKeyEvent &e);

// The character that the key types, as the character handlers receive it: printable characters,
// Backspace 8, Enter 13, Escape 27 and Ctrl+letter as control codes 1..26; 0 when the key types
// nothing (arrows, Delete, function keys, Ctrl+digit...).
char32_t typedCharOf(const QKeyEvent &e);

// Keys that move the caret or extend the selection inside a text box (Left, Right, Home, End, with or
// without Shift): the only keys a count box handles by itself.
bool isCaretKey(const QKeyEvent &e);

}  // namespace lumora
