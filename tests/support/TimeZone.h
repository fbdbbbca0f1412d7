#pragma once
// Local times depend on the zone: a test names the one it reads them in.
#include <stdlib.h>
#include <time.h>

#include <optional>
#include <string>

namespace trackalbum::test {

// Sets TZ for the lifetime of the object and restores the previous value, or its absence.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) {
        if (const char* before = getenv("TZ")) previous_ = before;
        Set(zone);
    }
    ~ScopedTimeZone() { Set(previous_ ? previous_->c_str() : nullptr); }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    static void Set(const char* zone) {
        zone != nullptr ? setenv("TZ", zone, 1) : unsetenv("TZ");
        tzset();
    }
    std::optional<std::string> previous_;
};

}  // namespace trackalbum::test
