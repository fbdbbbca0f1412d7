#include "photos/ExifReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/Errors.h"

namespace trackalbum {

namespace {

constexpr uint16_t DateTimeTag = 0x0132;
constexpr size_t EntrySize = 12;

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
    uint8_t buffer_[4096];
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

// Walks the markers to the first APP1 and reads its 12 header bytes. False when the walk
// ends first: at the end of the data, at the image data or end of image, or at bytes that
// are not a marker.
template <class Source>
bool FindFirstApp1(Source& source, uint8_t (&header)[12]) {
    uint8_t start[4];
    if (source.Read(start, 4) != 4 || start[0] != 0xFF || start[1] != 0xD8) return false;
    uint8_t marker[2] = {start[2], start[3]};
    for (;;) {
        if (marker[0] != 0xFF) return false;
        while (marker[1] == 0xFF) {  // fill bytes before a marker
            if (source.Read(&marker[1], 1) != 1) return false;
        }
        if (marker[1] == 0xE1) break;
        if (marker[1] == 0xDA || marker[1] == 0xD9) return false;
        if (!IsStandaloneMarker(marker[1])) {
            uint8_t length[2];
            if (source.Read(length, 2) != 2) return false;
            size_t segmentLength = static_cast<size_t>(length[0]) << 8 | length[1];
            if (segmentLength < 2 || !source.Skip(segmentLength - 2)) return false;
        }
        if (source.Read(marker, 2) != 2) return false;
    }
    return source.Read(header, sizeof header) == sizeof header;
}

}  // namespace

int32_t ExifReader::Read(const std::string& path) {
    path_ = path;
    // Only a regular file is opened: opening a pipe or device can release its writer or act
    // on the device.
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return 0;
    FileSource source(path);
    if (!source.IsOpen()) return 0;
    return Walk(source);
}

int32_t ExifReader::ReadBuffer(const uint8_t* data, size_t size) {
    MemorySource source(data, size);
    return Walk(source);
}

template <class Source>
int32_t ExifReader::Walk(Source& source) {
    uint8_t header[HeaderSize];
    if (!FindFirstApp1(source, header)) return 0;
    segmentLength_ = static_cast<uint16_t>(header[0] << 8 | header[1]);
    if (std::memcmp(header + 2, "Exif\0\0", 6) != 0) return 0;
    littleEndian_ = header[8] == 'I' && header[9] == 'I' ? 1 : 0;
    // The segment's length counts its length field, so its TIFF data after the first four
    // bytes is 12 bytes shorter; a length too small for the header holds no TIFF data.
    if (segmentLength_ < HeaderSize) return 0;
    segmentLength_ = static_cast<uint16_t>(segmentLength_ - 8);
    tiffData_.resize(segmentLength_ - 4u);
    // A file cut short inside the segment keeps what it has; every position is checked
    // against that.
    tiffData_.resize(source.Read(tiffData_.data(), tiffData_.size()));
    return ReadIfd0() ? 1 : 0;
}

uint16_t ExifReader::Get16(size_t position) const {
    const uint8_t* p = tiffData_.data() + position;
    return littleEndian_ ? static_cast<uint16_t>(p[0] | p[1] << 8)
                         : static_cast<uint16_t>(p[0] << 8 | p[1]);
}

uint32_t ExifReader::Get32(size_t position) const {
    const uint8_t* p = tiffData_.data() + position;
    uint32_t b0 = p[0], b1 = p[1], b2 = p[2], b3 = p[3];
    return littleEndian_ ? (b0 | b1 << 8 | b2 << 16 | b3 << 24) : (b0 << 24 | b1 << 16 | b2 << 8 | b3);
}

bool ExifReader::ReadIfd0() {
    const size_t size = tiffData_.size();
    // Buffer position = TIFF offset - 4, since the buffer starts after the byte order and
    // the magic number.
    if (size < 4) return false;
    uint32_t ifdOffset = Get32(0);
    if (ifdOffset < 4 || ifdOffset - 4u > size || size - (ifdOffset - 4u) < 2) return false;
    size_t position = ifdOffset - 4u;
    uint32_t count = Get16(position);
    position += 2;
    bool found = false;
    for (uint32_t i = 0; i < count; ++i, position += EntrySize) {
        if (size - position < EntrySize) break;
        if (Get16(position) != DateTimeTag) continue;
        uint32_t textCount = Get32(position + 4);
        uint32_t textOffset = Get32(position + 8);
        if (textOffset < 4 || textOffset - 4u > size || textCount > size - (textOffset - 4u)) continue;
        std::string_view text(reinterpret_cast<const char*>(tiffData_.data()) + (textOffset - 4u), textCount);
        text = text.substr(0, text.find('\0'));
        try {
            time_ = ParseExifDateTime(text);
            found = true;
        } catch (const InvalidArgumentError&) {
            // No representable time in this entry; an earlier one may still stand.
        }
    }
    return found;
}

}  // namespace trackalbum
