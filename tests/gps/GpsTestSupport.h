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
    explicit ScopedTimeZone(const char* zone) {
        if (const char* old = std::getenv("TZ")) {
            had_ = true;
            previous_ = old;
        }
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ScopedTimeZone() {
        if (had_) {
            setenv("TZ", previous_.c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    bool had_ = false;
    std::string previous_;
};

class RecordingHost : public MessageHost {
public:
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

inline GpsPoint MakePoint(double lat, double lon, double ele = 0.0, int64_t time = 0) {
    GpsPoint p;
    p.Latitude = lat;
    p.Longitude = lon;
    p.Elevation = ele;
    p.Time = TimeValue(time);
    return p;
}

// Wraps a list of trkpt elements into a GPX 1.1 document.
inline std::string GpxDocument(const std::string& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<gpx version=\"1.1\" creator=\"test\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n" +
           body + "</gpx>\n";
}

}  // namespace trackalbum::test
