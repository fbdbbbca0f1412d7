#include "photos/PhotoCopyRun.h"

#include "photos/PhotoCopyWorker.h"

namespace trackalbum {

PhotoCopySummary RunPhotoCopy(PictureList& pictures, CommentsFile& comments,
                              const std::string& photoFolder, const std::string& gpsFile,
                              bool keepOriginalSize, PhotoCopyHost& host) {
    PhotoCopyWorker worker(host, keepOriginalSize);
    worker.Start(pictures, comments, photoFolder, gpsFile);
    return worker.Wait();
}

}  // namespace trackalbum
