#include "menu/startup_reading.h"

#include "script/field_reader.h"
#include "script/reading_rule.h"

namespace menu {

script::MenuSettings initialStartupValues(const std::string& fileName) {
    script::MenuSettings values;
    values.FONTSIZE = 1;
    values.fileName = fileName;
    return values;
}

void readStartupScript(std::string bytes, script::MenuSettings& values, const std::function<void()>& afterField,
                       const std::function<void(const script::Record&)>& onRecord) {
    script::FieldReader reader(std::move(bytes), values.fileName);
    script::readAllRecords(reader, script::launcherKeywords(), [&](const script::Record& record) {
        if (record.kind == script::Record::Kind::Matched) script::storeLauncherRecord(values, record);
        if (onRecord) onRecord(record);
        if (record.kind == script::Record::Kind::Skipped) return;
        afterField();
    });
}

}  // namespace menu
