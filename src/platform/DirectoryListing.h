#pragma once
// The entries of one folder, in the order the program lists folders everywhere: by name
// with the ASCII letters folded to upper case, ties broken by the raw bytes.
#include <string>
#include <string_view>
#include <vector>

namespace trackalbum {

struct DirectoryEntry {
    std::string name;       // as the file system gives it, any bytes
    bool isFolder = false;  // a folder, or a link that leads to one
    bool isHidden = false;  // the name starts with "."
};

// Every entry except "." and ".."; empty when the folder cannot be read.
std::vector<DirectoryEntry> ListDirectory(const std::string& folder);

// The listing order: true when `a` comes before `b`.
bool DirectoryOrderLess(std::string_view a, std::string_view b);

}  // namespace trackalbum
