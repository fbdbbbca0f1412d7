#include "photos/PhotoCopyRun.h"

#include "photos/PhotoCopyWorker.h"

namespace trackalbum {

PhotoCopySummary RunPhotoCopy(PhotoCopyDocument& document, const std::string& photoFolder,
                              const std::string& gpsFile, bool keepOriginalSize,
                              PhotoCopyHost& host) {
    PhotoCopyWorker worker(host, keepOriginalSize);
    worker.Start(document, photoFolder, gpsFile);
    return worker.Wait();
}

PhotoCopySummary RunPhotoCopy(PictureList& pictures, CommentsFile& comments,
                              const std::string& photoFolder, const std::string& gpsFile,
                              bool keepOriginalSize, PhotoCopyHost& host) {
    PictureListDocument document(pictures, comments);
    return RunPhotoCopy(document, photoFolder, gpsFile, keepOriginalSize, host);
}

}  // namespace trackalbum
