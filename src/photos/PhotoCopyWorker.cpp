#include "photos/PhotoCopyWorker.h"

#include <exception>
#include <optional>
#include <utility>

#include "photos/PhotoCopyCaptions.h"
#include "photos/PhotoCopyFile.h"
#include "photos/PhotoCopyStep.h"

namespace trackalbum {

PhotoCopyWorker::PhotoCopyWorker(PhotoCopyHost& host, bool keepOriginalSize)
    : host_(host), keepOriginalSize_(keepOriginalSize) {}

PhotoCopyWorker::~PhotoCopyWorker() {
    RequestStop();
    Wait();
}

bool PhotoCopyWorker::Start(PhotoCopyDocument& document, const std::string& photoFolder,
                            const std::string& gpsFile) {
    if (IsRunning()) {
        return false;
    }
    BeginRun();
    PhotoCopyJobs jobs;
    try {
        jobs = PreparePhotoCopy(document, photoFolder, gpsFile);
    } catch (...) {
        host_.EnableCopyControls(true);
        host_.SetCaption(GetPhotoCopyIdleCaption(GetKeepOriginalSize()));
        throw;
    }
    Launch(std::move(jobs));
    return true;
}

bool PhotoCopyWorker::Start(PhotoCopyJobs jobs) {
    if (IsRunning()) {
        return false;
    }
    BeginRun();
    Launch(std::move(jobs));
    return true;
}

void PhotoCopyWorker::RequestStop() { stop_.request_stop(); }

PhotoCopySummary PhotoCopyWorker::Wait() {
    if (thread_.joinable()) {
        thread_.join();
    }
    return summary_;
}

void PhotoCopyWorker::BeginRun() {
    // The last run has reported its end; only its thread may still be on its way out.
    Wait();
    host_.EnableCopyControls(false);
    host_.SetCaption(GetPhotoCopyWorkingCaption(GetKeepOriginalSize()));
}

void PhotoCopyWorker::Launch(PhotoCopyJobs jobs) {
    summary_ = PhotoCopySummary{};
    running_.store(true);
    stop_ = std::stop_source();
    thread_ = std::jthread([this, jobs = std::move(jobs), stop = stop_.get_token()]() mutable {
        Run(std::move(stop), std::move(jobs));
    });
}

void PhotoCopyWorker::Run(std::stop_token stop, PhotoCopyJobs jobs) {
    PhotoCopySummary summary;
    const int count = static_cast<int>(jobs.Pictures.GetCount());
    for (int index = 0; index < count; ++index) {
        if (stop.stop_requested()) {
            summary.NotReached = count - index;
            break;
        }
        const std::string& name = jobs.Pictures[static_cast<size_t>(index)].GetFileName();
        const std::string source = JoinPhotoPath(jobs.SourceFolder, name);
        const std::string target = JoinPhotoPath(jobs.TargetFolder, name);
        const bool keep = GetKeepOriginalSize();
        std::optional<PhotoCopyFailure> failure;
        try {
            failure = keep ? CopyPhoto(source, target) : ShrinkPhoto(source, target);
        } catch (const std::exception&) {
            // Whatever goes wrong with one photo must not end the program from this thread.
            failure = keep ? PhotoCopyFailure::CopyFailed : PhotoCopyFailure::ShrinkFailed;
        }
        if (failure) {
            summary.Failed.push_back({name, *failure});
        } else if (keep) {
            ++summary.Copied;
        } else {
            ++summary.Shrunk;
        }
        host_.SetCaption(GetPhotoCopyProgressCaption(index + 1, count));
        host_.PhotoDone(index + 1, count);
        // Once a photo, so a long run leaves the processor to the rest of the desktop.
        std::this_thread::yield();
    }
    summary_ = summary;
    running_.store(false);
    host_.EnableCopyControls(true);
    host_.SetCaption(GetPhotoCopyIdleCaption(GetKeepOriginalSize()));
    host_.Finished(summary);
}

}  // namespace trackalbum
