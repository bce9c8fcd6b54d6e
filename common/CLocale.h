#pragma once
// The "C" locale, for the conversions whose notation must not follow the user's locale: the
// report's numbers and the fields' numbers are read and written with a point.

#include <locale.h>

// Created on first use and kept for the program's life. A system that cannot create it cannot
// read or write a report correctly: that raises std::runtime_error instead of going on with
// the user's locale.
locale_t CLocale();
