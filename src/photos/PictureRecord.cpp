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
    const int32_t found = reader.Read(path);
    Heif = reader.IsHeif();
    if (const std::optional<GpsPosition>& position = reader.GetPosition()) {
        OwnLatitude = position->Latitude;
        OwnLongitude = position->Longitude;
    }
    if (found == 1) {
        TakenTime = reader.GetTime();
        return;
    }
    // No camera time: the earlier of the file's times, which survives a copy that resets
    // one of them.
    FileTimes times;
    if (!ReadFileTimes(path, times)) return;
    TakenTime = TimeValue(times.birth ? std::min(times.lastWrite, *times.birth) : times.lastWrite);
}

std::string PictureRecord::GetFullPath() const {
    return Folder + "/" + FileName;
}

std::string PictureRecord::GetPageFileName() const {
    if (!Heif) return FileName;
    std::string lower = FileName;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return lower.ends_with(".jpg") || lower.ends_with(".jpeg") ? FileName : FileName + ".jpg";
}

}  // namespace trackalbum
