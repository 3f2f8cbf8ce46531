#pragma once
// The menu script holds Windows-1252 bytes; the windows show Unicode.

#include <QString>
#include <string>

#include "script/cp1252.h"

namespace view {

inline QString fromScriptText(const std::string& bytes) {
    return QString::fromStdString(script::cp1252ToUtf8(bytes));
}

}  // namespace view
