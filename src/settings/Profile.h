#pragma once
// The per-user key-value store behind the settings: sections of named string and integer
// values. Reads of an absent key give the default; the store reports no other failure.
#include <string>

namespace trackalbum {

class Profile {
public:
    virtual ~Profile() = default;

    virtual std::string GetProfileString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue) = 0;
    virtual void WriteProfileString(const std::string& section, const std::string& key,
                                    const std::string& value) = 0;
    virtual int GetProfileInt(const std::string& section, const std::string& key,
                              int defaultValue) = 0;
    virtual void WriteProfileInt(const std::string& section, const std::string& key,
                                 int value) = 0;

    // Makes the values written so far durable. A store that keeps nothing beyond the
    // process has nothing to do. Returns false when the values could not be stored; the
    // previously stored profile is then left as it was.
    virtual bool Flush() { return true; }
    // Why the store could not be read or written last, or "".
    virtual std::string GetLastProblem() const { return {}; }
};

}  // namespace trackalbum
