#include "platform/keystroke_notation.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cctype>
#include <map>

#include "script/cp1252.h"
#include "script/failure.h"

namespace platform {

namespace {

constexpr long maxRepeat = 10000;

struct Modifiers {
    bool shift = false, control = false, alt = false;
    Modifiers operator|(const Modifiers& o) const {
        return {shift || o.shift, control || o.control, alt || o.alt};
    }
    bool any() const { return shift || control || alt; }
};

[[noreturn]] void malformed(const std::string& keys) {
    throw script::Failure(script::FailureKind::InvalidProcedureCall, "keystrokes \"" + keys + "\"");
}

std::u32string decodeUtf8(const std::string& text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        ++i;
        for (; extra > 0 && i < text.size(); --extra, ++i)
            cp = (cp << 6) | (static_cast<unsigned char>(text[i]) & 0x3F);
        out.push_back(cp);
    }
    return out;
}

std::uint32_t keysymForCharacter(char32_t c) {
    if ((c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xFF)) return c;
    return 0x01000000u | static_cast<std::uint32_t>(c);
}

const std::map<std::string, std::uint32_t>& namedKeys() {
    static const std::map<std::string, std::uint32_t> keys = [] {
        std::map<std::string, std::uint32_t> k = {
            {"BACKSPACE", XK_BackSpace}, {"BS", XK_BackSpace},     {"BKSP", XK_BackSpace},
            {"BREAK", XK_Break},         {"CAPSLOCK", XK_Caps_Lock}, {"DELETE", XK_Delete},
            {"DEL", XK_Delete},          {"DOWN", XK_Down},         {"END", XK_End},
            {"ENTER", XK_Return},        {"ESC", XK_Escape},        {"ESCAPE", XK_Escape},
            {"HELP", XK_Help},           {"HOME", XK_Home},         {"INSERT", XK_Insert},
            {"INS", XK_Insert},          {"LEFT", XK_Left},         {"NUMLOCK", XK_Num_Lock},
            {"PGDN", XK_Next},           {"PGUP", XK_Prior},        {"PRTSC", XK_Print},
            {"RIGHT", XK_Right},         {"SCROLLLOCK", XK_Scroll_Lock}, {"TAB", XK_Tab},
            {"UP", XK_Up},               {"ADD", XK_KP_Add},        {"SUBTRACT", XK_KP_Subtract},
            {"MULTIPLY", XK_KP_Multiply}, {"DIVIDE", XK_KP_Divide},
        };
        for (int n = 1; n <= 16; ++n) k["F" + std::to_string(n)] = XK_F1 + (n - 1);
        return k;
    }();
    return keys;
}

class Parser {
public:
    explicit Parser(const std::string& keys) : keys_(keys), text_(decodeUtf8(script::cp1252ToUtf8(keys))) {}

    std::vector<KeyStroke> run() {
        sequence(Modifiers{}, false);
        return std::move(out_);
    }

private:
    // Parses keys up to the end (or, inside a group, up to its ')').
    void sequence(Modifiers outer, bool inGroup) {
        Modifiers pending;
        while (pos_ < text_.size()) {
            const char32_t c = text_[pos_++];
            switch (c) {
            case U'+': pending.shift = true; continue;
            case U'^': pending.control = true; continue;
            case U'%': pending.alt = true; continue;
            case U'(':
                sequence(outer | pending, true);
                break;
            case U')':
                if (!inGroup || pending.any()) malformed(keys_);
                return;
            case U'{': braced(outer | pending); break;
            case U'}': malformed(keys_);
            case U'~': emit(XK_Return, false, outer | pending); break;
            case U'\t': emit(XK_Tab, false, outer | pending); break;
            case U'\r':
            case U'\n': emit(XK_Return, false, outer | pending); break;
            default:
                if (c < 0x20 || c == 0x7F) malformed(keys_);
                emit(keysymForCharacter(c), true, outer | pending);
            }
            pending = {};
        }
        if (inGroup || pending.any()) malformed(keys_);
    }

    // After '{': a name (its first character may be any, so "{}}" and "{ }"
    // work), optionally a blank and a repeat count, then '}'.
    void braced(Modifiers modifiers) {
        if (pos_ >= text_.size()) malformed(keys_);
        std::u32string name(1, text_[pos_++]);
        while (pos_ < text_.size() && text_[pos_] != U' ' && text_[pos_] != U'}') name += text_[pos_++];
        long count = 1;
        if (pos_ < text_.size() && text_[pos_] == U' ') {
            ++pos_;
            std::string digits;
            while (pos_ < text_.size() && text_[pos_] >= U'0' && text_[pos_] <= U'9')
                digits += static_cast<char>(text_[pos_++]);
            if (digits.empty() || digits.size() > 6) malformed(keys_);
            count = std::stol(digits);
            if (count > maxRepeat) malformed(keys_);
        }
        if (pos_ >= text_.size() || text_[pos_] != U'}') malformed(keys_);
        ++pos_;

        std::uint32_t keysym = 0;
        bool character = false;
        if (name.size() == 1) {
            const char32_t c = name[0];
            if (c < 0x20 || c == 0x7F) malformed(keys_);
            if (c < 0x80 && std::isalpha(static_cast<int>(c))) {
                keysym = static_cast<std::uint32_t>(std::tolower(static_cast<int>(c)));  // the letter key
            } else {
                keysym = keysymForCharacter(c);
                character = true;
            }
        } else {
            std::string upper;
            for (char32_t c : name) {
                if (c > 0x7F) malformed(keys_);
                upper += static_cast<char>(std::toupper(static_cast<int>(c)));
            }
            const auto found = namedKeys().find(upper);
            if (found == namedKeys().end()) malformed(keys_);
            keysym = found->second;
        }
        for (long i = 0; i < count; ++i) emit(keysym, character, modifiers);
    }

    void emit(std::uint32_t keysym, bool character, Modifiers m) {
        out_.push_back(KeyStroke{keysym, character, m.shift, m.control, m.alt});
    }

    const std::string& keys_;
    std::u32string text_;
    std::size_t pos_ = 0;
    std::vector<KeyStroke> out_;
};

}  // namespace

std::vector<KeyStroke> parseKeystrokes(const std::string& keys) {
    return Parser(keys).run();
}

std::string keyName(const KeyStroke& key) {
    std::string name;
    if (key.control) name += "Ctrl+";
    if (key.alt) name += "Alt+";
    if (key.shift) name += "Shift+";
    if (key.keysym == ' ') return name + "Space";
    if (key.keysym > ' ' && key.keysym <= 0xFF) {
        const char c = static_cast<char>(key.keysym);
        return name + script::cp1252ToUtf8(std::string(1, c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c));
    }
    // The longest of the notation's names for the key: ESCAPE rather than ESC.
    std::string longest;
    for (const auto& [word, keysym] : namedKeys())
        if (keysym == key.keysym && word.size() > longest.size()) longest = word;
    if (longest.empty()) return name + "key " + std::to_string(key.keysym);
    for (std::size_t i = 1; i < longest.size(); ++i)
        if (longest[i] >= 'A' && longest[i] <= 'Z') longest[i] = static_cast<char>(longest[i] + 32);
    return name + longest;
}

}  // namespace platform
