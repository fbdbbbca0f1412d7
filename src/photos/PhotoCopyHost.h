#pragma once
// What the photo copy tells its host: the button's caption, the enabled state of the
// controls that could start a second run, and the summary at the end.
//
// The preparation calls the host on the thread that starts the run; everything after that
// comes from the worker thread. A windowed host must hand each call over to its UI thread
// (for instance by posting it to the event loop) and never block the worker on that
// thread, since the UI thread may itself be waiting for the worker to finish. The calls
// must not throw.
#include <string>

#include "photos/PhotoCopySummary.h"

namespace trackalbum {

class PhotoCopyHost {
public:
    virtual ~PhotoCopyHost() = default;

    virtual void SetCaption(const std::string& caption) = 0;
    // Off while a run works, on again when it is over.
    virtual void EnableCopyControls(bool enable) = 0;
    // After each photo, right after its progress caption.
    virtual void PhotoDone(int done, int count) {
        (void)done;
        (void)count;
    }
    // Once at the end of a run that got as far as the worker, after the controls are back.
    virtual void Finished(const PhotoCopySummary& summary) = 0;
};

}  // namespace trackalbum
