#include "gps/TimeValue.h"

#include <climits>
#include <cstdlib>
#include <ctime>

#include "platform/CFormat.h"
#include "platform/Errors.h"

namespace trackalbum {
namespace {

// The last instant the platform's 64-bit calendar time could represent: 3000-12-31 23:59:59 UTC.
constexpr int64_t kLastRepresentable = 32535215999;

int ToTmField(long long value, long long offset) {
    // Range-checked before subtracting: the parsed numbers saturate at the 64-bit limits.
    if (value < static_cast<long long>(INT_MIN) + offset || value > static_cast<long long>(INT_MAX) + offset) {
        throw InvalidArgumentError("calendar field out of range");
    }
    return static_cast<int>(value - offset);
}

bool IsGpxDelimiter(char c) { return c == ':' || c == 'T' || c == 'Z' || c == '-'; }
bool IsExifDelimiter(char c) { return c == ':' || c == ' '; }

// Splits `text` at delimiters (runs count as one, leading ones are skipped) and reads the
// first six tokens as leading decimal integers; missing tokens give 0.
template <typename IsDelimiter>
void ReadSixFields(std::string_view text, IsDelimiter isDelimiter, long long (&fields)[6]) {
    size_t i = 0;
    for (long long& field : fields) {
        while (i < text.size() && isDelimiter(text[i])) ++i;
        const size_t start = i;
        while (i < text.size() && !isDelimiter(text[i])) ++i;
        field = ParseLeadingInteger(text.substr(start, i - start));
    }
}

// Converts calendar fields as local time (month 1-12), the platform deciding daylight saving
// when `dst` is -1. mktime answers -1 both for failure and for one second before the epoch;
// both are refused, as is everything before the epoch and past the last representable instant.
int64_t LocalToSeconds(long long year, long long month, long long day, long long hour,
                       long long minute, long long second, int dst) {
    // Each field is checked on its own so that a saturated number cannot wrap around.
    tm fields{};
    fields.tm_year = ToTmField(year, 1900);
    fields.tm_mon = ToTmField(month, 1);
    fields.tm_mday = ToTmField(day, 0);
    fields.tm_hour = ToTmField(hour, 0);
    fields.tm_min = ToTmField(minute, 0);
    fields.tm_sec = ToTmField(second, 0);
    fields.tm_isdst = dst;
    const time_t t = mktime(&fields);
    if (t < 0 || t > kLastRepresentable) throw InvalidArgumentError("time cannot be represented");
    return static_cast<int64_t>(t);
}

// True when the hour from `start` is one stretch of wall-clock time and the zone's offset
// stays the same from two hours before it to two hours after: every minute and second of it
// then converts to start + minute * 60 + second, and no other instant shows the same wall time.
bool IsSteadyHour(int64_t start) {
    if (start < 7200 || start + 7200 > kLastRepresentable) return false;
    long offset = 0;
    bool first = true;
    for (const int64_t probe : {start - 7200, start - 1, start, start + 3599, start + 3600, start + 7200}) {
        const time_t t = static_cast<time_t>(probe);
        tm fields{};
        if (localtime_r(&t, &fields) == nullptr) return false;
        if (probe == start && (fields.tm_min != 0 || fields.tm_sec != 0)) return false;
        if (first) offset = fields.tm_gmtoff;
        first = false;
        if (fields.tm_gmtoff != offset) return false;
    }
    return true;
}

TimeValue FromFields(const long long (&f)[6]) {
    return TimeValue(LocalToSeconds(f[0], f[1], f[2], f[3], f[4], f[5], -1));
}

}  // namespace

TimeValue::TimeValue(int year, int month, int day, int hour, int minute, int second, int dst)
    : seconds_(LocalToSeconds(year, month, day, hour, minute, second, dst)) {}

std::string TimeValue::Format(const char* format) const {
    if (format == nullptr) return std::string();
    const time_t t = static_cast<time_t>(seconds_);
    tm fields{};
    if (localtime_r(&t, &fields) == nullptr) return std::string();
    char buffer[128];
    const size_t length = strftime(buffer, sizeof buffer, format, &fields);
    return std::string(buffer, length);
}

std::string TimeSpan::Format(const char* format) const {
    if (format == nullptr) throw InvalidArgumentError("null format");
    std::string result;
    for (const char* p = format; *p != '\0'; ++p) {
        if (*p != '%') {
            result += *p;
            continue;
        }
        const char code = *++p;
        if (code == '\0') break;
        switch (code) {
        case 'D': result += FormatC("%lld", static_cast<long long>(GetDays())); break;
        case 'H': result += FormatC("%02ld", static_cast<long>(GetHours())); break;
        case 'M': result += FormatC("%02ld", static_cast<long>(GetMinutes())); break;
        case 'S': result += FormatC("%02ld", static_cast<long>(GetSeconds())); break;
        case '%': result += '%'; break;
        default: break;
        }
    }
    return result;
}

TimeValue ParseGpxTime(std::string_view text) {
    long long fields[6];
    ReadSixFields(text, [](char c) { return IsGpxDelimiter(c); }, fields);
    return FromFields(fields);
}

TimeValue GpxTimeParser::Parse(std::string_view text) {
    long long f[6];
    ReadSixFields(text, [](char c) { return IsGpxDelimiter(c); }, f);
    const bool plainMinuteAndSecond = f[4] >= 0 && f[4] <= 59 && f[5] >= 0 && f[5] <= 59;
    if (!plainMinuteAndSecond) return FromFields(f);
    // mktime reads TZ at every call; a cached hour is only good under the zone it came from.
    const char* zone = std::getenv("TZ");
    const bool sameZone = zone == nullptr ? !zoneSet_ : zoneSet_ && zone_ == zone;
    if (!cached_ || !sameZone || f[0] != year_ || f[1] != month_ || f[2] != day_ || f[3] != hour_) {
        cached_ = false;
        try {
            hourStart_ = LocalToSeconds(f[0], f[1], f[2], f[3], 0, 0, -1);
        } catch (const InvalidArgumentError&) {
            return FromFields(f);
        }
        if (!IsSteadyHour(hourStart_)) return FromFields(f);
        cached_ = true;
        zoneSet_ = zone != nullptr;
        zone_ = zone != nullptr ? zone : "";
        year_ = f[0];
        month_ = f[1];
        day_ = f[2];
        hour_ = f[3];
    }
    return TimeValue(hourStart_ + f[4] * 60 + f[5]);
}

TimeValue ParseExifDateTime(std::string_view text) {
    long long fields[6];
    ReadSixFields(text, [](char c) { return IsExifDelimiter(c); }, fields);
    return FromFields(fields);
}

}  // namespace trackalbum
