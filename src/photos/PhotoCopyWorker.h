#pragma once
// The photo button's run: the preparation on the caller's thread, then one worker thread
// that copies or shrinks every photo of the work list into the image folder, with a pool of
// threads doing the photos themselves. The host hears from the worker thread alone, photo
// by photo in the list's order, just as if one thread did everything.
//
// The work list is moved into the worker and nobody else touches it while it runs. The
// mode may change during a run (the check box stays enabled): it is read afresh as each
// photo is begun. Destroying the worker asks a run to stop after the photos in hand and
// waits for it, so the host must outlive the worker.
#include <atomic>
#include <stop_token>
#include <string>
#include <thread>

#include "photos/PhotoCopyDocument.h"
#include "photos/PhotoCopyHost.h"
#include "photos/PhotoCopyJobs.h"
#include "photos/PhotoCopyPool.h"
#include "photos/PhotoCopySummary.h"

namespace trackalbum {

class PhotoCopyWorker {
public:
    explicit PhotoCopyWorker(PhotoCopyHost& host, bool keepOriginalSize = false);
    ~PhotoCopyWorker();
    PhotoCopyWorker(const PhotoCopyWorker&) = delete;
    PhotoCopyWorker& operator=(const PhotoCopyWorker&) = delete;

    // Any thread; a running worker takes it with its next photo.
    void SetKeepOriginalSize(bool keep) { keepOriginalSize_.store(keep); }
    bool GetKeepOriginalSize() const { return keepOriginalSize_.load(); }
    bool IsRunning() const { return running_.load(); }
    // How many photos are worked on at once from the next start on: one per core unless
    // set; 0 returns to that. Call it from the thread that starts the runs.
    void SetThreadCount(int threads) { threads_ = threads; }
    int GetThreadCount() const { return threads_ > 0 ? threads_ : GetDefaultPhotoCopyThreads(); }

    // The photo button: disables the controls and shows the working caption, prepares the
    // work list from the document and starts the worker. False, and nothing happens, while
    // a run is still working. When the preparation throws, the controls and the idle
    // caption are restored and the error passes on.
    bool Start(PhotoCopyDocument& document, const std::string& photoFolder,
               const std::string& gpsFile);
    // The same with a work list prepared elsewhere.
    bool Start(PhotoCopyJobs jobs);

    // Asks a running worker to stop: no photo is begun afterwards, those begun are finished
    // and reported. Any thread, the host's calls from the worker included.
    void RequestStop();
    // Waits for the current run to end and gives its summary (an empty one if none ran).
    // It blocks: a windowed host takes the summary from Finished instead.
    PhotoCopySummary Wait();

private:
    void BeginRun();
    void Launch(PhotoCopyJobs jobs);
    void Run(std::stop_token stop, PhotoCopyJobs jobs, int threads);

    PhotoCopyHost& host_;
    std::atomic<bool> keepOriginalSize_;
    std::atomic<bool> running_{false};
    int threads_ = 0;           // set and read by the thread that starts runs
    PhotoCopySummary summary_;  // written by the worker, read after it is joined
    // Made before each run's thread starts, so that asking it to stop never touches the
    // thread object that the starting thread may still be assigning.
    std::stop_source stop_;
    std::jthread thread_;       // last, so it is stopped and joined before the rest goes
};

}  // namespace trackalbum
