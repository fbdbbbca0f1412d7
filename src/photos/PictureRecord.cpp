#include "photos/PictureRecord.h"

#include <algorithm>

#include "photos/ExifReader.h"
#include "platform/FileTimes.h"

namespace trackalbum {

void PictureRecord::Read(const std::string& folder, const std::string& fileName) {
    Folder = folder;
    FileName = fileName;
    const std::string path = GetFullPath();
    ExifReader reader;
    if (reader.Read(path) == 1) {
        TakenTime = reader.GetTime();
        return;
    }
    // No camera time: the earlier of the file's times, which survives a copy that resets
    // one of them.
    FileTimes times;
    if (!ReadFileTimes(path, times)) return;
    TakenTime = times.birth ? std::min(times.lastWrite, *times.birth) : times.lastWrite;
}

std::string PictureRecord::GetFullPath() const {
    return Folder + "/" + FileName;
}

}  // namespace trackalbum
