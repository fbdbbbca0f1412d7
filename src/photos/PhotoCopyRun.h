#pragma once
// The photo button's work for a host without windows: runs it and waits for the end.
#include <string>

#include "photos/CommentsFile.h"
#include "photos/PhotoCopyDocument.h"
#include "photos/PhotoCopyHost.h"
#include "photos/PhotoCopySummary.h"
#include "photos/PictureList.h"

namespace trackalbum {

// Prepares and runs the copy on a worker thread, the host receiving its calls as a windowed
// host would, and returns when it is over. What the preparation raises passes on.
PhotoCopySummary RunPhotoCopy(PhotoCopyDocument& document, const std::string& photoFolder,
                              const std::string& gpsFile, bool keepOriginalSize,
                              PhotoCopyHost& host);
// The same for a bare picture list and its comments file.
PhotoCopySummary RunPhotoCopy(PictureList& pictures, CommentsFile& comments,
                              const std::string& photoFolder, const std::string& gpsFile,
                              bool keepOriginalSize, PhotoCopyHost& host);

}  // namespace trackalbum
