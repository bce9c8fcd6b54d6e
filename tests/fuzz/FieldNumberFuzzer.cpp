// Numbers in fields, for any text under a decimal point and under a decimal comma: the
// conversion accepts exactly what a regular expression of the field grammar accepts and what
// fits a double, reads the value that strtod reads in the C locale, raises the conversion
// error for the rest, and every accepted value is written into a text that reads back and is
// written again unchanged.

#include <locale.h>
#include <bit>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <regex>
#include <string>

#include "common/CLocale.h"
#include "common/CommandErrors.h"
#include "common/FieldNumber.h"
#include "tests/fuzz/FuzzCheck.h"

namespace {

// Blanks (spaces only) around an optional sign, a mantissa of digits with at most one
// separator or the separator alone, an optional exponent with at least one digit. Written so
// that a text matches in one way only: the library's matcher backtracks over every other way.
std::regex FieldGrammar(char separator) {
    const std::string s = separator == '.' ? "\\." : std::string(1, separator);
    return std::regex(" *([+-]?)([0-9]+(?:" + s + "[0-9]*)?|" + s + "[0-9]*)([eE][+-]?[0-9]+)? *");
}

const std::regex& Grammar(char separator) {
    static const std::regex point = FieldGrammar('.');
    static const std::regex comma = FieldGrammar(',');
    return separator == '.' ? point : comma;
}

double StrtodWithPoint(const std::string& text) {
    return strtod_l(text.c_str(), nullptr, CLocale());
}

// What a field text should read as: the grammar's parts put together in the notation strtod
// reads, refused when the value is beyond the largest double.
std::optional<double> ReferenceFieldToNumber(const std::string& text, char separator) {
    std::smatch parts;
    if (!std::regex_match(text, parts, Grammar(separator))) {
        return std::nullopt;
    }
    std::string mantissa = parts[2].str();
    if (mantissa.front() == separator) {
        mantissa.insert(0, "0");  // strtod wants a digit before the point
    }
    for (char& c : mantissa) {
        if (c == separator) {
            c = '.';
        }
    }
    const double value = StrtodWithPoint(parts[1].str() + mantissa + parts[3].str());
    if (std::isinf(value)) {
        return std::nullopt;
    }
    return value;
}

bool SameBits(double a, double b) {
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

std::string Quoted(const std::string& text, char separator) {
    return "'" + text + "' with separator '" + separator + "'";
}

size_t SignificantDigits(const std::string& written) {
    size_t count = 0;
    for (const char c : written.substr(0, written.find('E'))) {
        if (c >= '1' && c <= '9') {
            ++count;
        } else if (c == '0' && count > 0) {
            ++count;  // a zero counts once a non-zero digit stood before it
        }
    }
    return count;
}

void CheckWrittenForm(double value, char separator) {
    const std::string written = NumberToField(value, separator);
    const std::string where = "written " + Quoted(written, separator);
    const std::optional<double> reread = TryFieldToNumber(written, separator);
    Require(reread.has_value(), where + " reads back");
    const std::optional<double> expected = ReferenceFieldToNumber(written, separator);
    Require(expected && SameBits(*expected, *reread), where + " reads as the grammar says");
    Require(NumberToField(*reread, separator) == written, where + " is written again unchanged");

    // Half a unit of the fifteenth digit, and the half unit in the last place that the reading
    // back adds to it (1.000000013207495041e-4 is written 0.00010000000132075, which reads as a
    // double just above that).
    const double tolerance = std::fabs(value) * 5e-15 +
                             std::fabs(*reread) * std::numeric_limits<double>::epsilon() / 2 +
                             std::numeric_limits<double>::denorm_min();
    Require(std::fabs(*reread - value) <= tolerance, where + " is the value to 15 digits");
    Require(SignificantDigits(written) <= 15, where + " has at most 15 significant digits");
    const double magnitude = std::fabs(*reread);
    const bool fixed = magnitude == 0 || (magnitude >= 1e-4 && magnitude < 1e15);
    Require(fixed == (written.find('E') == std::string::npos),
            where + " is fixed exactly from 0.0001 up to below 1E15");
    const size_t mark = written.find(separator);
    if (mark != std::string::npos) {
        const size_t end =
            written.find('E') == std::string::npos ? written.size() : written.find('E');
        Require(written[end - 1] != '0' && end - 1 != mark,
                where + " has no trailing zeros after the separator");
    }
}

void CheckText(const std::string& text, char separator) {
    const std::string where = Quoted(text, separator);
    const std::optional<double> expected = ReferenceFieldToNumber(text, separator);
    const std::optional<double> actual = TryFieldToNumber(text, separator);
    Require(actual.has_value() == expected.has_value(),
            where + (expected ? " is accepted" : " is refused"));
    if (actual) {
        Require(SameBits(*actual, *expected), where + " reads as strtod reads it");
    }

    try {
        const double value = FieldToNumber(text, separator);
        Require(expected && SameBits(value, *expected), where + " converts only when accepted");
    } catch (const CommandError& error) {
        Require(!expected, where + " raises no error when accepted");
        // what() is a C string: a text with a NUL byte is compared up to it.
        const std::string message = "'" + text + "' is not a valid floating point value";
        Require(std::strcmp(error.what(), message.c_str()) == 0,
                where + " raises the conversion error with its text");
    }

    if (actual) {
        CheckWrittenForm(*actual, separator);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The library's matcher recurses once per character: far longer texts than a field
    // holds would overflow the stack of the reference, not of the conversion.
    constexpr std::size_t LongestText = 8192;
    if (size > LongestText) {
        return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckText(text, '.');
    CheckText(text, ',');
    return 0;
}
