#pragma once
// The work list of one photo copy run and the preparation that builds it.
#include <string>

#include "photos/PhotoCopyDocument.h"
#include "photos/PictureList.h"

namespace trackalbum {

// Where the pages find their photos, relative to the current directory as the pages are.
inline constexpr const char* PhotoTargetFolder = "html/img";

struct PhotoCopyJobs {
    std::string SourceFolder;
    std::string TargetFolder = PhotoTargetFolder;
    PictureList Pictures;  // one fresh record per photo, in the document's order
};

// Makes sure of "html" and "html/img", brings the document's list up to date (stores its
// comments, scans the photo folder anew, reads the comments back) and reads one fresh
// record per photo of it into the work list. What the scan raises passes on.
PhotoCopyJobs PreparePhotoCopy(PhotoCopyDocument& document, const std::string& photoFolder,
                               const std::string& gpsFile);

}  // namespace trackalbum
