#pragma once
// Number formatting and parsing that never depends on the process locale: a GTK program
// runs with the user's LC_NUMERIC, and pages, statistics and files must not change with it.
#include <cstdarg>
#include <string>
#include <string_view>

namespace trackalbum {

// printf-style formatting in the "C" locale.
std::string FormatC(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string FormatCV(const char* format, va_list args);

// A leading decimal floating-point number: blanks skipped, optional sign, digits with '.'
// as decimal point, optional exponent. No number (and "nan", "inf" or hexadecimal forms)
// gives 0.0. `consumed`, when given, receives the number of characters used (0 for none).
double ParseLeadingDouble(std::string_view text, size_t* consumed = nullptr);

// A leading decimal integer: blanks skipped, optional sign, then the leading digits;
// no digits give 0. Values beyond the range saturate.
long long ParseLeadingInteger(std::string_view text, size_t* consumed = nullptr);

}  // namespace trackalbum
