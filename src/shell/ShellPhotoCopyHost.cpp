#include "shell/ShellPhotoCopyHost.h"

#include "shell/CPageCameraGPS.h"

namespace trackalbum {

// CallAfter queues to the page itself: when the page goes, its queued calls go with it.
void ShellPhotoCopyHost::SetCaption(const std::string& caption) {
    CPageCameraGPS& page = page_;
    page.CallAfter([&page, caption] { page.SetCopyCaption(caption); });
}

void ShellPhotoCopyHost::EnableCopyControls(bool enable) {
    CPageCameraGPS& page = page_;
    page.CallAfter([&page, enable] { page.EnableCopyControls(enable); });
}

void ShellPhotoCopyHost::Finished(const PhotoCopySummary& summary) {
    CPageCameraGPS& page = page_;
    page.CallAfter([&page, summary] { page.ShowCopySummary(summary); });
}

}  // namespace trackalbum
