#include "page/PageFormat.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "platform/CFormat.h"

namespace trackalbum {
namespace {

constexpr char DigitPairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// Magnitudes below this keep value x 10^6 within 64 bits after rounding.
constexpr double FastLimit = 1e12;

// The general path: to_chars gives printf's digits for every value, in any locale.
void AppendFixed6General(std::string& out, double value, int width) {
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    if (result.ec != std::errc()) {
        out += FormatC("%*.6f", width, value);
        return;
    }
    const auto length = static_cast<int>(result.ptr - buffer);
    if (length < width) out.append(static_cast<size_t>(width - length), ' ');
    out.append(buffer, static_cast<size_t>(length));
}

}  // namespace

void AppendFixed6(std::string& out, double value, int width) {
    if (!(std::fabs(value) < FastLimit)) {
        AppendFixed6General(out, value, width);
        return;
    }
    // value = mantissa x 2^exponent exactly; value x 10^6 is then an exact 128-bit product,
    // rounded to an integer half to even as printf rounds.
    const auto bits = std::bit_cast<uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    uint64_t mantissa = bits & ((uint64_t{1} << 52) - 1);
    int exponent = -1074;
    if (biased != 0) {
        mantissa |= uint64_t{1} << 52;
        exponent = biased - 1075;
    }
    const unsigned __int128 product = static_cast<unsigned __int128>(mantissa) * 1000000u;
    const int shift = -exponent;  // positive: |value| < 2^52
    uint64_t scaled = 0;
    if (shift < 128) {
        const auto quotient = static_cast<uint64_t>(product >> shift);
        const unsigned __int128 remainder = product & ((static_cast<unsigned __int128>(1) << shift) - 1);
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
        scaled = quotient + ((remainder > half || (remainder == half && (quotient & 1) != 0)) ? 1 : 0);
    }
    char buffer[32];
    char* end = buffer + sizeof buffer;
    char* p = end;
    uint64_t fraction = scaled % 1000000;
    uint64_t whole = scaled / 1000000;
    for (int i = 0; i < 3; ++i) {
        p -= 2;
        std::memcpy(p, DigitPairs + 2 * (fraction % 100), 2);
        fraction /= 100;
    }
    *--p = '.';
    do {
        *--p = static_cast<char>('0' + whole % 10);
        whole /= 10;
    } while (whole != 0);
    if (negative) *--p = '-';
    const auto length = static_cast<int>(end - p);
    if (length < width) out.append(static_cast<size_t>(width - length), ' ');
    out.append(p, static_cast<size_t>(length));
}

void AppendLatLng(std::string& out, double latitude, double longitude) {
    out += "new GLatLng(";
    AppendFixed6(out, latitude, 10);
    out += ',';
    AppendFixed6(out, longitude, 11);
    out += ')';
}

std::string FormatLatLng(double latitude, double longitude) {
    std::string text;
    AppendLatLng(text, latitude, longitude);
    return text;
}

}  // namespace trackalbum
