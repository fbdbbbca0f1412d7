#pragma once
// One file of the photo folder. A Latitude or Longitude of 360.0 marks a photo not placed.
#include <string>

#include "gps/TimeValue.h"

namespace trackalbum {

class PictureRecord {
public:
    static constexpr double NotPlaced = 360.0;

    // Fills Folder, FileName and TakenTime (the Exif taken time, else the earlier file
    // time), the photo's own position and whether it is a HEIF picture.
    void Read(const std::string& folder, const std::string& fileName);

    bool IsPlaced() const { return Latitude != NotPlaced && Longitude != NotPlaced; }
    bool HasOwnPosition() const { return OwnLatitude != NotPlaced && OwnLongitude != NotPlaced; }
    void SetPosition(double latitude, double longitude) { Latitude = latitude; Longitude = longitude; }
    // Folder, the platform's separator, FileName.
    std::string GetFullPath() const;
    // The photo's name in the pages' image folder: FileName, with ".jpg" added for a HEIF
    // picture (browsers show it only as a JPEG copy) unless the name already ends in .jpg or
    // .jpeg, in any case.
    std::string GetPageFileName() const;

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
    // Where the photo itself says it was taken (its GPS tags); NotPlaced when it does not.
    double OwnLatitude = NotPlaced;
    double OwnLongitude = NotPlaced;
    bool Heif = false;
};

}  // namespace trackalbum
