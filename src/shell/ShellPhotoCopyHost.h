#pragma once
// The photo copy's host in the program: every change of a window happens on the UI thread,
// in order, and the worker never waits for that thread.
#include "photos/PhotoCopyHost.h"

namespace trackalbum {

class CPageCameraGPS;

class ShellPhotoCopyHost : public PhotoCopyHost {
public:
    explicit ShellPhotoCopyHost(CPageCameraGPS& page) : page_(page) {}

    void SetCaption(const std::string& caption) override;
    void EnableCopyControls(bool enable) override;
    void Finished(const PhotoCopySummary& summary) override;

private:
    CPageCameraGPS& page_;
};

}  // namespace trackalbum
