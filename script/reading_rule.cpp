#include "reading_rule.h"

#include <algorithm>

#include "failure.h"
#include "keyword_table.h"

namespace script {

namespace {

// A reader's keywords: the rows it knows, in the order of its rank.
std::vector<Keyword> readerTable(int KeywordInfo::*rank, bool menuScript) {
    std::vector<const KeywordInfo*> rows;
    for (const KeywordInfo& row : keywordTable())
        if (row.*rank > 0) rows.push_back(&row);
    std::sort(rows.begin(), rows.end(), [rank](const KeywordInfo* a, const KeywordInfo* b) {
        return a->*rank < b->*rank;
    });
    std::vector<Keyword> table;
    for (const KeywordInfo* row : rows) table.push_back({row->name, menuScript ? row->menuScriptValues() : 1, row});
    return table;
}

}  // namespace

std::span<const Keyword> editorKeywords() {
    static const std::vector<Keyword> table = readerTable(&KeywordInfo::editorRank, false);
    return table;
}

std::span<const Keyword> launcherKeywords() {
    static const std::vector<Keyword> table = readerTable(&KeywordInfo::launcherRank, true);
    return table;
}

std::span<const Keyword> helpKeywords() {
    static const std::vector<Keyword> table = readerTable(&KeywordInfo::helpRank, true);
    return table;
}

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (auto& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

Record readRecord(FieldReader& reader, std::span<const Keyword> table) {
    Record record;
    record.keywordField = reader.next();
    const std::string& text = record.keywordField.text;
    if (text.empty() || text[0] == ';') {
        record.kind = Record::Kind::Skipped;
        return record;
    }
    const std::string upper = upperAscii(text);
    for (const Keyword& keyword : table) {
        if (keyword.name != upper) continue;
        record.kind = Record::Kind::Matched;
        record.keyword = keyword.name;
        record.info = keyword.info;
        for (int i = 0; i < keyword.values; ++i) {
            if (reader.atEnd())
                throw Failure(FailureKind::InputPastEndOfFile,
                              keyword.values == 3 ? "needs three values" : "needs a value")
                    .inScript(reader.fileName(), record.keywordField.line)
                    .forKeyword(std::string(keyword.name));
            record.values.push_back(reader.next());
        }
        return record;
    }
    record.kind = Record::Kind::Unmatched;
    return record;
}

void readAllRecords(FieldReader& reader, std::span<const Keyword> table,
                    const std::function<void(const Record&)>& take) {
    do {
        take(readRecord(reader, table));
    } while (!reader.atEnd());
}

}  // namespace script
