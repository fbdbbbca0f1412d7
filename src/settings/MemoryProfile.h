#pragma once
// A profile that lives in memory only: for tests, and for runs that must not touch the
// user's stored settings.
#include <map>
#include <string>
#include <utility>

#include "settings/Profile.h"

namespace trackalbum {

class MemoryProfile : public Profile {
public:
    std::string GetProfileString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue) override;
    void WriteProfileString(const std::string& section, const std::string& key,
                            const std::string& value) override;
    int GetProfileInt(const std::string& section, const std::string& key,
                      int defaultValue) override;
    void WriteProfileInt(const std::string& section, const std::string& key, int value) override;

private:
    // Integers are kept as their decimal text, as a file-backed profile keeps them.
    std::map<std::pair<std::string, std::string>, std::string> values_;
};

}  // namespace trackalbum
