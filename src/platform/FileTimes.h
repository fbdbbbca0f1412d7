#pragma once
// A file's own times, for files that carry no time of their own making.
#include <cstdint>
#include <optional>
#include <string>

namespace trackalbum {

// Seconds since 1970-01-01 00:00:00 UTC, as the file system keeps them.
struct FileTimes {
    int64_t lastWrite = 0;
    std::optional<int64_t> birth;  // only where the file system keeps one
};

// False when nothing of that name exists. A link that leads nowhere gives its own times.
bool ReadFileTimes(const std::string& path, FileTimes& times);

}  // namespace trackalbum
