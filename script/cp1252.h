#pragma once
// The files are Windows-1252 bytes; the windows show Unicode (UTF-8 here).

#include <string>
#include <string_view>

namespace script {

std::string cp1252ToUtf8(std::string_view bytes);
// Appends the code point `c` in UTF-8.
void appendUtf8(std::string& out, char32_t c);
// A character that Windows-1252 cannot hold becomes '?'; malformed UTF-8 too.
std::string utf8ToCp1252(std::string_view utf8);

}  // namespace script
