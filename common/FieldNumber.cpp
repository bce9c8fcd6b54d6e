#include "common/FieldNumber.h"

#include <locale.h>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>

#include "common/CLocale.h"
#include "common/CommandErrors.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// strtod under the "C" locale, so that the conversion never depends on the user's locale.
double StrtodWithPoint(const std::string& text, bool& outOfRange) {
    errno = 0;
    const double value = strtod_l(text.c_str(), nullptr, CLocale());
    outOfRange = errno == ERANGE && std::isinf(value);
    return value;
}

}  // namespace

std::optional<double> TryFieldToNumber(std::string_view text, char decimalSeparator) {
    size_t i = 0;
    const size_t end = text.size();
    while (i < end && text[i] == ' ') {
        ++i;
    }
    // The text is rebuilt in the notation strtod reads, with a point as the separator.
    std::string normalized;
    if (i < end && (text[i] == '+' || text[i] == '-')) {
        normalized += text[i++];
    }
    size_t mantissaDigits = 0;
    bool separatorSeen = false;
    for (; i < end; ++i) {
        if (IsDigit(text[i])) {
            normalized += text[i];
            ++mantissaDigits;
        } else if (text[i] == decimalSeparator && !separatorSeen) {
            normalized += '.';
            separatorSeen = true;
        } else {
            break;
        }
    }
    if (mantissaDigits == 0) {
        if (!separatorSeen) {
            return std::nullopt;
        }
        normalized += '0';  // a lone separator reads as 0
    }
    if (i < end && (text[i] == 'E' || text[i] == 'e')) {
        normalized += 'e';
        ++i;
        if (i < end && (text[i] == '+' || text[i] == '-')) {
            normalized += text[i++];
        }
        size_t exponentDigits = 0;
        for (; i < end && IsDigit(text[i]); ++i) {
            normalized += text[i];
            ++exponentDigits;
        }
        if (exponentDigits == 0) {
            return std::nullopt;
        }
    }
    while (i < end && text[i] == ' ') {
        ++i;
    }
    if (i != end) {
        return std::nullopt;
    }
    bool outOfRange = false;
    const double value = StrtodWithPoint(normalized, outOfRange);
    if (outOfRange) {
        return std::nullopt;
    }
    return value;
}

std::string NotAFloatingPointValueMessage(std::string_view text) {
    // Appended piece by piece: GCC 12 at -O3 takes "'" + std::string(...) for an overlapping
    // copy (-Wrestrict), a false alarm that would stop a warnings-as-errors build.
    std::string message = "'";
    message += text;
    message += "' is not a valid floating point value";
    return message;
}

double FieldToNumber(std::string_view text, char decimalSeparator) {
    const std::optional<double> value = TryFieldToNumber(text, decimalSeparator);
    if (!value) {
        throw CommandError(NotAFloatingPointValueMessage(text));
    }
    return *value;
}

std::string NumberToField(double value, char decimalSeparator) {
    if (value == 0) {
        return "0";
    }
    if (std::isnan(value)) {
        return "NAN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-INF" : "INF";
    }
    // Fifteen significant digits, rounded once; the exponent is read after the rounding so
    // that 9.999999999999999E14 becomes 1E15. The largest doubles would round up to
    // 1.79769313486232E308, beyond the range of a double, and no longer read back: they are
    // cut to the largest fifteen-digit value that does.
    constexpr double LargestReadableValue = 1.79769313486231e308;
    char buffer[40];
    const auto converted = std::to_chars(buffer, buffer + sizeof buffer,
                                         std::min(std::fabs(value), LargestReadableValue),
                                         std::chars_format::scientific, 14);
    const std::string_view scientific(buffer, converted.ptr - buffer);  // d.ddddddddddddddde+XX
    const size_t exponentMark = scientific.find('e');
    std::string digits;
    digits += scientific[0];
    digits += scientific.substr(2, exponentMark - 2);
    int exponent = 0;
    std::from_chars(
        scientific.data() + exponentMark + (scientific[exponentMark + 1] == '+' ? 2 : 1),
        scientific.data() + scientific.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }

    std::string text = value < 0 ? "-" : "";
    if (exponent >= -4 && exponent < 15) {
        if (exponent >= 0) {
            const size_t integerDigits = static_cast<size_t>(exponent) + 1;
            if (digits.size() <= integerDigits) {
                text += digits + std::string(integerDigits - digits.size(), '0');
            } else {
                text += digits.substr(0, integerDigits) + decimalSeparator +
                        digits.substr(integerDigits);
            }
        } else {
            text += std::string("0") + decimalSeparator +
                    std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
        }
    } else {
        text += digits[0];
        if (digits.size() > 1) {
            text += decimalSeparator + digits.substr(1);
        }
        text += 'E' + std::to_string(exponent);
    }
    return text;
}
