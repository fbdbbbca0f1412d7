#include "platform/DirectoryListing.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

namespace trackalbum {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { closedir(dir); }
};

unsigned char FoldUpper(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// Follows links, so a link to a folder counts as a folder; a dangling or looping link
// does not.
bool IsFolder(const std::string& folder, const dirent& entry) {
    if (entry.d_type == DT_DIR) return true;
    if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return false;
    struct stat info {};
    std::string path = folder + "/" + entry.d_name;
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

bool DirectoryOrderLess(std::string_view a, std::string_view b) {
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        unsigned char ca = FoldUpper(static_cast<unsigned char>(a[i]));
        unsigned char cb = FoldUpper(static_cast<unsigned char>(b[i]));
        if (ca != cb) return ca < cb;
    }
    if (a.size() != b.size()) return a.size() < b.size();
    // Equal when folded: the raw bytes decide ("A" before "a").
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
}

std::vector<DirectoryEntry> ListDirectory(const std::string& folder) {
    std::vector<DirectoryEntry> entries;
    if (folder.empty()) return entries;
    std::unique_ptr<DIR, DirCloser> dir(opendir(folder.c_str()));
    if (!dir) return entries;
    while (const dirent* entry = readdir(dir.get())) {
        std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        entries.push_back({std::string(name), IsFolder(folder, *entry), name.front() == '.'});
    }
    std::sort(entries.begin(), entries.end(), [](const DirectoryEntry& a, const DirectoryEntry& b) {
        return DirectoryOrderLess(a.name, b.name);
    });
    return entries;
}

}  // namespace trackalbum
