#pragma once
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "platform/MessageHost.h"

namespace trackalbum::test {

// Sets TZ for the lifetime of the object and restores the previous value.
struct ScopedTimeZone {
    explicit ScopedTimeZone(const char* zone) : had(std::getenv("TZ")), previous(had ? std::getenv("TZ") : "") {
        Set(zone);
    }
    ~ScopedTimeZone() { Set(had ? previous.c_str() : nullptr); }
    static void Set(const char* zone) {
        zone != nullptr ? setenv("TZ", zone, 1) : unsetenv("TZ");
        tzset();
    }
    bool had;
    std::string previous;
};

// Keeps every message box the load would have shown.
struct RecordingHost : MessageHost {
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

}  // namespace trackalbum::test
