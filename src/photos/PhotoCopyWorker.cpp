#include "photos/PhotoCopyWorker.h"

#include <exception>
#include <optional>
#include <utility>
#include <vector>

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
    thread_ = std::jthread([this, jobs = std::move(jobs), stop = stop_.get_token(),
                            threads = GetThreadCount()]() mutable {
        Run(std::move(stop), std::move(jobs), threads);
    });
}

void PhotoCopyWorker::Run(std::stop_token stop, PhotoCopyJobs jobs, int threads) {
    struct Outcome {
        bool Kept = false;
        std::optional<PhotoCopyFailure> Failure;
    };
    const int count = static_cast<int>(jobs.Pictures.GetCount());
    std::vector<Outcome> outcomes(static_cast<size_t>(count));
    const PictureList& pictures = jobs.Pictures;  // only read from here on, by every thread
    const auto name = [&](int index) -> const std::string& {
        return pictures[static_cast<size_t>(index)].GetFileName();
    };
    // On any thread of the pool; each photo writes its own outcome and nothing else.
    const auto work = [&](int index) {
        const PictureRecord& picture = pictures[static_cast<size_t>(index)];
        const std::string source = JoinPhotoPath(jobs.SourceFolder, picture.GetFileName());
        // A HEIF picture reaches the pages as a JPEG, under the name the pages use for it.
        const std::string target = JoinPhotoPath(jobs.TargetFolder, picture.GetPageFileName());
        Outcome& outcome = outcomes[static_cast<size_t>(index)];
        outcome.Kept = GetKeepOriginalSize();
        try {
            if (!outcome.Kept) outcome.Failure = ShrinkPhoto(source, target);
            else outcome.Failure = picture.Heif ? ConvertPhoto(source, target) : CopyPhoto(source, target);
        } catch (const std::exception&) {
            // Whatever goes wrong with one photo must not end the program from this thread.
            outcome.Failure = outcome.Kept ? PhotoCopyFailure::CopyFailed : PhotoCopyFailure::ShrinkFailed;
        }
        // Once a photo, so a long run leaves the processor to the rest of the desktop.
        std::this_thread::yield();
    };
    // On this thread, photo by photo in the list's order.
    PhotoCopySummary summary;
    const auto report = [&](int index) {
        const Outcome& outcome = outcomes[static_cast<size_t>(index)];
        if (outcome.Failure) {
            summary.Failed.push_back({name(index), *outcome.Failure});
        } else if (outcome.Kept) {
            ++summary.Copied;
        } else {
            ++summary.Shrunk;
        }
        host_.SetCaption(GetPhotoCopyProgressCaption(index + 1, count));
        host_.PhotoDone(index + 1, count);
    };
    summary.NotReached = count - RunInOrder(count, threads, stop, work, report);
    summary_ = summary;
    running_.store(false);
    host_.EnableCopyControls(true);
    host_.SetCaption(GetPhotoCopyIdleCaption(GetKeepOriginalSize()));
    host_.Finished(summary);
}

}  // namespace trackalbum
