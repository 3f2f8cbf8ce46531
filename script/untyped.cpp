#include "untyped.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "cp1252.h"
#include "failure.h"

namespace script {

Untyped Untyped::number(double value) {
    Untyped u;
    u.type_ = Type::Number;
    u.number_ = value;
    return u;
}

Untyped Untyped::text(std::string value) {
    Untyped u;
    u.type_ = Type::Text;
    u.text_ = std::move(value);
    return u;
}

Untyped Untyped::fromField(const Field& field) {
    if (field.text.empty()) return {};
    if (!field.quoted)
        if (auto n = parseNumber(field.text)) return number(*n);
    return text(field.text);
}

std::string Untyped::toText() const {
    switch (type_) {
        case Type::Empty: return {};
        case Type::Number: return numberToText(number_);
        case Type::Text: return text_;
    }
    return {};
}

std::optional<double> parseNumber(std::string_view text) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);

    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t mantissaStart = i;
    int digits = 0;
    bool point = false;
    for (; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') ++digits;
        else if (text[i] == '.' && !point) point = true;
        else break;
    }
    if (digits == 0) return std::nullopt;
    const std::size_t mantissaEnd = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        const std::size_t expDigits = j;
        while (j < text.size() && text[j] >= '0' && text[j] <= '9') ++j;
        if (j == expDigits) return std::nullopt;
        i = j;
    }
    if (i != text.size()) return std::nullopt;

    // from_chars takes neither a sign of '+' nor a lone leading or trailing '.'.
    std::string body(text.substr(mantissaStart, mantissaEnd - mantissaStart));
    if (body.front() == '.') body.insert(body.begin(), '0');
    if (body.back() == '.') body.push_back('0');
    std::string exponent(text.substr(mantissaEnd));
    if (!exponent.empty() && exponent[1] == '+') exponent.erase(1, 1);
    body += exponent;

    double value = 0;
    auto [end, error] = std::from_chars(body.data(), body.data() + body.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Either too large (infinity) or too small (zero); tell them apart by the exponent's sign.
        const bool tiny = exponent.size() > 1 && exponent[1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (error != std::errc() || end != body.data() + body.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::string numberToText(double value) {
    if (value == 0) return "0";
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-1.#INF" : "1.#INF";
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text(buffer);
    const auto e = text.find('e');
    if (e != std::string::npos) text[e] = 'E';
    return text;
}

namespace {

// A text value as a report quotes it.
std::string quoted(const std::string& scriptText) { return "\"" + cp1252ToUtf8(scriptText) + "\""; }

// `written` is the value as the report shows it.
std::int16_t rounded16(double value, const std::string& written) {
    auto overflow = [&] { return Failure(FailureKind::Overflow, "is outside -32768..32767").withValue(written); };
    if (std::isnan(value) || value < -32768.5 || value > 32767.5) throw overflow();
    // The default rounding mode takes halves to the even neighbour.
    const double rounded = std::nearbyint(value);
    if (rounded < -32768 || rounded > 32767) throw overflow();
    return static_cast<std::int16_t>(rounded);
}

}  // namespace

std::int16_t roundToInt16(double value) { return rounded16(value, numberToText(value)); }

std::int16_t readInt16(const Field& field) {
    const auto n = parseNumber(field.text);
    return n ? rounded16(*n, cp1252ToUtf8(field.text)) : 0;
}

float readSingle(const Field& field) {
    const auto n = parseNumber(field.text);
    if (!n) return 0.0f;
    if (std::isinf(*n) || std::fabs(*n) > std::numeric_limits<float>::max())
        throw Failure(FailureKind::Overflow, "is outside the range of a single-precision number")
            .withValue(cp1252ToUtf8(field.text));
    return static_cast<float>(*n);
}

std::int16_t toInt16(const Untyped& value) {
    switch (value.type()) {
        case Untyped::Type::Empty: return 0;
        case Untyped::Type::Number: return roundToInt16(value.asNumber());
        case Untyped::Type::Text:
            if (auto n = parseNumber(value.asText())) return rounded16(*n, cp1252ToUtf8(value.asText()));
            throw Failure(FailureKind::TypeMismatch, "is not a number").withValue(quoted(value.asText()));
    }
    return 0;
}

int toColourComponent(const Untyped& value) {
    const int n = toInt16(value);
    return n > 255 ? 255 : n < 0 ? 0 : n;
}

std::uint32_t toColour(const Untyped& red, const Untyped& green, const Untyped& blue) {
    return static_cast<std::uint32_t>(toColourComponent(red)) +
           256u * static_cast<std::uint32_t>(toColourComponent(green)) +
           65536u * static_cast<std::uint32_t>(toColourComponent(blue));
}

bool toTruth(const Untyped& value) {
    switch (value.type()) {
        case Untyped::Type::Empty: return false;
        case Untyped::Type::Number: return value.asNumber() != 0;
        case Untyped::Type::Text: {
            const std::string& t = value.asText();
            auto same = [&t](std::string_view word) {
                if (t.size() != word.size()) return false;
                for (std::size_t i = 0; i < t.size(); ++i)
                    if (std::tolower(static_cast<unsigned char>(t[i])) != word[i]) return false;
                return true;
            };
            if (same("true")) return true;
            if (same("false")) return false;
            if (auto n = parseNumber(t)) return *n != 0;
            throw Failure(FailureKind::TypeMismatch, "is not True, False or a number").withValue(quoted(t));
        }
    }
    return false;
}

std::string toCaption(const Untyped& value) { return value.toText(); }

bool sortsAfterDataFolder(std::string_view text) { return text.compare("Data\\") > 0; }

bool namesPicture(const Untyped& value) { return value.isText() && sortsAfterDataFolder(value.asText()); }

bool isSplashSet(const Untyped& value) {
    if (value.isNumber()) return value.asNumber() == 1;
    if (value.isText())
        if (auto n = parseNumber(value.asText())) return *n == 1;
    return false;
}

}  // namespace script
