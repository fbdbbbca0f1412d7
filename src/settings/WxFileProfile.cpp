#include "settings/WxFileProfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include <wx/fileconf.h>
#include <wx/log.h>
#include <wx/mstream.h>

namespace trackalbum {
namespace {

// Far beyond any profile this program writes; a larger file is not ours and reads as empty.
constexpr size_t MaxProfileBytes = 4 * 1024 * 1024;

// Replaces every byte that does not start a valid UTF-8 sequence with U+FFFD, so that no
// value is dropped whole by the conversion into the config's wide strings.
std::string RepairUtf8(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    size_t size = text.size();
    size_t i = 0;
    while (i < size) {
        unsigned char lead = bytes[i];
        size_t length = lead < 0x80 ? 1 : (lead >= 0xC2 && lead <= 0xDF) ? 2
                      : (lead >= 0xE0 && lead <= 0xEF) ? 3 : (lead >= 0xF0 && lead <= 0xF4) ? 4 : 0;
        bool valid = length != 0 && i + length <= size;
        for (size_t k = 1; valid && k < length; ++k) valid = (bytes[i + k] & 0xC0) == 0x80;
        if (valid && length == 3) {
            unsigned char second = bytes[i + 1];
            valid = !(lead == 0xE0 && second < 0xA0) && !(lead == 0xED && second >= 0xA0);
        }
        if (valid && length == 4) {
            unsigned char second = bytes[i + 1];
            valid = !(lead == 0xF0 && second < 0x90) && !(lead == 0xF4 && second >= 0x90);
        }
        if (valid) {
            result.append(text, i, length);
            i += length;
        } else {
            result += "\xEF\xBF\xBD";
            ++i;
        }
    }
    return result;
}

bool IsNameCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.';
}

bool IsName(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (!IsNameCharacter(c)) return false;
    }
    return true;
}

std::string_view Trim(std::string_view text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Keeps only the lines this program writes: blanks, comments, "[Group]" and "Name=value"
// with plain ASCII names. wx's parser asserts on some damaged lines (an entry whose name
// is empty once unescaped), and no damaged line can hold a setting worth keeping.
std::string KeepWellFormedLines(const std::string& text) {
    std::string result;
    result.reserve(text.size());
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        std::string_view line = Trim(std::string_view(text).substr(start, end - start));
        start = end + 1;
        bool keep = false;
        if (line.empty() || line[0] == ';' || line[0] == '#') {
            keep = true;
        } else if (line[0] == '[') {
            keep = line.back() == ']' && IsName(line.substr(1, line.size() - 2));
        } else {
            size_t equals = line.find('=');
            keep = equals != std::string_view::npos && IsName(Trim(line.substr(0, equals)));
        }
        if (keep) {
            result.append(line);
            result += '\n';
        }
    }
    return result;
}

// True when at least one group or key line survived: the file is a profile, maybe damaged.
bool HasProfileLine(const std::string& wellFormed) {
    size_t start = 0;
    while (start < wellFormed.size()) {
        const size_t end = wellFormed.find('\n', start);
        const char first = wellFormed[start];
        if (end != start && first != ';' && first != '#') return true;
        start = end + 1;
    }
    return false;
}

// Keeps the file's bytes reachable under "<path>.bad" (or ".bad.N" when that is taken).
bool SetAside(const std::string& path) {
    for (int n = 0; n < 100; ++n) {
        const std::string name = path + ".bad" + (n == 0 ? std::string() : "." + std::to_string(n));
        if (link(path.c_str(), name.c_str()) == 0) return true;
        if (errno != EEXIST) return false;
    }
    return false;
}

wxString ToWx(const std::string& text) { return wxString::FromUTF8(RepairUtf8(text)); }

std::string FromWx(const wxString& text) {
    wxScopedCharBuffer utf8 = text.utf8_str();
    return std::string(utf8.data(), utf8.length());
}

wxString EntryPath(const std::string& section, const std::string& key) {
    return "/" + ToWx(section) + "/" + ToWx(key);
}

std::string ParentFolder(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// mkdir -p, 0700 for the folders it makes (the profile may hold an API key).
bool MakeFolders(const std::string& folder) {
    struct stat info {};
    if (stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    std::string parent = ParentFolder(folder);
    if (parent != folder && !MakeFolders(parent)) return false;
    return mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

}  // namespace

struct WxFileProfile::Impl {
    std::unique_ptr<wxFileConfig> config;
};

std::string WxFileProfile::GetDefaultPath() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    std::string folder;
    if (xdg != nullptr && xdg[0] == '/') {
        folder = xdg;
    } else {
        const char* home = std::getenv("HOME");
        folder = std::string(home != nullptr ? home : "") + "/.config";
    }
    return folder + "/Trackalbum.conf";
}

WxFileProfile::WxFileProfile(const std::string& path) : impl_(std::make_unique<Impl>()), path_(path) {
    // wx reports parse problems through its log; a garbled profile simply reads as empty.
    wxLogNull quiet;
    std::string contents;
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno != ENOENT && errno != ENOTDIR) {
            lastProblem_ = path + ": " + std::strerror(errno);
            mayWrite_ = false;
        }
    } else {
        char buffer[65536];
        for (;;) {
            ssize_t count = read(fd, buffer, sizeof buffer);
            if (count < 0 && errno == EINTR) continue;
            if (count < 0) {
                lastProblem_ = path + ": " + std::strerror(errno);
                mayWrite_ = false;
                contents.clear();
                break;
            }
            if (count == 0) break;
            contents.append(buffer, static_cast<size_t>(count));
            if (contents.size() > MaxProfileBytes) {
                lastProblem_ = path + ": too large for a profile, ignored";
                contents.clear();
                break;
            }
        }
        close(fd);
    }
    const bool hadBytes = !contents.empty() || !lastProblem_.empty();
    if (contents.find('\0') != std::string::npos) contents.clear();
    contents = KeepWellFormedLines(contents);
    setAsideFirst_ = mayWrite_ && hadBytes && !HasProfileLine(contents);
    wxMemoryInputStream stream(contents.data(), contents.size());
    impl_->config = std::make_unique<wxFileConfig>(stream, wxConvUTF8);
    // Values are stored verbatim: an API key may hold "$" or "%" like any other character.
    impl_->config->SetExpandEnvVars(false);
}

WxFileProfile::~WxFileProfile() = default;

std::string WxFileProfile::GetProfileString(const std::string& section, const std::string& key,
                                            const std::string& defaultValue) {
    wxLogNull quiet;
    wxString value;
    if (!impl_->config->Read(EntryPath(section, key), &value)) return defaultValue;
    return FromWx(value);
}

void WxFileProfile::WriteProfileString(const std::string& section, const std::string& key,
                                       const std::string& value) {
    wxLogNull quiet;
    impl_->config->Write(EntryPath(section, key), ToWx(value));
    dirty_ = true;
}

int WxFileProfile::GetProfileInt(const std::string& section, const std::string& key,
                                 int defaultValue) {
    wxLogNull quiet;
    long value = 0;
    if (!impl_->config->Read(EntryPath(section, key), &value)) return defaultValue;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

void WxFileProfile::WriteProfileInt(const std::string& section, const std::string& key, int value) {
    wxLogNull quiet;
    impl_->config->Write(EntryPath(section, key), static_cast<long>(value));
    dirty_ = true;
}

bool WxFileProfile::Flush() {
    if (!dirty_) return true;
    if (!mayWrite_) return false;
    wxLogNull quiet;
    wxMemoryOutputStream stream;
    if (!impl_->config->Save(stream, wxConvUTF8)) {
        lastProblem_ = path_ + ": the profile could not be formatted";
        return false;
    }
    std::string text(stream.GetSize(), '\0');
    stream.CopyTo(text.data(), text.size());

    std::string folder = ParentFolder(path_);
    if (!MakeFolders(folder)) {
        lastProblem_ = folder + ": " + std::strerror(errno);
        return false;
    }
    if (setAsideFirst_) {
        if (!SetAside(path_)) {
            lastProblem_ = path_ + ": not a profile file; left as it is (" + std::strerror(errno) + ")";
            return false;
        }
        setAsideFirst_ = false;
    }
    std::string temporary = path_ + ".XXXXXX";
    int fd = mkstemp(temporary.data());
    if (fd < 0) {
        lastProblem_ = path_ + ": " + std::strerror(errno);
        return false;
    }
    bool ok = WriteAll(fd, text.data(), text.size()) && fsync(fd) == 0;
    int error = errno;
    ok = close(fd) == 0 && ok;
    if (ok && rename(temporary.c_str(), path_.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        unlink(temporary.c_str());
        lastProblem_ = path_ + ": " + std::strerror(error);
        return false;
    }
    dirty_ = false;
    lastProblem_.clear();
    return true;
}

}  // namespace trackalbum
