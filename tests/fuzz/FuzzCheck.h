#pragma once
// The fuzz targets' check: a property that fails is a crash the fuzzer records, with what
// failed on stderr. assert() would vanish under NDEBUG.

#include <cstdio>
#include <cstdlib>
#include <string>

// The bytes of a text with everything but printable ASCII as \xHH, for the failure message.
inline std::string Printable(const std::string& text) {
    std::string printable;
    for (const char c : text) {
        if (c >= ' ' && c <= '~' && c != '\\') {
            printable += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
            printable += escaped;
        }
    }
    return printable;
}

[[noreturn]] inline void Fail(const std::string& what) {
    std::fprintf(stderr, "Property failed: %s\n", Printable(what).c_str());
    std::abort();
}

inline void Require(bool holds, const std::string& what) {
    if (!holds) {
        Fail(what);
    }
}
