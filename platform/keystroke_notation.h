#pragma once
// The keystroke notation: "+" Shift, "^" Ctrl, "%" Alt for the next key or a
// parenthesised group, "~" Enter, "{NAME}" / "{NAME n}" for named keys and
// literal characters, every other character typed as itself.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct KeyStroke {
    // An X keysym. For a character that is its keysym (Latin-1 and other
    // Unicode characters alike); for a named key the key's keysym.
    std::uint32_t keysym = 0;
    // True for a character typed as itself: the sender adds Shift (or a
    // spare key) where the keyboard needs it for that character. False for a
    // key named in braces, which is pressed as it is ("{G}" is the G key).
    bool character = false;
    bool shift = false;
    bool control = false;
    bool alt = false;

    bool operator==(const KeyStroke&) const = default;
};

// Parses a keystroke string (Windows-1252 bytes). Throws
// script::Failure(InvalidProcedureCall) when the string is malformed.
std::vector<KeyStroke> parseKeystrokes(const std::string& keys);

// A keystroke for a person: "Alt+G", "Space", "Enter" (UTF-8).
std::string keyName(const KeyStroke& key);

}  // namespace platform
