#pragma once
// The two error kinds that cross subsystem borders: a date that cannot be represented
// (raised by the time conversion) and a file that cannot be created, written or opened
// (raised by the page writer and the show step; the Apply host reports it).
#include <cstdint>
#include <stdexcept>
#include <string>

namespace trackalbum {

// The platform's invalid-argument failure (code 0x80070057).
class InvalidArgumentError : public std::invalid_argument {
public:
    static constexpr uint32_t Code = 0x80070057u;
    explicit InvalidArgumentError(const std::string& what) : std::invalid_argument(what) {}
};

// A file that cannot be created, written or opened; `what()` is the description shown to the user.
class FileError : public std::runtime_error {
public:
    FileError(const std::string& path, const std::string& description)
        : std::runtime_error(description), path_(path) {}
    const std::string& GetPath() const { return path_; }

private:
    std::string path_;
};

}  // namespace trackalbum
