#pragma once
#include <string>
#include <vector>

#include "platform/MessageHost.h"
#include "support/TimeZone.h"

namespace trackalbum::test {

// Keeps every message box the load would have shown.
struct RecordingHost : MessageHost {
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    std::vector<std::string> messages;
};

}  // namespace trackalbum::test
