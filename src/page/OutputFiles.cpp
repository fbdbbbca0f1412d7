#include "page/OutputFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "page/OutputKind.h"
#include "page/Utf8.h"
#include "platform/CFormat.h"
#include "platform/Errors.h"
#include "platform/OutputPaths.h"

namespace trackalbum {
namespace {

constexpr const char* PageFolder = "html";
constexpr const char* ImageFolder = "html/img";

std::string SystemText(int error) { return std::generic_category().message(error); }

[[noreturn]] void RaiseFileError(const std::string& path, const char* what, int error) {
    throw FileError(path, std::string(what) + " " + path + ": " + SystemText(error));
}

// Removes the temporary file again unless the save got through to the rename.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& folder) {
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 100; ++attempt) {
            // A short name of its own: the page's name may already be as long as the file
            // system allows.
            path_ = folder + FormatC(".ta%ld_%u.tmp", static_cast<long>(getpid()), counter++);
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0) break;
            error_ = errno;
            if (error_ != EEXIST) break;
        }
        created_ = fd_ >= 0;
    }
    ~TemporaryFile() {
        if (fd_ >= 0) ::close(fd_);
        if (created_ && !kept_) ::unlink(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int GetDescriptor() const { return fd_; }
    int GetCreateError() const { return error_; }
    const std::string& GetPath() const { return path_; }
    // Closes the file; false (with errno set) when the data did not reach it.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }
    void Keep() { kept_ = true; }

private:
    std::string path_;
    int fd_ = -1;
    int error_ = 0;
    bool created_ = false;
    bool kept_ = false;
};

void WriteAll(int fd, std::string_view data, const std::string& path) {
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            RaiseFileError(path, "ファイルに書き込めません:", errno);
        }
        data.remove_prefix(static_cast<size_t>(written));
    }
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Characters that would end the path part of a file address early.
std::string EncodeFileAddress(const std::string& path) {
    std::string result;
    result.reserve(path.size());
    for (const char c : path) {
        if (c == '%' || c == '#' || c == '?') {
            result += FormatC("%%%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
        } else {
            result += c;
        }
    }
    return result;
}

}  // namespace

std::string GetPagePath(int kind, const std::string& gpxPath) {
    std::string path = std::string(PageFolder) + "/" + GetOutputBaseName(gpxPath);
    if (kind & OutputKind::Picture) path += "_picture";
    if (kind & OutputKind::Route) path += "_route";
    if (kind & OutputKind::ProfileLayout) path += "_grade";
    return path + ".html";
}

std::string GetElevationChartPath(const std::string& gpxPath) {
    return std::string(ImageFolder) + "/" + GetOutputBaseName(gpxPath) + "_ele.gif";
}

std::string GetSpeedChartPath(const std::string& gpxPath) {
    return std::string(ImageFolder) + "/" + GetOutputBaseName(gpxPath) + "_dis.gif";
}

void SavePageText(const std::string& path, std::string_view pageText) {
    if (IsValidUtf8(pageText)) return SaveOutputFile(path, pageText);
    SaveOutputFile(path, RepairUtf8(pageText));
}

void SaveOutputFile(const std::string& requestedPath, std::string_view bytes) {
    // A page that is a link is written where the link points, as writing in place would.
    std::string path = requestedPath;
    struct stat info;
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        std::error_code error;
        const std::filesystem::path target = std::filesystem::canonical(path, error);
        if (!error) path = target.string();
    }
    // The old page must be one that could be written in place: a read-only page stays
    // read-only rather than being replaced behind the user's back, also for the superuser,
    // whom the permission bits would not stop.
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) RaiseFileError(path, "ファイルを作成できません:", EISDIR);
        if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            RaiseFileError(path, "ファイルを作成できません:", EACCES);
        }
        const int probe = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        if (probe < 0) RaiseFileError(path, "ファイルを作成できません:", errno);
        ::close(probe);
    }

    TemporaryFile file(FolderOf(path));
    if (file.GetDescriptor() < 0) RaiseFileError(path, "ファイルを作成できません:", file.GetCreateError());
    WriteAll(file.GetDescriptor(), bytes, path);
    if (!file.Close()) RaiseFileError(path, "ファイルに書き込めません:", errno);
    if (::rename(file.GetPath().c_str(), path.c_str()) != 0) {
        RaiseFileError(path, "ファイルを作成できません:", errno);
    }
    file.Keep();
}

std::string GetPageAddress(int kind, const PageOptions& options) {
    const std::string path = GetPagePath(kind, options.GetGpsFile());
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) RaiseFileError(path, "ファイルを開けません:", errno);
    struct stat info;
    const bool isFolder = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
    ::close(fd);
    if (isFolder) RaiseFileError(path, "ファイルを開けません:", EISDIR);
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) RaiseFileError(path, "ファイルを開けません:", error.value());
    return "file://" + EncodeFileAddress(absolute.lexically_normal().string());
}

}  // namespace trackalbum
