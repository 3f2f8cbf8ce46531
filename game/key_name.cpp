#include "game/key_name.h"

#include <QKeySequence>

namespace zembrot {

namespace {

bool isModifierKey(int key) {
    switch (key) {
    case Qt::Key_Shift: case Qt::Key_Control: case Qt::Key_Alt: case Qt::Key_Meta:
    case Qt::Key_AltGr: case Qt::Key_Super_L: case Qt::Key_Super_R: case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R: case Qt::Key_CapsLock: case Qt::Key_NumLock:
        return true;
    default:
        return false;
    }
}

std::string baseName(int key) {
    switch (key) {
    case Qt::Key_Space: return "Space";
    case Qt::Key_Return: return "Return";
    case Qt::Key_Enter: return "Enter";
    case Qt::Key_Escape: return "Escape";
    case Qt::Key_Tab: case Qt::Key_Backtab: return "Tab";
    case Qt::Key_Backspace: return "Backspace";
    case Qt::Key_Up: return "Up";
    case Qt::Key_Down: return "Down";
    case Qt::Key_Left: return "Left";
    case Qt::Key_Right: return "Right";
    default: break;
    }
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return std::string(1, static_cast<char>(key));
    const QString text = QKeySequence(key).toString(QKeySequence::PortableText);
    if (!text.isEmpty()) return text.toStdString();
    return "Key" + std::to_string(key);
}

}  // namespace

std::string keyName(int key, Qt::KeyboardModifiers modifiers) {
    if (isModifierKey(key)) return {};
    std::string name;
    if (modifiers & Qt::ControlModifier) name += "Ctrl+";
    if (modifiers & Qt::AltModifier) name += "Alt+";
    if (modifiers & Qt::ShiftModifier) name += "Shift+";
    return name + baseName(key);
}

Input inputFor(int key, Qt::KeyboardModifiers modifiers) {
    const bool alt = modifiers & Qt::AltModifier;
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (alt && !ctrl && key == Qt::Key_G) return Input::GameMenu;
    if (alt && !ctrl && key == Qt::Key_O) return Input::Options;
    if (alt || ctrl) return Input::Other;
    switch (key) {
    case Qt::Key_Space: return Input::Space;
    case Qt::Key_Up: return Input::Up;
    case Qt::Key_Down: return Input::Down;
    case Qt::Key_Return: case Qt::Key_Enter: return Input::Return;
    case Qt::Key_Escape: return Input::Escape;
    default: return Input::Other;
    }
}

}  // namespace zembrot
