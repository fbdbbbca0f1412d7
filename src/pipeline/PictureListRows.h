#pragma once
// The picture list page's rows as text: file name, comment, taken time (the camera's own,
// uncorrected), longitude and latitude (empty for a photo that is not placed).
#include <string>
#include <vector>

#include "photos/PictureList.h"

namespace trackalbum {

struct PictureListRow {
    std::string FileName;
    std::string Comment;
    std::string TakenTime;  // "%Y/%m/%d %H:%M:%S"
    std::string Longitude;  // "%f"
    std::string Latitude;   // "%f"
    bool Placed = false;
};

std::vector<PictureListRow> BuildPictureListRows(const PictureList& pictures);

}  // namespace trackalbum
