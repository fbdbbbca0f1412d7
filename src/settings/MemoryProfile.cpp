#include "settings/MemoryProfile.h"

#include <climits>

#include "platform/CFormat.h"

namespace trackalbum {

std::string MemoryProfile::GetProfileString(const std::string& section, const std::string& key,
                                            const std::string& defaultValue) {
    auto found = values_.find({section, key});
    return found == values_.end() ? defaultValue : found->second;
}

void MemoryProfile::WriteProfileString(const std::string& section, const std::string& key,
                                       const std::string& value) {
    values_[{section, key}] = value;
}

int MemoryProfile::GetProfileInt(const std::string& section, const std::string& key,
                                 int defaultValue) {
    auto found = values_.find({section, key});
    if (found == values_.end()) return defaultValue;
    size_t consumed = 0;
    long long value = ParseLeadingInteger(found->second, &consumed);
    if (consumed == 0 || consumed != found->second.size()) return defaultValue;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

void MemoryProfile::WriteProfileInt(const std::string& section, const std::string& key, int value) {
    WriteProfileString(section, key, FormatC("%d", value));
}

}  // namespace trackalbum
