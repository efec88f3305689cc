#include "ui/key_codes.h"

#include <QKeyEvent>

namespace lumora {

int keyCodeOf(const QKeyEvent &e) {
    const int k = e.key();
    const bool keypad = e.modifiers() & Qt::KeypadModifier;
    if (keypad) {
        if (k >= Qt::Key_0 && k <= Qt::Key_9) return 96 + (k - Qt::Key_0);
        switch (k) {
            case Qt::Key_Asterisk:
                return 106;
            case Qt::Key_Plus:
                return 107;
            case Qt::Key_Minus:
                return 109;
            case Qt::Key_Period:
            case Qt::Key_Comma:
                return 110;
            case Qt::Key_Slash:
                return 111;
            default:
                break;
        }
    }
    if (k >= Qt::Key_0 && k <= Qt::Key_9) return k;  // 48..57
    if (k >= Qt::Key_A && k <= Qt::Key_Z) return k;  // 65..90
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24) return 112 + (k - Qt::Key_F1);
    switch (k) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        case Qt::Key_Pause:
            return 19;
        case Qt::Key_CapsLock:
            return 20;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        case Qt::Key_NumLock:
            return 144;
        case Qt::Key_Semicolon:
            return 186;
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            return 187;
        case Qt::Key_Comma:
            return 188;
        case Qt::Key_Minus:
            return 189;
        case Qt::Key_Period:
            return 190;
        case Qt::Key_Slash:
            return 191;
        default:
            return 0;
    }
}

char32_t typedCharOf(const QKeyEvent &e) {
    switch (e.key()) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return 0;
        default:
            break;
    }
    const auto mods = e.modifiers();
    if (mods & (Qt::ControlModifier | Qt::MetaModifier)) {
        // Ctrl+letter types a control character (Ctrl+V is 22); other Ctrl combinations type nothing.
        if (e.key() >= Qt::Key_A && e.key() <= Qt::Key_Z) return char32_t(e.key() - Qt::Key_A + 1);
        return 0;
    }
    if (mods & Qt::AltModifier) return 0;
    const QString text = e.text();
    if (text.isEmpty()) return 0;
    const char32_t c = text.toUcs4().value(0);
    if (c == 127 || (c >= 0xF700 && c <= 0xF8FF)) return 0;  // Delete and function-key codes
    return c;
}

bool isCaretKey(const QKeyEvent &e) {
    if (e.modifiers() & (Qt::AltModifier | Qt::MetaModifier)) return false;
    switch (e.key()) {
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Home:
        case Qt::Key_End:
            return true;
        default:
            return false;
    }
}

}  // namespace lumora
