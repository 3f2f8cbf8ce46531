#include "field_reader.h"

#include "failure.h"

namespace script {

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLineEnd(char c) { return c == '\r' || c == '\n'; }
}  // namespace

FieldReader::FieldReader(std::string bytes, std::string fileName)
    : bytes_(std::move(bytes)), fileName_(std::move(fileName)) {}

void FieldReader::consumeLineEnd() {
    if (pos_ < bytes_.size() && bytes_[pos_] == '\r') {
        ++pos_;
        if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    } else if (pos_ < bytes_.size() && bytes_[pos_] == '\n') {
        ++pos_;
    }
    ++line_;
}

Field FieldReader::next() {
    if (atEnd()) throw Failure(FailureKind::InputPastEndOfFile).inScript(fileName_, line_);

    const std::size_t size = bytes_.size();
    while (pos_ < size && isBlank(bytes_[pos_])) ++pos_;

    Field field;
    field.line = line_;

    if (pos_ < size && bytes_[pos_] == '"') {
        field.quoted = true;
        const std::size_t start = ++pos_;
        std::size_t close = bytes_.find('"', start);
        if (close == std::string::npos) close = size;
        field.text.assign(bytes_, start, close - start);
        // A quoted field may span lines; keep the line count true.
        for (std::size_t i = start; i < close; ++i) {
            if (bytes_[i] == '\n' || (bytes_[i] == '\r' && (i + 1 >= close || bytes_[i + 1] != '\n'))) ++line_;
        }
        pos_ = close < size ? close + 1 : size;
        // Whatever follows the closing quote up to the next comma or line end is dropped.
        while (pos_ < size && bytes_[pos_] != ',' && !isLineEnd(bytes_[pos_])) ++pos_;
    } else {
        const std::size_t start = pos_;
        while (pos_ < size && bytes_[pos_] != ',' && !isLineEnd(bytes_[pos_])) ++pos_;
        std::size_t end = pos_;
        while (end > start && isBlank(bytes_[end - 1])) --end;
        field.text.assign(bytes_, start, end - start);
    }

    if (pos_ < size) {
        if (bytes_[pos_] == ',') ++pos_;
        else consumeLineEnd();
    }
    return field;
}

}  // namespace script
