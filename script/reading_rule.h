#pragma once
// The reading rule that all three readers share, and their keyword tables.

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "field_reader.h"

namespace script {

struct KeywordInfo;

struct Keyword {
    std::string_view name;
    int values;  // value fields taken after the keyword
    const KeywordInfo* info = nullptr;  // its row of the keyword table
};

// Each reader's keywords in its test order, taken from the keyword table.
// The editor's state-file reader: one value each.
std::span<const Keyword> editorKeywords();
// The launcher's start-up reader: colours take three values.
std::span<const Keyword> launcherKeywords();
// The help screen's reader.
std::span<const Keyword> helpKeywords();

struct Record {
    enum class Kind { Skipped, Matched, Unmatched };
    Kind kind = Kind::Skipped;
    std::string_view keyword;   // the table's spelling, when matched
    const KeywordInfo* info = nullptr;  // its row of the keyword table, when matched
    Field keywordField;         // the field as read
    std::vector<Field> values;  // the value fields, when matched
};

// Takes one field and decides: empty or ';' -> Skipped; a keyword of `table`
// (upper-cased, compared whole) -> Matched with its value fields, wherever
// they stand; anything else -> Unmatched, and nothing more is read.
// Throws Failure(InputPastEndOfFile) naming the keyword when a value is missing.
Record readRecord(FieldReader& reader, std::span<const Keyword> table);

// Reads `reader` to its end by the rule, handing `take` every field taken:
// skipped, matched with its values, or unmatched. The end is tested only
// after a field is read, so an empty script fails at its first read.
void readAllRecords(FieldReader& reader, std::span<const Keyword> table,
                    const std::function<void(const Record&)>& take);

std::string upperAscii(std::string_view text);

}  // namespace script
