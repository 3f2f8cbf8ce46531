#pragma once
// Cuts a script file into its stream of fields.

#include <cstddef>
#include <string>

namespace script {

struct Field {
    std::string text;     // without the quotes of a quoted field
    bool quoted = false;
    int line = 1;         // line on which the field starts
    bool empty() const { return text.empty(); }
};

// Field rules: blanks before a field are skipped; a quoted field runs to the
// next double quote and whatever follows it up to the next comma or line end is
// dropped; any other field runs to the next comma or line end, which is
// consumed, and loses its trailing blanks. Line ends are CR LF, LF or CR.
class FieldReader {
public:
    FieldReader(std::string bytes, std::string fileName);

    // Throws Failure(InputPastEndOfFile) when no field is left.
    Field next();
    // True once every byte has been consumed. Readers take a field first and
    // test for the end afterwards, so an empty file fails at its first read.
    bool atEnd() const { return pos_ >= bytes_.size(); }

    int line() const { return line_; }
    const std::string& fileName() const { return fileName_; }

private:
    void consumeLineEnd();

    std::string bytes_;
    std::string fileName_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace script
