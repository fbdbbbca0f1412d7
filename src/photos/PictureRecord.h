#pragma once
// One file of the photo folder. A Latitude or Longitude of 360.0 marks a photo not placed.
#include <string>

#include "gps/TimeValue.h"

namespace trackalbum {

class PictureRecord {
public:
    static constexpr double NotPlaced = 360.0;

    // Fills Folder, FileName and TakenTime: the EXIF date-time, else the earlier file time.
    void Read(const std::string& folder, const std::string& fileName);

    bool IsPlaced() const { return Latitude != NotPlaced && Longitude != NotPlaced; }
    void SetPosition(double latitude, double longitude) { Latitude = latitude; Longitude = longitude; }
    // Folder, the platform's separator, FileName.
    std::string GetFullPath() const;

    TimeValue GetTakenTime() const { return TakenTime; }
    void SetTakenTime(TimeValue value) { TakenTime = value; }
    const std::string& GetFileName() const { return FileName; }
    void SetFileName(const std::string& value) { FileName = value; }
    const std::string& GetFolder() const { return Folder; }
    void SetFolder(const std::string& value) { Folder = value; }
    const std::string& GetComment() const { return Comment; }
    void SetComment(const std::string& value) { Comment = value; }
    double GetLatitude() const { return Latitude; }
    double GetLongitude() const { return Longitude; }

    TimeValue TakenTime;
    std::string FileName;
    std::string Folder;
    std::string Comment;
    double Latitude = NotPlaced;
    double Longitude = NotPlaced;
};

}  // namespace trackalbum
