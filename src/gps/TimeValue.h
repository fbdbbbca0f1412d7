#pragma once
// Instants and durations: signed 64-bit counts of seconds. Instants are made from calendar
// fields read as local time of the machine (the TZ variable is honoured).
#include <cstdint>
#include <string>
#include <string_view>

namespace trackalbum {

class TimeSpan {
public:
    TimeSpan() = default;
    explicit TimeSpan(int64_t seconds) : seconds_(seconds) {}

    int64_t GetTotalSeconds() const { return seconds_; }
    int64_t GetDays() const { return seconds_ / 86400; }
    int64_t GetHours() const { return seconds_ / 3600 - GetDays() * 24; }  // within the day
    int64_t GetMinutes() const { return seconds_ / 60 - (seconds_ / 3600) * 60; }
    int64_t GetSeconds() const { return seconds_ - (seconds_ / 60) * 60; }

    // %D days, %H hours within the day, %M minutes, %S seconds, %% a percent sign.
    // A null format raises InvalidArgumentError.
    std::string Format(const char* format) const;

    TimeSpan& operator+=(TimeSpan other) { seconds_ += other.seconds_; return *this; }
    friend bool operator==(TimeSpan a, TimeSpan b) { return a.seconds_ == b.seconds_; }
    friend auto operator<=>(TimeSpan a, TimeSpan b) { return a.seconds_ <=> b.seconds_; }

private:
    int64_t seconds_ = 0;
};

class TimeValue {
public:
    TimeValue() = default;
    explicit TimeValue(int64_t seconds) : seconds_(seconds) {}
    // Calendar fields as local time (month 1-12); out-of-range fields are normalised.
    // A time that cannot be represented raises InvalidArgumentError.
    TimeValue(int year, int month, int day, int hour, int minute, int second, int dst = -1);

    int64_t GetTime() const { return seconds_; }

    // strftime codes over the local broken-down time; empty when the conversion fails,
    // the result exceeds 127 bytes, or the format is null.
    std::string Format(const char* format) const;

    friend TimeSpan operator-(TimeValue a, TimeValue b) { return TimeSpan(a.seconds_ - b.seconds_); }
    friend TimeValue operator+(TimeValue a, TimeSpan b) { return TimeValue(a.seconds_ + b.GetTotalSeconds()); }
    friend bool operator==(TimeValue a, TimeValue b) { return a.seconds_ == b.seconds_; }
    friend auto operator<=>(TimeValue a, TimeValue b) { return a.seconds_ <=> b.seconds_; }

private:
    int64_t seconds_ = 0;
};

// The text of a GPX time element ("2006-05-03T01:23:45Z"); the zone suffix is ignored.
TimeValue ParseGpxTime(std::string_view text);

// ParseGpxTime for a stream of times, as a long log holds them: the local-time conversion is
// made once per hour of wall-clock time and reused for the minutes and seconds within it,
// for hours that lie clear of any change of the zone's offset. Gives what ParseGpxTime gives,
// also when the TZ variable changes between calls.
class GpxTimeParser {
public:
    TimeValue Parse(std::string_view text);

private:
    bool cached_ = false;
    long long year_ = 0, month_ = 0, day_ = 0, hour_ = 0;
    int64_t hourStart_ = 0;
    bool zoneSet_ = false;  // the TZ variable the cached hour was converted under
    std::string zone_;
};
// An EXIF date-time text ("2006:05:03 12:34:56").
TimeValue ParseExifDateTime(std::string_view text);

}  // namespace trackalbum
