#include "platform/Units.h"

#include <QKeyEvent>

namespace velmora {

int ButtonsFromQt(Qt::MouseButtons buttons) {
    return (buttons.testFlag(Qt::LeftButton) ? MouseButton::Left : 0) |
           (buttons.testFlag(Qt::RightButton) ? MouseButton::Right : 0) |
           (buttons.testFlag(Qt::MiddleButton) ? MouseButton::Middle : 0);
}

int ShiftFromQt(Qt::KeyboardModifiers modifiers) {
    return (modifiers.testFlag(Qt::ShiftModifier) ? ShiftKey::Shift : 0) |
           (modifiers.testFlag(Qt::ControlModifier) ? ShiftKey::Ctrl : 0) |
           (modifiers.testFlag(Qt::AltModifier) ? ShiftKey::Alt : 0);
}

int KeyCodeFromQt(int qtKey) {
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
        return qtKey;  // Qt uses the same codes for these
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        return KeyCode::F1 + (qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
        case Qt::Key_Backspace:
            return KeyCode::Back;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return KeyCode::Tab;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return KeyCode::Enter;
        case Qt::Key_Shift:
            return KeyCode::Shift;
        case Qt::Key_Control:
            return KeyCode::Control;
        case Qt::Key_Alt:
            return KeyCode::Alt;
        case Qt::Key_Escape:
            return KeyCode::Escape;
        case Qt::Key_Space:
            return KeyCode::Space;
        case Qt::Key_PageUp:
            return KeyCode::PageUp;
        case Qt::Key_PageDown:
            return KeyCode::PageDown;
        case Qt::Key_End:
            return KeyCode::End;
        case Qt::Key_Home:
            return KeyCode::Home;
        case Qt::Key_Left:
            return KeyCode::Left;
        case Qt::Key_Up:
            return KeyCode::Up;
        case Qt::Key_Right:
            return KeyCode::Right;
        case Qt::Key_Down:
            return KeyCode::Down;
        case Qt::Key_Insert:
            return KeyCode::Insert;
        case Qt::Key_Delete:
            return KeyCode::Delete;
        default:
            return 0;
    }
}

int KeyAsciiFromEvent(const QKeyEvent& event) {
    const QString text = event.text();
    if (!text.isEmpty()) {
        const char16_t c = text.at(0).unicode();
        // Delete yields DEL on some platforms; it is not a character key.
        return c == 0x7f ? 0 : static_cast<int>(c);
    }
    // Some platforms send these keys without text.
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
            return 9;
        default:
            return 0;
    }
}

}  // namespace velmora
