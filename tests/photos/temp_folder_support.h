#pragma once
// Temporary folders (entered if asked), the time zone, whole files, records made by name.
#include <stdlib.h>
#include <time.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "photos/PictureRecord.h"

namespace trackalbum::testing {

class TempFolder {
public:
    explicit TempFolder(bool enter = false) : previous_(std::filesystem::current_path()) {
        std::string pattern = (std::filesystem::temp_directory_path() / "ta-photos-XXXXXX").string();
        path_ = mkdtemp(pattern.data()) ? pattern : throw std::filesystem::filesystem_error("mkdtemp", std::error_code());
        if (enter) std::filesystem::current_path(path_);
    }
    ~TempFolder() {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return path_ + "/" + name; }

private:
    std::filesystem::path previous_;
    std::string path_;
};

inline void SetTimeZone(const char* zone) { setenv("TZ", zone, 1), tzset(); }
inline std::string ReadBytes(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}
inline void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
inline PictureRecord NamedRecord(const std::string& name, const std::string& comment = "") {
    PictureRecord record;
    record.FileName = name, record.Comment = comment;
    return record;
}

}  // namespace trackalbum::testing
