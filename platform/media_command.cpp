#include "platform/media_command.h"

#include <cctype>
#include <charconv>

namespace platform {

std::optional<std::vector<std::string>> splitCommandWords(std::string_view command) {
    std::vector<std::string> words;
    std::size_t i = 0;
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (i < command.size()) {
        if (blank(command[i])) {
            ++i;
            continue;
        }
        std::string word;
        if (command[i] == '"') {
            const auto close = command.find('"', i + 1);
            if (close == std::string_view::npos) return std::nullopt;
            word = std::string(command.substr(i + 1, close - i - 1));
            i = close + 1;
        } else {
            while (i < command.size() && !blank(command[i])) word += command[i++];
        }
        words.push_back(std::move(word));
    }
    return words;
}

std::string lowerCase(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool sameWord(std::string_view a, std::string_view b) { return lowerCase(a) == lowerCase(b); }

std::optional<unsigned long long> parseNumber(std::string_view word) {
    unsigned long long value = 0;
    const auto* end = word.data() + word.size();
    const auto result = std::from_chars(word.data(), end, value);
    if (word.empty() || result.ec != std::errc() || result.ptr != end) return std::nullopt;
    return value;
}

}  // namespace platform
