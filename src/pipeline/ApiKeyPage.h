#pragma once
// The API key page's values: the key, and where the pages load the map API and its icons.
#include <string>

namespace trackalbum {

class ApiKeyPage {
public:
    const std::string& GetAPIKey() const { return APIKey; }
    void SetAPIKey(const std::string& value) { APIKey = value; }
    const std::string& GetAPIHost() const { return APIHost; }
    void SetAPIHost(const std::string& value) { APIHost = value; }
    const std::string& GetIconHost() const { return IconHost; }
    void SetIconHost(const std::string& value) { IconHost = value; }

private:
    std::string APIKey;
    std::string APIHost = ".";
    std::string IconHost = ".";
};

}  // namespace trackalbum
