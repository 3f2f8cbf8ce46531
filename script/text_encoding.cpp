#include "text_encoding.h"

#include <cstdint>

#include "cp1252.h"

namespace script {

namespace {

// The length of the valid UTF-8 sequence at `at`, 0 when there is none.
std::size_t utf8Sequence(std::string_view bytes, std::size_t at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    const std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (length == 0 || at + length > bytes.size()) return 0;
    for (std::size_t i = 1; i < length; ++i)
        if ((static_cast<unsigned char>(bytes[at + i]) & 0xC0) != 0x80) return 0;
    return length;
}

std::string utf16ToUtf8(std::string_view bytes, bool littleEndian) {
    std::string out;
    auto unit = [&](std::size_t at) {
        const auto a = static_cast<unsigned char>(bytes[at]), b = static_cast<unsigned char>(bytes[at + 1]);
        return static_cast<std::uint32_t>(littleEndian ? a | (b << 8) : (a << 8) | b);
    };
    for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
        std::uint32_t code = unit(at);
        if (code >= 0xD800 && code < 0xDC00 && at + 3 < bytes.size()) {
            const std::uint32_t low = unit(at + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                at += 2;
            }
        }
        appendUtf8(out, static_cast<char32_t>(code));
    }
    return out;
}

}  // namespace

std::string TextEncoding::name() const {
    std::string text;
    switch (kind) {
        case Kind::Windows1252: return "Windows-1252";
        case Kind::Utf8: text = "UTF-8"; break;
        case Kind::Utf16LittleEndian: text = "UTF-16 (little-endian)"; break;
        case Kind::Utf16BigEndian: text = "UTF-16 (big-endian)"; break;
    }
    return text + (byteOrderMark ? " with a byte-order mark" : " without a byte-order mark");
}

TextEncoding detectEncoding(std::string_view bytes) {
    using Kind = TextEncoding::Kind;
    if (bytes.starts_with("\xFF\xFE")) return {Kind::Utf16LittleEndian, true};
    if (bytes.starts_with("\xFE\xFF")) return {Kind::Utf16BigEndian, true};
    if (bytes.starts_with("\xEF\xBB\xBF")) return {Kind::Utf8, true};
    // Text in UTF-16 has a NUL beside every ASCII character; a script is mostly ASCII.
    std::size_t evenNuls = 0, oddNuls = 0;
    for (std::size_t at = 0; at < bytes.size(); ++at)
        if (bytes[at] == '\0') ++(at % 2 ? oddNuls : evenNuls);
    const std::size_t pairs = bytes.size() / 2;
    if (pairs > 0 && oddNuls * 4 >= pairs && oddNuls > evenNuls) return {Kind::Utf16LittleEndian, false};
    if (pairs > 0 && evenNuls * 4 >= pairs && evenNuls > oddNuls) return {Kind::Utf16BigEndian, false};
    bool multiByte = false;
    for (std::size_t at = 0; at < bytes.size();) {
        if (static_cast<unsigned char>(bytes[at]) < 0x80) {
            ++at;
            continue;
        }
        const std::size_t length = utf8Sequence(bytes, at);
        if (length == 0) return {};
        multiByte = true;
        at += length;
    }
    return multiByte ? TextEncoding{Kind::Utf8, false} : TextEncoding{};
}

std::string toWindows1252(std::string_view bytes, const TextEncoding& encoding) {
    switch (encoding.kind) {
        case TextEncoding::Kind::Windows1252: return std::string(bytes);
        case TextEncoding::Kind::Utf8: return utf8ToCp1252(encoding.byteOrderMark ? bytes.substr(3) : bytes);
        case TextEncoding::Kind::Utf16LittleEndian:
        case TextEncoding::Kind::Utf16BigEndian:
            return utf8ToCp1252(utf16ToUtf8(encoding.byteOrderMark ? bytes.substr(2) : bytes,
                                            encoding.kind == TextEncoding::Kind::Utf16LittleEndian));
    }
    return std::string(bytes);
}

std::string whatTheLauncherReads(std::string_view bytes, const TextEncoding& encoding) {
    if (encoding.kind != TextEncoding::Kind::Utf8)
        return "the launcher reads Windows-1252 and finds no keyword in it";
    // The first character beyond ASCII, as the launcher shows it.
    for (std::size_t at = encoding.byteOrderMark ? 3 : 0; at < bytes.size(); ++at) {
        const std::size_t length = static_cast<unsigned char>(bytes[at]) >= 0x80 ? utf8Sequence(bytes, at) : 0;
        if (length == 0) continue;
        const std::string_view character = bytes.substr(at, length);
        return "the launcher reads Windows-1252, so \"" + std::string(character) + "\" shows as \"" +
               cp1252ToUtf8(character) + "\"";
    }
    if (encoding.byteOrderMark)
        return "the launcher reads Windows-1252, and the mark's three bytes make the first keyword one it "
               "does not know";
    return "the launcher reads Windows-1252";
}

}  // namespace script
