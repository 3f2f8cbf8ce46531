#pragma once
// Cutting a multimedia command string into words.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Error numbers of the command-string interface.
namespace mci_error {
constexpr unsigned invalidDeviceId = 257;
constexpr unsigned unrecognizedKeyword = 259;
constexpr unsigned unrecognizedCommand = 261;
constexpr unsigned invalidDeviceName = 263;
constexpr unsigned deviceOpen = 265;
constexpr unsigned cannotLoadDriver = 266;
constexpr unsigned missingCommandString = 267;
constexpr unsigned paramOverflow = 268;
constexpr unsigned badInteger = 270;
constexpr unsigned missingParameter = 273;
constexpr unsigned unsupportedFunction = 274;
constexpr unsigned fileNotFound = 275;
constexpr unsigned extensionNotFound = 281;
constexpr unsigned duplicateAlias = 289;
constexpr unsigned noClosingQuote = 294;
constexpr unsigned invalidFile = 296;
}  // namespace mci_error

// Words separated by one or more blanks; a word in double quotes may hold
// blanks. Nullopt for an unclosed quote.
std::optional<std::vector<std::string>> splitCommandWords(std::string_view command);

bool sameWord(std::string_view a, std::string_view b);  // case-insensitive
std::string lowerCase(std::string_view text);
// A whole non-negative decimal number (a handle may be large).
std::optional<unsigned long long> parseNumber(std::string_view word);

}  // namespace platform
