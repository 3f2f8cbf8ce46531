#pragma once
// Reading a menu script the way the launcher's start-up does.

#include <functional>
#include <string>

#include "script/menu_settings.h"

namespace script { struct Record; }

namespace menu {

// The start-up values before any keyword is read: FONTSIZE is 1.
script::MenuSettings initialStartupValues(const std::string& fileName);

// Reads `bytes` field by field with the launcher's keywords, storing each
// record into `values`, and runs `afterField` after every field taken,
// whether or not it was a keyword (empty and comment fields are not taken).
// `onRecord`, when given, sees every record first, skipped ones too, once
// it is stored. Throws script::Failure as start-up would stop: input past
// end of file, an overflow, or whatever `afterField` throws.
void readStartupScript(std::string bytes, script::MenuSettings& values, const std::function<void()>& afterField,
                       const std::function<void(const script::Record&)>& onRecord = {});

}  // namespace menu
