#pragma once
// File access for the image codecs: header and whole-file reads, replacing writes.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/ImageCodec.h"

namespace trackalbum {

enum class FileReadStatus { Ok, NotFound, NotAFile, Unreadable, OutOfMemory };

// Opens a regular file for reading; folders, devices and missing files are refused.
class FileReader : public ByteReader {
public:
    FileReadStatus Open(const std::string& path);
    size_t Read(uint8_t* buffer, size_t size) override;
    bool Skip(uint64_t size) override;
    bool Rewind();
    bool Seek(uint64_t position) override;
    // The whole file from its start.
    FileReadStatus ReadAll(std::vector<uint8_t>& bytes);
    uint64_t GetSize() const override { return size_; }

private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file_;
    uint64_t size_ = 0;
};

// Writes `bytes` to a new file beside `path` and renames it over `path`, so an existing
// file is either replaced whole or left as it was. False on any failure.
bool WriteFileReplacing(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace trackalbum
