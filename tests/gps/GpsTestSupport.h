#pragma once
// Helpers shared by the GPS track tests.
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "gps/GpsTrack.h"
#include "platform/MessageHost.h"

namespace trackalbum::test {

// Sets TZ for the lifetime of the object and restores the previous value.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone) : had_(std::getenv("TZ") != nullptr) {
        if (had_) previous_ = std::getenv("TZ");
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone() {
        had_ ? setenv("TZ", previous_.c_str(), 1) : unsetenv("TZ");
        tzset();
    }

private:
    bool had_;
    std::string previous_;
};

struct RecordingHost : MessageHost {
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

inline GpsPoint MakePoint(double lat, double lon, double ele = 0.0, int64_t time = 0) {
    return GpsPoint{lat, lon, TimeValue(time), ele};
}

}  // namespace trackalbum::test
