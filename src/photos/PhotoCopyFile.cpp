#include "photos/PhotoCopyFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <vector>

#include "platform/CFormat.h"

namespace trackalbum {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }
    // Closes now; false when the close reports an error (a write that did not land).
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A new file beside `target` with a hidden name (the folder scan skips it), created with
// the usual permissions so the copy is readable like any other page file.
FileDescriptor CreateTemporaryBeside(const std::string& target, std::string& temporaryPath) {
    std::random_device random;
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporaryPath = JoinPhotoPath(FolderOf(target),
                                      FormatC(".%s.%08x.tmp", NameOf(target).c_str(), random()));
        const int fd = ::open(temporaryPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return FileDescriptor(fd);
        }
    }
    return FileDescriptor(-1);
}

bool WriteAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<size_t>(written);
    }
    return true;
}

bool CopyContents(int from, int to) {
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got == 0) {
            return true;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (!WriteAll(to, buffer.data(), static_cast<size_t>(got))) {
            return false;
        }
    }
}

}  // namespace

bool CopyFileReplacing(const std::string& source, const std::string& target) {
    // A pipe or device is never opened: that alone can block or act on the device. The open
    // does not block either and is checked again, for a file swapped in meanwhile.
    if (!IsRegularFile(source)) {
        return false;
    }
    FileDescriptor from(::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat info {};
    if (!from.IsOpen() || ::fstat(from.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    std::string temporaryPath;
    FileDescriptor to = CreateTemporaryBeside(target, temporaryPath);
    if (!to.IsOpen()) {
        return false;
    }
    const bool copied = CopyContents(from.Get(), to.Get());
    const bool closed = to.Close();
    if (!copied || !closed || ::rename(temporaryPath.c_str(), target.c_str()) != 0) {
        ::unlink(temporaryPath.c_str());
        return false;
    }
    return true;
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsSameFile(const std::string& first, const std::string& second) {
    struct stat a {};
    struct stat b {};
    return ::stat(first.c_str(), &a) == 0 && ::stat(second.c_str(), &b) == 0 &&
           a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::string JoinPhotoPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) {
        return name;
    }
    if (folder.back() == '/') {
        return folder + name;
    }
    return folder + "/" + name;
}

}  // namespace trackalbum
