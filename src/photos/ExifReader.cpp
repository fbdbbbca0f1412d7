#include "photos/ExifReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/HeifFile.h"
#include "platform/ImageCodecIo.h"

namespace trackalbum {

namespace {

constexpr size_t HeadSize = 4096;

// The file read forward in small chunks; segments that are not needed are skipped by
// seeking, so a photo's image data is never read.
class FileSource {
public:
    explicit FileSource(const std::string& path)
        // Non-blocking, in case a pipe is swapped in after the check.
        : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)) {}
    ~FileSource() {
        if (fd_ >= 0) close(fd_);
    }
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    bool IsOpen() const { return fd_ >= 0; }

    // The first bytes of the file, read without consuming them; call before any Read.
    std::pair<const uint8_t*, size_t> Head() {
        if (position_ == 0 && end_ == 0) Fill();
        return {buffer_, end_};
    }

    // Copies up to `size` bytes; returns how many there were.
    size_t Read(uint8_t* out, size_t size) {
        size_t done = std::min(size, end_ - position_);
        if (done > 0) std::memcpy(out, buffer_ + position_, done);
        position_ += done;
        if (done == size) return done;
        if (size - done >= sizeof buffer_) return done + ReadDirect(out + done, size - done);
        Fill();
        size_t more = std::min(size - done, end_ - position_);
        if (more > 0) std::memcpy(out + done, buffer_ + position_, more);
        position_ += more;
        return done + more;
    }

    bool Skip(size_t size) {
        if (size <= end_ - position_) {
            position_ += size;
            return true;
        }
        off_t beyond = static_cast<off_t>(size - (end_ - position_));
        position_ = end_ = 0;
        return lseek(fd_, beyond, SEEK_CUR) != static_cast<off_t>(-1);
    }

private:
    void Fill() {
        position_ = 0;
        end_ = ReadDirect(buffer_, sizeof buffer_);
    }

    size_t ReadDirect(uint8_t* out, size_t size) {
        size_t done = 0;
        while (done < size) {
            ssize_t got = read(fd_, out + done, size - done);
            if (got <= 0) break;  // end of file, or an error such as reading a folder
            done += static_cast<size_t>(got);
        }
        return done;
    }

    int fd_;
    uint8_t buffer_[HeadSize];
    size_t position_ = 0;
    size_t end_ = 0;
};

class MemorySource {
public:
    MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}

    size_t Read(uint8_t* out, size_t size) {
        size_t done = std::min(size, size_ - position_);
        if (done > 0) std::memcpy(out, data_ + position_, done);
        position_ += done;
        return done;
    }

    bool Skip(size_t size) {
        if (size > size_ - position_) return false;
        position_ += size;
        return true;
    }

private:
    const uint8_t* data_;
    size_t size_;
    size_t position_ = 0;
};

bool IsStandaloneMarker(uint8_t code) {
    return code == 0x01 || (code >= 0xD0 && code <= 0xD7);  // TEM and RSTn carry no length
}

// Walks the markers to the first APP1 segment that begins with "Exif\0\0" and reads the
// TIFF structure after it, as far as the segment and the data reach. False when the walk
// ends first: at the end of the data, at the image data or end of image, or at bytes that
// are not a marker.
template <class Source>
bool FindExifSegment(Source& source, std::vector<uint8_t>& tiff) {
    uint8_t start[4];
    if (source.Read(start, 4) != 4 || start[0] != 0xFF || start[1] != 0xD8) return false;
    uint8_t marker[2] = {start[2], start[3]};
    for (;;) {
        if (marker[0] != 0xFF) return false;
        while (marker[1] == 0xFF) {  // fill bytes before a marker
            if (source.Read(&marker[1], 1) != 1) return false;
        }
        if (marker[1] == 0xDA || marker[1] == 0xD9) return false;
        if (!IsStandaloneMarker(marker[1])) {
            uint8_t length[2];
            if (source.Read(length, 2) != 2) return false;
            size_t rest = static_cast<size_t>(length[0]) << 8 | length[1];
            if (rest < 2) return false;
            rest -= 2;
            if (marker[1] == 0xE1 && rest >= 6) {
                uint8_t identifier[6];
                if (source.Read(identifier, 6) != 6) return false;
                rest -= 6;
                if (std::memcmp(identifier, "Exif\0\0", 6) == 0) {
                    // A file cut short inside the segment keeps what it has.
                    tiff.resize(rest);
                    tiff.resize(source.Read(tiff.data(), rest));
                    return true;
                }
            }
            if (!source.Skip(rest)) return false;
        }
        if (source.Read(marker, 2) != 2) return false;
    }
}

bool ReadHeifExif(const std::string& path, std::vector<uint8_t>& tiff) {
    FileReader reader;
    HeifFile file;
    return reader.Open(path) == FileReadStatus::Ok && file.OpenReader(reader) && file.ReadExifTiff(tiff);
}

}  // namespace

int32_t ExifReader::Read(const std::string& path) {
    path_ = path;
    position_.reset();
    heif_ = false;
    // Only a regular file is opened: opening a pipe or device can release its writer or act
    // on the device.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return 0;
    std::vector<uint8_t> tiff;
    {
        FileSource source(path);
        if (!source.IsOpen()) return 0;
        const auto [head, size] = source.Head();
        heif_ = IsHeifSignature(head, size);
        if (!heif_ && !FindExifSegment(source, tiff)) return 0;
    }
    if (heif_ && !ReadHeifExif(path, tiff)) return 0;
    return Take(tiff);
}

int32_t ExifReader::ReadBuffer(const uint8_t* data, size_t size) {
    position_.reset();
    heif_ = IsHeifSignature(data, size);
    std::vector<uint8_t> tiff;
    if (heif_) {
        HeifFile file;
        if (!file.OpenMemory(data, size) || !file.ReadExifTiff(tiff)) return 0;
    } else {
        MemorySource source(data, size);
        if (!FindExifSegment(source, tiff)) return 0;
    }
    return Take(tiff);
}

int32_t ExifReader::Take(const std::vector<uint8_t>& tiff) {
    const ExifFacts facts = ReadExifFacts(tiff.data(), tiff.size());
    position_ = facts.Position;
    if (!facts.TakenTime) return 0;
    time_ = *facts.TakenTime;
    return 1;
}

}  // namespace trackalbum
