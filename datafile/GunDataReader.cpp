#include "datafile/GunDataReader.h"

#include <locale.h>
#include <cmath>
#include <cstdlib>
#include <string>

#include "common/CLocale.h"

namespace {

constexpr int StarLimit = 50;     // characters up to and including the first "*"
constexpr int ColonLimit = 1000;  // characters after it up to and including the name's colon
constexpr int EndOfFile = std::char_traits<char>::eof();

// The stream's characters with every CR dropped, so CR LF and a lone LF both end a line.
class ReportCharacters {
public:
    explicit ReportCharacters(std::istream& in) : in_(in) {}

    int Peek() {
        int c = in_.peek();
        while (c == '\r') {
            in_.get();
            c = in_.peek();
        }
        return c;
    }

    int Get() {
        const int c = Peek();
        if (c != EndOfFile) {
            in_.get();
        }
        return c;
    }

private:
    std::istream& in_;
};

bool IsDigit(int c) {
    return c >= '0' && c <= '9';
}

// White space as the C locale's isspace knows it.
bool IsBlank(int c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Reads up to and including the first occurrence of wanted, counting every character read;
// false when the count passes limit first. The end of the stream, read again and again,
// counts as a character that never matches.
bool SkipPast(ReportCharacters& characters, char wanted, int limit) {
    for (int count = 1; count <= limit; ++count) {
        const int c = characters.Get();
        if (c == wanted) {
            return true;
        }
        if (c == EndOfFile) {
            return false;
        }
    }
    return false;
}

bool SkipPast(ReportCharacters& characters, char wanted) {
    for (int c = characters.Get(); c != EndOfFile; c = characters.Get()) {
        if (c == wanted) {
            return true;
        }
    }
    return false;
}

std::string RestOfLine(ReportCharacters& characters) {
    std::string line;
    for (int c = characters.Get(); c != EndOfFile && c != '\n'; c = characters.Get()) {
        line += static_cast<char>(c);
    }
    return line;
}

void AppendDigits(ReportCharacters& characters, std::string& text, int& digitCount) {
    while (IsDigit(characters.Peek())) {
        text += static_cast<char>(characters.Get());
        ++digitCount;
    }
}

double PointNotationToDouble(const std::string& text) {
    return strtod_l(text.c_str(), nullptr, CLocale());
}

// One number as the scanf conversion "%lf" reads it: white space skipped, then an optional
// sign, digits with at most one point, and an optional exponent. An "e" without exponent
// digits is consumed and ignored, as the C library does. A value too large for a double is
// refused; one too small reads as the nearest the double holds.
std::optional<double> ReadNumber(ReportCharacters& characters) {
    while (IsBlank(characters.Peek())) {
        characters.Get();
    }
    std::string mantissa;
    if (characters.Peek() == '+' || characters.Peek() == '-') {
        mantissa += static_cast<char>(characters.Get());
    }
    int mantissaDigits = 0;
    AppendDigits(characters, mantissa, mantissaDigits);
    if (characters.Peek() == '.') {
        mantissa += static_cast<char>(characters.Get());
        AppendDigits(characters, mantissa, mantissaDigits);
    }
    if (mantissaDigits == 0) {
        return std::nullopt;
    }
    std::string exponent;
    if (characters.Peek() == 'e' || characters.Peek() == 'E') {
        exponent += static_cast<char>(characters.Get());
        if (characters.Peek() == '+' || characters.Peek() == '-') {
            exponent += static_cast<char>(characters.Get());
        }
        int exponentDigits = 0;
        AppendDigits(characters, exponent, exponentDigits);
        if (exponentDigits == 0) {
            exponent.clear();
        }
    }
    const double value = PointNotationToDouble(mantissa + exponent);
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<GunParameters> ReadGunData(std::istream& in) {
    ReportCharacters characters(in);
    if (!SkipPast(characters, '*', StarLimit) || !SkipPast(characters, ':', ColonLimit)) {
        return std::nullopt;
    }
    GunParameters gun;
    gun.name = RestOfLine(characters);
    for (double& value : gun.values) {
        if (!SkipPast(characters, ':')) {
            return std::nullopt;
        }
        const std::optional<double> number = ReadNumber(characters);
        if (!number) {
            return std::nullopt;
        }
        value = *number;
    }
    return gun;
}
