#include "platform/ImageCodecIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <random>

#include "platform/CFormat.h"

namespace trackalbum {

FileReadStatus FileReader::Open(const std::string& path) {
    file_.reset();
    size_ = 0;
    // Non-blocking, so that a named pipe that looks like a photo cannot hang the caller;
    // everything but a regular file is refused before reading.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return FileReadStatus::NotFound;
        if (errno == EISDIR) return FileReadStatus::NotAFile;
        return FileReadStatus::Unreadable;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return S_ISDIR(st.st_mode) ? FileReadStatus::NotAFile : FileReadStatus::Unreadable;
    }
    std::FILE* f = fdopen(fd, "rb");
    if (!f) {
        ::close(fd);
        return FileReadStatus::Unreadable;
    }
    file_.reset(f);
    size_ = static_cast<uint64_t>(st.st_size);
    return FileReadStatus::Ok;
}

size_t FileReader::Read(uint8_t* buffer, size_t size) {
    if (!file_ || size == 0) return 0;
    return std::fread(buffer, 1, size, file_.get());
}

bool FileReader::Skip(uint64_t size) {
    if (!file_) return false;
    const off_t position = ftello(file_.get());
    if (position < 0 || size > size_ || static_cast<uint64_t>(position) + size > size_) return false;
    return fseeko(file_.get(), static_cast<off_t>(size), SEEK_CUR) == 0;
}

bool FileReader::Rewind() { return Seek(0); }

bool FileReader::Seek(uint64_t position) {
    return file_ && position <= size_ && fseeko(file_.get(), static_cast<off_t>(position), SEEK_SET) == 0;
}

FileReadStatus FileReader::ReadAll(std::vector<uint8_t>& bytes) {
    bytes.clear();
    if (!Rewind()) return FileReadStatus::Unreadable;
    try {
        bytes.resize(static_cast<size_t>(size_));
    } catch (const std::bad_alloc&) {
        return FileReadStatus::OutOfMemory;
    } catch (const std::length_error&) {
        return FileReadStatus::OutOfMemory;
    }
    // The file may shrink while it is read; keep what was there.
    bytes.resize(Read(bytes.data(), bytes.size()));
    return FileReadStatus::Ok;
}

namespace {

bool WriteAll(int fd, const uint8_t* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool WriteFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return false;
    std::random_device random;
    for (int attempt = 0; attempt < 8; ++attempt) {
        // A hidden name beside the target, so the rename stays on one file system.
        const size_t slash = path.find_last_of('/');
        const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
        const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
        const std::string temp = folder + "." + name + FormatC(".%08x.tmp", static_cast<unsigned>(random()));
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        const bool written = WriteAll(fd, bytes.data(), bytes.size());
        const bool closed = ::close(fd) == 0;
        if (written && closed && ::rename(temp.c_str(), path.c_str()) == 0) return true;
        ::unlink(temp.c_str());
        return false;
    }
    return false;
}

}  // namespace trackalbum
