#pragma once
// A file's own times, for files that carry no time of their own making.
#include <optional>
#include <string>

#include "gps/TimeValue.h"

namespace trackalbum {

struct FileTimes {
    TimeValue lastWrite;
    std::optional<TimeValue> birth;  // only where the file system keeps one
};

// False when nothing of that name exists. A link that leads nowhere gives its own times.
bool ReadFileTimes(const std::string& path, FileTimes& times);

}  // namespace trackalbum
