#pragma once
// Untyped values, numbers as text, and the conversions the readers apply.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "field_reader.h"

namespace script {

// A value that keeps the form of the field it came from.
class Untyped {
public:
    enum class Type { Empty, Number, Text };

    Untyped() = default;
    static Untyped number(double value);
    static Untyped text(std::string value);
    // Empty field -> Empty; unquoted numeric text -> Number; otherwise Text.
    static Untyped fromField(const Field& field);

    Type type() const { return type_; }
    bool isEmpty() const { return type_ == Type::Empty; }
    bool isNumber() const { return type_ == Type::Number; }
    bool isText() const { return type_ == Type::Text; }
    double asNumber() const { return number_; }
    const std::string& asText() const { return text_; }

    // The ordinary text form: empty, a number's plain decimal text, or the text.
    std::string toText() const;

    bool operator==(const Untyped&) const = default;

private:
    Type type_ = Type::Empty;
    double number_ = 0;
    std::string text_;
};

// The core numeric rule: blanks aside, an optional sign, digits with at most
// one '.', at least one digit, and an optional exponent (E or e, optional sign,
// digits). Returns the value, or nothing when the text is not numeric.
std::optional<double> parseNumber(std::string_view text);
inline bool isNumeric(std::string_view text) { return parseNumber(text).has_value(); }

// Plain decimal text of a number: 7, 1.5, 1000, -0.25; up to 15 significant
// digits, very large or small values as 1E+20.
std::string numberToText(double value);

// Rounds to the nearest integer, halves to the even neighbour.
// Throws Failure(Overflow) outside -32768..32767.
std::int16_t roundToInt16(double value);

// Reading a field into a typed variable: non-numeric text gives 0.
std::int16_t readInt16(const Field& field);
float readSingle(const Field& field);  // Overflow beyond the float range

// Conversions of untyped values, as the launcher's settings pass applies them.
std::int16_t toInt16(const Untyped& value);  // empty 0; text must be numeric (TypeMismatch)
// One colour component: as toInt16, then above 255 counts as 255 and below 0 as 0.
int toColourComponent(const Untyped& value);
// red + 256 * green + 65536 * blue
std::uint32_t toColour(const Untyped& red, const Untyped& green, const Untyped& blue);
// 0 false, other numbers true; "True"/"False" in any case; empty false;
// numeric text as its number; any other text TypeMismatch.
bool toTruth(const Untyped& value);
std::string toCaption(const Untyped& value);
// True when the text sorts after "Data\" by character code; never for a number.
bool sortsAfterDataFolder(std::string_view text);
bool namesPicture(const Untyped& value);
// SPLASH counts as set only when it equals the number 1.
bool isSplashSet(const Untyped& value);

}  // namespace script
