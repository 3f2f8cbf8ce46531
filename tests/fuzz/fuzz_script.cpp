// Feeds arbitrary bytes through the field reader, the three readers' rules and
// every conversion: nothing may crash, hang or fail except with a Failure.
#include <cstddef>
#include <cstdint>
#include <string>

#include "script/cp1252.h"
#include "script/failure.h"
#include "script/menu_settings.h"
#include "script/reading_rule.h"
#include "script/untyped.h"

namespace {

void readAll(const std::string& bytes, std::span<const script::Keyword> table, bool launcher) {
    script::MenuSettings settings;
    script::FieldReader reader(bytes, "fuzz");
    try {
        do {
            script::Record record = script::readRecord(reader, table);
            if (record.kind != script::Record::Kind::Matched) continue;
            for (const auto& value : record.values) {
                script::Untyped u = script::Untyped::fromField(value);
                (void)u.toText();
                try { (void)script::toInt16(u); } catch (const script::Failure&) {}
                try { (void)script::toTruth(u); } catch (const script::Failure&) {}
                (void)script::namesPicture(u);
                (void)script::isSplashSet(u);
            }
            if (launcher) script::storeLauncherRecord(settings, record);
        } while (!reader.atEnd());
    } catch (const script::Failure&) {
    }
    if (!launcher) return;
    for (const char* k : {"BACKCOLOR", "LBL1-2", "CMD1BC", "CMD2BC", "CMD3BC", "CMD5BC"})
        try { (void)script::colourSetting(settings, k); } catch (const script::Failure&) {}
    for (const char* k : {"FTB", "CMD2V", "CMD3V", "CMD7V"})
        try { (void)script::truthSetting(settings, k); } catch (const script::Failure&) {}
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    readAll(bytes, script::launcherKeywords(), true);
    readAll(bytes, script::editorKeywords(), false);
    readAll(bytes, script::helpKeywords(), false);
    if (script::utf8ToCp1252(script::cp1252ToUtf8(bytes)) != bytes) __builtin_trap();
    (void)script::parseNumber(bytes);
    return 0;
}
