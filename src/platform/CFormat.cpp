#include "platform/CFormat.h"

#include <cctype>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale.h>
#include <vector>

namespace trackalbum {
namespace {

locale_t CLocale() {
    // Created once and never freed: the "C" locale object lives as long as the process.
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

// Switches the calling thread to the "C" locale for its lifetime.
class ScopedCLocale {
public:
    ScopedCLocale() : previous_(uselocale(CLocale())) {}
    ~ScopedCLocale() { uselocale(previous_); }
    ScopedCLocale(const ScopedCLocale&) = delete;
    ScopedCLocale& operator=(const ScopedCLocale&) = delete;

private:
    locale_t previous_;
};

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string FormatCV(const char* format, va_list args) {
    ScopedCLocale c;
    char small[256];
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (needed < 0) return std::string();
    if (static_cast<size_t>(needed) < sizeof small) return std::string(small, static_cast<size_t>(needed));
    std::vector<char> large(static_cast<size_t>(needed) + 1);
    std::vsnprintf(large.data(), large.size(), format, args);
    return std::string(large.data(), static_cast<size_t>(needed));
}

std::string FormatC(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string result = FormatCV(format, args);
    va_end(args);
    return result;
}

double ParseLeadingDouble(std::string_view text, size_t* consumed) {
    if (consumed) *consumed = 0;
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    const size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    // Only the plain decimal form is a number here; from_chars would take "inf", "nan"
    // and (with a "0x" prefix skipped) hexadecimal, so the shape is checked by hand first.
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) { ++i; ++digits; }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) { ++i; ++digits; }
    }
    if (digits == 0) return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    size_t begin = start;
    if (text[begin] == '+') ++begin;  // from_chars refuses a leading '+'
    double value = 0.0;
    const auto result = std::from_chars(text.data() + begin, text.data() + i, value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Overflow gives infinity and underflow zero, as strtod does, keeping the sign.
        const bool negative = text[start] == '-';
        // A negative exponent underflows to zero; anything else overflows.
        const size_t e = text.find_first_of("eE", begin);
        const bool tiny = e != std::string_view::npos && e + 1 < i && text[e + 1] == '-';
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
        if (negative) value = -value;
    } else if (result.ec != std::errc()) {
        return 0.0;
    }
    if (consumed) *consumed = i;
    return value;
}

long long ParseLeadingInteger(std::string_view text, size_t* consumed) {
    if (consumed) *consumed = 0;
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || !IsDigit(text[i])) return 0;
    long long value = 0;
    const long long limit = std::numeric_limits<long long>::max();
    bool overflow = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        if (!overflow && value > (limit - digit) / 10) overflow = true;
        if (!overflow) value = value * 10 + digit;
    }
    if (consumed) *consumed = i;
    if (overflow) return negative ? std::numeric_limits<long long>::min() : limit;
    return negative ? -value : value;
}

}  // namespace trackalbum
