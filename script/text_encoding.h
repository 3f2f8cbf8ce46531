#pragma once
// Scripts saved in another encoding than the Windows-1252 every reader
// expects: which one it looks like, and its text in Windows-1252.

#include <string>
#include <string_view>

namespace script {

struct TextEncoding {
    enum class Kind { Windows1252, Utf8, Utf16LittleEndian, Utf16BigEndian };
    Kind kind = Kind::Windows1252;
    bool byteOrderMark = false;

    bool isWindows1252() const { return kind == Kind::Windows1252; }
    // "UTF-16 (little-endian) with a byte-order mark", "UTF-8", ...
    std::string name() const;
};

// UTF-16 by its byte-order mark or by the NUL bytes every ASCII character
// has; UTF-8 by its mark, or when it holds valid multi-byte sequences and
// nothing else beyond ASCII. Anything else is taken for Windows-1252.
TextEncoding detectEncoding(std::string_view bytes);

// The text of `bytes` in `encoding`, as Windows-1252 bytes without a mark; a
// character Windows-1252 cannot hold becomes '?'.
std::string toWindows1252(std::string_view bytes, const TextEncoding& encoding);

// What the readers make of a script in `encoding`, for a report: e.g.
// "the launcher reads Windows-1252 and finds no keyword in it".
std::string whatTheLauncherReads(std::string_view bytes, const TextEncoding& encoding);

}  // namespace script
