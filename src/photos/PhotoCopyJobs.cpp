#include "photos/PhotoCopyJobs.h"

#include "platform/OutputPaths.h"

namespace trackalbum {

PhotoCopyJobs PreparePhotoCopy(PhotoCopyDocument& document, const std::string& photoFolder,
                               const std::string& gpsFile) {
    EnsureFolder("html");
    EnsureFolder(PhotoTargetFolder);

    document.WriteComments(gpsFile);
    document.LoadPictures(photoFolder);
    document.ReadComments(gpsFile);

    PhotoCopyJobs jobs;
    jobs.SourceFolder = photoFolder;
    for (const PictureRecord& picture : document.GetPictures()) {
        PictureRecord job;
        job.Read(photoFolder, picture.GetFileName());
        jobs.Pictures.AddTail(std::move(job));
    }
    return jobs;
}

}  // namespace trackalbum
