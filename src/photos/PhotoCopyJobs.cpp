#include "photos/PhotoCopyJobs.h"

#include "page/OutputFiles.h"

namespace trackalbum {

PhotoCopyJobs PreparePhotoCopy(PictureList& pictures, CommentsFile& comments,
                               const std::string& photoFolder, const std::string& gpsFile) {
    EnsureFolder("html");
    EnsureFolder(PhotoTargetFolder);

    comments.WriteComments(pictures, gpsFile);
    pictures.RemoveAllPictures();
    pictures.Scan(photoFolder);
    comments.ReadComments(pictures, gpsFile);

    PhotoCopyJobs jobs;
    jobs.SourceFolder = photoFolder;
    for (const PictureRecord& picture : pictures) {
        PictureRecord job;
        job.Read(photoFolder, picture.GetFileName());
        jobs.Pictures.AddTail(std::move(job));
    }
    return jobs;
}

}  // namespace trackalbum
